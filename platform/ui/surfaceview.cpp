#include "platform/ui/surfaceview.h"

#include "platform/ui/cursors.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <set>
#include <utility>

namespace plat {

int keyPressCode(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    default: break;
    }
    const QString text = e.text();
    if (text.isEmpty()) return -1;
    return text.at(0).unicode();
}

namespace {

// A sunken frame: dark above and to the left, light below and to the right;
// the outer half of the rings in mid tones, the inner half deeper.
void drawSunkenFrame(QPainter& p, int w, int h, int border) {
    for (int i = 0; i < border && 2 * i < w && 2 * i < h; ++i) {
        const bool outer = i < (border + 1) / 2;
        const QColor dark = outer ? QColor(0x80, 0x80, 0x80) : QColor(0x40, 0x40, 0x40);
        const QColor light = outer ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xC0, 0xC0, 0xC0);
        const int rw = w - 2 * i, rh = h - 2 * i;
        p.fillRect(i, i, rw, 1, dark);
        p.fillRect(i, i, 1, rh, dark);
        p.fillRect(i, h - 1 - i, rw, 1, light);
        p.fillRect(w - 1 - i, i, 1, rh, light);
    }
}

} // namespace

namespace {

// Every view alive, and one timer that shows the drawings made on their
// surfaces since they last painted, a few times a second: a drawing shows
// without being asked, as on a persistent picture, while refresh() still
// shows it at once.
std::set<SurfaceView*>& liveViews() {
    static std::set<SurfaceView*> views;
    return views;
}

void sweepViews() {
    for (SurfaceView* v : liveViews()) v->updateIfDrawn();
}

void ensureSweep() {
    static QPointer<QTimer> timer;
    if (timer || !QCoreApplication::instance()) return;
    timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(40);
    QObject::connect(timer, &QTimer::timeout, sweepViews);
    timer->start();
}

} // namespace

void SurfaceView::updateIfDrawn() {
    if (isVisible() && std::as_const(*surface_).generation() != paintedGeneration_) update();
}

SurfaceView::SurfaceView(Surface* surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    liveViews().insert(this);
    ensureSweep();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    surface_->onChanged = [this] { syncFromSurface(); };
    surface_->onRefresh = [this] { repaint(); };
    syncFromSurface();
}

SurfaceView::~SurfaceView() {
    liveViews().erase(this);
    surface_->onChanged = nullptr;
    surface_->onRefresh = nullptr;
}

void SurfaceView::syncFromSurface() {
    const QRect g(surface_->left(), surface_->top(), surface_->width(), surface_->height());
    if (geometry() != g) setGeometry(g);
    if (surface_->mousePointer() != pointerCode_ || surface_->customCursor() != pointerName_) {
        pointerCode_ = surface_->mousePointer();
        pointerName_ = surface_->customCursor();
        setCursor(cursorFor(pointerCode_, pointerName_));
    }
    setToolTip(surface_->toolTip());
    if (surface_->visible() != !isHidden()) setVisible(surface_->visible());
}

bool SurfaceView::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) setToolTip(surface_->toolTip()); // not reported as a change
    const QPointF origin(surface_->border(), surface_->border());
    if (adapter_.feed(e, origin)) {
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void SurfaceView::paintEvent(QPaintEvent*) {
    ++paintCount_;
    QPainter p(this);
    const int b = surface_->border();
    drawSunkenFrame(p, width(), height(), b);
    const Surface& surface = *surface_;
    const QImage& img = surface.image();
    paintedGeneration_ = surface.generation();
    const QRect inner = rect().adjusted(b, b, -b, -b);
    if (img.width() < inner.width() || img.height() < inner.height())
        p.fillRect(inner, QColor::fromRgb(toQRgb(surface_->backColor())));
    p.drawImage(b, b, img);
}

void SurfaceView::keyPressEvent(QKeyEvent* e) {
    const int code = keyPressCode(*e);
    if (code >= 0 && onKeyPress) {
        const auto handler = onKeyPress;
        handler(code);
        return;
    }
    QWidget::keyPressEvent(e);
}

void SurfaceView::hideEvent(QHideEvent* e) {
    adapter_.reset(); // no release will come for a button held now
    QWidget::hideEvent(e);
}

} // namespace plat
