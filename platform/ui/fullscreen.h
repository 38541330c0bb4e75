// A frameless top-level window that covers the whole screen.
#pragma once

#include <QSize>
#include <QWidget>

namespace plat {

// The size of the primary screen in pixels (800 x 600 when there is none).
QSize screenSize();

class FullScreenWindow : public QWidget {
    Q_OBJECT
public:
    explicit FullScreenWindow(QWidget* parent = nullptr);
    // Places the window at the screen's top-left corner, extra pixels wider
    // and taller than the screen, and shows it.
    void showOverScreen(int extraWidth = 0, int extraHeight = 0);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

} // namespace plat
