// Mouse events in the order the program's handlers expect them.
//
// A click gives MouseDown, MouseUp, Click; a double click gives MouseDown,
// MouseUp, Click, DblClick, MouseUp (the second press of a double click is
// the DblClick itself, not another MouseDown). Moves give MouseMove.
//
// Arguments: the button (1 left, 2 right, 4 middle; for a move the buttons
// held, added up), the shift state (1 shift, 2 ctrl, 4 alt, added up) and the
// position in the surface's own pixels.
//
// MouseAdapter is fed press/release/double-click/move calls and knows nothing
// of widgets; feed() turns a Qt mouse event into those calls. A handler may
// let events run (and so reach the adapter again) while it runs: the adapter
// keeps its state consistent for such nested calls.
#pragma once

#include <QPointF>
#include <Qt>

#include <functional>

class QEvent;
class QMouseEvent;

namespace plat {

namespace mousebutton {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
} // namespace mousebutton

namespace shiftkey {
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
} // namespace shiftkey

struct MouseHandlers {
    using Handler = std::function<void(int button, int shift, double x, double y)>;
    Handler onMouseDown;
    Handler onMouseUp;
    Handler onMouseMove;
    std::function<void()> onClick;
    std::function<void()> onDblClick;
};

// The runtime's codes for Qt's buttons and modifiers (0 for anything else).
int buttonCode(Qt::MouseButton button);
int buttonsCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);

class MouseAdapter {
public:
    // The adapter calls the handlers through this reference, so they may be
    // set or changed at any time; the handlers must outlive the adapter.
    explicit MouseAdapter(const MouseHandlers& handlers) : handlers_(handlers) {}

    // A button went down (not the second press of a double click).
    void press(int button, int shift, double x, double y);
    // A button came up: MouseUp, then Click when no button is left down and
    // this release does not end a double click. A release of a button that
    // did not go down here is ignored.
    void release(int button, int shift, double x, double y);
    // The second press of a double click.
    void doubleClick(int button, int shift, double x, double y);
    // The pointer moved; buttons are the ones held.
    void move(int buttons, int shift, double x, double y);
    // Forgets the buttons held (the view lost the mouse).
    void reset() { held_ = 0; endsDouble_ = 0; }

    // Buttons that went down here and are still down.
    int held() const { return held_; }

    // Feeds one Qt event; origin is where the surface's pixel (0, 0) lies in
    // the event's coordinates. Returns whether it was a mouse event.
    bool feed(const QEvent* event, QPointF origin = QPointF());

private:
    const MouseHandlers& handlers_;
    int held_ = 0;       // buttons down
    int endsDouble_ = 0; // buttons whose release ends a double click
};

} // namespace plat
