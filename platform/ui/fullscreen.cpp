#include "platform/ui/fullscreen.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace plat {

namespace {

// The primary screen's place among the screens (800 x 600 when there is none).
QRect screenGeometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

} // namespace

QSize screenSize() { return screenGeometry().size(); }

FullScreenWindow::FullScreenWindow(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint | Qt::Window) {}

void FullScreenWindow::showOverScreen(int extraWidth, int extraHeight) {
    const QRect g = screenGeometry();
    setGeometry(g.x(), g.y(), g.width() + extraWidth, g.height() + extraHeight);
    show();
}

void FullScreenWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier && parent() == nullptr) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

} // namespace plat
