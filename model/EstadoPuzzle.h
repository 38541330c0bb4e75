// The puzzle-state text format: nine quoted lines that hold the picture, the
// game's settings, every piece, the recorded moves and the Taipei board and
// deal. The same format serves the per-game state files, the saved puzzles
// and the settings window's snapshot.
//
// Reading goes in three steps so that a damaged file changes nothing:
// CargaDatosPuzzle turns the bytes into a value (or says why it cannot),
// ValidaEstadoPartida checks that value against the rules of its game (and
// moves its positions to the current table size), and AplicaEstadoPartida puts
// it in force and rebuilds the puzzle.
#pragma once

#include "core/PuzzGbl.h"
#include "model/Taipei.h"
#include "model/TaipeiModelo.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Line 5: the game's settings.
struct CabeceraPartida {
    QString NombreJugador; // always 9 characters
    std::int32_t ColorFondo = 0, ColorPieza = 0, ColorLineas = 0;
    bool MuestraVisible = false;
    std::int16_t MovActual = 0; // moves in line 7
    std::int16_t NroModelo = 0;
    std::int16_t ZoomImagen = 0;
    std::int16_t PiezasLado = 0;
    std::int16_t FormaPieza = 0;
    std::int16_t NroPiezas = 0;
    std::int32_t SegundosCronometro = 0;
    bool MostrandoModelo = false;
    bool PasaAlHistorico = false;
    std::int16_t TAN_ModoJuego = 0;
    std::int16_t TipoRotulo = 0;
    std::int16_t AgujeroX = 0, AgujeroY = 0;
    std::int32_t AnchoBmp = 0, AltoBmp = 0;
    std::int16_t TipoJuego = 0;
    std::int16_t FactorAtraccion = 0;
    bool GiroPermitido = false, DibujarBorde = false, AtraccionPiezas = false;
    QString NombreModelo;
    double GradoDificultad = 0;
    // The stored degree was not one (blank, not a number, out of 0..100).
    bool GradoPorCalcular = false;
    std::int16_t PEN_SolucionActual = 0;
    bool PiezasUnColor = false;
    std::int16_t MaterialPiezas = 0;
    // The table the positions were laid out for; 0 when the file does not say
    // or says a size no screen has.
    std::int16_t AnchoMesa = 0, AltoMesa = 0;
    bool operator==(const CabeceraPartida&) const = default;
};

// Taipei line 8: 16 rows x 22 columns x 4 levels.
constexpr int kNivelesGuardados = 4;
constexpr int kCeldasTaipei = taipei::kFilas * taipei::kColumnas * kNivelesGuardados;
inline int IndiceTablero(int fila, int columna, int nivel) {
    return ((fila - 1) * taipei::kColumnas + (columna - 1)) * kNivelesGuardados + (nivel - 1);
}

struct EstadoPartida {
    QString UnidadImagen, CarpetaImagen, ArchivoImagen, FicheroImagen;
    CabeceraPartida c;
    std::vector<RegistroPieza> Piezas;           // 0..NroPiezas, 0 unused
    std::vector<std::int16_t> OrdenPiezas;       // 0..NroPiezas
    std::vector<RegistroMovimiento> Movimientos; // 0..MovActual, 0 unused
    // Taipei only: the tile on each stored level of each cell (-1 where the
    // line is blank) and the deal, pair by pair.
    std::vector<std::int16_t> Tablero;
    std::vector<std::int16_t> Reparto; // 144 tiles: pair k tile j at (k - 1) x 2 + (j - 1)
    bool operator==(const EstadoPartida&) const = default;
};

struct LecturaPartida {
    std::optional<EstadoPartida> estado;
    QString motivo; // why there is no state
};

// The bytes of a state file as a value. A missing or short line, or a field
// that must be a number and is not, gives a reason instead. Settings that
// cannot be read take their defaults and the settings are held to their
// ranges; nothing is checked against the rules of the game yet.
LecturaPartida CargaDatosPuzzle(const QByteArray& contenido);
// The same from lines already read.
LecturaPartida LeeLineasPartida(const QStringList& lineas);

// The nine lines of a value, and of the current state (left in
// LineasConfiguracion as well).
QStringList ComponeLineas(const EstadoPartida& e);
QStringList ComponeRegistroPartida();
// The current state as a value, as the writer sees it: at most the last 9999
// moves are kept.
EstadoPartida EstadoActual();

// ---- checks -------------------------------------------------------------------

// A Taipei layout (DisposicionTaipei) is in model/TaipeiModelo.h.

// A pentomino board: its rows and columns and its stored solutions.
struct TableroPentomino {
    std::int16_t filas = 0, columnas = 0, soluciones = 0;
};

// Where a board lies on a table of a given size, for a game's settings.
struct Rejilla {
    std::int16_t OrigenX = 0, OrigenY = 0;
    std::int16_t AnchoPieza = 0, AltoPieza = 0;
    std::int16_t LadoCelda = 0;
};

struct ContextoValidacion {
    std::int16_t juego = 0; // the game the file must hold; 0: any
    std::int16_t AnchoMesa = 0, AltoMesa = 0; // the table now
    // The layout of a Taipei model; nothing when it cannot be read.
    std::function<std::optional<DisposicionTaipei>(std::int16_t nroModelo)> disposicion;
    // The board of a pentomino model; nothing when it cannot be read or has
    // no stored solution.
    std::function<std::optional<TableroPentomino>(std::int16_t nroModelo)> tableroPentomino;
    // The board for the settings on a table of that size; nothing when the
    // settings make no board. The last argument gives the Taipei layout, or
    // only the rows and columns of a pentomino board.
    std::function<std::optional<Rejilla>(const CabeceraPartida&, std::int16_t ancho, std::int16_t alto,
                                         const DisposicionTaipei*)>
        rejilla;
    // Set by the check when it refuses the state because its model (the
    // Taipei layout, the pentomino board or its solutions) cannot be used
    // while everything read before it holds.
    mutable bool modeloInutil = false;
};

// The context of the running program: its table, its model files and its
// geometry.
ContextoValidacion ContextoActual(std::int16_t juego);
// The board the geometry gives for the settings at that table size (with the
// rows and columns of `disposicion` when given). Leaves every global as it
// was.
std::optional<Rejilla> RejillaDe(const CabeceraPartida& c, std::int16_t ancho, std::int16_t alto,
                                 const DisposicionTaipei* disposicion);

// Checks the state against the rules of its game; an empty text when it
// holds, else the reason. Positions laid out for another table size are moved
// to the current one first, and a selected Taipei tile comes back as merely on
// the board.
QString ValidaEstadoPartida(EstadoPartida& e, const ContextoValidacion& ctx);

// Loose pieces within reach: a box (its left, top, width and height in table
// pixels), the visible part of the table and the command panel on it (half
// open; an empty panel when it is slid away).
struct CajaEnMesa {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const CajaEnMesa&) const = default;
};
struct ZonaAlcance {
    int izquierda = 0, arriba = 0, derecha = 0, abajo = 0;
    int panelIzquierda = 0, panelArriba = 0, panelDerecha = 0, panelAbajo = 0;
};
// The box moved wholly inside the visible table and then off the panel by
// the shorter way that stays inside (to its left or below it).
CajaEnMesa DentroDeLaMesa(CajaEnMesa caja, const ZonaAlcance& zona);
// The visible part of the table at the scroll bars' values and the panel on it.
ZonaAlcance ZonaAlcanceActual();
// The part of the table a player can bring into sight: the visible table, or
// with the scroll bars shown the whole work table, and the panel where it
// hides the table at every scroll. Pieces are dealt and read back inside it.
ZonaAlcance ZonaAlcanceMesa();
// The recorder panel where it is shown, in table pixels: at the scroll bars'
// values (`AlDesplazar`), or where it hides the table at every scroll (the
// panel stands still at the window's lower right while the table scrolls
// under it: its place with the table scrolled to the end of both bars, or
// its only place with no bars shown). Nothing while it is hidden.
enum class TapaGrabadora { AlDesplazar, EnTodoDesplazamiento };
std::optional<CajaEnMesa> GrabadoraEnMesa(TapaGrabadora lugar);
// Whether the centre of a box of `ancho` x `alto` at (x, y) lies inside the
// cover (its edges excluded).
bool CentroBajo(const CajaEnMesa& tapa, double x, double y, double ancho, double alto);
// Whether the game's loose pieces lie anywhere on the table (the jigsaw,
// Tangram, pentominoes); sliding and Taipei tiles keep to their boards' cells.
bool PiezasSueltasEnMesa();
// Piece `pieza`'s box on the table as it lies turned, and the piece moved so
// that its box stands at `caja`.
CajaEnMesa CajaEnMesaDePieza(std::int16_t pieza);
void PonPiezaEnCaja(std::int16_t pieza, const CajaEnMesa& caja);
// Whether some point of the box lies in the visible table outside the panel
// and every cover (boxes in table pixels, half open).
bool CajaALaVista(const CajaEnMesa& caja, const ZonaAlcance& zona, const std::vector<CajaEnMesa>& tapas);
// The place nearest to the box's own where it lies wholly inside the visible
// table, clear of the panel and of every cover; nothing when there is none.
std::optional<CajaEnMesa> LugarLibreALaVista(const CajaEnMesa& caja, const ZonaAlcance& zona,
                                             const std::vector<CajaEnMesa>& tapas);
// Where piece `pieza` of the jigsaw, Tangram or pentominoes is to lie when
// it is put at (x, y) turned `giro` and flipped `volteo`: there when that is
// its place, else where its box in that turn lies wholly inside the table
// within reach (ZonaAlcanceMesa) and clear of the command panel
// (DentroDeLaMesa), which is (x, y) itself for a box already within reach;
// a box whose centre would then lie under the shown recorder panel where it
// hides the table at every scroll goes to the nearest such place whose
// centre is clear of it.
// Sliding and Taipei tiles keep to their boards' cells: (x, y) as given. The
// piece itself is left as it was.
struct LugarEnMesa {
    std::int16_t x = 0, y = 0;
    bool operator==(const LugarEnMesa&) const = default;
};
LugarEnMesa LugarAlAlcance(std::int16_t pieza, std::int16_t x, std::int16_t y, std::int16_t giro,
                           std::int16_t volteo);
// Every piece of the jigsaw, Tangram or pentominoes that is not in its place
// is brought, by its real box in its present turn, to its place within reach
// (LugarAlAlcance); its turn and the drawing order stay. The recorder's steps
// take a piece to its recorded places by the same rule, so that stepping
// never puts back out of reach a piece brought in here.
void AcercaPiezasSueltas();

// Puts a checked state in force and rebuilds its puzzle on the table (or,
// while LeyendoInstantanea is set, only in memory). With imagenZoomada the
// picture after zoom is that image (the settings window's copy) and no
// picture file is read.
void AplicaEstadoPartida(const EstadoPartida& e, const QImage* imagenZoomada = nullptr);

// Installs the reading and writing of states into the settings and state
// files (core/Configuracion.h). The program calls it once at start.
void InstalaEstadoPuzzle();
