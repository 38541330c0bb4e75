// A one-line text box as the program sees it: its text, its place and size
// inside the control that holds it, its visibility and its focus. Like a
// picture surface it knows nothing of widgets; a view (platform/ui) attaches
// through the observer hooks to show it, to hand typed text back and to
// report that the box lost the focus.
#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace plat {

class TextBox {
public:
    explicit TextBox(QString name = QString(), int width = 0, int height = 0);
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    const QString& name() const { return name_; }

    const QString& text() const { return text_; }
    void setText(const QString& t);
    // The text as the player typed it (from the view): no change is reported
    // back to the view.
    void typed(const QString& t) { text_ = t; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void move(int left, int top);
    void move(int left, int top, int width, int height);
    void setWidth(int width) { move(left_, top_, width, height_); }

    bool visible() const { return visible_; }
    void setVisible(bool v);

    bool hasFocus() const { return focus_; }
    // The box takes the focus (the view follows).
    void setFocus();
    // The focus went elsewhere: the program's LostFocus handler runs once.
    // Nothing happens when the box did not have the focus.
    void loseFocus();

    // Shows the text at once, without dispatching events.
    void refresh();

    // Expires when the box is destroyed.
    std::weak_ptr<const void> lifetime() const { return lifetime_; }

    // The program's handler: the box lost the focus.
    std::function<void()> onLostFocus;
    // Observers (a view attaches here).
    std::function<void()> onChanged; // text, placement, visibility or focus changed
    std::function<void()> onRefresh;

private:
    void notifyChanged();

    QString name_;
    QString text_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool focus_ = false;
    std::shared_ptr<const int> lifetime_ = std::make_shared<const int>(0);
};

} // namespace plat
