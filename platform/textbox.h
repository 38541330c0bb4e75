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
    void typed(const QString& t) { text_ = maxLength_ > 0 ? t.left(maxLength_) : t; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void move(int left, int top);
    void move(int left, int top, int width, int height);
    void setWidth(int width) { move(left_, top_, width, height_); }

    bool visible() const { return visible_; }
    void setVisible(bool v);

    // Typing and the mouse reach a disabled box's handlers no more.
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    // Pointer code, as for a picture surface.
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int codigo);
    // The most characters the player may type; 0 = no limit. Text set from
    // code is not cut.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n);

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

    // The program's handlers: the box lost the focus; the mouse (button and
    // shift codes of the runtime, pixels of the box); a typed character
    // (its code, which the handler may change, 0 dropping it).
    std::function<void()> onLostFocus;
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    std::function<void(int button, int shift, double x, double y)> onMouseMove;
    std::function<void(int& keyAscii)> onKeyPress;
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
    bool enabled_ = true;
    int mousePointer_ = 0;
    int maxLength_ = 0;
    std::shared_ptr<const int> lifetime_ = std::make_shared<const int>(0);
};

} // namespace plat
