// The constant tables, filled once at start.
#include "core/Tablas.h"

#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"

#include <cstddef>

namespace {

constexpr int kLargoSugerencia = 184; // 180 characters of text, then the 4-digit topic
constexpr int kLargoFormaPentomino = 24;

// A statement that fails is skipped and the filling goes on with the next.
template <class F>
void SiFallaSigue(F&& paso) {
    try {
        paso();
    } catch (const plat::RuntimeError&) {
    }
}

// ---- captions of the owner-drawn controls ----

struct Rotulo {
    int indice;
    const char16_t* texto;
};

// The leading and trailing blanks belong to the captions.
constexpr Rotulo kTextosControles[] = {
    {1, u" Modo de juego  "},
    {2, u" Fondo del puzzle  "},
    {5, u"Lista de movimientos"},
    {6, u"Material de las piezas"},
    {11, u"Sonido"},
    {12, u"Permitir el giro de las piezas"},
    {13, u"Dibujar el borde de las piezas"},
    {14, u"Atracción entre las piezas"},
    {15, u"Ventana de información"},
    {16, u"Piezas de un solo color"},
    {21, u"Piezas móviles"},
    {22, u"Piezas deslizantes"},
    {23, u"Tangram"},
    {24, u"Pentominós"},
    {25, u"Taipei"},
    {31, u"Pegar imagen del Portapapeles"},
    {32, u"Probar atracción"},
    {41, u" Porcentaje.......:"},
    {51, u"Velocidad de juego"},
    {52, u"Porcentaje"},
};

// ---- selector options (selector 2 is written by the settings window) ----

struct OpcionSelector {
    int selector;
    int opcion;
    const char16_t* texto;
};

constexpr OpcionSelector kOpcionesSelector[] = {
    {1, 1, u"Crear nuevos modelos"},
    {1, 2, u"Resolver modelos archivados"},
    {5, 1, u"Siempre visible"},
    {5, 2, u"Si conecta grabadora"},
    {6, 1, u"Hueso claro"},
    {6, 2, u"Madera oscura"},
};

// ---- pentomino shapes ----

constexpr const char16_t* kFormasPentomino[12] = {
    u"01 10 11 12 20 3 3 4 2 F", u"00 01 02 03 04 1 5 2 1 I", u"00 01 02 03 13 2 4 4 2 L",
    u"01 02 03 10 11 2 4 4 2 N", u"00 01 02 10 11 2 3 4 2 P", u"00 10 20 11 12 3 3 4 1 T",
    u"00 01 11 21 20 3 2 4 1 U", u"00 01 02 12 22 3 3 4 1 V", u"02 12 11 21 20 3 3 4 1 W",
    u"01 11 21 10 12 3 3 1 1 X", u"01 10 11 12 13 2 4 4 2 Y", u"00 10 11 12 22 3 3 2 2 Z",
};

constexpr plat::Color kColoresPentomino[12] = {
    0x000000, 0x808000, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, // F I L N P T
    0xFF00FF, 0x00FFFF, 0xFFFFFF, 0x008000, 0x000080, 0x008080, // U V W X Y Z
};

// ---- tips ----

struct ConstanteSugerencia {
    int indice;
    const char16_t* texto;
};

// A tip's stored form: exactly 184 characters, checked when it is compiled
// (every character of these texts is one UTF-16 unit).
template <std::size_t N>
consteval ConstanteSugerencia Sug(int indice, const char16_t (&texto)[N]) {
    static_assert(N - 1 == kLargoSugerencia, "a tip is 3 lines of 60 characters and a 4-digit topic");
    return {indice, texto};
}

constexpr ConstanteSugerencia kSugerencias[] = {
    Sug(0,  u"Si  cierra esta ventana puede reactivarla  en el conmutador "
            u"'Ventana de información'  de la ventana Personalizar.       "
            u"                                                            "
            u"2128"),
    Sug(1,  u"Puede cambiar de juego en el panel 'Juego Actual' dentro de "
            u"la ventana Personalizar                                     "
            u"                                                            "
            u"2112"),
    Sug(2,  u"Para cambiar algún parámetro  o  característica  del  juego "
            u"actual, entre en la ventana Personalizar.                   "
            u"                                                            "
            u"2111"),
    Sug(3,  u"Si  desea  comprobar  cuales  son  las  piezas que ya están "
            u"correctamente colocadas,  pulse  el  botón  'Mostrar piezas "
            u"colocadas'.                                                 "
            u"2186"),
    Sug(4,  u"Si lo desea, puede eliminar la linea delimitadora del borde "
            u"de las piezas  en  el  conmutador  'Dibujar el borde de las "
            u"piezas' de la ventana Personalizar.                         "
            u"2122"),
    Sug(5,  u"Si lo desea, se puede dibujar una  linea  delimitadora  del "
            u"borde de las piezas en el  conmutador  'Dibujar el borde de "
            u"las piezas' de la ventana Personalizar.                     "
            u"2122"),
    Sug(6,  u"Cuando desee resolver el puzzle de forma automática,  pulse "
            u"el botón 'Resolver el puzzle'  y  el ordenador colocará las "
            u"piezas que faltan para terminar el puzzle.                  "
            u"2189"),
    Sug(7,  u"Si duda sobre  la  ubicación de una pieza,  pulse el  botón "
            u"'Tutor de juego' para que el programa le ayude a colocarla. "
            u"                                                            "
            u"2145"),
    Sug(8,  u"Si duda sobre la pareja que debe eliminar  a  continuación, "
            u"pulse el  botón  'Tutor de juego'  para  que el programa le "
            u"indique cual es la más conveniente según su criterio.       "
            u"2145"),
    Sug(9,  u"Haga clic sobre una pieza para que el  Tutor  le indique el "
            u"lugar donde debe colocarla.                                 "
            u"                                                            "
            u"2145"),
    Sug(10, u"Cuando coloque una pieza cerca de su ubicación correcta  en "
            u"el puzzle, se sentirá atraída hasta su lugar de destino con "
            u"la fuerza que determine en el panel 'Factor de atracción'.  "
            u"2126"),
    Sug(12, u"Si algunas de las piezas pendientes de colocar  han quedado "
            u"ocultas por el puzzle que está resolviendo,  pulse el botón "
            u"'Mostrar piezas ocultas' para subirlas al primer plano.     "
            u"2188"),
    Sug(15, u"Para apartar del centro de la mesa de juego las piezas  que "
            u"estan pendientes de colocar, ordenándolas en los laterales, "
            u"pulse el botón 'Ordenar las piezas'.                        "
            u"2184"),
    Sug(16, u"Para ordenar manualmente las piezas deslizantes y así poder "
            u"configurar una posición de partida predeterminada, pulse el "
            u"botón 'Ordenar las piezas'.                                 "
            u"2184"),
    Sug(21, u"Para ampliar información sobre las reglas y características "
            u"del juego  de  puzzles  de  piezas móviles, haga clic en el "
            u"texto 'más  ayuda' en la parte superior de esta ventana.    "
            u"3010"),
    Sug(22, u"Para ampliar información sobre las reglas y características "
            u"del juego de puzzles de piezas deslizantes, haga clic en el "
            u"texto 'más  ayuda' en la parte superior de esta ventana.    "
            u"3020"),
    Sug(23, u"Para ampliar información sobre las reglas y características "
            u"del juego del Tangram,  haga clic en el texto  'más  ayuda' "
            u"en la parte superior de esta ventana.                       "
            u"3030"),
    Sug(24, u"Para ampliar información sobre las reglas y características "
            u"del juego de Pentominós, haga clic en el texto 'más  ayuda' "
            u"en la parte superior de esta ventana.                       "
            u"3040"),
    Sug(25, u"Para ampliar información sobre las reglas y características "
            u"del juego del Taipei,  haga clic  en el texto  'más  ayuda' "
            u"en la parte superior de esta ventana.                       "
            u"3050"),
    Sug(28, u"Si desea ver una muestra reducida de la imagen de fondo del "
            u"puzzle, pulse el botón 'Mostrar modelo'.                    "
            u"                                                            "
            u"2182"),
    Sug(29, u"Puede cambiar el color de la mesa de juego seleccionando el "
            u"color que desee en el panel 'Color de fondo'  de la ventana "
            u"Personalizar.                                               "
            u"2124"),
    Sug(30, u"Para rotar las piezas del puzzle,  haga  clic  con el botón "
            u"derecho sobre la pieza que desea girar. Si mantiene pulsado "
            u"el botón la pieza girará hasta que lo libere.               "
            u"4030"),
    Sug(32, u"Si  lo  desea,   puede  activar  el  valor  del  conmutador "
            u"'Piezas de un solo color' para que los 12 pentominós tengan "
            u"todos el color seleccionado en 'Color de las piezas'.       "
            u"2132"),
    Sug(33, u"Si lo desea,  puede  desactivar  el  valor  del  conmutador "
            u"'Piezas de un solo color' para que los 12 pentominós tengan "
            u"cada uno un color distinto predeterminado.                  "
            u"2132"),
    Sug(35, u"Puede elegir entre tres tipos de fondo  para las piezas del "
            u"puzzle (Imagen, números o letras).  Puede  elegirlo  en  el "
            u"selector 'Fondo del puzzle' de la ventana Personalizar.     "
            u"2113"),
    Sug(40, u"Para cambiar entre el modo de diseño de modelos o figuras y "
            u"el modo de resolución de modelos archivados,use el selector "
            u"'Modo de juego' de la ventana Personalizar.                 "
            u"2114"),
    Sug(43, u"Puede elegir entre  8  formas distintas para las piezas del "
            u"puzzle. Elija la forma que desee en el panel  'Forma de las "
            u"piezas' de la ventana Personalizar.                         "
            u"2119"),
    Sug(44, u"Puede modificar el número de piezas que componen el  puzzle "
            u"entre varios valores en la lista  'Número de piezas'  de la "
            u"ventana Personalizar.                                       "
            u"2120"),
    Sug(46, u"Cuando coloque una pieza cerca de otra,  se sentirá atraída "
            u"por ella facilitando así la tarea de formar figuras.  Puede "
            u"modificarlo en el conmutador 'Atracción entre las piezas'.  "
            u"2123"),
    Sug(48, u"Si desea jugar en silencio y anular los sonidos propios del "
            u"programa, puede modificar el valor del selector 'Sonido' en "
            u"la ventana Personalizar.                                    "
            u"2129"),
    Sug(50, u"Para retroceder en los movimientos de resolución del puzzle "
            u"utilize la Grabadora de movimientos que se encuentra  en la "
            u"parte inferior del Panel de Botones.                        "
            u"2200"),
    Sug(51, u"Si no desea que  la  lista  de  movimientos que muestra  la "
            u"Grabadora permanezca visible,  puede modificar el valor del "
            u"selector 'Lista de movimientos' de la ventana Personalizar. "
            u"2131"),
    Sug(55, u"Para guardar el puzzle actual y volver a restaurar la misma "
            u"situación cuando desee,haga clic con el botón derecho sobre "
            u"la mesa de juego y se mostrará un panel de opciones.        "
            u"2500"),
    Sug(60, u"Puede guardar el diseño actual como modelo y resolverlo con "
            u"posterioridad. Para ello, haga clic con el botón derecho en "
            u"la mesa de juego y se mostrará un panel de opciones.        "
            u"2540"),
    Sug(65, u"No todos los puzzles resueltos se archivan en  el Histórico "
            u"de puzzles. Para saber los requisitos necesarios, haga clic "
            u"en 'más  ayuda' en la parte superior de esta ventana.       "
            u"4040"),
};

QString Texto(const char16_t* t) { return QString::fromUtf16(t); }

void FijaTablaArea() {
    const QSize pantalla = TamanoPantalla();
    PuzzGbl.AnchoMesa = plat::cint16(plat::roundHalfEven(double(pantalla.width())));
    PuzzGbl.AltoMesa = plat::cint16(plat::roundHalfEven(double(pantalla.height())));
}

void CreaRegiones() {
    for (std::size_t i = 1; i <= 6; ++i) PuzzGbl.Regiones[i] = plat::Region::rect(0, 0, 0, 0);
}

void LlenaTextosControles() {
    for (const Rotulo& r : kTextosControles) PuzzGbl.TextosControles[std::size_t(r.indice)] = Texto(r.texto);
}

void LlenaOpcionesSelector() {
    const QString blancos(kAnchoOpcionSelector, QChar(u' '));
    for (std::size_t s = 1; s <= 36; ++s) PuzzGbl.OpcionesSelector[s].fill(blancos);
    for (const OpcionSelector& o : kOpcionesSelector)
        PuzzGbl.OpcionesSelector[std::size_t(o.selector)][std::size_t(o.opcion)] =
            TextoDeAncho(Texto(o.texto), kAnchoOpcionSelector);
}

void LlenaNombres() {
    PuzzGbl.ParametrosSpin[41] = ParametroSpin{5.0f, 995.0f, 5.0f, QStringLiteral("&&@"), false};
    SiFallaSigue([] {
        PuzzGbl.TextoOpcionesSelec[1] = QStringLiteral("Guardar este puzzle");
        PuzzGbl.TextoOpcionesSelec[2] = QStringLiteral("Cargar un puzzle");
        PuzzGbl.TextoOpcionesSelec[3] = QStringLiteral("Borrar un puzzle");
        PuzzGbl.TextoOpcionesSelec[4] = QStringLiteral("Guardar como modelo");
    });
    SiFallaSigue([] {
        PuzzGbl.NombresFormas = {
            QStringLiteral("Rectángulos"),
            QStringLiteral("Curvados"),
            QStringLiteral("Irregulares"),
            QStringLiteral("Triángulos"),
            QStringLiteral("Círculos en Rectángulos"),
            QStringLiteral("Rectángulos en Rectángulos"),
            QStringLiteral("Elipses en Rectángulos"),
            QStringLiteral("Estrellas en Rectángulos"),
        };
    });
    SiFallaSigue([] {
        PuzzGbl.NombresPiezasTangram = {
            QString(),
            QStringLiteral("Triángulo grande"),
            QStringLiteral("Triángulo grande"),
            QStringLiteral("Triángulo mediano"),
            QStringLiteral("Triángulo pequeño"),
            QStringLiteral("Triángulo pequeño"),
            QStringLiteral("Cuadrado"),
            QStringLiteral("Paralelogramo"),
        };
    });
    SiFallaSigue([] { PuzzGbl.TAN_Gemela = {0, 2, 1, 0, 5, 4, 0, 0}; });
}

void LlenaPentominos() {
    for (std::size_t p = 1; p <= 12; ++p)
        SiFallaSigue([p] { PuzzGbl.PEN_TablaPiezas[p] = FormaDeConstante(Texto(kFormasPentomino[p - 1])); });
    for (std::size_t p = 1; p <= 12; ++p) PuzzGbl.PEN_TablaPiezas[p].Color = kColoresPentomino[p - 1];
}

void LlenaLetrasYTaipei() {
    PuzzGbl.LetrasPiezas = QStringLiteral("ABCDEFGHIJKLMNÑOPQRSTUVW");
    SiFallaSigue([] {
        PuzzGbl.TAI_NombrePalo = {
            QString(),
            QStringLiteral("Bambú"),
            QStringLiteral("Disco"),
            QStringLiteral("Número"),
            QStringLiteral("Viento"),
            QStringLiteral("Dragón"),
            QStringLiteral("Estación"),
            QStringLiteral("Flor"),
        };
    });
    SiFallaSigue([] {
        auto& f = PuzzGbl.TAI_NombreFicha;
        f[4] = {QString(), QStringLiteral("Norte"), QStringLiteral("Sur"), QStringLiteral("Este"),
                QStringLiteral("Oeste")};
        f[5] = {QString(), QStringLiteral("Verde"), QStringLiteral("Azul"), QStringLiteral("Rojo"), QString()};
        f[6] = {QString(), QStringLiteral("Primavera"), QStringLiteral("Verano"), QStringLiteral("Otoño"),
                QStringLiteral("Invierno")};
        f[7] = {QString(), QStringLiteral("Orquídea"), QStringLiteral("Plumaria"), QStringLiteral("Bambú"),
                QStringLiteral("Crisantemo")};
    });
}

void LlenaSugerencias() {
    std::array<QString, 71> constantes;
    for (const ConstanteSugerencia& c : kSugerencias) constantes[std::size_t(c.indice)] = Texto(c.texto);
    for (std::size_t i = 0; i < constantes.size(); ++i)
        SiFallaSigue([&, i] { PuzzGbl.Sugerencias[i] = SugerenciaDeConstante(constantes[i]); });
}

} // namespace

QString TextoDeAncho(const QString& texto, int ancho) { return plat::padRecord(texto, ancho); }

TablaOpcionesSelector OpcionesEnBlanco() {
    TablaOpcionesSelector t;
    for (auto& fila : t) fila.fill(QString(kAnchoOpcionSelector, QChar(u' ')));
    return t;
}

Sugerencia SugerenciaDeConstante(const QString& constante) {
    Sugerencia s;
    s.Texto = constante.left(kAnchoTextoSugerencia);
    s.IdAyuda = plat::cint16(plat::val(constante.mid(kAnchoTextoSugerencia, 4)));
    return s;
}

PEN_RegistroForma FormaDeConstante(const QString& fila) {
    // Columns are counted from 1, as the rows are written.
    const auto cifra = [&fila](int columna) -> std::int16_t {
        const int v = columna <= fila.size() ? fila.at(columna - 1).digitValue() : -1;
        if (v < 0) throw plat::RuntimeError(plat::err::kTypeMismatch);
        return std::int16_t(v);
    };
    if (fila.size() < kLargoFormaPentomino) throw plat::RuntimeError(plat::err::kTypeMismatch);
    PEN_RegistroForma f;
    for (int k = 1; k <= 5; ++k) {
        f.CeldaX[std::size_t(k)] = cifra(3 * k - 2);
        f.CeldaY[std::size_t(k)] = cifra(3 * k - 1);
    }
    f.Ancho = cifra(16);
    f.Alto = cifra(18);
    f.Rotaciones = cifra(20);
    f.Caras = cifra(22);
    f.Letra = fila.mid(23, 1);
    return f;
}

void InicializaTablas() {
    FijaTablaArea();
    CreaRegiones();
    LlenaTextosControles();
    LlenaOpcionesSelector();
    // From here on a failing statement is skipped and the next one runs.
    SiFallaSigue(LlenaNombres);
    SiFallaSigue(LlenaPentominos);
    SiFallaSigue(LlenaLetrasYTaipei);
    SiFallaSigue(LlenaSugerencias);
    SiFallaSigue([] { PuzzGbl.TiempoSugerencia = plat::msClock() - 15000; });
}
