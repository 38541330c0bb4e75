#include "personalise/VentanaPersonal.h"

#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "personalise/personal.h"
#include "platform/ui/helpviewer.h"
#include "platform/ui/listboxview.h"
#include "platform/ui/surfaceview.h"
#include "platform/ui/textboxview.h"
#include "table/Botonera.h"

#include <QApplication>
#include <QKeyEvent>

#include <map>

VentanaPersonal::VentanaPersonal(Personal& p)
    : QDialog(static_cast<QWidget*>(mesa.hWnd()), Qt::Dialog | Qt::FramelessWindowHint), p_(p) {
    setObjectName(QStringLiteral("personal"));
    setWindowModality(Qt::ApplicationModal);
    auto* form = new plat::SurfaceView(&p.Form, this);
    std::map<plat::Surface*, QWidget*> vistas{{nullptr, form}};
    for (auto& [s, padre] : p.Superficies()) {
        auto* v = new plat::SurfaceView(s, vistas.at(padre));
        vistas[s] = v;
        if (s == &p.Pic_BotSalir) v->mouse.onClick = [&p] { p.Pic_BotSalir_Click(); };
        if (s == &p.Pic_BotAyuda) v->mouse.onClick = [&p] { p.Pic_BotAyuda_Click(); };
        if (s == &p.Pic_MostrarImagen) v->setFocusPolicy(Qt::ClickFocus);
    }
    for (auto& [l, padre] : p.Listas()) new plat::ListBoxView(l, vistas.at(padre));
    new plat::TextBoxView(&p.Tex_Spin41, vistas.at(p.Control(41)));
    p.conectaVentana({[this](int l, int t, int w, int h) { setGeometry(l, t, w, h); },
                      [this] { repaint(); },
                      [this] { done(0); }});
}

VentanaPersonal::~VentanaPersonal() { p_.conectaVentana({}); }

void VentanaPersonal::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        QWidget* foco = QApplication::focusWidget();
        auto* vista = qobject_cast<plat::SurfaceView*>(foco);
        if (vista && vista->surface() == &p_.Pic_MostrarImagen) {
            plat::showHelp(p_.AyudaMostrarImagen());
            return;
        }
    }
    e->accept(); // Escape and Enter do not close the window
}

void VentanaPersonal::reject() {}

void AbreVentanaPersonal() {
    if (VentanaPersonalAbierta()) return;
    Personal& p = CreaVentanaPersonal();
    {
        VentanaPersonal ventana(p);
        p.Form_Load();
        if (!p.Descargada()) ventana.exec();
    }
    DestruyeVentanaPersonal();
}

void InstalaVentanaPersonal() {
    Lanzador().personal = [] { AbreVentanaPersonal(); };
    Lanzador().personalAbierta = [] { return VentanaPersonalAbierta() != nullptr; };
    PonEleccionImagen([] { mesa.Pic_Boton_MouseDown(2, 0, 0, 0, 0); });
}
