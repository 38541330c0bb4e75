#include "platform/ui/mouse.h"

#include <QMouseEvent>

namespace plat {

int buttonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return mousebutton::kLeft;
    case Qt::RightButton: return mousebutton::kRight;
    case Qt::MiddleButton: return mousebutton::kMiddle;
    default: return 0;
    }
}

int buttonsCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= mousebutton::kLeft;
    if (buttons & Qt::RightButton) code |= mousebutton::kRight;
    if (buttons & Qt::MiddleButton) code |= mousebutton::kMiddle;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code |= shiftkey::kShift;
    if (modifiers & Qt::ControlModifier) code |= shiftkey::kCtrl;
    if (modifiers & Qt::AltModifier) code |= shiftkey::kAlt;
    return code;
}

// Handlers are copied before the call: one may replace the handlers while it
// runs.
void MouseAdapter::press(int button, int shift, double x, double y) {
    // A button already down here lost its release (the view was hidden or
    // lost the mouse): the new press counts all the same.
    if (button == 0) return;
    held_ |= button;
    endsDouble_ &= ~button;
    if (auto h = handlers_.onMouseDown) h(button, shift, x, y);
}

void MouseAdapter::doubleClick(int button, int shift, double x, double y) {
    if (button == 0) return;
    // Some platforms send a plain press before the double click: that press
    // has already given its MouseDown.
    held_ |= button;
    endsDouble_ |= button;
    (void)shift;
    (void)x;
    (void)y;
    if (auto h = handlers_.onDblClick) h();
}

void MouseAdapter::release(int button, int shift, double x, double y) {
    if (button == 0 || !(held_ & button)) return;
    held_ &= ~button;
    const bool endsDouble = endsDouble_ & button;
    endsDouble_ &= ~button;
    const bool click = !endsDouble && held_ == 0;
    if (auto h = handlers_.onMouseUp) h(button, shift, x, y);
    if (click)
        if (auto h = handlers_.onClick) h();
}

void MouseAdapter::move(int buttons, int shift, double x, double y) {
    if (auto h = handlers_.onMouseMove) h(buttons, shift, x, y);
}

bool MouseAdapter::feed(const QEvent* event, QPointF origin) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: break;
    default: return false;
    }
    const auto* e = static_cast<const QMouseEvent*>(event);
    const QPointF p = e->position() - origin;
    const int shift = shiftCode(e->modifiers());
    switch (event->type()) {
    case QEvent::MouseButtonPress: press(buttonCode(e->button()), shift, p.x(), p.y()); break;
    case QEvent::MouseButtonRelease: release(buttonCode(e->button()), shift, p.x(), p.y()); break;
    case QEvent::MouseButtonDblClick: doubleClick(buttonCode(e->button()), shift, p.x(), p.y()); break;
    default: move(buttonsCode(e->buttons()), shift, p.x(), p.y()); break;
    }
    return true;
}

} // namespace plat
