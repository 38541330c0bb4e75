// The constant tables: what the start-up fill leaves in the globals.
#include "core/PuzzGbl.h"
#include "core/Pantalla.h"
#include "core/Tablas.h"
#include "platform/clock.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

class Tablas : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        FijaTamanoPantalla(QSize(1366, 768));
        plat::setClockSourceForTests([] { return std::int64_t(4000); });
    }
    void TearDown() override {
        plat::setClockSourceForTests({});
        FijaTamanoPantalla(QSize());
        PuzzGbl.reset();
    }
};

// The tips as the player reads them: index, help topic, three lines without
// their trailing blanks.
struct TipEsperado {
    int indice;
    int idAyuda;
    const char* lineas[3];
};

const TipEsperado kTips[] = {
    {0, 2128, {"Si  cierra esta ventana puede reactivarla  en el conmutador",
              "'Ventana de información'  de la ventana Personalizar.",
              ""}},
    {1, 2112, {"Puede cambiar de juego en el panel 'Juego Actual' dentro de",
              "la ventana Personalizar",
              ""}},
    {2, 2111, {"Para cambiar algún parámetro  o  característica  del  juego",
              "actual, entre en la ventana Personalizar.",
              ""}},
    {3, 2186, {"Si  desea  comprobar  cuales  son  las  piezas que ya están",
              "correctamente colocadas,  pulse  el  botón  'Mostrar piezas",
              "colocadas'."}},
    {4, 2122, {"Si lo desea, puede eliminar la linea delimitadora del borde",
              "de las piezas  en  el  conmutador  'Dibujar el borde de las",
              "piezas' de la ventana Personalizar."}},
    {5, 2122, {"Si lo desea, se puede dibujar una  linea  delimitadora  del",
              "borde de las piezas en el  conmutador  'Dibujar el borde de",
              "las piezas' de la ventana Personalizar."}},
    {6, 2189, {"Cuando desee resolver el puzzle de forma automática,  pulse",
              "el botón 'Resolver el puzzle'  y  el ordenador colocará las",
              "piezas que faltan para terminar el puzzle."}},
    {7, 2145, {"Si duda sobre  la  ubicación de una pieza,  pulse el  botón",
              "'Tutor de juego' para que el programa le ayude a colocarla.",
              ""}},
    {8, 2145, {"Si duda sobre la pareja que debe eliminar  a  continuación,",
              "pulse el  botón  'Tutor de juego'  para  que el programa le",
              "indique cual es la más conveniente según su criterio."}},
    {9, 2145, {"Haga clic sobre una pieza para que el  Tutor  le indique el",
              "lugar donde debe colocarla.",
              ""}},
    {10, 2126, {"Cuando coloque una pieza cerca de su ubicación correcta  en",
              "el puzzle, se sentirá atraída hasta su lugar de destino con",
              "la fuerza que determine en el panel 'Factor de atracción'."}},
    {12, 2188, {"Si algunas de las piezas pendientes de colocar  han quedado",
              "ocultas por el puzzle que está resolviendo,  pulse el botón",
              "'Mostrar piezas ocultas' para subirlas al primer plano."}},
    {15, 2184, {"Para apartar del centro de la mesa de juego las piezas  que",
              "estan pendientes de colocar, ordenándolas en los laterales,",
              "pulse el botón 'Ordenar las piezas'."}},
    {16, 2184, {"Para ordenar manualmente las piezas deslizantes y así poder",
              "configurar una posición de partida predeterminada, pulse el",
              "botón 'Ordenar las piezas'."}},
    {21, 3010, {"Para ampliar información sobre las reglas y características",
              "del juego  de  puzzles  de  piezas móviles, haga clic en el",
              "texto 'más  ayuda' en la parte superior de esta ventana."}},
    {22, 3020, {"Para ampliar información sobre las reglas y características",
              "del juego de puzzles de piezas deslizantes, haga clic en el",
              "texto 'más  ayuda' en la parte superior de esta ventana."}},
    {23, 3030, {"Para ampliar información sobre las reglas y características",
              "del juego del Tangram,  haga clic en el texto  'más  ayuda'",
              "en la parte superior de esta ventana."}},
    {24, 3040, {"Para ampliar información sobre las reglas y características",
              "del juego de Pentominós, haga clic en el texto 'más  ayuda'",
              "en la parte superior de esta ventana."}},
    {25, 3050, {"Para ampliar información sobre las reglas y características",
              "del juego del Taipei,  haga clic  en el texto  'más  ayuda'",
              "en la parte superior de esta ventana."}},
    {28, 2182, {"Si desea ver una muestra reducida de la imagen de fondo del",
              "puzzle, pulse el botón 'Mostrar modelo'.",
              ""}},
    {29, 2124, {"Puede cambiar el color de la mesa de juego seleccionando el",
              "color que desee en el panel 'Color de fondo'  de la ventana",
              "Personalizar."}},
    {30, 4030, {"Para rotar las piezas del puzzle,  haga  clic  con el botón",
              "derecho sobre la pieza que desea girar. Si mantiene pulsado",
              "el botón la pieza girará hasta que lo libere."}},
    {32, 2132, {"Si  lo  desea,   puede  activar  el  valor  del  conmutador",
              "'Piezas de un solo color' para que los 12 pentominós tengan",
              "todos el color seleccionado en 'Color de las piezas'."}},
    {33, 2132, {"Si lo desea,  puede  desactivar  el  valor  del  conmutador",
              "'Piezas de un solo color' para que los 12 pentominós tengan",
              "cada uno un color distinto predeterminado."}},
    {35, 2113, {"Puede elegir entre tres tipos de fondo  para las piezas del",
              "puzzle (Imagen, números o letras).  Puede  elegirlo  en  el",
              "selector 'Fondo del puzzle' de la ventana Personalizar."}},
    {40, 2114, {"Para cambiar entre el modo de diseño de modelos o figuras y",
              "el modo de resolución de modelos archivados,use el selector",
              "'Modo de juego' de la ventana Personalizar."}},
    {43, 2119, {"Puede elegir entre  8  formas distintas para las piezas del",
              "puzzle. Elija la forma que desee en el panel  'Forma de las",
              "piezas' de la ventana Personalizar."}},
    {44, 2120, {"Puede modificar el número de piezas que componen el  puzzle",
              "entre varios valores en la lista  'Número de piezas'  de la",
              "ventana Personalizar."}},
    {46, 2123, {"Cuando coloque una pieza cerca de otra,  se sentirá atraída",
              "por ella facilitando así la tarea de formar figuras.  Puede",
              "modificarlo en el conmutador 'Atracción entre las piezas'."}},
    {48, 2129, {"Si desea jugar en silencio y anular los sonidos propios del",
              "programa, puede modificar el valor del selector 'Sonido' en",
              "la ventana Personalizar."}},
    {50, 2200, {"Para retroceder en los movimientos de resolución del puzzle",
              "utilize la Grabadora de movimientos que se encuentra  en la",
              "parte inferior del Panel de Botones."}},
    {51, 2131, {"Si no desea que  la  lista  de  movimientos que muestra  la",
              "Grabadora permanezca visible,  puede modificar el valor del",
              "selector 'Lista de movimientos' de la ventana Personalizar."}},
    {55, 2500, {"Para guardar el puzzle actual y volver a restaurar la misma",
              "situación cuando desee,haga clic con el botón derecho sobre",
              "la mesa de juego y se mostrará un panel de opciones."}},
    {60, 2540, {"Puede guardar el diseño actual como modelo y resolverlo con",
              "posterioridad. Para ello, haga clic con el botón derecho en",
              "la mesa de juego y se mostrará un panel de opciones."}},
    {65, 4040, {"No todos los puzzles resueltos se archivan en  el Histórico",
              "de puzzles. Para saber los requisitos necesarios, haga clic",
              "en 'más  ayuda' en la parte superior de esta ventana."}},
};

QString blancos(int n) { return QString(n, QChar(u' ')); }

TEST_F(Tablas, TipsHoldTheirThreePaddedLinesAndTopicsAtTheirIndices) {
    InicializaTablas();
    std::set<int> puestos;
    for (const TipEsperado& t : kTips) {
        SCOPED_TRACE(t.indice);
        puestos.insert(t.indice);
        const Sugerencia& s = PuzzGbl.Sugerencias.at(std::size_t(t.indice));
        ASSERT_EQ(s.Texto.size(), 180);
        for (int l = 0; l < 3; ++l) {
            const QString esperada = QString::fromUtf8(t.lineas[l]);
            ASSERT_LE(esperada.size(), 60);
            EXPECT_EQ(s.Texto.mid(60 * l, 60), esperada + blancos(60 - int(esperada.size()))) << "line " << l + 1;
        }
        EXPECT_EQ(s.IdAyuda, t.idAyuda);
    }
    EXPECT_EQ(puestos.size(), 35u);
    for (int i = 0; i <= 70; ++i) {
        if (puestos.count(i)) continue;
        SCOPED_TRACE(i);
        EXPECT_TRUE(PuzzGbl.Sugerencias.at(std::size_t(i)).Texto.isEmpty());
        EXPECT_EQ(PuzzGbl.Sugerencias.at(std::size_t(i)).IdAyuda, 0);
    }
    // Stored as written: no full stop, no fixed spellings.
    EXPECT_EQ(PuzzGbl.Sugerencias[1].Texto.mid(60, 60).trimmed(), QStringLiteral("la ventana Personalizar"));
    EXPECT_TRUE(PuzzGbl.Sugerencias[55].Texto.contains(QStringLiteral("desee,haga")));
    EXPECT_TRUE(PuzzGbl.Sugerencias[40].Texto.contains(QStringLiteral("archivados,use")));
}

TEST(SugerenciaConstante, SlicesByCharactersNotBytes) {
    // An accented first line must not push the topic out of its columns.
    const QString linea = QStringLiteral("ñáéíóú") + blancos(54);
    const Sugerencia s = SugerenciaDeConstante(linea + blancos(120) + QStringLiteral("2186"));
    EXPECT_EQ(s.Texto, linea + blancos(120));
    EXPECT_EQ(s.IdAyuda, 2186);
    const Sugerencia vacia = SugerenciaDeConstante(QString());
    EXPECT_TRUE(vacia.Texto.isEmpty());
    EXPECT_EQ(vacia.IdAyuda, 0);
}

TEST_F(Tablas, SmallTables) {
    InicializaTablas();

    EXPECT_EQ(PuzzGbl.LetrasPiezas.size(), 24);
    EXPECT_EQ(PuzzGbl.LetrasPiezas.at(14), QChar(u'Ñ'));
    EXPECT_EQ(PuzzGbl.LetrasPiezas.at(15), QChar(u'O'));
    EXPECT_EQ(PuzzGbl.LetrasPiezas.at(23), QChar(u'W'));

    const std::pair<std::pair<int, int>, const char*> opciones[] = {
        {{1, 1}, "Crear nuevos modelos"}, {{1, 2}, "Resolver modelos archivados"},
        {{5, 1}, "Siempre visible"},      {{5, 2}, "Si conecta grabadora"},
        {{6, 1}, "Hueso claro"},          {{6, 2}, "Madera oscura"},
    };
    for (int s = 0; s <= 36; ++s)
        for (int o = 0; o <= 6; ++o) {
            QString esperada = blancos(38);
            for (const auto& [pos, texto] : opciones)
                if (pos == std::make_pair(s, o)) esperada = TextoDeAncho(QString::fromUtf8(texto), 38);
            EXPECT_EQ(PuzzGbl.OpcionesSelector[std::size_t(s)][std::size_t(o)], esperada) << s << "," << o;
        }

    const std::int16_t gemelas[8] = {0, 2, 1, 0, 5, 4, 0, 0};
    for (std::size_t p = 0; p < 8; ++p) EXPECT_EQ(PuzzGbl.TAN_Gemela[p], gemelas[p]) << p;

    const ParametroSpin& zoom = PuzzGbl.ParametrosSpin[41];
    EXPECT_EQ(zoom.Minimo, 5.0f);
    EXPECT_EQ(zoom.Maximo, 995.0f);
    EXPECT_EQ(zoom.Paso, 5.0f);
    EXPECT_EQ(zoom.Formato, QStringLiteral("&&@"));
    EXPECT_FALSE(zoom.Circular);
    EXPECT_TRUE(PuzzGbl.ParametrosSpin[40].Formato.isEmpty());
    EXPECT_EQ(PuzzGbl.ParametrosSpin[40].Maximo, 0.0f);

    const std::pair<int, const char*> rotulos[] = {
        {1, " Modo de juego  "},
        {2, " Fondo del puzzle  "},
        {5, "Lista de movimientos"},
        {6, "Material de las piezas"},
        {11, "Sonido"},
        {12, "Permitir el giro de las piezas"},
        {13, "Dibujar el borde de las piezas"},
        {14, "Atracción entre las piezas"},
        {15, "Ventana de información"},
        {16, "Piezas de un solo color"},
        {21, "Piezas móviles"},
        {22, "Piezas deslizantes"},
        {23, "Tangram"},
        {24, "Pentominós"},
        {25, "Taipei"},
        {31, "Pegar imagen del Portapapeles"},
        {32, "Probar atracción"},
        {41, " Porcentaje.......:"},
        {51, "Velocidad de juego"},
        {52, "Porcentaje"},
    };
    for (int i = 0; i < 100; ++i) {
        QString esperado;
        for (const auto& [indice, texto] : rotulos)
            if (indice == i) esperado = QString::fromUtf8(texto);
        EXPECT_EQ(PuzzGbl.TextosControles[std::size_t(i)], esperado) << i;
    }

    EXPECT_EQ(PuzzGbl.TextoOpcionesSelec[4], QStringLiteral("Guardar como modelo"));
    EXPECT_TRUE(PuzzGbl.TextoOpcionesSelec[5].isEmpty());
    EXPECT_EQ(PuzzGbl.NombresFormas[4], QStringLiteral("Círculos en Rectángulos"));
    EXPECT_EQ(PuzzGbl.NombresPiezasTangram[5], QStringLiteral("Triángulo pequeño"));
    EXPECT_EQ(PuzzGbl.TAI_NombrePalo[6], QStringLiteral("Estación"));
    EXPECT_EQ(PuzzGbl.TAI_NombreFicha[7][3], QStringLiteral("Bambú"));
    EXPECT_TRUE(PuzzGbl.TAI_NombreFicha[5][4].isEmpty());
    EXPECT_TRUE(PuzzGbl.TAI_NombreFicha[1][1].isEmpty());
}

TEST_F(Tablas, PentominoShapes) {
    InicializaTablas();
    const auto& t = PuzzGbl.PEN_TablaPiezas;

    const std::set<std::pair<int, int>> f = {{0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 0}};
    std::set<std::pair<int, int>> celdasF;
    for (std::size_t k = 1; k <= 5; ++k) celdasF.insert({t[1].CeldaX[k], t[1].CeldaY[k]});
    EXPECT_EQ(celdasF, f);
    EXPECT_EQ(t[1].Ancho, 3);
    EXPECT_EQ(t[1].Alto, 3);

    QString letras;
    for (std::size_t p = 1; p <= 12; ++p) letras += t[p].Letra;
    EXPECT_EQ(letras, QStringLiteral("FILNPTUVWXYZ"));
    EXPECT_EQ(t[10].Rotaciones, 1); // X
    EXPECT_EQ(t[10].Caras, 1);
    EXPECT_EQ(t[2].Rotaciones, 2); // I
    EXPECT_EQ(t[2].Ancho, 1);
    EXPECT_EQ(t[2].Alto, 5);
    EXPECT_EQ(t[1].Color, 0x000000);
    EXPECT_EQ(t[2].Color, 0x808000);
    EXPECT_EQ(t[9].Color, 0xFFFFFF);
    EXPECT_EQ(t[12].Color, 0x008080);

    for (std::size_t p = 1; p <= 12; ++p) {
        SCOPED_TRACE(t[p].Letra.toStdString());
        std::set<std::pair<int, int>> celdas;
        for (std::size_t k = 1; k <= 5; ++k) {
            EXPECT_GE(t[p].CeldaX[k], 0);
            EXPECT_LT(t[p].CeldaX[k], t[p].Ancho);
            EXPECT_GE(t[p].CeldaY[k], 0);
            EXPECT_LT(t[p].CeldaY[k], t[p].Alto);
            celdas.insert({t[p].CeldaX[k], t[p].CeldaY[k]});
        }
        EXPECT_EQ(celdas.size(), 5u);
        EXPECT_TRUE(t[p].Rotaciones == 1 || t[p].Rotaciones == 2 || t[p].Rotaciones == 4);
        EXPECT_TRUE(t[p].Caras == 1 || t[p].Caras == 2);
    }
    EXPECT_TRUE(t[0].Letra.isEmpty());
}

TEST(FormaPentomino, MalformedRowIsRefused) {
    EXPECT_THROW(FormaDeConstante(QStringLiteral("01 10 11 12 20 3 3 4 2")), plat::RuntimeError);
    EXPECT_THROW(FormaDeConstante(QStringLiteral("01 10 1x 12 20 3 3 4 2 F")), plat::RuntimeError);
}

TEST_F(Tablas, ScreenRegionsAndTipClock) {
    PuzzGbl.AnchoMesa = 800; // as left by a display switch
    PuzzGbl.AltoMesa = 600;
    InicializaTablas();
    EXPECT_EQ(PuzzGbl.AnchoMesa, 1366);
    EXPECT_EQ(PuzzGbl.AltoMesa, 768);
    EXPECT_EQ(PuzzGbl.TiempoSugerencia, -11000);
    for (std::size_t i = 1; i <= 6; ++i) {
        EXPECT_TRUE(PuzzGbl.Regiones[i].isEmpty()) << i;
        EXPECT_EQ(PuzzGbl.Regiones[i].kind(), plat::rgn::kNullRegion) << i;
    }
}

} // namespace
