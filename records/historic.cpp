#include "records/historic.h"

#include "core/Controles.h"
#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "core/ui/mensajes.h"
#include "platform/blit.h"
#include "platform/ui/helpviewer.h"
#include "platform/ui/surfaceview.h"
#include "records/VentanaInforme.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

constexpr int kAncho = 620;
constexpr int kLado = ventana_informe::kLadoBoton;
constexpr int kAnchoTecla = 130, kAltoTecla = 26;
constexpr plat::Color kAmarilloOscuro = 0x008080;
constexpr plat::Color kAmarillo = 0x00FFFF;
constexpr int kSonidoTecla = 7, kSonidoPagina = 6, kSonidoBoton = 9;

const char* const kAyudasPagina[5] = {"", "Ir al principio ", " Retroceder una página ", " Avanzar una página ",
                                      " Ir al final "};

} // namespace

int historic::AltoVentana(int juego) {
    switch (juego) {
    case 21: return 498;
    case 22: return 423;
    case 25: return 403;
    default: return 378; // Tangram and pentominoes
    }
}

historic::historic()
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      Form(QStringLiteral("Form"), kAncho, 378),
      Texto(QStringLiteral("Texto"), 398, 500),
      Pic_BotAdeAtr(QStringLiteral("Pic_BotAdeAtr"), hoja_controles::kTiraPaginas.w, hoja_controles::kTiraPaginas.h),
      Pic_BotAyuda(QStringLiteral("Pic_BotAyuda"), kLado, kLado),
      Pic_BotSalir(QStringLiteral("Pic_BotSalir"), kLado, kLado) {
    ventana_informe::Prepara(*this, QStringLiteral("historic"), Form, Texto, Pic_BotAyuda,
                             QString::fromUtf8(" Ayuda sobre el Histórico "), Pic_BotSalir,
                             QString::fromUtf8(" Salir del Histórico "));

    vistaForm_ = new plat::SurfaceView(&Form, this);
    vistaTexto_ = new plat::SurfaceView(&Texto, this);
    vistaTira_ = new plat::SurfaceView(&Pic_BotAdeAtr, this);
    vistaAyuda_ = new plat::SurfaceView(&Pic_BotAyuda, this);
    vistaSalir_ = new plat::SurfaceView(&Pic_BotSalir, this);

    vistaForm_->mouse.onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
    vistaForm_->mouse.onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    vistaTira_->mouse.onMouseMove = [this](int b, int s, double x, double y) { Pic_BotAdeAtr_MouseMove(b, s, x, y); };
    vistaTira_->mouse.onMouseDown = [this](int b, int s, double x, double y) { Pic_BotAdeAtr_MouseDown(b, s, x, y); };
    vistaAyuda_->mouse.onClick = [this] { Pic_BotAyuda_Click(); };
    vistaSalir_->mouse.onClick = [this] { Pic_BotSalir_Click(); };
}

historic::~historic() {
    // The views go before the surfaces they show.
    delete vistaForm_;
    delete vistaTexto_;
    delete vistaTira_;
    delete vistaAyuda_;
    delete vistaSalir_;
}

void historic::Form_Load() {
    // 1. Size and place.
    const int alto = AltoVentana(PuzzGbl.TipoJuego);
    setFixedSize(kAncho, alto);
    const QSize pantalla = TamanoPantalla();
    move((pantalla.width() - kAncho) / 2, (pantalla.height() - alto) / 2);
    Form.move(0, 0, kAncho, alto);
    Form.cls();
    ventana_informe::DibujaBordeElevado(Form, kAncho, alto);

    // 2. The first order, the file.
    TeclaOrden = 1;
    CargaLisOrdenar();

    // 3. The strip and the two buttons.
    const int w = Form.scaleWidth(), h = Form.scaleHeight();
    Pic_BotAdeAtr.move(w / 2 - 53, h - 60);
    const auto& tira = hoja_controles::kTiraPaginas;
    plat::bitBlt(Pic_BotAdeAtr, 0, 0, tira.w, tira.h, mesa.Pic_BmpContr, tira.x, tira.y, plat::rop::kSrcCopy);
    Pic_BotAdeAtr.setToolTip(QString()); // no tooltip until a button is pointed at
    CursorPaginas = 0;
    Pic_BotAdeAtr.setMousePointer(0);
    ventana_informe::PonBotones(Pic_BotAyuda, 20, Pic_BotSalir, w - 68, h - 60);

    // 4. The keys' places, the first record.
    TeclaX = 30;
    TeclaY = {0, 30, 70, 110, 150};
    PosicionLista = 0;

    // 5.
    DibujaTeclas();
    MuestraPuzzleResuelto();

    // 6.
    if (PonPunteroMesa) PonPunteroMesa(0);
}

void historic::CargaLisOrdenar() { CargaHistorico(lista_, TeclaOrden); }

void historic::DibujaTeclas() {
    const plat::Font fuente; // the window's font
    Form.setFont(fuente);
    Form.setFontTransparent(true);
    for (int k = 1; k <= kOrdenes; ++k) {
        const int x = TeclaX, y = TeclaY[std::size_t(k)];
        const auto& cara = k == TeclaOrden ? hoja_controles::kTeclaActual : hoja_controles::kTeclaOtra;
        plat::bitBlt(Form, x, y, kAnchoTecla, kAltoTecla, mesa.Pic_BmpContr, cara.x, cara.y, plat::rop::kSrcCopy);
        Form.setForeColor(kAmarilloOscuro);
        Form.setCurrent(x + 7, y + 5);
        Form.print(TextoOrden(k));
        if (k != TeclaOrden) {
            Form.setForeColor(kAmarillo);
            Form.setCurrent(x + 8, y + 6);
            Form.print(TextoOrden(k));
        }
    }
    Form.refresh();
}

void historic::MuestraPuzzleResuelto() {
    Texto.setVisible(false);
    Texto.setSize(398, 500);
    Texto.cls();
    const auto cuantos = std::int32_t(lista_.Lis_Ordenar.size());
    if (cuantos == 0) {
        pagina_ = InformeVacio(Form.scaleHeight());
    } else {
        PosicionLista = std::clamp<std::int32_t>(PosicionLista, 0, cuantos - 1);
        const std::int32_t r = lista_.Lis_Ordenar[std::size_t(PosicionLista)];
        pagina_ = InformeRegistro(lista_.Historico[std::size_t(r)], PosicionLista);
        ImprimeInforme(Texto, pagina_);
    }
    Texto.move(190, 30, 398, std::max(1, pagina_.alto));
    Texto.setVisible(true);
    Texto.refresh();
}

void historic::Form_MouseMove(int, int, double x, double y) {
    TeclaOrden = 0;
    for (int k = 1; k <= kOrdenes; ++k) {
        if (x >= TeclaX && x <= TeclaX + 129 && y >= TeclaY[std::size_t(k)] && y <= TeclaY[std::size_t(k)] + 25)
            TeclaOrden = std::int16_t(k);
    }
    if (TeclaOrden != 0) {
        if (Form.mousePointer() == 0) PonCursor(Form, 23);
    } else if (Form.mousePointer() != 0) {
        Form.setMousePointer(0);
    }
}

void historic::Form_MouseDown(int, int, double, double) {
    if (Form.mousePointer() == 0 || TeclaOrden < 1 || TeclaOrden > kOrdenes) return;
    Sonido(0, kSonidoTecla);
    CargaLisOrdenar();
    PosicionLista = 0;
    DibujaTeclas();
    MuestraPuzzleResuelto();
}

bool historic::movimientoPosible(int k) const {
    switch (k) {
    case 1:
    case 2: return PosicionLista > 0;
    case 3:
    case 4: return PosicionLista < lista_.UltimoHistorico;
    default: return false;
    }
}

void historic::ponCursorPaginas(int codigo) {
    if (codigo == CursorPaginas) return;
    if (codigo == 0)
        Pic_BotAdeAtr.setMousePointer(0);
    else
        PonCursor(Pic_BotAdeAtr, codigo);
    CursorPaginas = std::int16_t(codigo);
}

void historic::Pic_BotAdeAtr_MouseMove(int, int, double x, double y) {
    tiraX_ = x;
    tiraY_ = y;
    BotonPagina = 0;
    if (y >= 1 && y <= 24) {
        for (int k = 1; k <= 4; ++k) {
            const int x0 = hoja_controles::kBotonPaginaX[k - 1];
            if (x >= x0 && x <= x0 + 23) BotonPagina = std::int16_t(k);
        }
    }
    int deseado = 0;
    if (BotonPagina != 0) {
        Pic_BotAdeAtr.setToolTip(QString::fromUtf8(kAyudasPagina[BotonPagina]));
        deseado = movimientoPosible(BotonPagina) ? 23 : 12;
    } else {
        Pic_BotAdeAtr.setToolTip(QString());
    }
    ponCursorPaginas(deseado);
}

void historic::dibujaBoton(int k, bool pulsado) {
    const int x = hoja_controles::kBotonPaginaX[k - 1];
    const int lado = hoja_controles::kLadoBotonPagina;
    const int sy = pulsado ? hoja_controles::kBotonPaginaPulsadoY : hoja_controles::kBotonPaginaArribaY;
    const auto& tira = hoja_controles::kTiraPaginas;
    plat::bitBlt(Pic_BotAdeAtr, 0, 0, tira.w, tira.h, mesa.Pic_BmpContr, tira.x, tira.y, plat::rop::kSrcCopy);
    plat::bitBlt(Pic_BotAdeAtr, x, 1, lado, lado, mesa.Pic_BmpContr, x, sy, plat::rop::kSrcCopy);
    Pic_BotAdeAtr.refresh();
}

void historic::Pic_BotAdeAtr_MouseDown(int, int, double, double) {
    if (CursorPaginas != 23) return;
    // The hand was set at the last move; a second press without a move may
    // ask for a step the position no longer allows.
    if (BotonPagina < 1 || BotonPagina > 4 || !movimientoPosible(BotonPagina)) {
        ponCursorPaginas(BotonPagina == 0 ? 0 : 12);
        return;
    }
    Sonido(0, kSonidoPagina);
    const int k = BotonPagina;
    dibujaBoton(k, true);
    Retardo(180);
    switch (k) {
    case 1: PosicionLista = 0; break;
    case 2: PosicionLista -= 1; break;
    case 3: PosicionLista += 1; break;
    case 4: PosicionLista = lista_.UltimoHistorico; break;
    default: break;
    }
    PosicionLista = std::clamp<std::int32_t>(PosicionLista, 0, std::max<std::int32_t>(0, lista_.UltimoHistorico));
    MuestraPuzzleResuelto();
    dibujaBoton(k, false);
    Sonido(0, kSonidoPagina);
    // The pointer still rests on the button: it shows at once whether a
    // further step is possible.
    if (BotonPagina != 0) ponCursorPaginas(movimientoPosible(BotonPagina) ? 23 : 12);
}

void historic::Pic_BotAyuda_Click() {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    plat::showHelp(ayuda::kHistorico);
}

void historic::Pic_BotSalir_Click() {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    cerrada_ = true;
    done(QDialog::Accepted);
    if (PonPunteroMesa) PonPunteroMesa(0);
}

void historic::keyPressEvent(QKeyEvent* e) { e->accept(); }

void historic::reject() {}

void MuestraHistorico() {
    auto* ventana = new historic;
    ventana->Form_Load();
    if (!ventana->cerrada()) ventana->exec();
    ventana->hide();
    delete ventana;
}
