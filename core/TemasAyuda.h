// The help topics the program opens: one named constant per page of the help
// folder ("<topic>.html"). Every message with a help button and every call of
// the help viewer passes one of these; the help check reads this header and
// fails when a topic here has no page.
//
// Keep one constant per line, written as the ones below.
#pragma once

namespace ayuda {

constexpr int kIndice = 0; // the contents page

constexpr int kBienvenida = 1020;
constexpr int kResolucionPantalla = 1040;

constexpr int kPersonalizar = 2111;
constexpr int kCambioJuego = 2112;
constexpr int kFondoDeslizantes = 2113;
constexpr int kModoTangram = 2114;
constexpr int kImagenFueraDeLimites = 2115;
constexpr int kModelos = 2117;
constexpr int kFormaPiezas = 2119;
constexpr int kNumeroPiezas = 2120;
constexpr int kBordePiezas = 2122;
constexpr int kAtraccionEntrePiezas = 2123;
constexpr int kColorMesa = 2124;
constexpr int kFactorAtraccion = 2126;
constexpr int kVentanaInformacion = 2128;
constexpr int kSonido = 2129;
constexpr int kListaMovimientos = 2131;
constexpr int kPentominosUnColor = 2132;
constexpr int kTutor = 2145;
constexpr int kEstadisticas = 2151;
constexpr int kHistorico = 2161;
constexpr int kBarajarTangram = 2180;
constexpr int kMostrarModelo = 2182;
constexpr int kOrdenarPiezas = 2184;
constexpr int kPiezasColocadas = 2186;
constexpr int kPiezasOcultas = 2188;
constexpr int kResolverPuzzle = 2189;
constexpr int kPuzzleResuelto = 2200;
constexpr int kGuardarCargarPuzzles = 2500;
constexpr int kGuardarModeloTangram = 2540;

constexpr int kReglasMoviles = 3010;
constexpr int kReglasDeslizantes = 3020;
constexpr int kReglasTangram = 3030;
constexpr int kReglasPentominos = 3040;
constexpr int kReglasTaipei = 3050;

constexpr int kBorrarModeloTangram = 4010;
constexpr int kGirarVoltear = 4030;
constexpr int kRequisitosHistorico = 4040;

} // namespace ayuda
