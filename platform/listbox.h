// A visible list box as the program sees it: its items (each with a 32-bit
// item data), sorted without regard to case or kept in the order added, the
// selected position, its place and size in the window that holds it, its
// visibility, enabled state and pointer. Like a picture surface it knows
// nothing of widgets; a view (platform/ui/listboxview.h) attaches through the
// observer hooks to show it and hands the mouse and the keyboard back.
//
// A selection made from code raises the Click handler once, synchronously,
// as one made by the player does. A bad index is run-time error 381.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace plat {

class ListBox {
public:
    static constexpr int kIndiceNoValido = 381;

    explicit ListBox(QString name = QString(), bool sorted = false);
    ListBox(const ListBox&) = delete;
    ListBox& operator=(const ListBox&) = delete;

    const QString& name() const { return name_; }
    bool sorted() const { return sorted_; }

    // ---- items ----
    void Clear();
    // Appends the item (sorted: inserts it after the items whose text does
    // not compare above it); the selection follows its item.
    void AddItem(const QString& texto);
    std::int16_t ListCount() const { return std::int16_t(items_.size()); }
    QString List(int i) const;
    std::int32_t ItemData(int i) const;
    void setItemData(int i, std::int32_t valor);
    // Where the last AddItem put its item; -1 when none since the last Clear.
    std::int16_t NewIndex() const { return newIndex_; }

    // ---- selection ----
    // -1 when nothing is selected.
    std::int16_t ListIndex() const { return listIndex_; }
    // -1 clears the selection; another value outside the list is error 381.
    // A change to an item raises onClick once before returning.
    void setListIndex(int i);
    // The player chose item i (from the view): the same as setListIndex.
    void chosen(int i) { setListIndex(i); }

    // ---- placement and state ----
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void move(int left, int top);
    void move(int left, int top, int width, int height);
    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    // Pointer code, as for a picture surface (below 20 a standard pointer).
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int codigo);
    // The pointer resource shown while the code is the custom one.
    const QString& customCursor() const { return customCursor_; }
    void setCustomCursor(const QString& resourceName);
    void refresh();

    // Expires when the box is destroyed.
    std::weak_ptr<const void> lifetime() const { return lifetime_; }

    // ---- the program's handlers ----
    std::function<void()> onClick;
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    std::function<void(int button, int shift, double x, double y)> onMouseMove;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void()> onDblClick;

    // ---- observers (a view attaches here) ----
    std::function<void()> onItems;   // the items or the selection changed
    std::function<void()> onChanged; // placement, visibility, enabled state or pointer changed
    std::function<void()> onRefresh;

private:
    struct Item {
        QString texto;
        std::int32_t dato = 0;
    };
    const Item& at(int i) const;
    void notifyItems();
    void notifyChanged();

    QString name_;
    bool sorted_ = false;
    std::vector<Item> items_;
    std::int16_t newIndex_ = -1;
    std::int16_t listIndex_ = -1;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
    int mousePointer_ = 0;
    QString customCursor_;
    std::shared_ptr<const int> lifetime_ = std::make_shared<const int>(0);
};

} // namespace plat
