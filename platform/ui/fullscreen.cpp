#include "platform/ui/fullscreen.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace plat {

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(800, 600);
}

FullScreenWindow::FullScreenWindow(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint | Qt::Window) {}

void FullScreenWindow::showOverScreen(int extraWidth, int extraHeight) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect g = screen ? screen->geometry() : QRect(0, 0, 800, 600);
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
