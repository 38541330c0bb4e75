// The tips panel: a strip at the lower left of the visible table with one tip
// at a time (three lines of blue text), a "más ayuda" link to the tip's help
// topic and a small close button. The table's timer replaces tips that no
// longer fit and, at most every 5000 ms, shows a new one drawn at random
// among those that suit the game and the state of the puzzle.
//
// MuestraSugerencia itself is declared with the table's other panel
// procedures (core/ServiciosMesa.h).
#pragma once

#include "core/Tablas.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

using TablaSugerencias = std::array<Sugerencia, 71>;

// Size of the panel and of its two controls, and where they lie in it.
constexpr int kAnchoPanelSugerencia = 423, kAltoPanelSugerencia = 64;
constexpr int kAnchoEnlaceSugerencia = 55, kAltoEnlaceSugerencia = 19;
constexpr int kEnlaceSugerenciaX = 5, kEnlaceSugerenciaY = 3;
constexpr int kLadoCierreSugerencia = 19;
constexpr int kCierreSugerenciaX = kAnchoPanelSugerencia - kLadoCierreSugerencia - 6, kCierreSugerenciaY = 2;
// The close button's picture on the sheet of small pictures.
constexpr int kCierreLaminaX = 78, kCierreLaminaY = 30;
// Colour of the tip's text (0x00BBGGRR: blue).
constexpr std::uint32_t kColorTextoSugerencia = 0xFF0000;
// Tips with a special use: the close warning, the tutor's instruction, the
// model preview button, the tip that always fits.
constexpr std::int16_t kSugerenciaCierre = 0, kSugerenciaTutor = 9, kSugerenciaMuestra = 28;
constexpr std::int16_t kSugerenciaCambioJuego = 1, kSugerenciaPersonalizar = 2;
// A new tip is due once more than this many milliseconds have passed.
constexpr std::int64_t kIntervaloSugerencias = 5000;
// Draws refused in a row before the draw settles on kSugerenciaPersonalizar.
constexpr int kMaxSorteosSugerencia = 1000;

// ---- where the panel lies ----

// The panel's left and top in table pixels: the lower left corner of the
// visible table, just above the horizontal scroll bar, wherever the table is
// scrolled to.
struct LugarSugerencia {
    int left, top;
    bool operator==(const LugarSugerencia&) const = default;
};
LugarSugerencia LugarPanelSugerencia(int barraHorValor, int barraHorArriba, int barraVerValor);

// ---- what the panel prints ----

struct LineaSugerencia {
    QString texto; // the first 59 characters of one 60-character line
    int x, y;
};
// The three lines of a tip's text, with their places on the panel.
std::array<LineaSugerencia, 3> LineasSugerencia(const QString& texto);

// ---- which tip fits ----

// What the choice of a tip depends on.
struct EstadoSugerencias {
    std::int16_t juego = 21;          // TipoJuego
    std::int16_t modoTangram = 0;     // TAN_ModoJuego: 1 design
    bool mostrandoModelo = false;     // the finished picture is shown
    bool tutorActivo = false;
    std::int16_t nroPiezas = 0;
    std::int16_t nroPiezasColocadas = 0;
    bool dibujarBorde = false;
    bool giroPermitido = false;
    bool piezasUnColor = false;
    std::int16_t listaMovimientos = 0; // 2: the move list only while the recorder is on
    std::int16_t tipoRotulo = 1;       // sliding background: 1 picture
    bool muestraVisible = false;       // the model preview is shown
};
EstadoSugerencias EstadoSugerenciasActual();

// The tip that a drawn number k gives in that state: k itself, the current
// game's tip for 59 to 65, or nothing when the number does not suit the state
// or has no text in the table.
std::optional<std::int16_t> AceptaSugerencia(int k, const EstadoSugerencias& e, const TablaSugerencias& tabla);

// Draws k = Int(70 * azar()) + 1 until AceptaSugerencia takes one; after
// kMaxSorteosSugerencia refusals, kSugerenciaPersonalizar.
std::int16_t SorteaSugerencia(const EstadoSugerencias& e, const TablaSugerencias& tabla,
                              const std::function<float()>& azar);

// ---- the timer's turn ----

// After the chronometer, every tick: the tutor's tip gives way to tip 2 once
// the tutor is no longer waiting, the preview's tip to tip 1 once the preview
// shows; then, when more than 5000 ms have passed since the tip shown was set
// and tips are on, a new tip drawn at random.
void PasoSugerencias();

// The clock (milliseconds, 64-bit) and the random numbers (0 <= r < 1) the
// tips use: the program's own unless a test puts others in.
std::function<std::int64_t()>& RelojSugerencias();
std::function<float()>& AzarSugerencias();
// Both back to the program's own.
void ReiniciaRelojYAzarSugerencias();
