#include "personalise/personal.h"

#include "core/Configuracion.h"
#include "core/Controles.h"
#include "core/Pasos.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosPersonal.h"
#include "core/Tablas.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "model/EleccionModelo.h"
#include "model/EstadoServicios.h"
#include "model/Geometria.h"
#include "model/Juego.h"
#include "model/Modelos.h"
#include "model/Partida.h"
#include "platform/blit.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/ui/helpviewer.h"

#include <QFile>

#include <cmath>

using pasos::Paso;

namespace {

constexpr plat::Color kBlanco = 0xFFFFFF, kGris = 0x808080, kGrisClaro = 0xC0C0C0, kGrisPalido = 0xE0E0E0;

std::unique_ptr<Personal> g_ventana;

QString NombreJuego(std::int16_t juego) {
    switch (juego) {
    case 23: return QStringLiteral("Tangram");
    case 24: return QString::fromUtf8("Pentominós");
    case 25: return QStringLiteral("Taipei");
    default: return QString();
    }
}

void Coloca(plat::Surface& s, int x, int y, int w, int h) { s.move(x, y, w, h); }
void Coloca(plat::ListBox& l, int x, int y, int w, int h) { l.move(x, y, w, h); }

// The model of the game in force read again (the model list's choice undone).
void RecargaModelo() {
    auto& g = PuzzGbl;
    switch (g.TipoJuego) {
    case 23: Paso([] { TAN_LeeModelo(); }); break;
    case 24: Paso([&] { PEN_LeeModelo(g.NroModelo); }); break;
    case 25: Paso([&] { TAI_CargaModelo(g.NroModelo); }); break;
    default: break;
    }
}

} // namespace

std::function<std::optional<QSize>()> Personal::TamanoPortapapeles = []() -> std::optional<QSize> {
    if (!plat::clipboardHasPicture()) return std::nullopt;
    const QImage img = plat::clipboardPicture();
    if (img.isNull()) return std::nullopt;
    return img.size();
};

// ---------------------------------------------------------------- drawing helpers

void DibujaMarcoTitulo(plat::Surface& s, QString& titulo) {
    const int w = s.scaleWidth(), h = s.scaleHeight();
    s.setBackColor(kGrisClaro);
    s.setFillStyle(plat::FillStyle::Transparent);
    s.box(0, 7, w - 2, h - 2, kBlanco);
    s.box(1, 8, w - 1, h - 1, kGris);
    titulo = QStringLiteral(" ") + titulo.trimmed() + QStringLiteral("  ");
    const int x = int(std::floor((w - s.textWidth(titulo)) / 2.0));
    ImprimeTextoRelieve(s, std::int16_t(x), 0, titulo, false);
}

void DibujaPaleta(plat::Surface& s) {
    static constexpr int kNiveles[6] = {255, 204, 153, 102, 51, 0};
    for (int b = 0; b < 6; ++b)
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) {
                const plat::Color color = plat::Color(kNiveles[c]) | (plat::Color(kNiveles[r]) << 8) |
                                          (plat::Color(kNiveles[b]) << 16);
                const int x = 30 * b + 5 * c, y = 5 * r;
                s.filledBox(x, y, x + 4, y + 4, color);
            }
}

bool TamanoPortapapelesValido(int ancho, int alto) {
    return !(ancho < 33 || ancho > 20480 || alto < 25 || alto > 15360);
}

// ---------------------------------------------------------------- the window

Personal::Personal() {
    for (int i : NumerosControles()) {
        controles_[std::size_t(i)] = std::make_unique<plat::Surface>(QStringLiteral("control %1").arg(i));
        controles_[std::size_t(i)]->setFont(FuenteControles());
    }
    for (int i = 0; i < 8; ++i) tipPuz_[std::size_t(i)] = std::make_unique<plat::Surface>(
                                    QStringLiteral("Pic_TipPuz %1").arg(i), 29, 29);
    auto en = [this](plat::Surface& s, plat::Surface* padre) { superficies_.emplace_back(&s, padre); };
    en(Pic_JuegoActual, nullptr);
    en(Pic_TexJuegoActual, nullptr);
    for (int k = 21; k <= 25; ++k) en(*Control(k), &Pic_JuegoActual);
    en(Pic_ImagenPuzz, nullptr);
    en(Pic_MostrarImagen, &Pic_ImagenPuzz);
    en(Pic_InfoMatriz, &Pic_ImagenPuzz);
    en(*Control(31), &Pic_ImagenPuzz);
    en(Pic_ZoomImagen, nullptr);
    en(*Control(41), &Pic_ZoomImagen);
    en(Pic_InfoTamBmp, &Pic_ZoomImagen);
    en(Pic_TamRelIma, &Pic_ZoomImagen);
    en(Pic_TiposPuz, nullptr);
    en(Pic_TipPuzSel, &Pic_TiposPuz);
    en(Rec_MarcaTip, &Pic_TipPuzSel);
    for (int i = 0; i < 8; ++i) en(*tipPuz_[std::size_t(i)], &Pic_TipPuzSel);
    en(Pic_NroPiezas, nullptr);
    en(Pic_Colorfon, nullptr);
    en(Pic_ColFonSel, &Pic_Colorfon);
    en(Pic_ColFonMue, &Pic_Colorfon);
    en(Pic_Colorpza, nullptr);
    en(Pic_ColPzaSel, &Pic_Colorpza);
    en(Pic_ColPzaMue, &Pic_Colorpza);
    en(Pic_FactorPegado, nullptr);
    en(*Control(52), &Pic_FactorPegado);
    en(Pic_Prueba, &Pic_FactorPegado);
    en(Pic_PruebaPeq, &Pic_Prueba);
    en(*Control(32), &Pic_Prueba);
    for (int i : {1, 2, 5, 6, 11, 12, 13, 14, 15, 16, 51}) en(*Control(i), nullptr);
    en(Pic_BotAyuda, nullptr);
    en(Pic_BotSalir, nullptr);
    listas_ = {{&Drive1, &Pic_ImagenPuzz},
               {&Dir1, &Pic_ImagenPuzz},
               {&File1, &Pic_ImagenPuzz},
               {&Lis_Modelos, &Pic_ImagenPuzz},
               {&Lis_NroPiezas, &Pic_NroPiezas}};

    // Every group starts hidden: the layout shows a game's own.
    for (auto& [s, padre] : superficies_)
        if (padre == nullptr) s->setVisible(false);
    for (auto& [l, padre] : listas_) l->setVisible(false);
    Pic_JuegoActual.setVisible(true);
    Pic_TexJuegoActual.setVisible(true);
    Pic_BotAyuda.setVisible(true);
    Pic_BotSalir.setVisible(true);
    Pic_W.setVisible(false);
    Form.setBackColor(kGrisClaro);
    Pic_TexJuegoActual.setBackColor(kGrisClaro);
    Pic_PruebaPeq.setBackColor(kGrisClaro);
    Pic_Prueba.setBackColor(kGrisClaro);
    Rec_MarcaTip.setBackColor(0x000000);

    File1.onClick = [this] { File1_Click(); };
    Drive1.onClick = [this] { Drive1_Change(); };
    Lis_Modelos.onClick = [this] { Lis_Modelos_Click(); };
}

Personal::~Personal() {
    if (!descargada_) RegistraVentanaSpin({});
}

const std::vector<int>& Personal::NumerosControles() {
    static const std::vector<int> n = {1, 2, 5, 6, 11, 12, 13, 14, 15, 16, 21, 22, 23, 24, 25, 31, 32, 41, 51, 52};
    return n;
}

plat::Surface* Personal::Control(int indice) {
    if (indice < 0 || std::size_t(indice) >= controles_.size()) return nullptr;
    return controles_[std::size_t(indice)].get();
}

int Personal::AltoVentana(std::int16_t juego) {
    switch (juego) {
    case 22: return 525;
    case 23:
    case 24: return 555;
    case 25: return 520;
    default: return 570;
    }
}

QString Personal::RutaInstantanea() {
    return plat::findFileCaseInsensitive(PuzzGbl.RutaArchivo, QStringLiteral("Tesel34.CSE"));
}

void Personal::Refresh() {
    if (enlace_.refrescar) enlace_.refrescar();
}

void Personal::Unload() {
    if (descargada_) return;
    descargada_ = true;
    RegistraVentanaSpin({});
    if (enlace_.descargar) enlace_.descargar();
}

// ---------------------------------------------------------------- opening

void Personal::Form_Load() {
    auto& g = PuzzGbl;
    const int alto = AltoVentana(g.TipoJuego);
    Form.setSize(kAncho, alto);
    left_ = (g.AnchoMesa - kAncho) / 2;
    top_ = (g.AltoMesa - alto) / 2;
    if (enlace_.mover) enlace_.mover(left_, top_, kAncho, alto);
    ayudaMostrarImagen_ = (g.TipoJuego == 21 || g.TipoJuego == 22) ? ayuda::kImagenFueraDeLimites : ayuda::kModelos;

    // The snapshot: the picture after zoom, the settings and the whole
    // puzzle in memory (what the exit restores), and the file beside it.
    const plat::Surface& modi = mesa.Pic_FonTamModi;
    Pic_FonTamModiMem = modi.hasPicture() ? modi.picture() : modi.image();
    Inicial = AjustesActuales();
    UnidadImagenInicial = g.UnidadImagen;
    CarpetaImagenInicial = g.CarpetaImagen;
    SeleccionValidaInicial = g.SeleccionValida;
    Paso([this] { EstadoInicial = EstadoActual(); });
    Paso([] { GuardaPuzzleArchivo(RutaInstantanea()); });

    RegistraVentanaSpin({[this](int i) { return i == 41 ? Control(41) : nullptr; },
                         [this](int i) { return Tex_Spin(i); }, [this] { Refresh(); }});

    IniciandoVentana = true;
    ColocaControles();
    IniciandoVentana = false;

    const int w = ScaleWidth(), h = ScaleHeight();
    Pic_BotAyuda.move(w - 126, h - 68, 48, 48);
    Paso([this] { plat::bitBlt(Pic_BotAyuda, 0, 0, 48, 48, mesa.Pic_BmpBoton, 294, 49, plat::rop::kSrcCopy); });
    PonCursor(Pic_BotAyuda, 23);
    Pic_BotAyuda.setToolTip(QStringLiteral(" Ayuda "));
    Pic_BotSalir.move(w - 68, h - 68, 48, 48);
    Paso([this] { plat::bitBlt(Pic_BotSalir, 0, 0, 48, 48, mesa.Pic_BmpBoton, 343, 49, plat::rop::kSrcCopy); });
    PonCursor(Pic_BotSalir, 23);
    Pic_BotSalir.setToolTip(QStringLiteral(" Salir "));
    mesa.setMousePointer(0);
}

// ---------------------------------------------------------------- leaving

bool Personal::preguntaSalida(PreguntaSalida p) {
    auto& g = PuzzGbl;
    g.RespuestaMensaje = true;
    if (p == PreguntaSalida::Parametros) {
        Mensaje(QString::fromUtf8("Parámetros del puzzle"),
                QString::fromUtf8("Ha modificado algún parámetro que afecta a la resolución del puzzle actual,  por  lo "
                                  "que se dará por finalizado  barajándose  las piezas. Pulse  el  botón  Aceptar  si  "
                                  "desea comenzar nuevamente el puzzle. Pulse el botón Cancelar para continuar "
                                  "resolviendo  el puzzle actual sin modificar ningún parámetro."),
                7, 2);
    } else {
        Mensaje(QStringLiteral("Nuevo modelo de ") + NombreJuego(g.TipoJuego),
                QString::fromUtf8("Ha cambiado el modelo del puzzle, por lo que finalizará la resolución  del  modelo "
                                  "actual  y  se  barajarán las piezas.  Pulse el botón Aceptar para comenzar  el  "
                                  "nuevo modelo.  Si pulsa el botón Cancelar no modificará ningún parámetro  y  podrá "
                                  "continuar resolviendo el puzzle actual."),
                7, 2, ayuda::kModelos);
    }
    Refresh();
    return g.RespuestaMensaje;
}

void Personal::Pic_BotSalir_Click() {
    auto& g = PuzzGbl;
    if (descargada_) return;
    bool forzado = !SeleccionValidaInicial;
    if (!g.SeleccionValida) {
        if (g.TipoJuego == 21 || (g.TipoJuego == 22 && g.TipoRotulo == 1)) {
            // The first picture of the list, handled as the player's click.
            if (File1.ListIndex() < 0 && File1.ListCount() > 0) Paso([this] { File1.setListIndex(0); });
            else if (File1.ListIndex() >= 0) Paso([this] { File1_Click(); });
            if (!g.SeleccionValida) return; // nothing usable: the window stays
            if (g.FicheroImagen != Inicial.FicheroImagen || g.ArchivoImagen != Inicial.ArchivoImagen) forzado = true;
        } else if (g.TipoJuego == 22) {
            // Numbers or letters need no picture: the opening's picture stays.
            g.UnidadImagen = UnidadImagenInicial;
            g.CarpetaImagen = CarpetaImagenInicial;
            g.FicheroImagen = Inicial.FicheroImagen;
            g.ArchivoImagen = Inicial.ArchivoImagen;
            g.SeleccionValida = true;
        } else {
            // A model that cannot be played counts as the model change
            // cancelled: the opening's model is read again.
            g.NroModelo = Inicial.NroModelo;
            RecargaModelo();
            g.SeleccionValida = true;
        }
    }

    mesa.setMousePointer(11);
    Sonido(0, 9);
    const DecisionSalida d = DecideSalida(Inicial, AjustesActuales(), g.TipoJuego, forzado,
                                          [this](PreguntaSalida p) { return preguntaSalida(p); });
    g.ReiniciarPuzzle = d.ReiniciarPuzzle;
    g.CambioCosmetico = d.CambioCosmetico;
    if (d.guardaPortapapeles) Paso([this] { guardaImagenPortapapeles(); });
    if (d.restaura) Paso([this] { restauraInstantanea(); });
    if (d.quitaHistorico) g.PasaAlHistorico = false;
    if (d.calculaDificultad) Paso([] { CalculaDificultad(); });
    if (g.TipoJuego != 21) g.ZoomImagen = 100;
    if (!g.MostrarSugerencias) mesa.Pic_Sugerencia.setVisible(false);
    Paso([] {
        const QString ruta = RutaInstantanea();
        if (QFile::exists(ruta)) plat::removeFile(ruta);
    });
    Unload();
    mesa.setMousePointer(0);
}

void Personal::restauraInstantanea() {
    auto& g = PuzzGbl;
    const std::int32_t fondo = g.ColorFondo, pieza = g.ColorPieza, lineas = g.ColorLineas;
    const bool borde = g.DibujarBorde, atraccion = g.AtraccionPiezas, unColor = g.PiezasUnColor;
    const std::int16_t factor = g.FactorAtraccion, material = g.MaterialPiezas;

    EstadoPartida e = EstadoInicial;
    const QString motivo = ValidaEstadoPartida(e, ContextoActual(g.TipoJuego));
    if (motivo.isEmpty()) {
        // The opening's picture from memory: no file is read again, so a
        // picture deleted meanwhile changes nothing.
        AplicaEstadoPartida(e, &Pic_FonTamModiMem);
    } else {
        Sonido(0, 11);
        Mensaje(QStringLiteral("Recuperar el puzzle"),
                QString::fromUtf8("No se ha podido recuperar el puzzle tal como estaba al abrir esta ventana. Se "
                                  "barajarán las piezas de un puzzle nuevo."),
                3, 1);
        g.LeyendoInstantanea = true;
        Paso([&] { AplicaEstadoPartida(e, &Pic_FonTamModiMem); });
        g.LeyendoInstantanea = false;
        g.ReiniciarPuzzle = true;
    }
    g.ColorFondo = fondo;
    g.ColorPieza = pieza;
    g.ColorLineas = lineas;
    CalculaColoresDerivados();
    g.DibujarBorde = borde;
    g.AtraccionPiezas = atraccion;
    g.FactorAtraccion = factor;
    g.PiezasUnColor = unColor;
    g.MaterialPiezas = material;
    CalculaGeometriaPuzzle();
}

void Personal::guardaImagenPortapapeles() {
    auto& g = PuzzGbl;
    const plat::Surface& real = mesa.Pic_FonTamReal;
    const QImage imagen = real.hasPicture() ? real.picture() : real.image();
    try {
        plat::savePictureBmp(imagen, g.FicheroImagen);
    } catch (const plat::RuntimeError&) {
        Mensaje(QStringLiteral("Imagen del Portapapeles"),
                QString::fromUtf8("No se ha podido guardar la imagen pegada en ") + g.FicheroImagen +
                    QString::fromUtf8(". El puzzle se jugará con ella, pero no podrá volver a cargarse."),
                2, 1);
    }
}

void Personal::Pic_BotAyuda_Click() {
    Sonido(0, 9);
    plat::showHelp(ayuda::kPersonalizar);
}

void Personal::TAN_ActSegunModo() {
    auto& g = PuzzGbl;
    if (g.TAN_ModoJuego != 1) {
        Lis_Modelos.setEnabled(true);
        // The player's switch to solving takes the first figure when the
        // current one is not listed; the window's opening chooses none.
        const int i = IndiceListaGuardado >= 0 || !CambiandoModoTangram ? IndiceListaGuardado : 0;
        if (i >= 0 && i < Lis_Modelos.ListCount()) Paso([this, i] { Lis_Modelos.setListIndex(i); });
        Pic_MostrarImagen.setMousePointer(0);
        Pic_FactorPegado.setVisible(true);
    } else {
        Lis_Modelos.setListIndex(-1);
        Lis_Modelos.setEnabled(false);
        Pic_MostrarImagen.cls();
        Pic_FactorPegado.setVisible(false);
    }
}

// ---------------------------------------------------------------- layout

void Personal::ColocaControles() {
    auto& g = PuzzGbl;
    const std::int16_t juego = g.TipoJuego;
    const int w = ScaleWidth(), h = ScaleHeight();

    // 1. The window's raised border.
    Paso([&] {
        Form.cls();
        Form.setDrawWidth(2);
        Form.line(1, 1, w - 1, 1, kBlanco);
        Form.line(1, 0, 1, h - 1, kBlanco);
        Form.line(w - 1, h - 1, w - 1, 1, kGris);
        Form.line(w - 1, h - 1, 1, h - 1, kGris);
        Form.setDrawWidth(1);
    });
    // 2-4. The current-game bar, sunken, with its caption and the switches.
    Paso([&] {
        Coloca(Pic_JuegoActual, 18, 16, 647, 46);
        Pic_JuegoActual.setBackColor(kGrisClaro);
        const int l = Pic_JuegoActual.left(), t = Pic_JuegoActual.top();
        const int aw = Pic_JuegoActual.width(), ah = Pic_JuegoActual.height();
        Form.line(l - 1, t - 1, l - 1 + aw + 3, t - 1, kGris);
        Form.line(l - 1, t - 1, l - 1, t - 1 + ah + 3, kGris);
        Form.line(l, t + ah + 1, l + aw + 2, t + ah + 1, kGrisPalido);
        Form.line(l + aw + 1, t, l + aw + 1, t + ah + 2, kGrisPalido);
        const QString titulo = QStringLiteral("  JUEGO ACTUAL");
        Pic_TexJuegoActual.setSize(Pic_TexJuegoActual.textWidth(titulo) + 6, Pic_TexJuegoActual.textHeight(titulo) + 6);
        Pic_TexJuegoActual.cls();
        ImprimeTextoRelieve(Pic_TexJuegoActual, 3, 3, titulo, false);
        Pic_TexJuegoActual.move(l + aw / 2 - Pic_TexJuegoActual.width() / 2,
                                t - Pic_TexJuegoActual.height() / 2 + 1);
        Pic_TexJuegoActual.setVisible(true);
    });
    for (int k = 21; k <= 25; ++k)
        Paso([&] {
            plat::Surface& s = Pic_Buleano(k);
            Coloca(s, 8 + 128 * (k - 21), 16, 120, 23);
            DibujaBuleano(s, std::int16_t(k), juego == k);
            PonCursor(s, 23);
            s.setVisible(true);
        });
    // 5. The separator.
    Paso([&] {
        Form.line(1, 77, 1 + w - 3, 77, kGris);
        Form.line(2, 78, 2 + w - 3, 78, kBlanco);
    });
    // 6. The first column.
    std::int16_t HuecoX = 17, HuecoY = 87;
    // 7. The Tangram's mode.
    if (juego == 23)
        Paso([&] {
            plat::Surface& s = Pic_Selector(1);
            Coloca(s, 17, HuecoY, 256, 38);
            DibujaSelector(s, 1, g.TAN_ModoJuego);
            s.setVisible(true);
            HuecoY += 50;
        });
    // 8. The sliding game's background.
    if (juego == 22)
        Paso([&] {
            auto& o = g.OpcionesSelector[2];
            o[1] = TextoDeAncho(QStringLiteral("Seleccionar una imagen"), kAnchoOpcionSelector);
            o[2] = TextoDeAncho(QString::fromUtf8("Números del  1  al  ") + QString::number(g.NroPiezas),
                                kAnchoOpcionSelector);
            const QString letra = g.NroPiezas >= 1 ? g.LetrasPiezas.mid(g.NroPiezas - 1, 1) : QString();
            o[3] = TextoDeAncho(QStringLiteral("Letras de la  A  a la  ") + letra, kAnchoOpcionSelector);
            if (g.NroPiezas > 24) {
                o[3] = TextoDeAncho(QString(), kAnchoOpcionSelector);
                if (g.TipoRotulo == 3) g.TipoRotulo = 2;
            }
            plat::Surface& s = Pic_Selector(2);
            Coloca(s, 17, HuecoY, 256, 38);
            DibujaSelector(s, 2, g.TipoRotulo);
            s.setVisible(true);
            HuecoY += 50;
        });
    // 9.
    Pic_MostrarImagen.setBackColor(plat::Color(g.ColorFondo));
    // 10-11. The picture or the models.
    if (juego == 21 || juego == 22) Paso([&] {
        Coloca(Pic_ImagenPuzz, 17, HuecoY, 256, 370);
        QString t = QStringLiteral("Imagen del puzzle");
        DibujaMarcoTitulo(Pic_ImagenPuzz, t);
        colocaGrupoImagen();
        Pic_ImagenPuzz.setVisible(true);
    });
    if (juego == 21 || juego == 22) HuecoY += 380;
    if (juego >= 23 && juego <= 25) Paso([&] {
        Coloca(Pic_ImagenPuzz, 17, HuecoY, 256, juego == 23 ? 365 : (juego == 24 ? 400 : 416));
        QString t = QStringLiteral("Modelos de ") + NombreJuego(juego);
        DibujaMarcoTitulo(Pic_ImagenPuzz, t);
        colocaGrupoModelos();
        Pic_ImagenPuzz.setVisible(true);
    });
    if (juego >= 23 && juego <= 25) HuecoY += 380;
    // 12. The zoom.
    if (juego == 21) Paso([&] {
        Coloca(Pic_ZoomImagen, 17, HuecoY, 256, 85);
        QString t = QStringLiteral("Zoom de la imagen");
        DibujaMarcoTitulo(Pic_ZoomImagen, t);
        plat::Surface& spin = Pic_Spin(41);
        Coloca(spin, 6, 19, 155, 29);
        DibujaSpin(spin, Tex_Spin41, 41, g.ZoomImagen);
        spin.setVisible(true);
        Coloca(Pic_InfoTamBmp, 7, 53, 154, 27);
        Coloca(Pic_TamRelIma, 167, 20, 80, 60);
        Pic_ZoomImagen.setVisible(true);
    });
    // 13. The second column.
    HuecoX = std::int16_t(HuecoX + 283);
    switch (juego) {
    case 23:
    case 25: HuecoY = 217; break;
    case 24: HuecoY = 112; break;
    default: HuecoY = 87; break;
    }
    // 14. The piece shapes.
    if (juego == 21) Paso([&] {
        Coloca(Pic_TiposPuz, 300, HuecoY, 194, 118);
        QString t = QStringLiteral("Forma de las piezas");
        DibujaMarcoTitulo(Pic_TiposPuz, t);
        Coloca(Pic_TipPuzSel, 9, 18, 176, 93);
        Pic_TipPuzSel.setBackColor(kGrisClaro);
        for (int i = 0; i < 8; ++i) Coloca(Pic_TipPuz(i), 10 + 41 * (i % 4), i < 4 ? 10 : 51, 29, 29);
        Pic_TipPuz_MouseDown(g.FormaPieza, 1, 0, 0, 0);
        Pic_TiposPuz.setVisible(true);
        HuecoY = std::int16_t(HuecoY + 129);
    });
    // 15. The number of pieces.
    if (juego == 21 || juego == 22) Paso([&] {
        const int AltoControl = juego == 21 ? 125 : 95;
        Coloca(Pic_NroPiezas, 300, HuecoY, 194, AltoControl + 30);
        QString t = QString::fromUtf8("Número de piezas");
        DibujaMarcoTitulo(Pic_NroPiezas, t);
        if (IniciandoVentana) Coloca(Lis_NroPiezas, 15, 18, 164, AltoControl);
        if (!CambiandoNroPiezas && !CambiandoSelector) CargaLisNroPiezas();
        Lis_NroPiezas.setVisible(true);
        Pic_NroPiezas.setVisible(true);
        HuecoY = std::int16_t(HuecoY + AltoControl + 48);
    });
    auto interruptor = [&](int i, bool valor) {
        plat::Surface& s = Pic_Buleano(i);
        Coloca(s, 300, HuecoY, 194, 23);
        DibujaBuleano(s, std::int16_t(i), valor);
        PonCursor(s, 23);
        s.setVisible(true);
    };
    // 16-20.
    if (juego == 21) Paso([&] {
        interruptor(12, g.GiroPermitido);
        HuecoY = std::int16_t(HuecoY + 43);
    });
    if (juego != 25) Paso([&] {
        if (juego == 22) HuecoY = std::int16_t(HuecoY + 25);
        interruptor(13, g.DibujarBorde);
        HuecoY = std::int16_t(HuecoY + 37);
    });
    if (juego == 23 || juego == 24) Paso([&] {
        HuecoY = std::int16_t(HuecoY + (juego == 23 ? 10 : 20));
        interruptor(14, g.AtraccionPiezas);
        HuecoY = std::int16_t(HuecoY + 53);
    });
    if (juego == 24) Paso([&] {
        HuecoY = std::int16_t(HuecoY + 4);
        interruptor(16, g.PiezasUnColor);
        HuecoY = std::int16_t(HuecoY + 53);
    });
    if (juego == 25) Paso([&] {
        HuecoY = std::int16_t(HuecoY + 10);
        plat::Surface& s = Pic_Selector(6);
        Coloca(s, 300, HuecoY, 194, 38);
        DibujaSelector(s, 6, g.MaterialPiezas);
        s.setVisible(true);
        HuecoY = std::int16_t(HuecoY + 95);
    });
    // 21.
    if (juego == 22) HuecoY = std::int16_t(HuecoY + 30);
    // 22-24. The colours.
    auto grupoColor = [&](plat::Surface& marco, plat::Surface& paleta, plat::Surface& muestra, const char* titulo,
                          std::int32_t color) {
        Coloca(marco, 300, HuecoY, 194, 85);
        QString t = QString::fromUtf8(titulo);
        DibujaMarcoTitulo(marco, t);
        Coloca(paleta, 5, 19, 184, 34);
        paleta.setBackColor(kGrisClaro);
        DibujaPaleta(paleta);
        PonCursor(paleta, 23);
        Coloca(muestra, 5, 56, 184, 24);
        muestra.setBackColor(plat::Color(color));
    };
    Paso([&] {
        grupoColor(Pic_Colorfon, Pic_ColFonSel, Pic_ColFonMue, "Color de fondo", g.ColorFondo);
        Pic_Colorfon.setVisible(true);
        HuecoY = std::int16_t(HuecoY + 100);
    });
    Pic_Colorpza.setVisible(false);
    if (juego == 22 || juego == 23 || juego == 24) Paso([&] {
        grupoColor(Pic_Colorpza, Pic_ColPzaSel, Pic_ColPzaMue, "Color de las piezas", g.ColorPieza);
        Pic_Colorpza.setVisible(true);
    });
    // 25-27. The third column: the attraction group.
    HuecoX = std::int16_t(HuecoX + 221);
    HuecoY = 87;
    if (!CambiandoNroPiezas) Paso([&] { colocaAtraccion(); });
    Pic_FactorPegado.setVisible(juego == 21 || (juego == 23 && g.TAN_ModoJuego == 2));
    // 28-31.
    switch (juego) {
    case 21:
    case 23: HuecoY = std::int16_t(HuecoY + 203); break;
    case 24: HuecoY = std::int16_t(HuecoY + 198); break;
    default: HuecoY = std::int16_t(HuecoY + 140); break;
    }
    Paso([&] {
        plat::Surface& s = Pic_Selector(5);
        Coloca(s, HuecoX, HuecoY, 148, 38);
        DibujaSelector(s, 5, g.ListaMovimientos);
        s.setVisible(true);
    });
    HuecoY = std::int16_t(HuecoY + 58);
    Paso([&] {
        plat::Surface& s = Pic_Buleano(15);
        Coloca(s, HuecoX, HuecoY, 148, 23);
        DibujaBuleano(s, 15, g.MostrarSugerencias);
        PonCursor(s, 23);
        s.setVisible(true);
    });
    HuecoY = std::int16_t(HuecoY + 39);
    Paso([&] {
        plat::Surface& s = Pic_Buleano(11);
        Coloca(s, HuecoX, HuecoY, 148, 23);
        DibujaBuleano(s, 11, g.SonidoActivo);
        PonCursor(s, 23);
        s.setVisible(true);
    });
    HuecoY = std::int16_t(HuecoY + 39);
    Paso([&] {
        plat::Surface& s = Pic_Potenciometro(51);
        Coloca(s, HuecoX, HuecoY, 131, 43);
        DibujaPotenciometro(s, 51, g.VelocidadJuego);
        s.setVisible(true);
    });
    if (juego == 23) Paso([this] { TAN_ActSegunModo(); });
}

void Personal::colocaGrupoImagen() {
    auto& g = PuzzGbl;
    const std::int16_t juego = g.TipoJuego;
    Coloca(Drive1, 8, 19, 118, 21);
    Drive1.setVisible(true);
    Coloca(Dir1, 8, 44, 118, 96);
    Dir1.setVisible(true);
    Coloca(Pic_MostrarImagen, 8, 182, 240, 180);
    Pic_MostrarImagen.setVisible(true);
    Pic_InfoMatriz.setVisible(false);
    Coloca(File1, 130, 18, 118, 123);
    Paso([this] { PreparaListasImagen(); });
    File1.setVisible(true);
    const bool conImagen = juego == 21 || g.TipoRotulo == 1;
    if (conImagen) {
        Paso([this] { CargaMostrarImagen(); });
        if (juego == 22) {
            Drive1.setEnabled(true);
            Dir1.setEnabled(true);
            File1.setEnabled(true);
        }
    } else {
        if (File1.enabled()) {
            Drive1.setEnabled(false);
            Dir1.setEnabled(false);
            File1.setEnabled(false);
            IndiceListaGuardado = File1.ListIndex();
        }
        Pic_MostrarImagen.cls();
        Pic_MostrarImagen.setMousePointer(12);
    }
    plat::Surface& pegar = Pic_Pulsador(31);
    pegar.setVisible(false);
    if (conImagen) Paso([&] {
        const std::optional<QSize> t = TamanoPortapapeles ? TamanoPortapapeles() : std::nullopt;
        Pic_W.setSize(1025, 769);
        if (!t || !TamanoPortapapelesValido(t->width(), t->height())) return;
        Coloca(pegar, 42, 150, 171, 23);
        DibujaPulsador(pegar, 31, false, false, 0);
        PonCursor(pegar, 23);
        pegar.setVisible(true);
    });
}

void Personal::colocaGrupoModelos() {
    auto& g = PuzzGbl;
    const std::int16_t juego = g.TipoJuego;
    switch (juego) {
    case 23: Coloca(Pic_MostrarImagen, 8, 176, 241, 180); break;
    case 24: Coloca(Pic_MostrarImagen, 4, 176, 247, 181); break;
    default: Coloca(Pic_MostrarImagen, 4, 176, 247, 196); break;
    }
    Pic_MostrarImagen.setVisible(true);
    if (juego == 24) Coloca(Pic_InfoMatriz, 5, 365, 245, 27);
    if (juego == 25) Coloca(Pic_InfoMatriz, 8, 380, 239, 27);
    Pic_InfoMatriz.setVisible(juego != 23);
    Coloca(Lis_Modelos, 8, 18, 239, 148);
    QString fallo;
    Paso([&] { fallo = rellenaModelos(); });
    const bool conModelos = !(juego == 23 && g.TAN_ModoJuego == 1);
    // A file that cannot be read is told, not shown as a file without models.
    if (!fallo.isEmpty() && conModelos) {
        const EleccionModeloJuego e = EleccionModeloDe(juego);
        Mensaje(e.titulo, QStringLiteral("No se pueden mostrar los modelos porque ") + fallo + QStringLiteral("."), 3,
                1, e.ayuda);
        Refresh();
    }
    // The current model's item; when it is not listed (its record cannot
    // be read) nothing is chosen, so the model changes only when the player
    // picks one.
    IndiceListaGuardado = -1;
    if (conModelos) Paso([&] {
        for (int i = 0; i < Lis_Modelos.ListCount(); ++i)
            if (Lis_Modelos.ItemData(i) == g.NroModelo) {
                Lis_Modelos.setListIndex(i);
                IndiceListaGuardado = std::int16_t(i);
                return;
            }
    });
    Lis_Modelos.setVisible(true);
}

void Personal::colocaAtraccion() {
    auto& g = PuzzGbl;
    ++dibujosAtraccion_;
    Coloca(Pic_FactorPegado, 521, 87, 147, 188);
    QString t = QString::fromUtf8("Factor de atracción");
    DibujaMarcoTitulo(Pic_FactorPegado, t);
    plat::Surface& deslizador = Pic_Potenciometro(52);
    Coloca(deslizador, 8, 16, 131, 43);
    DibujaPotenciometro(deslizador, 52, g.FactorAtraccion);
    deslizador.setVisible(true);
    Coloca(Pic_Prueba, 8, 65, 131, 115);
    Pic_Prueba.cls();
    Pic_Prueba.setFillStyle(plat::FillStyle::Transparent);
    Pic_Prueba.box(4, 4, 124, 76, 0x4060C0);
    for (int y : {5, 29, 53})
        for (int x : {5, 35, 65, 95})
            Paso([&] { plat::bitBlt(Pic_Prueba, x, y, 29, 23, mesa.Pic_BmpVario, 0, 3, plat::rop::kSrcCopy); });
    Pic_Prueba.filledBox(95, 4, 95 + 28, 4 + 22, kGrisClaro);
    Pic_Prueba.setVisible(true);
    Pic_PruebaPeq.setSize(31, 25);
    Paso([this] { plat::bitBlt(Pic_PruebaPeq, 1, 1, 29, 23, mesa.Pic_BmpVario, 0, 3, plat::rop::kSrcCopy); });
    Pic_PruebaPeq.refresh();
    Pic_PruebaPeq.move(53, 45);
    Pic_PruebaPeq.setVisible(true);
    plat::Surface& probar = Pic_Pulsador(32);
    probar.setSize(102, 23);
    DibujaPulsador(probar, 32, false, false, 0);
    probar.move(13, 83);
    PonCursor(probar, 23);
    probar.setVisible(true);
}

// ---------------------------------------------------------------- the one window

Personal* VentanaPersonalAbierta() { return g_ventana && !g_ventana->Descargada() ? g_ventana.get() : nullptr; }

Personal& CreaVentanaPersonal() {
    if (Personal* p = VentanaPersonalAbierta()) return *p;
    g_ventana = std::make_unique<Personal>();
    return *g_ventana;
}

void DestruyeVentanaPersonal() { g_ventana.reset(); }
