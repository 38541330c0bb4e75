#include "table/Soltar.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Pentominos.h"
#include "model/Grabadora.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "model/Taipei.h"
#include "model/Tangram.h"
#include "platform/blit.h"
#include "table/Trabajo.h"
#include "model/Juego.h"
#include "platform/numbers.h"
#include "records/Historico.h"
#include "table/Botonera.h"
#include "table/Desolapa.h"
#include "core/TemasAyuda.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using namespace juego;

constexpr int kModoDiseno = 1;
constexpr int kModoResolver = 2;

// Takes the piece off the back buffer and wipes its dragged image from the
// table.
void levanta(std::int16_t p, int w, int h) {
    auto& g = PuzzGbl;
    BorraPiezaDeImagen(p);
    const auto& r = g.Piezas[std::size_t(p)];
    plat::bitBlt(mesa.Pic_Trabajo, r.X - g.MargenPiezaX, r.Y - g.MargenPiezaY, w, h, mesa.Pic_Imagen,
                 r.X - g.MargenPiezaX, r.Y - g.MargenPiezaY, plat::rop::kSrcCopy);
}

bool intentaAtraer(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& r = g.Piezas[std::size_t(p)];
    const int w = AnchoPiezaGirada(p, r.Giro, r.Volteo);
    const int h = AltoPiezaGirada(p, r.Giro, r.Volteo);
    if (!CajasSeAtraen(r.X, r.Y, r.XDestino, r.YDestino, w, h, g.FactorAtraccion) || !OrientacionCorrecta(p))
        return false;
    // A Tangram home that another piece covers is not taken: pieces never lie
    // on each other.
    if (g.TipoJuego == kTangram && !TAN_DestinoLibre(p)) return false;
    levanta(p, w, h);
    r.X = r.XDestino;
    r.Y = r.YDestino;
    r.Giro = r.GiroDestino;
    r.Volteo = r.VolteoDestino;
    return true;
}

void atraeADestino(std::int16_t p) {
    auto& g = PuzzGbl;
    if (intentaAtraer(p)) return;
    if (g.TipoJuego != kTangram || p >= std::int16_t(g.TAN_Gemela.size())) return;
    const std::int16_t gemela = g.TAN_Gemela[std::size_t(p)];
    if (!pasos::PiezaValida(gemela)) return;
    TAN_IntercambiaDestino(p);
    if (!intentaAtraer(p)) TAN_IntercambiaDestino(p);
}

void ajustaARejilla(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& r = g.Piezas[std::size_t(p)];
    PEN_TransformaPieza(p, r.Giro, r.Volteo);
    const auto celda = AjusteRejilla(r.X, r.Y, g.PEN_PiezaGirada.Ancho, g.PEN_PiezaGirada.Alto, g.LadoCelda,
                                     g.OrigenX, g.OrigenY, g.FilasTablero, g.ColumnasTablero);
    if (!celda) return;
    levanta(p, AnchoPiezaGirada(p, r.Giro, r.Volteo), AltoPiezaGirada(p, r.Giro, r.Volteo));
    r.X = plat::toInt16(celda->x);
    r.Y = plat::toInt16(celda->y);
}

// Whether the piece had to move.
bool empujaDentro(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& r = g.Piezas[std::size_t(p)];
    BorraPiezaDeImagen(p);
    const int w = AnchoPiezaGirada(p, r.Giro, r.Volteo);
    const int h = AltoPiezaGirada(p, r.Giro, r.Volteo);
    ZonaVisible z;
    // A hidden scroll bar leaves the table's whole extent visible.
    z.barraHorArriba = mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : g.AltoMesa;
    z.barraVerIzquierda = mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : g.AnchoMesa;
    z.valorVer = mesa.BarraVer.Value();
    z.valorHor = mesa.BarraHor.Value();
    if (BotoneraEnMesa()) {
        z.botoneraIzquierda = mesa.Pic_Botonera.left();
        z.botoneraAlto = mesa.Pic_Botonera.height();
    }
    z.sugerenciasVisibles = g.MostrarSugerencias;
    z.sugerenciaIzquierda = mesa.Pic_Sugerencia.left();
    z.sugerenciaAncho = mesa.Pic_Sugerencia.width();
    z.sugerenciaArriba = mesa.Pic_Sugerencia.top();
    const Posicion n = EmpujaDentro(r.X, r.Y, w, h, g.MargenPiezaX, g.MargenPiezaY, z);
    if (n.x == r.X && n.y == r.Y) return false;
    r.X = n.x;
    r.Y = n.y;
    mesa.Pic_Trabajo_Paint();
    return true;
}

int margen(int factor, int lado) {
    return static_cast<int>(std::floor(((100 - factor) / 2.0) * (lado / 100.0)));
}

} // namespace

bool CajasSeAtraen(int x, int y, int xDestino, int yDestino, int w, int h, int factor) {
    const int mx = margen(factor, w);
    const int my = margen(factor, h);
    const int izquierda = std::max(x, xDestino) + mx;
    const int derecha = std::min(x, xDestino) + w - mx;
    const int arriba = std::max(y, yDestino) + my;
    const int abajo = std::min(y, yDestino) + h - my;
    return izquierda < derecha && arriba < abajo;
}

std::optional<CeldaRejilla> AjusteRejilla(int x, int y, int wCeldas, int hCeldas, int lado, int origenX, int origenY,
                                          int filas, int columnas) {
    const double tolerancia = plat::roundHalfEven(lado * 0.35);
    std::optional<int> fila, columna;
    for (int r = 1; r <= filas && !fila; ++r)
        if (std::abs(origenY + (r - 1) * lado - y) < tolerancia && r + hCeldas - 1 <= filas) fila = r;
    for (int c = 1; c <= columnas && !columna; ++c)
        if (std::abs(origenX + (c - 1) * lado - x) < tolerancia && c + wCeldas - 1 <= columnas) columna = c;
    if (!fila || !columna) return std::nullopt;
    return CeldaRejilla{origenX + (*columna - 1) * lado, origenY + (*fila - 1) * lado};
}

Posicion EmpujaDentro(int x, int y, int w, int h, int mx, int my, const ZonaVisible& z) {
    double abajo = plat::roundHalfEven(z.barraHorArriba);
    double derecha = plat::roundHalfEven(z.barraVerIzquierda);
    // The command panel lies beside the piece (compared as the runtime's
    // single-precision values).
    if (static_cast<float>(z.botoneraAlto + z.valorVer) > static_cast<float>(y + h / 2.0)) derecha = z.botoneraIzquierda;
    // The tips panel lies below the piece; its top, a table pixel, becomes a
    // window pixel like the bar's.
    if (z.sugerenciasVisibles && z.sugerenciaIzquierda + z.sugerenciaAncho > x)
        abajo = std::min(abajo, z.sugerenciaArriba - z.valorVer);
    double nx = x, ny = y;
    if (ny - my + h / 2.0 < z.valorVer) ny = z.valorVer + my - h / 2.0;
    if (ny + h / 2.0 - my > abajo + z.valorVer) ny = abajo + z.valorVer - h / 2.0 + my;
    if (nx - mx + w / 2.0 < z.valorHor) nx = z.valorHor + mx - w / 2.0;
    if (nx + w / 2.0 - mx > derecha + z.valorHor) nx = derecha + z.valorHor - w / 2.0 + mx;
    return {plat::cint16(nx), plat::cint16(ny)};
}

void AvisaTaipeiSinSalida() {
    Mensaje(QStringLiteral("Puzzle sin solución"),
            QStringLiteral("La situación actual del puzzle no le permite emparejar ninguna de las piezas libres,  "
                           "por tanto, no puede continuar resolviéndolo.  Si lo  desea  puede  utilizar  la  "
                           "Grabadora de movimientos y  retroceder para encontrar una solución por otra vía."),
            6, 1, ayuda::kReglasTaipei);
}

bool CuentaYTerminaPuzzle() {
    auto& g = PuzzGbl;
    const std::int16_t solucion = g.PEN_SolucionActual;
    ActualizaInfoPiezas();
    // The count was taken against the solution in force when it started; when
    // the board now follows another one, count against that one.
    if (g.TipoJuego == kPentominos && g.PEN_SolucionActual != solucion) ActualizaInfoPiezas();
    if (g.NroPiezasColocadas != g.NroPiezas || g.NroPiezas <= 0 || g.ColocacionManual) return false;
    // Designing a figure leaves every target at 0: nothing to solve.
    if (g.TipoJuego == kTangram && g.TAN_ModoJuego == kModoDiseno) return false;
    MarchaCronometro(2);
    Retardo(500);
    MuestraModelo();
    Sonido(1, 14);
    Mensaje(QStringLiteral("TESELARO"), QStringLiteral("Ha conseguido resolver el puzzle"), 1, 1);
    if (g.PasaAlHistorico) {
        Mensaje(QStringLiteral("Histórico de puzzles resueltos"),
                QStringLiteral("¿Se actualiza el Histórico de puzzles?"), 1, 2, ayuda::kHistorico);
        if (g.RespuestaMensaje) ActualizaHistorico();
    }
    g.PasaAlHistorico = false;
    return true;
}

void Pic_Trabajo_MouseUp(std::int16_t boton, std::int16_t, double x, double y) {
    auto& g = PuzzGbl;
    if (boton == 2 && g.GirandoPieza && !g.GiroSimulado) g.GirandoPieza = false;
    // While the solver moves pieces a release finishes nothing of the player's.
    if (g.ArrastrandoPieza && !g.ResolviendoAuto && !g.EjecutandoSolucion && !g.SoltandoPieza) {
        g.SoltandoPieza = true;
        const std::int16_t p = g.OrdenPiezas.size() > 1 ? g.OrdenPiezas[1] : std::int16_t(0);
        if (g.TipoJuego == kTaipei) {
            pasos::Paso([&] {
                GrabaMovimiento(g.TAI_PiezaPareja, g.PiezaSeleccionada, 0, 0, 0, 0, 0, 0);
                if (g.NroPiezasColocadas < taipei::kFichas) {
                    TAI_BuscaPareja();
                    if (g.TAI_ParejaSugerida[1] == 0 && g.TAI_ParejaSugerida[2] == 0) AvisaTaipeiSinSalida();
                }
            });
        } else if (pasos::PiezaValida(p)) {
            if (g.TipoJuego == kTangram) {
                pasos::Paso(TAN_DesolapaPieza);
                if (g.AtraccionPiezas && g.TAN_Solapes == 0) pasos::Paso(TAN_PegaDosPiezas);
            }
            if (g.TipoJuego == kPiezasMoviles || (g.TipoJuego == kTangram && g.TAN_ModoJuego == kModoResolver))
                pasos::Paso([&] { atraeADestino(p); });
            if (g.TipoJuego == kPentominos && g.AtraccionPiezas) pasos::Paso([&] { ajustaARejilla(p); });
            if (g.TipoJuego != kDeslizantes) {
                pasos::Paso([&] {
                    const auto& r = g.Piezas[std::size_t(p)];
                    const bool movida = r.X != g.PosAnteriorX || r.Y != g.PosAnteriorY;
                    if (PiezaBienColocada(p)) {
                        if (movida) Sonido(1, 51);
                    } else {
                        if (movida) Sonido(1, 52);
                        // Brought back onto the table, a Tangram piece may now
                        // cover another: it is pushed out once more.
                        if (empujaDentro(p) && g.TipoJuego == kTangram) TAN_DesolapaPieza();
                    }
                });
            }
            pasos::Paso([&] {
                GeneraImagenPieza(p);
                DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
                DibujaPiezaEnImagen(mesa.Pic_Trabajo, p);
                mesa.Pic_Trabajo.refresh();
                const auto& r = g.Piezas[std::size_t(p)];
                GrabaMovimiento(g.PosAnteriorX, g.PosAnteriorY, r.Giro, r.Volteo, r.X, r.Y, r.Giro, r.Volteo);
            });
        }
        pasos::Paso([] { CuentaYTerminaPuzzle(); });
    }
    g.ArrastrandoPieza = false;
    g.SoltandoPieza = false;
    Pic_Trabajo_MouseMove(0, 0, x, y);
}
