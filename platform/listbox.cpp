#include "platform/listbox.h"

#include "platform/errors.h"

namespace plat {

ListBox::ListBox(QString name, bool sorted) : name_(std::move(name)), sorted_(sorted) {}

void ListBox::Clear() {
    items_.clear();
    newIndex_ = -1;
    listIndex_ = -1;
    notifyItems();
}

void ListBox::AddItem(const QString& texto) {
    std::size_t pos = items_.size();
    if (sorted_) {
        pos = 0;
        while (pos < items_.size() && QString::compare(items_[pos].texto, texto, Qt::CaseInsensitive) <= 0) ++pos;
    }
    items_.insert(items_.begin() + std::ptrdiff_t(pos), Item{texto, 0});
    if (listIndex_ >= 0 && std::size_t(listIndex_) >= pos) ++listIndex_;
    newIndex_ = std::int16_t(pos);
    notifyItems();
}

const ListBox::Item& ListBox::at(int i) const {
    if (i < 0 || std::size_t(i) >= items_.size()) throw RuntimeError(kIndiceNoValido);
    return items_[std::size_t(i)];
}

QString ListBox::List(int i) const { return at(i).texto; }
std::int32_t ListBox::ItemData(int i) const { return at(i).dato; }
void ListBox::setItemData(int i, std::int32_t valor) {
    at(i);
    items_[std::size_t(i)].dato = valor;
}

void ListBox::setListIndex(int i) {
    if (i != -1) at(i);
    if (i == listIndex_) return;
    listIndex_ = std::int16_t(i);
    notifyItems();
    if (i >= 0 && onClick) onClick();
}

void ListBox::move(int left, int top) { move(left, top, width_, height_); }
void ListBox::move(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notifyChanged();
}
void ListBox::setVisible(bool v) {
    visible_ = v;
    notifyChanged();
}
void ListBox::setEnabled(bool e) {
    enabled_ = e;
    notifyChanged();
}
void ListBox::setMousePointer(int codigo) {
    mousePointer_ = codigo;
    notifyChanged();
}
void ListBox::setCustomCursor(const QString& resourceName) {
    customCursor_ = resourceName;
    notifyChanged();
}
void ListBox::refresh() {
    if (onRefresh) onRefresh();
}
void ListBox::notifyItems() {
    if (onItems) onItems();
}
void ListBox::notifyChanged() {
    if (onChanged) onChanged();
}

} // namespace plat
