#include "core/ui/careta.h"

#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "platform/ui/surfaceview.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPointer>

namespace {
QPointer<careta> g_careta;
}

careta::careta() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kAncho, kAlto);
    Form.setPicture(QImage(QStringLiteral(":/sheets/careta.png")));
    vista_ = new plat::SurfaceView(&Form, this);
}

careta::~careta() = default;

careta& careta::Muestra() {
    if (!g_careta) {
        g_careta = new careta();
        g_careta->Form_Load();
        // Once loaded the window is active, and activation unloads it.
        careta* c = g_careta.data();
        c->Form_Activate();
        return *c;
    }
    return *g_careta;
}

careta* careta::Cargada() { return g_careta.data(); }

void careta::Descarga() {
    if (!g_careta) return;
    careta* c = g_careta.data();
    g_careta = nullptr;
    c->hide();
    c->deleteLater();
}

void careta::Form_Load() {
    const QSize pantalla = TamanoPantalla();
    move((pantalla.width() - kAncho) / 2, (pantalla.height() - kAlto) / 2);
    show();
    repaint();
    PuzzGbl.VelocidadJuego = 50;
    // One pass of events so that the window maps and shows its picture; no
    // input is taken while the program starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
    Retardo(1500);
    cargada_ = true;
}

void careta::Form_Activate() {
    if (cargada_) Descarga();
}

bool careta::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QWidget::event(e);
}
