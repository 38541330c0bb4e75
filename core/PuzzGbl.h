// The program-wide globals. Every subsystem reads and writes them directly;
// each adds its own here as it lands. PuzzGbl.reset() brings every one back
// to its start value, so that tests begin from a clean state.
//
// Types follow the files and the drawing: 16-bit values where they fit,
// 32-bit colours 0x00BBGGRR; flags are bool in memory and -1/0 in files.
#pragma once

#include "core/Tablas.h"
#include "platform/region.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The display mode record of the start-up road. There are no display modes to
// switch here; the record only keeps what the road asks for.
// The game types held in TipoJuego.
namespace juego {
constexpr std::int16_t kPiezasMoviles = 21, kDeslizantes = 22, kTangram = 23, kPentominos = 24, kTaipei = 25;
} // namespace juego

struct RegistroModoPantalla {
    std::int16_t dmSize = 0;
    std::int32_t dmFields = 0;
    std::int32_t dmPelsWidth = 0;
    std::int32_t dmPelsHeight = 0;
};

// One piece, or one Taipei tile: seventeen 16-bit fields in this order.
struct RegistroPieza {
    std::int16_t X = 0, Y = 0, Giro = 0, Volteo = 0;                     // where it is now
    std::int16_t XDestino = 0, YDestino = 0, GiroDestino = 0, VolteoDestino = 0; // its home
    std::int16_t Fila = 0, Columna = 0, Nivel = 0, Estado = 0;           // Taipei
    std::int16_t Valor = 0, Palo = 0, Clase = 0, Copia = 0, Id = 0;      // Taipei
    bool operator==(const RegistroPieza&) const = default;
};

// One recorded move (for a Taipei pair: Pieza 0, XAntes and YAntes the two
// tiles, the rest 0).
struct RegistroMovimiento {
    std::int16_t Pieza = 0;
    std::int16_t XAntes = 0, YAntes = 0, GiroAntes = 0, VolteoAntes = 0;
    std::int16_t XDespues = 0, YDespues = 0, GiroDespues = 0, VolteoDespues = 0;
    bool operator==(const RegistroMovimiento&) const = default;
};

// One stored pentomino solution: for each pentomino 1..12 (entry 0 unused)
// the row and column of its box's top-left cell (from 1), its rotation and
// flip; and how many pieces of the current placement agree with it.
struct PEN_RegistroSolucion {
    std::array<std::int16_t, 13> Fila{}, Columna{}, Giro{}, Volteo{};
    std::int16_t Coincidencias = 0;
    bool operator==(const PEN_RegistroSolucion&) const = default;
};

// A box on the board picture, in pixels.
struct RegistroMarco {
    std::int32_t Izquierda = 0, Arriba = 0, Derecha = 0, Abajo = 0;
    bool operator==(const RegistroMarco&) const = default;
};

// One cell of the Taipei board: its stack height and the tile on each level
// (1 = bottom, 0 = none).
struct TAI_Casilla {
    std::int16_t Altura = 0;
    std::array<std::int16_t, 6> Ficha{};
    bool operator==(const TAI_Casilla&) const = default;
};

// What the Taipei solver knows of one kind: which of its three pairings into
// two pairs are still possible (entries 1..3) and whether it has tiles left.
struct TAI_RegistroClase {
    std::array<bool, 4> EmparejamientoPosible{};
    bool ClaseEnJuego = false;
    bool operator==(const TAI_RegistroClase&) const = default;
};

struct PuzzGblData {
    // ---- folders and texts of the start-up road ----
    QString SaltoLinea = QStringLiteral("\r\n");
    QString RutaPrograma;  // the working folder, ending in "/"
    QString RutaArchivo;   // RutaPrograma + "Archivo/"
    QString RutaImagenes;  // the program folder's "Imagenes/", never relocated
    QString CarpetaActual; // the current folder (the program never changes its process's own)
    RegistroModoPantalla ModoPantalla;
    std::int16_t AnchoMesa = 0; // the table area (the screen), pixels
    std::int16_t AltoMesa = 0;
    bool ResolviendoAuto = false;
    bool BotoneraOculta = true; // the panel is shown: the next press of its tab hides it

    // ---- common services ----
    std::int16_t CursorActual = 0;
    std::int64_t InicioRetardo = 0; // start of the wait in progress (ms); 0 = none
    bool SonidoActivo = false;
    std::int16_t VelocidadJuego = 0; // 0..100, 50 neutral
    std::int16_t NroLineasMensaje = 0;
    std::int16_t TipoMensaje = 0; // 1 one button, else two
    std::int16_t AyudaMensaje = 0; // help topic, 0 none
    bool RespuestaMensaje = false;

    // ---- game table ----
    std::int16_t TipoJuego = 0; // 21..25
    bool CronometroEnMarcha = false;
    std::int32_t SegundosCronometro = 0;
    std::int16_t EstadoListaMov = 0; // 1 hidden, 2 compressed, 3 extended
    // ---- tips panel ----
    // The tip shown; a re-show before the first drawn tip shows tip 2, never
    // the close warning (tip 0).
    std::int16_t NroSugerencia = 2;
    std::int32_t AyudaSugerencia = 0; // help topic of the tip shown
    // ---- end of tips panel ----
    // ---- move recorder panel and model preview ----
    std::int32_t LineasListaMov = 0;   // move lines shown: 0, 5 or as many as fit
    std::int32_t PrimeraLineaGrab = 1; // the move shown on the first line
    std::int16_t ZonaGrabadora = 0;    // 23 over an active button of the panel, else 0
    bool PulsadoRetroceder = false, PulsadoAvanzar = false, PulsadoRestaurar = false; // shown pressed
    bool ListaMovAnterior = false, ListaMovPosterior = false; // a list arrow is held
    std::int16_t MuestraMaxX = 0;      // largest left of a dropped preview
    bool MuestraMovidaAMano = false;   // the preview lies where the player dropped it, not where it was placed
    // ---- end of move recorder panel and model preview ----
    std::int32_t MovActual = 0;        // moves now applied (0..UltimoMovGrabado)
    std::int32_t UltimoMovGrabado = 0; // moves recorded

    // command panel and chronometer
    std::array<std::int16_t, 13> BotonX{}, BotonY{}; // buttons 1..12 inside the panel
    std::array<std::int16_t, 13> BotonCursor{};      // 23 active, 12 inactive
    std::int16_t CursorCrono = 0;    // 23 over the switch, 0 elsewhere
    std::int16_t CronoSenalado = -1; // hover code the switch's pointer and tip were set for
    bool CronoAntesGrabadora = false; // the recorder's saved running state
    std::int16_t HuecoX = 0, HuecoY = 0; // layout cursors
    bool GrabadoraEncendida = false;
    bool TutorActivo = false;
    bool RecogiendoPiezas = false;
    bool ColocacionManual = false;
    std::int16_t PiezaSeleccionada = 0;
    std::int16_t TipoJuegoInicial = 0;
    bool ReiniciarPuzzle = false;
    bool RetrocesoContinuo = false, AvanceContinuo = false;
    std::array<std::int16_t, 3> TAI_ParejaSugerida{}; // entries 1 and 2, 0 none
    bool SaliendoPrograma = false; // the exit was accepted: every running loop ends

    // table surface, picking and dragging
    std::int16_t RatonX = 0, RatonY = 0;   // pointer at the last press on the table
    std::int16_t BotonRaton = 0;           // button of that press: 1 left, 2 right
    std::int16_t PunteroRaton = -1;        // pointer code last applied to the table; -1 none
    bool SoltandoPieza = false;            // a drop is being handled
    bool GirandoPieza = false;             // the right-button rotation loop runs
    bool GiroSimulado = false;             // the solver presses the table to turn a piece
    bool EjecutandoSolucion = false;       // the solver moves pieces
    std::int16_t TAI_PiezaPareja = 0;      // the other selected Taipei tile, 0 none
    std::int16_t OpcionSenalada = 0;       // row of the option panel under the pointer
    std::array<bool, 5> OpcionesSelecActivas{}; // option panel rows 1..4 enabled
    std::int32_t GeneracionMascaras = 0;   // grows at every set-up: kept piece masks are stale

    // dropping, end of a puzzle and history
    // The last Tangram un-overlap: the overlaps it pushed the piece out of,
    // and the direction of push n in entry n (1..20; 99 free).
    std::int16_t TAN_Solapes = 0;
    std::array<std::int16_t, 21> TAN_DireccionesProbadas{};
    // The Taipei layout's rows and columns that hold at least one stack.
    std::int16_t TAI_NroFilas = 0, TAI_NroColumnas = 0;

    // ---- constant tables ----
    // Filled once by InicializaTablas and only read afterwards, except the
    // regions, the tip clock and the options of selector 2.
    std::array<plat::Region, 7> Regiones; // entries 1 to 6, empty at start; the drawing sets them
    std::array<QString, 100> TextosControles; // captions by control number
    // Option texts by selector (0..36) and option (0..6), 38 characters each.
    TablaOpcionesSelector OpcionesSelector = OpcionesEnBlanco();
    std::array<ParametroSpin, 91> ParametrosSpin; // by control number
    std::array<QString, 11> TextoOpcionesSelec; // rows 1 to 4 of the table's option panel
    std::array<QString, 8> NombresFormas; // jigsaw piece shapes by FormaPieza (0..7)
    std::array<QString, 8> NombresPiezasTangram; // Tangram pieces 1 to 7
    std::array<std::int16_t, 8> TAN_Gemela{}; // twin of each Tangram piece, 0 none
    std::array<PEN_RegistroForma, 13> PEN_TablaPiezas; // pentomino shapes 1 to 12
    QString LetrasPiezas; // 24 letters of the sliding pieces
    std::array<QString, 8> TAI_NombrePalo; // Taipei suits 1 to 7
    std::array<std::array<QString, 5>, 8> TAI_NombreFicha; // by suit and value (suits 4 to 7)
    std::array<Sugerencia, 71> Sugerencias;
    std::int64_t TiempoSugerencia = 0; // clock (ms) when the shown tip was set
    std::int32_t AnchoControl = 0; // size of the control or display being drawn (also scratch)
    std::int32_t AltoControl = 0;

    // ---- pieces, moves and geometry ----
    std::int16_t NroPiezas = 0;
    std::vector<RegistroPieza> Piezas = std::vector<RegistroPieza>(1);     // 0..NroPiezas, 0 unused
    std::vector<std::int16_t> OrdenPiezas = std::vector<std::int16_t>(1);  // 0..NroPiezas, 1 = front
    RegistroPieza PiezaActual;
    std::vector<RegistroMovimiento> MovGrabados = std::vector<RegistroMovimiento>(101); // from 1
    std::int16_t NroPiezasColocadas = 0; // pieces in place (Taipei: tiles removed)
    // The visible part of the last measured triangle piece, board pixels.
    std::int32_t MascaraPosX = 0, MascaraPosY = 0, MascaraAncho = 0, MascaraAlto = 0;
    std::int16_t TrabajoNuevoX = 0, TrabajoNuevoY = 0; // pointer where the dragged piece was last placed
    bool ArrastrandoPieza = false;
    // The puzzle's geometry.
    std::int16_t PiezasCasilla = 0; // pieces per grid cell of the jigsaw shape: 1, 2 or 4
    std::int16_t AnchoPieza = 0, AltoPieza = 0;         // one piece or cell
    std::int16_t AnchoPiezaBase = 0, AltoPiezaBase = 0; // a piece's picture (Tangram, pentominoes: last orientation asked)
    std::int16_t AnchoImagen = 0, AltoImagen = 0;       // the board picture
    std::int16_t OrigenX = 0, OrigenY = 0;              // the board's origin on the table
    std::array<std::int16_t, 8> TAN_AnchoPiezas{}, TAN_AltoPiezas{}, TAN_LadoPiezas{}; // Tangram pieces 1..7
    RegistroMarco MarcoFigura; // the Tangram figure's box
    std::int16_t LadoCelda = 0; // pentomino cell, pixels
    std::int16_t FilasTablero = 0, ColumnasTablero = 0; // pentomino or Taipei board
    std::int16_t TAI_NroNiveles = 0;
    std::int16_t TAI_Relieve = 0; // pixel offset of each Taipei level
    std::vector<PEN_RegistroSolucion> PEN_Soluciones = std::vector<PEN_RegistroSolucion>(1); // from 1
    std::int16_t PEN_NumSoluciones = 0;
    // The pentomino board: element (row 1..16, column 1..22) is true where the
    // cell belongs to the figure to fill; row 0 and column 0 are unused.
    std::array<std::array<bool, 23>, 17> PEN_Modelo{};
    std::int16_t PEN_SolucionActual = 0;

    // drawing
    struct PEN_RegistroGirada {
        std::array<std::int16_t, 6> X{}, Y{};    // cells 1 to 5
        std::int16_t Ancho = 0, Alto = 0;        // box in cells
    };
    std::int16_t MargenPiezaX = 0, MargenPiezaY = 0;
    // The jigsaw's cut: shape parameters chosen when the picture is cut (radii
    // and insets in pixels, aspects height over width), the one-pixel seam
    // corrections of the irregular templates, and the cell being drawn.
    std::int16_t CorteParam1 = 0, CorteParam2 = 0, CorteParam3 = 0, CorteParam4 = 0;
    float CorteProporcion1 = 0, CorteProporcion2 = 0;
    std::int16_t AjusteCorteX = 0, AjusteCorteY = 0;
    std::int32_t OrigenCeldaX = 0, OrigenCeldaY = 0;
    std::int16_t ContadorX = 0, ContadorY = 0; // shared loop counters (scratch)
    bool MostrarBienoMal = false;
    std::array<std::array<std::int16_t, 5>, 8> TAN_VerticeX{}, TAN_VerticeY{}; // (piece, vertex)
    std::int16_t TAN_DesplX = 0, TAN_DesplY = 0; // a point inside the Tangram piece
    PEN_RegistroGirada PEN_PiezaGirada;
    std::int16_t PiezaAnterior = 0, GiroAnterior = 0; // the piece imaged last
    std::int16_t TrabajoAntX = 0, TrabajoAntY = 0;     // dragged box before the last refresh
    std::int16_t MuestraX = 0, MuestraY = 0;           // model preview's place
    std::array<std::array<TAI_Casilla, 24>, 17> TAI_Tablero{}; // rows 1..16, columns 1..22

    // recorder, shuffle and deal
    std::int16_t OperacionGrabadora = 0; // 11 while review ends by replaying to the last move
    bool Barajando = false;              // a shuffle or deal is running: the table refuses presses
    bool CaminoDeslizante = false;       // the sliding walk is letting events run between its moves
    std::int16_t DireccionDeslizar = 0;      // 0 cannot move, 1 up, 2 right, 3 down, 4 left
    std::array<std::int16_t, 5> PiezasMovibles{}; // entries 1..NumMovibles
    std::int16_t NumMovibles = 0;
    std::int16_t PosAnteriorX = 0, PosAnteriorY = 0;

    // sliding tiles
    std::int16_t LadoZonaPieza = 0; // side of the zone a piece's picture is drawn in
    // The solver's answer: the pieces to slide, entry 1 the last slide, entry
    // NumPasosSolucion the first.
    std::vector<std::int16_t> CaminoSolucion = std::vector<std::int16_t>(101);
    std::int32_t NumPasosSolucion = 0;
    bool SinCaminoSolucion = false; // the last search gave up without a path
    bool BuscandoSolucion = false;  // the solver is letting events run: the table refuses presses

    // ---- settings and state files ----
    // The global settings file.
    bool MostrarSugerencias = false;
    std::int16_t ListaMovimientos = 0; // 1 always visible, 2 only while the recorder is on
    // The game's own settings, kept in its state file.
    QString NombreJugador;             // 9 characters, blank-padded
    std::int32_t ColorFondo = 0;       // 0x00BBGGRR
    std::int32_t ColorPieza = 0;
    std::int32_t ColorLineas = 0;
    std::int32_t ColorFondoClaro = 0;  // the shades: 40 a channel lighter and darker
    std::int32_t ColorFondoOscuro = 0;
    std::int32_t ColorPiezaClaro = 0;
    std::int32_t ColorPiezaOscuro = 0;
    bool MuestraVisible = false;       // model preview shown
    std::int16_t NroModelo = 0;        // record number in the game's model file
    std::int16_t ZoomImagen = 0;       // percent
    std::int16_t PiezasLado = 0;
    std::int16_t FormaPieza = 0;       // 0..7
    bool MostrandoModelo = false;      // finished picture shown
    bool PasaAlHistorico = false;
    std::int16_t TAN_ModoJuego = 0;    // 1 design, 2 solve stored models
    std::int16_t TipoRotulo = 1;       // sliding background: 1 picture, 2 numbers, 3 letters
    bool ImagenAusente = false;        // the sliding picture could not be read: numbers this run only
    std::int16_t MaterialPiezas = 1;   // Taipei tiles: 1 bone, 2 wood
    std::int16_t FactorAtraccion = 0;  // 0..100
    bool GiroPermitido = false;
    bool DibujarBorde = false;
    bool AtraccionPiezas = false;
    bool PiezasUnColor = false;
    QString NombreModelo;
    double GradoDificultad = 0;
    std::int16_t AgujeroX = 0;         // sliding hole, pixel corner of its cell
    std::int16_t AgujeroY = 0;
    std::int32_t AnchoBmp = 0;         // the picture, pixels
    std::int32_t AltoBmp = 0;
    // The picture: drive, folder, file name and full path (" " = none).
    QString UnidadImagen, CarpetaImagen, ArchivoImagen, FicheroImagen;
    // The nine lines of a state file (1..9) as last composed.
    std::array<QString, 10> LineasConfiguracion;
    std::int16_t ErrorFichero = 0;     // error number of the last failed open, 0 = opened
    bool CargaCorrecta = false;        // the quiet loader could read its file
    bool LeyendoInstantanea = false;   // reading the settings window's snapshot back
    bool CambioCosmetico = false;      // a reload that must not redraw the table
    bool SeleccionValida = false;      // the puzzle on the table has a usable picture
    // ---- state kept for its model ----
    // The game whose state file is left as it is on disk (refused only for
    // its model file, or damaged with no room for its copy): not written
    // until the player starts something in that game (0: none).
    std::int16_t EstadoConservado = 0;
    // The game whose kept file could not be set aside when play started: its
    // play is not saved this run, and that is said once (0: none).
    std::int16_t EstadoSinApartar = 0;
    // ---- end of state kept for its model ----
    std::array<std::array<std::int16_t, 3>, 73> TAI_Reparto{}; // pair 1..72, tile 1..2

    // Taipei layouts, blocking measures, hint and solver
    QString TAI_RegistroModelo;                // the layout record last read (452 characters)
    std::array<std::int16_t, 145> TAI_Bloqueo{};     // by tile: tiles to take before it is free
    std::array<std::int16_t, 145> TAI_PesoBloqueo{}; // by free tile: its weight for the hint
    std::array<TAI_RegistroClase, 37> TAI_Clases{};  // by kind 1..36 (solver scratch)
    // The solver's removal sequence: step 1.., members 1 and 2.
    std::array<std::array<std::int16_t, 3>, 73> TAI_TablaBusqueda{};
    bool TAI_SolucionHallada = false;

    // ---- owner-drawn controls ----
    std::int16_t XAgarrePotenciometro = 0; // mouse x at the last drag step of a slider knob
    bool RepeticionSpin = false;           // a spin arrow is held and may repeat

    // ---- the option panel and the load and save window ----
    // What the load and save window does: 1 load, 2 save, 3 delete, 4 store
    // the Tangram figure as a model. Kept after the window closes.
    std::int16_t CarGuaModo = 0;

    void reset() { *this = PuzzGblData{}; }
};

extern PuzzGblData PuzzGbl;
