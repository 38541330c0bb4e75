#include "table/mesa.h"


#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "platform/blit.h"
#include "platform/errors.h"

#include <QImage>

#include <algorithm>
#include <limits>

Mesa mesa;

namespace {
ProcedimientosPanel& procedimientos() {
    static ProcedimientosPanel p;
    return p;
}
} // namespace

void RegistraProcedimientosPanel(ProcedimientosPanel p) { procedimientos() = std::move(p); }

// ------------------------------------------------------------------ scroll bar

void BarraDesplazamiento::notifyVista() {
    if (onVista) onVista();
}

void BarraDesplazamiento::applyValue(int v) {
    const int lo = std::min(min_, max_), hi = std::max(min_, max_);
    const auto next = std::int16_t(std::clamp(v, lo, hi));
    const bool changed = next != value_;
    value_ = next;
    notifyVista();
    if (changed && onChange) {
        const auto handler = onChange; // the handler may replace itself
        handler();
    }
}

void BarraDesplazamiento::Move(std::int16_t left, std::int16_t top, std::int16_t width,
                               std::int16_t height) {
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    notifyVista();
}

void BarraDesplazamiento::setValue(int v) { applyValue(v); }

void BarraDesplazamiento::setMin(std::int16_t v) {
    min_ = v;
    applyValue(value_);
}

void BarraDesplazamiento::setMax(std::int16_t v) {
    max_ = v;
    applyValue(value_);
}

void BarraDesplazamiento::setLargeChange(std::int16_t v) {
    largeChange_ = v < 1 ? 1 : v;
    notifyVista();
}

void BarraDesplazamiento::setSmallChange(std::int16_t v) {
    smallChange_ = v < 1 ? 1 : v;
    notifyVista();
}

void BarraDesplazamiento::setVisible(bool v) {
    visible_ = v;
    notifyVista();
}

void BarraDesplazamiento::reset() {
    left_ = top_ = width_ = height_ = 0;
    min_ = 0;
    max_ = 32767;
    largeChange_ = smallChange_ = 1;
    visible_ = false;
    applyValue(0);
}

// ----------------------------------------------------------------- sorted list

void ListaOrdenada::Clear() {
    items_.clear();
    newIndex_ = -1;
}

void ListaOrdenada::AddItem(const QString& texto) {
    if (items_.size() >= std::size_t(std::numeric_limits<std::int16_t>::max()))
        throw plat::RuntimeError(plat::err::kOutOfMemory);
    // After every item that does not sort after the new one: equal texts keep
    // the order they came in.
    const auto pos = std::upper_bound(items_.begin(), items_.end(), texto,
                                      [](const QString& t, const Item& it) {
                                          return QString::compare(t, it.texto, Qt::CaseInsensitive) < 0;
                                      });
    newIndex_ = std::int16_t(pos - items_.begin());
    items_.insert(pos, Item{texto, 0});
}

const ListaOrdenada::Item& ListaOrdenada::at(int i) const {
    if (i < 0 || std::size_t(i) >= items_.size())
        throw plat::RuntimeError(kIndiceNoValido, QStringLiteral("Invalid property array index"));
    return items_[std::size_t(i)];
}

QString ListaOrdenada::List(int i) const { return at(i).texto; }

std::int32_t ListaOrdenada::ItemData(int i) const { return at(i).dato; }

void ListaOrdenada::setItemData(int i, std::int32_t valor) {
    at(i); // checks the index
    items_[std::size_t(i)].dato = valor;
}

// ----------------------------------------------------------------------- table

namespace {

struct Inicio {
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = false;
    plat::Color back = plat::kWhite;
    plat::Color fore = plat::kBlack;
    plat::Color fill = plat::kBlack;
    plat::FillStyle fillStyle = plat::FillStyle::Transparent;
};

// Every property a program may have changed goes back to its start value; the
// view hooks stay.
void ponInicio(plat::Surface& s, const Inicio& i) {
    s.selectClipRegion(nullptr);
    s.setBorder(0);
    s.move(i.left, i.top, i.width, i.height);
    s.setMousePointer(0);
    s.setCustomCursor(QString());
    s.setToolTip(QString());
    s.setFont(plat::Font{});
    s.setFontTransparent(true);
    s.setTextAntialias(true);
    s.setDrawMode(plat::drawmode::kCopyPen);
    s.setDrawWidth(1);
    s.setForeColor(i.fore);
    s.setFillColor(i.fill);
    s.setFillStyle(i.fillStyle);
    s.clearPicture();
    s.setBackColor(i.back); // clears; the current point goes to (0, 0)
    s.setVisible(i.visible);
}

constexpr auto kSolid = plat::FillStyle::Solid;

// The command panel's place and size against the right edge of the table.
constexpr int kAnchoBotonera = 141;
constexpr int kAltoBotonera = 431;

} // namespace

Mesa::Mesa() {
    for (int i = 0; i <= 12; ++i)
        botones_.push_back(std::make_unique<plat::Surface>(QStringLiteral("Pic_Boton(%1)").arg(i)));
    BarraHor.onChange = [this] { BarraHor_Change(); };
    BarraVer.onChange = [this] { BarraVer_Change(); };
    estadoInicial();
}

std::vector<plat::Surface*> Mesa::superficies() {
    return {&Pic_Trabajo,   &Pic_Imagen,     &Pic_Fondo,        &Pic_Bitmap,      &Pic_FonTamReal,
            &Pic_FonTamModi, &Pic_PiezaMascara, &Pic_PiezaImagen, &Pic_PiezaFinal, &Pic_PiezaColor,
            &Pic_Temporal,  &Pic_BmpVario,   &Pic_BmpTaipei,    &Pic_BmpBoton,    &Pic_BmpContr,
            &Pic_BmpGraba,
            &Pic_Muestra,   &Pic_Grabadora,  &Pic_Botonera,     &Pic_Sugerencia,  &Pic_InfoColo,
            &Pic_Cuadrito,  &Pic_SelOpciones};
}

plat::Surface& Mesa::Pic_Boton(int indice) {
    if (indice < 1 || indice > 12)
        throw plat::RuntimeError(340, QStringLiteral("Control array element does not exist"));
    return *botones_[std::size_t(indice)];
}

void Mesa::estadoInicial() {
    ponInicio(Pic_Trabajo, {.visible = true});
    ponInicio(Pic_Imagen, {.fillStyle = kSolid});
    ponInicio(Pic_Fondo, {});
    ponInicio(Pic_Bitmap, {});
    ponInicio(Pic_FonTamReal, {});
    ponInicio(Pic_FonTamModi, {.fillStyle = kSolid});
    ponInicio(Pic_PiezaMascara, {.fillStyle = kSolid});
    ponInicio(Pic_PiezaImagen, {});
    ponInicio(Pic_PiezaFinal, {});
    ponInicio(Pic_PiezaColor, {});
    ponInicio(Pic_Temporal, {.fillStyle = kSolid});

    ponInicio(Pic_BmpVario, {.width = kAnchoBmpVario, .height = kAltoBmpVario});
    ponInicio(Pic_BmpTaipei, {.width = kAnchoBmpTaipei, .height = kAltoBmpTaipei});
    ponInicio(Pic_BmpBoton, {.width = kAnchoBmpBoton, .height = kAltoBmpBoton});
    ponInicio(Pic_BmpContr, {.width = kAnchoBmpContr, .height = kAltoBmpContr});
    ponInicio(Pic_BmpGraba, {.width = kAnchoBmpGraba, .height = kAltoBmpGraba});

    // The panels until their own drawing places them.
    ponInicio(Pic_Muestra, {});
    // Hidden until the recorder panel's own drawing shows it.
    ponInicio(Pic_Grabadora, {.width = 166, .height = 223});
    ponInicio(Pic_Botonera, {.width = kAnchoBotonera, .height = kAltoBotonera, .visible = true});
    ponInicio(Pic_Sugerencia, {.width = 423, .height = 64});
    ponInicio(Pic_InfoColo, {.left = 73, .width = 58, .height = 25, .visible = true});
    ponInicio(Pic_Cuadrito, {.width = 16, .height = 16});
    // Hidden until a right click on the empty table opens it (its drawing
    // gives it its grey).
    ponInicio(Pic_SelOpciones, {.width = 150, .height = 58});
    for (int i = 1; i <= 12; ++i) ponInicio(*botones_[std::size_t(i)], {.width = 48, .height = 48, .visible = true});
    ponInicio(Pic_Cronome, {.left = 10, .width = 58, .height = 43, .visible = true});
    ponInicio(Pic_CroTime, {.left = 3, .top = 20, .width = 52, .height = 20, .visible = true});
    ponInicio(Pic_EsconderBot, {.width = 9, .height = 33, .visible = true});
    ponInicio(Pic_SugeMasAyuda, {.width = 55, .height = 19, .visible = true});
    ponInicio(Pic_SugeBotCerrar, {.width = 19, .height = 19, .visible = true});

    BarraHor.reset();
    BarraHor.setHeight(16);
    BarraVer.reset();
    BarraVer.setWidth(16);
    Lis_Ordenar.Clear();
}

void Mesa::cargaLaminas() {
    const struct {
        plat::Surface* superficie;
        const char* recurso;
    } laminas[] = {
        {&Pic_BmpBoton, ":/sheets/BmpBoton.png"},
        {&Pic_BmpContr, ":/sheets/BmpContr.png"},
        {&Pic_BmpVario, ":/sheets/BmpVario.png"},
        {&Pic_BmpTaipei, ":/sheets/BmpTaipei.png"},
        {&Pic_BmpGraba, ":/sheets/BmpGraba.png"},
    };
    for (const auto& l : laminas) {
        const QImage img(QString::fromLatin1(l.recurso));
        // A sheet the program does not carry stays blank; the size is fixed
        // either way, because every reader copies from fixed cells.
        if (!img.isNull()) l.superficie->setPicture(img);
    }
}

void Mesa::Load() {
    if (!conectada_ && creador_) {
        const auto creador = creador_;
        creador(); // attaches the window
    }
    if (loaded_) return;
    if (reiniciar_) estadoInicial();
    reiniciar_ = false;
    cargaLaminas();
    loaded_ = true;
    if (const auto alCargar = procedimientos().formLoad) alCargar();
}

void Mesa::Move(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    if (enlace_.mover) enlace_.mover(left_, top_, width_, height_);
}

void Mesa::Show() {
    visible_ = true;
    if (enlace_.mostrar) enlace_.mostrar();
}

void Mesa::setMousePointer(int codigo) {
    mousePointer_ = codigo;
    if (enlace_.ponPuntero) enlace_.ponPuntero(codigo);
}

void Mesa::Refresh() {
    if (enlace_.refrescar) enlace_.refrescar();
}

void Mesa::Unload() {
    const auto descargar = enlace_.descargar;
    ventanaCerrada();
    if (descargar) descargar();
}

void Mesa::ventanaCerrada() {
    visible_ = false;
    if (loaded_) reiniciar_ = true;
    loaded_ = false;
}

void* Mesa::hWnd() const { return enlace_.manejador ? enlace_.manejador() : nullptr; }

void Mesa::conectaVentana(EnlaceVentanaMesa enlace) {
    enlace_ = std::move(enlace);
    conectada_ = true;
}

void Mesa::desconectaVentana() {
    enlace_ = EnlaceVentanaMesa{};
    conectada_ = false;
}

void Mesa::Pic_Trabajo_Paint() {
    plat::bitBlt(Pic_Trabajo, 0, 0, Pic_Trabajo.scaleWidth(), Pic_Trabajo.scaleHeight(), Pic_Imagen, 0, 0,
                 plat::rop::kSrcCopy);
    ++pinturas_;
    Pic_Trabajo.refresh();
}

void Mesa::Pic_Boton_MouseDown(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x,
                               double y) {
    // Every call is noted; the command panel, once registered, runs it.
    ++llamadasBoton_;
    ultimaLlamada_ = LlamadaBoton{indice, boton, shift, x, y};
    if (const auto ejecuta = procedimientos().botonMouseDown) ejecuta(indice, boton, shift, x, y);
}

void Mesa::BarraHor_Change() {
    Pic_Trabajo.move(-BarraHor.Value(), Pic_Trabajo.top());
    // The tips panel lies on the table: its tip is shown again where the
    // visible part of the table now is.
    if (PuzzGbl.MostrarSugerencias) MuestraSugerencia(PuzzGbl.NroSugerencia);
    if (Pic_Grabadora.visible()) DibujaGrabadora();
}

void Mesa::BarraVer_Change() {
    Pic_Trabajo.move(Pic_Trabajo.left(), -BarraVer.Value());
    if (PuzzGbl.MostrarSugerencias) MuestraSugerencia(PuzzGbl.NroSugerencia);
    if (Pic_Grabadora.visible()) DibujaGrabadora();
}

void Mesa::reset() {
    estadoInicial();
    loaded_ = false;
    reiniciar_ = false;
    left_ = top_ = width_ = height_ = 0;
    visible_ = false;
    mousePointer_ = 0;
    llamadasBoton_ = 0;
    ultimaLlamada_ = LlamadaBoton{};
}

// ------------------------------------------------ procedures of the table panels

void MarchaCronometro(std::int16_t modo) {
    // The switch is drawn by the chronometer, once it is registered.
    PuzzGbl.CronometroEnMarcha = (modo == 1);
    if (const auto dibuja = procedimientos().marchaCronometro) dibuja(modo);
}

void DibujaBotonera() {
    // Without the command panel registered only the panel's place is set.
    if (const auto dibuja = procedimientos().dibujaBotonera) {
        dibuja();
        return;
    }
    mesa.Pic_Botonera.cls();
    mesa.Pic_Botonera.move(PuzzGbl.AnchoMesa - kAnchoBotonera, 0, kAnchoBotonera, kAltoBotonera);
}

namespace {
std::function<void()>& dibujoGrabadora() {
    static std::function<void()> f;
    return f;
}
} // namespace

void RegistraDibujoGrabadora(std::function<void()> dibuja) { dibujoGrabadora() = std::move(dibuja); }

void DibujaGrabadora() {
    if (const auto dibuja = dibujoGrabadora()) {
        dibuja();
        return;
    }
    // Model code run without the table's panels: nothing to draw the panel
    // with, so its surface stays out of sight.
    mesa.Pic_Grabadora.setVisible(false);
}

