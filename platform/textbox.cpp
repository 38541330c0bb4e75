#include "platform/textbox.h"

#include <utility>

namespace plat {

TextBox::TextBox(QString name, int width, int height)
    : name_(std::move(name)), width_(width < 0 ? 0 : width), height_(height < 0 ? 0 : height) {}

void TextBox::notifyChanged() {
    if (onChanged) onChanged();
}

void TextBox::setText(const QString& t) {
    if (t == text_) return;
    text_ = t;
    notifyChanged();
}

void TextBox::move(int left, int top) { move(left, top, width_, height_); }

void TextBox::move(int left, int top, int width, int height) {
    width = width < 0 ? 0 : width;
    height = height < 0 ? 0 : height;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notifyChanged();
}

void TextBox::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    notifyChanged();
}

void TextBox::setFocus() {
    if (focus_) return;
    focus_ = true;
    notifyChanged();
}

void TextBox::loseFocus() {
    if (!focus_) return;
    focus_ = false;
    notifyChanged();
    // A copy: the handler may replace itself or let events run.
    if (const auto handler = onLostFocus) handler();
}

void TextBox::setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    notifyChanged();
}

void TextBox::setMousePointer(int codigo) {
    if (codigo == mousePointer_) return;
    mousePointer_ = codigo;
    notifyChanged();
}

void TextBox::setMaxLength(int n) {
    n = n < 0 ? 0 : n;
    if (n == maxLength_) return;
    maxLength_ = n;
    notifyChanged();
}

void TextBox::refresh() {
    if (onRefresh) onRefresh();
}

} // namespace plat
