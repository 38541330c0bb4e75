// Putting a checked state in force, and the state format installed as the
// reader and writer of the per-game state files and the saved puzzles.
#include "model/EstadoPuzzle.h"
#include "model/RegistroPartida.h"
#include "model/EncajeImagen.h"
#include "model/PrimerPuzzle.h"

#include "core/Configuracion.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/EleccionModelo.h"
#include "model/EstadoServicios.h"
#include "model/Juego.h"
#include "model/Modelos.h"
#include "model/Partida.h"
#include "platform/blit.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/picture.h"
#include "core/TemasAyuda.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

using namespace registro_partida;

namespace {

QString Rechazo(const QString& texto) { return texto.isEmpty() ? QStringLiteral("rejected") : texto; }

// The state accepted last by the installed reader, waiting to be applied.
std::optional<EstadoPartida> g_pendiente;
// The game and model number of the last state refused only for its model.
std::optional<std::pair<std::int16_t, std::int16_t>> g_modeloRechazado;

} // namespace

// ---- applying ---------------------------------------------------------------------------

namespace {

// The jigsaw's picture could not be used: a blank 320 x 240, and the settings
// window so that another one is chosen.
void PideOtraImagen() {
    plat::Surface& modi = mesa.Pic_FonTamModi;
    modi.clearPicture();
    modi.setSize(320, 240);
    modi.cls();
    modi.keepImageAsPicture();
    PuzzGbl.ZoomImagen = 100;
    PuzzGbl.SeleccionValida = false;
    // The settings window for the player's choice; without it, the first
    // sample picture.
    if (!PideImagenAlJugador() && !PreparaPrimerPuzzle()) mesa.Pic_Boton_MouseDown(2, 0, 0, 0, 0);
}

// The puzzle set up again and drawn; one read back solved shows its finished
// picture, as at its end. `leido`: the state comes from a file (the start, a
// change of game, a load), not from the settings window's copy of the puzzle
// in play.
void Reconstruye(std::int16_t modo, bool leido) {
    PuzzGbl.SeleccionValida = true;
    PreparaJuego(false);
    // A state laid out on another screen (or with pieces left out of reach)
    // comes back with every loose piece where the player can take it.
    if (leido) AcercaPiezasSueltas();
    if (PuzzGbl.CambioCosmetico) return;
    RedibujaImagen(modo);
    if (PuzzGbl.MostrandoModelo) MuestraModelo();
}

} // namespace

void AplicaEstadoPartida(const EstadoPartida& e, const QImage* imagenZoomada) {
    auto& g = PuzzGbl;
    const CabeceraPartida& c = e.c;
    g.UnidadImagen = e.UnidadImagen;
    g.CarpetaImagen = e.CarpetaImagen;
    g.ArchivoImagen = e.ArchivoImagen;
    g.FicheroImagen = e.FicheroImagen;
    CopiaAjustes(c, g);
    g.MovActual = c.MovActual;
    g.Piezas = e.Piezas;
    g.OrdenPiezas = e.OrdenPiezas;
    g.MovGrabados = e.Movimientos;

    const bool sinRepartir = TaipeiSinRepartir(e);
    if (c.TipoJuego == 25 && !sinRepartir) {
        TAI_CargaModelo(c.NroModelo);
        for (int t = 1; t <= c.NroPiezas; ++t) {
            const RegistroPieza& p = e.Piezas[t];
            g.TAI_Tablero[p.Fila][p.Columna].Ficha[p.Nivel] = std::int16_t(t);
        }
        TAI_AsignaPalos();
        for (int k = 1; k <= 72; ++k)
            for (int j = 1; j <= 2; ++j) g.TAI_Reparto[k][j] = e.Reparto[(k - 1) * 2 + (j - 1)];
    }

    g.PiezasCasilla = PiezasPorCasilla(g.FormaPieza);
    CalculaColoresDerivados();
    if (g.TipoJuego == 24) PEN_LeeModelo(g.NroModelo);
    CalculaGeometriaPuzzle();
    // A degree the file could not hold: the puzzle as it lies is graded.
    if (c.GradoPorCalcular && !sinRepartir) CalculaDificultad();
    if (g.LeyendoInstantanea) return;
    if (sinRepartir) {
        EligeModeloPuzzleNuevo();
        PreparaJuego(true);
        RedibujaImagen(1);
        PuzzGbl.SeleccionValida = true;
        return;
    }

    plat::Surface& modi = mesa.Pic_FonTamModi;
    plat::Surface& real = mesa.Pic_FonTamReal;
    if (g.TipoJuego == 23 || g.TipoJuego == 24) {
        g.MuestraVisible = false;
        g.ZoomImagen = 100;
        if (g.TipoJuego == 23) {
            modi.clearPicture();
            modi.setSize(std::clamp(2 * g.OrigenX + g.AnchoImagen, 1, kMaxSuperficie),
                         std::clamp(2 * g.OrigenY + g.AltoImagen, 1, kMaxSuperficie));
            modi.cls();
            if (g.TAN_ModoJuego == 2) TAN_DibujaModelo(modi);
        }
        Reconstruye(1, imagenZoomada == nullptr);
        return;
    }

    // Jigsaw, sliding tiles and Taipei: the picture, zoomed.
    modi.clearPicture();
    real.clearPicture();
    bool cargada = true;
    int error = 0; // why the picture could not be read
    const bool enMemoria = imagenZoomada && !imagenZoomada->isNull();
    if (enMemoria) {
        modi.setImage(*imagenZoomada);
        modi.keepImageAsPicture();
    } else if (g.FicheroImagen != QStringLiteral(" ")) {
        try {
            const QImage imagen = plat::loadPicture(g.FicheroImagen);
            real.setImage(imagen);
            real.setPicture(imagen);
        } catch (const plat::RuntimeError& e) {
            cargada = false;
            error = e.number() != 0 ? e.number() : plat::err::kInvalidPicture;
        }
    }
    g.ImagenAusente = false;
    // Only a file that is not there is "not found"; any other says why.
    auto noUsable = [&](const QString& luego) {
        if (error == 0 || error == plat::err::kFileNotFound || error == plat::err::kPathNotFound)
            return QStringLiteral("No se encuentra la imagen ") + g.FicheroImagen + luego;
        return QStringLiteral("No se puede usar la imagen ") + g.FicheroImagen + QStringLiteral(": ") +
               encaje::CausaImagenInutil(error) + luego;
    };
    const long long ancho = (long long)g.AnchoBmp * g.ZoomImagen / 100 + g.OrigenX;
    const long long alto = (long long)g.AltoBmp * g.ZoomImagen / 100 + g.OrigenY;
    const bool fueraDeLimites = ancho < 320 || ancho > 1024 || alto < 240 || alto > 768;
    const bool enorme = ancho < 1 || alto < 1 || ancho > kMaxSuperficie || alto > kMaxSuperficie;
    if (enMemoria) {
        // The copy is the picture after zoom already.
    } else if (cargada && !enorme) {
        modi.setSize(int(ancho), int(alto));
        plat::setStretchBltMode(modi, plat::stretchmode::kColorOnColor);
        plat::stretchBlt(modi, g.OrigenX, g.OrigenY, int(ancho) - g.OrigenX, int(alto) - g.OrigenY, real, 0, 0,
                         real.width(), real.height(), plat::rop::kSrcCopy);
        modi.keepImageAsPicture();
    } else if (enorme && g.TipoJuego != 21) {
        cargada = false;
    }
    real.clearPicture();

    if (g.TipoJuego == 21) {
        if (!cargada) {
            Sonido(0, 11);
            Mensaje(QString::fromUtf8("Imagen no válida"),
                    noUsable(QStringLiteral(". Elija otra imagen en la ventana Personalizar.")), 3, 1,
                    ayuda::kImagenFueraDeLimites);
            PideOtraImagen();
            return;
        }
        if (fueraDeLimites) {
            Sonido(0, 11);
            Mensaje(QString::fromUtf8("Imagen no válida"),
                    QString::fromUtf8("El tamaño  de  la  imagen  que intenta cargar") + g.SaltoLinea +
                        QStringLiteral("(") + QString::number(ancho) + QStringLiteral(" x") + QString::number(alto) +
                        QString::fromUtf8(" píxeles ) no está dentro de los límites permitidos:") + g.SaltoLinea +
                        g.SaltoLinea + QString::fromUtf8("       Entre 320 y 1024 píxeles de ancho") + g.SaltoLinea +
                        QString::fromUtf8("       Entre 240 y  768 píxeles de alto"),
                    7, 1, ayuda::kImagenFueraDeLimites);
            PideOtraImagen();
            return;
        }
    } else if (!cargada && g.TipoJuego == 22 && g.TipoRotulo == 1) {
        // Shown with numbers for now; the setting and the picture's name
        // stay, so the picture is back once its file is.
        Sonido(0, 11);
        Mensaje(QString::fromUtf8("Imagen no válida"),
                noUsable(QString::fromUtf8(". Las piezas se mostrarán con números.")), 3, 1,
                ayuda::kImagenFueraDeLimites);
        g.ImagenAusente = true;
    }
    Reconstruye(0, imagenZoomada == nullptr);

    if (g.TipoJuego == 22 && !EsResoluble()) {
        Mensaje(QString::fromUtf8("Configuración sin solución"),
                QString::fromUtf8("Con la configuración de piezas actual este puzzle no tiene solución. Se van a "
                                  "barajar automáticamente las piezas para  que pueda tener solución."),
                4, 1, ayuda::kReglasDeslizantes);
        BarajaDeslizantes();
        if (!g.CambioCosmetico) RedibujaImagen(0);
    }
}

void InstalaEstadoPuzzle() {
    ServiciosEstadoPuzzle s;
    s.compone = ComponeRegistroPartida;
    s.comprueba = [](const QByteArray& contenido, std::int16_t juego) -> QString {
        g_pendiente.reset();
        g_modeloRechazado.reset();
        LecturaPartida r = CargaDatosPuzzle(contenido);
        if (!r.estado) return Rechazo(r.motivo);
        const ContextoValidacion ctx = ContextoActual(juego);
        const QString motivo = ValidaEstadoPartida(*r.estado, ctx);
        if (!motivo.isEmpty()) {
            if (ctx.modeloInutil) g_modeloRechazado = {r.estado->c.TipoJuego, r.estado->c.NroModelo};
            return motivo;
        }
        g_pendiente = std::move(r.estado);
        return QString();
    };
    s.modeloInutil = []() -> ServiciosEstadoPuzzle::FalloModelo {
        if (!g_modeloRechazado) return {};
        bool pantalla = false;
        QString motivo = DiagnosticoModelo(g_modeloRechazado->first, g_modeloRechazado->second, &pantalla);
        // The model reads well now, yet the check refused it: no better word.
        if (motivo.isEmpty())
            motivo = QString::fromUtf8("el modelo número ") + QString::number(g_modeloRechazado->second) +
                     QString::fromUtf8(" no se puede usar");
        return {motivo, pantalla};
    };
    s.juegoComprobado = [] { return g_pendiente ? g_pendiente->c.TipoJuego : std::int16_t(0); };
    s.aplica = [] {
        if (!g_pendiente) return;
        const EstadoPartida e = std::move(*g_pendiente);
        g_pendiente.reset();
        AplicaEstadoPartida(e);
    };
    s.iniciaGrabadora = IniciaGrabadora;
    s.primerPuzzle = PreparaPrimerPuzzle;
    s.sinPuzzle = [] { return PuzzGbl.TipoJuego == 24 && !PEN_HayTablero(); };
    s.puzzleNuevo = [] {
        // The model games start from a model they can play, read into force.
        EligeModeloPuzzleNuevo();
        PreparaJuego(true);
        RedibujaImagen(1);
        // A puzzle on the table: the settings window has nothing to make up
        // for, and leaving it untouched keeps this one.
        PuzzGbl.SeleccionValida = true;
    };
    InstalaServiciosEstadoPuzzle(std::move(s));
}
