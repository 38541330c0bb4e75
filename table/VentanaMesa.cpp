#include "table/VentanaMesa.h"

#include "table/Botonera.h"
#include "table/Opciones.h"
#include "table/PanelGrabadora.h"
#include "table/PanelSugerencias.h"
#include "table/Trabajo.h"

#include "platform/ui/cursors.h"

#include <QCloseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

std::function<bool()> AlCerrarMesa;

namespace {

VentanaMesa* unica = nullptr;

// Shows a scroll bar's values on its widget. A range whose minimum is the
// larger end runs the other way.
void muestraBarra(const BarraDesplazamiento& b, QScrollBar* w) {
    const QSignalBlocker bloqueo(w); // the widget's echo is not a change of the bar
    w->setGeometry(b.Left(), b.Top(), b.Width(), b.Height());
    const bool invertida = b.Min() > b.Max();
    w->setRange(std::min(b.Min(), b.Max()), std::max(b.Min(), b.Max()));
    w->setInvertedAppearance(invertida);
    w->setInvertedControls(invertida);
    w->setPageStep(b.LargeChange());
    w->setSingleStep(b.SmallChange());
    w->setValue(b.Value());
    if (w->isHidden() == b.Visible()) w->setVisible(b.Visible());
}

} // namespace

VentanaMesa* VentanaMesa::instancia() { return unica; }

VentanaMesa::VentanaMesa() {
    setWindowTitle(QStringLiteral("Teselaro"));

    // Stacking: the table first (the bottom), then the panels, the scroll bars
    // and the corner square.
    agregaVista(mesa.Pic_Trabajo);
    // The model preview and the tips panel lie on the table, in table pixels,
    // above the pieces.
    agregaVista(mesa.Pic_Muestra, &mesa.Pic_Trabajo);
    agregaVista(mesa.Pic_Sugerencia, &mesa.Pic_Trabajo);
    agregaVista(mesa.Pic_SugeMasAyuda, &mesa.Pic_Sugerencia);
    agregaVista(mesa.Pic_SugeBotCerrar, &mesa.Pic_Sugerencia);
    agregaVista(mesa.Pic_Botonera);
    agregaVista(mesa.Pic_InfoColo, &mesa.Pic_Botonera); // the counter lies on the command panel
    for (int i = 1; i <= 12; ++i) agregaVista(mesa.Pic_Boton(i), &mesa.Pic_Botonera);
    agregaVista(mesa.Pic_Cronome, &mesa.Pic_Botonera);
    agregaVista(mesa.Pic_CroTime, &mesa.Pic_Cronome); // the time display lies on the switch button
    agregaVista(mesa.Pic_EsconderBot); // the tab stands left of the panel, on the window
    agregaVista(mesa.Pic_Grabadora);   // the recorder panel, above the command panel
    agregaVista(mesa.Pic_SelOpciones); // the option panel, above every panel
    ConectaVistasBotonera(*this);
    ConectaVistasTrabajo(*this);
    ConectaVistasSugerencias(*this);
    ConectaVistasGrabadora(*this);
    ConectaVistasOpciones(*this);

    barraHor_ = new QScrollBar(Qt::Horizontal, this);
    barraVer_ = new QScrollBar(Qt::Vertical, this);
    enlazaBarra(mesa.BarraHor, barraHor_);
    enlazaBarra(mesa.BarraVer, barraVer_);

    agregaVista(mesa.Pic_Cuadrito);
}

VentanaMesa::~VentanaMesa() {
    mesa.BarraHor.onVista = nullptr;
    mesa.BarraVer.onVista = nullptr;
    // The views detach from their surfaces as Qt destroys them.
}

plat::SurfaceView* VentanaMesa::vista(const plat::Surface& s) const {
    for (const auto& v : vistas_)
        if (v.superficie == &s) return v.vista;
    return nullptr;
}

plat::SurfaceView* VentanaMesa::agregaVista(plat::Surface& s, const plat::Surface* dentro) {
    if (auto* existente = vista(s)) return existente;
    QWidget* padre = this;
    if (dentro) {
        if (auto* contenedor = vista(*dentro)) padre = contenedor;
    }
    auto* v = new plat::SurfaceView(&s, padre);
    vistas_.push_back({&s, v});
    // The view follows the surface; the window's own pointer comes after it.
    if (auto propio = s.onChanged) {
        s.onChanged = [this, propio, &s, v] {
            propio();
            aplicaPuntero(s, v);
        };
    }
    aplicaPuntero(s, v);
    v->raise();
    if (auto* tabla = vista(mesa.Pic_Trabajo); tabla && tabla != v) tabla->lower();
    return v;
}

void VentanaMesa::enlazaBarra(BarraDesplazamiento& barra, QScrollBar* widget) {
    widget->setTracking(true);
    barra.onVista = [&barra, widget] { muestraBarra(barra, widget); };
    connect(widget, &QScrollBar::valueChanged, this, [&barra](int v) { barra.setValue(v); });
    muestraBarra(barra, widget);
}

void VentanaMesa::conecta() {
    EnlaceVentanaMesa e;
    e.mover = [this](int left, int top, int width, int height) { setGeometry(left, top, width, height); };
    e.mostrar = [this] { show(); };
    e.ponPuntero = [this](int) { aplicaPunteroVentana(); };
    e.refrescar = [this] { repintaTodo(); };
    e.descargar = [this] {
        descargando_ = true;
        close();
        descargando_ = false;
    };
    e.manejador = [this]() -> void* { return static_cast<QWidget*>(this); };
    mesa.conectaVentana(std::move(e));

    // What the table was given before the window came.
    if (mesa.Width() > 0 || mesa.Height() > 0) setGeometry(mesa.Left(), mesa.Top(), mesa.Width(), mesa.Height());
    aplicaPunteroVentana();
    if (mesa.Visible()) show();
}

void VentanaMesa::aplicaPunteroVentana() {
    setCursor(plat::cursorFor(mesa.MousePointer()));
    for (const auto& v : vistas_) aplicaPuntero(*v.superficie, v.vista);
}

void VentanaMesa::aplicaPuntero(const plat::Surface& s, plat::SurfaceView* v) {
    const int ventana = mesa.MousePointer();
    if (ventana != 0 && s.mousePointer() == 0)
        v->setCursor(plat::cursorFor(ventana));
    else
        v->setCursor(plat::cursorFor(s.mousePointer(), s.customCursor()));
}

void VentanaMesa::repintaTodo() {
    // Repainting the window alone does not reach its children at once, so
    // every control shown is repainted in turn.
    if (!isVisible()) return;
    repaint();
    for (QWidget* w : findChildren<QWidget*>())
        if (w->isVisible()) w->repaint();
}

void VentanaMesa::closeEvent(QCloseEvent* e) {
    if (!descargando_) {
        if (AlCerrarMesa) {
            const auto pregunta = AlCerrarMesa; // the hook may replace itself
            if (!pregunta()) {
                e->ignore();
                return;
            }
        }
        // The hook may have unloaded the table itself; otherwise this close does.
        mesa.ventanaCerrada();
    }
    e->accept();
}

VentanaMesa* InstalaMesa() {
    if (!unica) unica = new VentanaMesa;
    if (!mesa.tieneVentana()) unica->conecta();
    return unica;
}

void DesinstalaMesa() {
    if (!unica) return;
    mesa.desconectaVentana();
    delete unica;
    unica = nullptr;
}

void RegistraVentanaMesa() {
    mesa.ponCreadorVentana([] { InstalaMesa(); });
}
