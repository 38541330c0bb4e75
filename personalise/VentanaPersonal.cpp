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
#include <QComboBox>
#include <QSignalBlocker>
#include <QKeyEvent>

#include <algorithm>
#include <map>

namespace {

// The drive list shows as a drop-down list one line high; the player's
// choice goes back to the list, which raises its Click handler.
void AbreListaUnidades(plat::ListBox& l, QWidget* padre) {
    auto* c = new QComboBox(padre);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    c->setFont(f);
    auto sincroniza = [c, &l] {
        const QSignalBlocker bloqueo(c);
        bool iguales = c->count() == l.ListCount();
        for (int i = 0; iguales && i < l.ListCount(); ++i) iguales = c->itemText(i) == l.List(i);
        if (!iguales) {
            c->clear();
            for (int i = 0; i < l.ListCount(); ++i) c->addItem(l.List(i));
        }
        c->setCurrentIndex(l.ListIndex());
    };
    auto coloca = [c, &l] {
        c->setGeometry(l.left(), l.top(), l.width(), std::max(l.height(), 21));
        c->setVisible(l.visible());
        c->setEnabled(l.enabled());
    };
    l.onItems = sincroniza;
    l.onChanged = coloca;
    l.onRefresh = [c] { c->repaint(); };
    QObject::connect(c, &QComboBox::activated, c, [&l](int i) {
        if (i >= 0 && i < l.ListCount()) l.chosen(i);
    });
    sincroniza();
    coloca();
}

using Manejador = void (Personal::*)(std::int16_t, std::int16_t, std::int16_t, double, double);

plat::MouseHandlers::Handler Llama(Personal& p, Manejador m, int i) {
    if (!m) return {};
    return [&p, m, i](int b, int sh, double x, double y) {
        (p.*m)(std::int16_t(i), std::int16_t(b), std::int16_t(sh), x, y);
    };
}

// The handlers of an owner-drawn control, by its number or its surface.
void ConectaControl(Personal& p, plat::Surface* s, plat::MouseHandlers& raton) {
    for (int i : Personal::NumerosControles()) {
        if (p.Control(i) != s) continue;
        Manejador abajo = nullptr, mueve = nullptr, arriba = nullptr;
        if (i == 1 || i == 2 || i == 5 || i == 6) {
            abajo = &Personal::Pic_Selector_MouseDown;
            mueve = &Personal::Pic_Selector_MouseMove;
        } else if (i >= 11 && i <= 25) {
            abajo = &Personal::Pic_Buleano_MouseDown;
        } else if (i == 31 || i == 32) {
            abajo = &Personal::Pic_Pulsador_MouseDown;
        } else if (i == 41) {
            abajo = &Personal::Pic_Spin_MouseDown;
            mueve = &Personal::Pic_Spin_MouseMove;
            arriba = &Personal::Pic_Spin_MouseUp;
        } else if (i == 51 || i == 52) {
            abajo = &Personal::Pic_Potenciometro_MouseDown;
            mueve = &Personal::Pic_Potenciometro_MouseMove;
            arriba = &Personal::Pic_Potenciometro_MouseUp;
        }
        // Only the left button presses a control.
        auto izquierdo = [](plat::MouseHandlers::Handler h) -> plat::MouseHandlers::Handler {
            if (!h) return {};
            return [h](int b, int sh, double x, double y) {
                if (b == plat::mousebutton::kLeft) h(b, sh, x, y);
            };
        };
        raton.onMouseDown = izquierdo(Llama(p, abajo, i));
        raton.onMouseMove = Llama(p, mueve, i);
        raton.onMouseUp = Llama(p, arriba, i);
        return;
    }
    for (int i = 0; i < 8; ++i)
        if (&p.Pic_TipPuz(i) == s) {
            raton.onMouseDown = [&p, i](int b, int sh, double x, double y) {
                // A shape the picture does not allow takes no press.
                if (b != plat::mousebutton::kLeft || !p.TipPuzActivo[std::size_t(i)]) return;
                p.Pic_TipPuz_MouseDown(std::int16_t(i), std::int16_t(b), std::int16_t(sh), x, y);
            };
            raton.onMouseMove = Llama(p, &Personal::Pic_TipPuz_MouseMove, i);
            return;
        }
    if (s == &p.Pic_ColFonSel)
        raton.onMouseDown = [&p](int b, int sh, double x, double y) {
            if (b == plat::mousebutton::kLeft) p.Pic_ColFonSel_MouseDown(std::int16_t(b), std::int16_t(sh), x, y);
        };
    if (s == &p.Pic_ColPzaSel)
        raton.onMouseDown = [&p](int b, int sh, double x, double y) {
            if (b == plat::mousebutton::kLeft) p.Pic_ColPzaSel_MouseDown(std::int16_t(b), std::int16_t(sh), x, y);
        };
}

} // namespace

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
        ConectaControl(p, s, v->mouse);
    }
    for (auto& [l, padre] : p.Listas()) {
        if (l == &p.Drive1) AbreListaUnidades(p.Drive1, vistas.at(padre));
        else new plat::ListBoxView(l, vistas.at(padre));
    }
    // The picture chooser's lists and the number of pieces: the pointer over
    // them, a folder opened by a double click or Enter, a count taken by a
    // press (or Enter) on its item.
    using Raton = std::function<void(int, int, double, double)>;
    auto raton = [](auto f) -> Raton {
        return [f](int b, int s, double x, double y) { f(std::int16_t(b), std::int16_t(s), x, y); };
    };
    p.File1.onMouseMove = raton([&p](auto... a) { p.File1_MouseMove(a...); });
    p.File1.onDblClick = [&p] { p.File1_DblClick(); };
    p.Dir1.onMouseMove = raton([&p](auto... a) { p.Dir1_MouseMove(a...); });
    p.Dir1.onDblClick = [&p] { p.Dir1_Abre(); };
    p.Dir1.onKeyPress = [&p](int& tecla) {
        if (tecla != 13) return;
        tecla = 0;
        p.Dir1_Abre();
    };
    p.Lis_NroPiezas.onMouseDown = raton([&p](auto... a) { p.Lis_NroPiezas_MouseDown(a...); });
    p.Lis_NroPiezas.onMouseMove = raton([&p](auto... a) { p.Lis_NroPiezas_MouseMove(a...); });
    p.Lis_NroPiezas.onKeyPress = [&p](int& tecla) {
        if (tecla != 13) return;
        tecla = 0;
        p.Lis_NroPiezas_MouseDown(1, 0, 0, 0);
    };
    new plat::TextBoxView(&p.Tex_Spin41, vistas.at(p.Control(41)));
    p.Tex_Spin41.onLostFocus = [&p] { p.Tex_Spin_LostFocus(41); };
    p.Tex_Spin41.onKeyPress = [&p](int& tecla) { p.Tex_Spin_KeyPress(41, tecla); };
    p.Lis_Modelos.onKeyPress = [&p](int& tecla) { p.Lis_Modelos_KeyPress(tecla); };
    p.Lis_Modelos.onMouseMove = [&p](int b, int sh, double x, double y) {
        p.Lis_Modelos_MouseMove(std::int16_t(b), std::int16_t(sh), x, y);
    };
    p.conectaVentana({[this](int l, int t, int w, int h) { setGeometry(l, t, w, h); },
                      [this] { repaint(); },
                      [this] { done(0); }});
}

VentanaPersonal::~VentanaPersonal() {
    p_.conectaVentana({});
    p_.Drive1.onItems = nullptr;
    p_.Drive1.onChanged = nullptr;
    p_.Drive1.onRefresh = nullptr;
    p_.Tex_Spin41.onLostFocus = nullptr;
    p_.Tex_Spin41.onKeyPress = nullptr;
    p_.Lis_Modelos.onKeyPress = nullptr;
    p_.Lis_Modelos.onMouseMove = nullptr;
}

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
