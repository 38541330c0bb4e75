// The widget that shows a picture surface inside its window.
//
// It follows the surface's placement, size, visibility, pointer and tool tip,
// draws a sunken frame of the surface's border width around the image, shows
// the image again at once, without dispatching any events, whenever the
// surface is refreshed, and hands the mouse and the keyboard to the
// program's handlers in their own order and coordinates (the image's pixels).
//
// The view attaches to the surface's observer hooks (one view per surface)
// and detaches in its destructor; the surface must outlive the view.
#pragma once

#include "platform/surface.h"
#include "platform/ui/mouse.h"

#include <QWidget>

#include <functional>

class QKeyEvent;

namespace plat {

// The character code of a key press (13 for Enter, 27 for Escape, 8 for
// Backspace, 9 for Tab, else the character typed), or -1 when the key types
// nothing.
int keyPressCode(const QKeyEvent& e);

class SurfaceView : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceView(Surface* surface, QWidget* parent = nullptr);
    ~SurfaceView() override;

    Surface* surface() const { return surface_; }

    // The program's handlers; set them freely.
    MouseHandlers mouse;
    std::function<void(int charCode)> onKeyPress;

    // Applies the surface's placement, visibility, pointer and tool tip (done
    // on every change the surface reports).
    void syncFromSurface();

    // How many times the view has painted itself.
    int paintCount() const { return paintCount_; }

    // Schedules a repaint when the surface was drawn on since the last one.
    void updateIfDrawn();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    Surface* surface_;
    MouseAdapter adapter_{mouse};
    int paintCount_ = 0;
    std::uint64_t paintedGeneration_ = ~std::uint64_t(0);
    int pointerCode_ = -1;
    QString pointerName_;
};

} // namespace plat
