// The two column reports: the page of a stored record of the history and the
// statistics of the puzzle on the table, line by line (y, label, value,
// colour), with the damaged values a file may hold, and the printer.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "platform/numbers.h"
#include "records/Informe.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <optional>

inline std::ostream& operator<<(std::ostream& os, const LineaInforme& l) {
    return os << l.y << " \"" << l.etiqueta.toStdString() << "\" \"" << l.valor.toStdString() << "\" " << std::hex
              << l.color << std::dec;
}

namespace {

constexpr plat::Color kPurpura = 0x800080, kAzul = 0xFF0000;

std::optional<LineaInforme> busca(const Informe& inf, const char* etiqueta) {
    for (const auto& l : inf.lineas)
        if (l.etiqueta == QString::fromUtf8(etiqueta)) return l;
    return std::nullopt;
}

QStringList etiquetas(const Informe& inf) {
    QStringList s;
    for (const auto& l : inf.lineas) s << l.etiqueta;
    return s;
}

class Informes : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        InicializaTablas();
        plat::setDisplaySeparators(plat::kSpanishSeparators);
    }
    void TearDown() override { PuzzGbl.reset(); }

    static RegistroHistorico jigsaw(std::int16_t zoom) {
        RegistroHistorico r;
        r.Fecha = QStringLiteral("05/03/2024");
        r.Hora = QStringLiteral("09:07:02");
        r.TipoJuego = 21;
        r.ArchivoImagen = QStringLiteral("gato.jpg");
        r.CarpetaImagen = QStringLiteral("/home/ana/Imagenes/");
        r.AnchoBmp = 640;
        r.AltoBmp = 480;
        r.ZoomImagen = zoom;
        r.AnchoImagen = 960;
        r.AltoImagen = 720;
        r.PiezasLado = 6;
        r.PiezasCasilla = 2;
        r.FormaPieza = 4;
        r.NroPiezas = 72;
        r.AnchoPieza = 160;
        r.AltoPieza = 120;
        r.GradoDificultad = 7.5f;
        r.SegundosCronometro = 323;
        r.FactorAtraccion = 50;
        r.TipoRotulo = 1;
        r.NombreJugador = QStringLiteral("Íñigo    ");
        return r;
    }
};

// ---------------------------------------------------------------- record page

TEST_F(Informes, AJigsawRecordZoomedIn) {
    const Informe inf = InformeRegistro(jigsaw(150), 4);
    const std::vector<LineaInforme> esperadas{
        {17, "Orden................:", "5", kPurpura},
        {32, "Fecha................:", "05/03/2024", kPurpura},
        {47, "Hora.................:", "09:07:02", kPurpura},
        {72, "Tipo de puzzle.......:", QString::fromUtf8("Puzzle de piezas móviles"), kPurpura},
        {97, "Archivo de imagen....:", "gato.jpg", kPurpura},
        {112, QString::fromUtf8("Ubicación del archivo:"), "/home/ana/Imagenes/", kPurpura},
        {127, QString::fromUtf8("Tamaño de la imagen..:"), QString::fromUtf8("640 x 480 píxeles"), kPurpura},
        {142, QString::fromUtf8("Ampliación del tamaño:"), "150%", kPurpura},
        {157, QString::fromUtf8("Tamaño ampliado......:"), QString::fromUtf8("960 x 720 píxeles"), kPurpura},
        {182, "Piezas por lado......:", "6", kPurpura},
        {197, "Clase de piezas......:", "Dobles", kPurpura},
        {212, "Tipo de piezas.......:", QString::fromUtf8("Círculos en Rectángulos"), kPurpura},
        {227, "Piezas totales.......:", "72", kPurpura},
        {242, "Ancho de las piezas..:", QString::fromUtf8("160 píxeles"), kPurpura},
        {257, "Alto de las piezas...:", QString::fromUtf8("120 píxeles"), kPurpura},
        {272, QString::fromUtf8("Factor de atracción..:"), "50%", kPurpura},
        {297, "Tiempo total.........:", "0:05:23", kPurpura},
        {312, "Tiempo por pieza.....:", "0:00:04", kPurpura}, // 323 / 72 = 4.49
        {327, "Nivel de dificultad..:", "7,5000", kPurpura},
        {352, "Nombre del jugador...:", QString::fromUtf8("Íñigo    "), kPurpura},
    };
    ASSERT_EQ(inf.lineas.size(), esperadas.size()) << etiquetas(inf).join('|').toStdString();
    for (std::size_t i = 0; i < esperadas.size(); ++i) EXPECT_EQ(inf.lineas[i], esperadas[i]) << i;
    EXPECT_EQ(inf.alto, 352 + 35);
}

TEST_F(Informes, ZoomLinesFollowTheRecordNotTheTable) {
    PuzzGbl.ZoomImagen = 150; // the table's own zoom has no say
    const Informe ninguno = InformeRegistro(jigsaw(100), 0);
    ASSERT_TRUE(busca(ninguno, "Zoom aplicado........:"));
    EXPECT_EQ(busca(ninguno, "Zoom aplicado........:")->valor, "Ninguno");
    EXPECT_FALSE(busca(ninguno, "Tamaño ampliado......:"));
    EXPECT_FALSE(busca(ninguno, "Tamaño reducido......:"));
    EXPECT_EQ(busca(ninguno, "Piezas por lado......:")->y, 167);

    RegistroHistorico r = jigsaw(50);
    r.AnchoImagen = 320;
    r.AltoImagen = 240;
    const Informe reducido = InformeRegistro(r, 0);
    ASSERT_TRUE(busca(reducido, "Reducción del tamaño.:"));
    EXPECT_EQ(busca(reducido, "Reducción del tamaño.:")->valor, "50%");
    EXPECT_EQ(busca(reducido, "Tamaño reducido......:")->valor, QString::fromUtf8("320 x 240 píxeles"));
}

TEST_F(Informes, ClipboardPicturesAndLongFolders) {
    struct Caso {
        const char* archivo;
        const char* carpeta;
        const char* archivoVisto;
        const char* carpetaVista;
    };
    const QString c31 = QStringLiteral("/abcdefghijklmnopqrstuvwxyz012/"); // 31
    const QString c32 = QStringLiteral("/abcdefghijklmnopqrstuvwxyz0123/");
    ASSERT_EQ(c31.size(), 31);
    ASSERT_EQ(c32.size(), 32);
    const Caso casos[] = {
        {"TSPORTAP.BMP", "/tmp/", "Copiada del Portapapeles", ""},
        {"tsportap.bmp", "/tmp/", "Copiada del Portapapeles", ""},
        {"tsportap3.bmp", "/tmp/", "Copiada del Portapapeles", ""},
        {"tsportapa.bmp", "/tmp/", "tsportapa.bmp", "/tmp/"},
        {"gato.jpg", "/abcdefghijklmnopqrstuvwxyz012/", "gato.jpg", "/abcdefghijklmnopqrstuvwxyz012/"},
        {"gato.jpg", "/abcdefghijklmnopqrstuvwxyz0123/", "gato.jpg", "/abcdefghijklmnopqrstuvwxyz0..."},
    };
    for (const Caso& c : casos) {
        RegistroHistorico r = jigsaw(100);
        r.ArchivoImagen = QString::fromUtf8(c.archivo);
        r.CarpetaImagen = QString::fromUtf8(c.carpeta);
        const Informe inf = InformeRegistro(r, 0);
        EXPECT_EQ(busca(inf, "Archivo de imagen....:")->valor, QString::fromUtf8(c.archivoVisto)) << c.archivo;
        EXPECT_EQ(busca(inf, "Ubicación del archivo:")->valor, QString::fromUtf8(c.carpetaVista)) << c.carpeta;
        // The statistics of the same picture on the table say the same.
        PuzzGbl.TipoJuego = 21;
        PuzzGbl.ZoomImagen = 100;
        PuzzGbl.ArchivoImagen = r.ArchivoImagen;
        PuzzGbl.CarpetaImagen = r.CarpetaImagen;
        const Informe vivo = InformeEstadisticas();
        EXPECT_EQ(busca(vivo, "Archivo de imagen....:")->valor, QString::fromUtf8(c.archivoVisto)) << c.archivo;
        EXPECT_EQ(busca(vivo, "Ubicación del archivo:")->valor, QString::fromUtf8(c.carpetaVista)) << c.carpeta;
    }
}

TEST_F(Informes, LinesOfEachGame) {
    struct Caso {
        std::int16_t juego, rotulo;
        QStringList esperadas;
    };
    const QStringList cabeza{"Orden................:", "Fecha................:", "Hora.................:",
                             "Tipo de puzzle.......:"};
    const QStringList cola{"Tiempo total.........:", "Tiempo por pieza.....:", "Nivel de dificultad..:",
                           "Nombre del jugador...:"};
    const QStringList colaTaipei{"Tiempo total.........:", "Tiempo por pareja....:", "Nivel de dificultad..:",
                                 "Nombre del jugador...:"};
    const auto u = [](const char* s) { return QString::fromUtf8(s); };
    const Caso casos[] = {
        {22, 2, cabeza + QStringList{"Tipo de fondo........:", "Piezas por lado......:", "Piezas totales.......:"} + cola},
        {22, 1,
         cabeza + QStringList{"Tipo de fondo........:", "Archivo de imagen....:", u("Ubicación del archivo:"),
                              u("Tamaño de la imagen..:"), "Piezas por lado......:", "Piezas totales.......:"} +
             cola},
        {23, 1, cabeza + QStringList{"Modelo resuelto......:", "Piezas totales.......:", u("Factor de atracción..:")} + cola},
        {24, 1, cabeza + QStringList{"Modelo resuelto......:", "Piezas totales.......:", "Soluciones posibles..:"} + cola},
        {25, 1,
         cabeza + QStringList{"Modelo resuelto......:", "Piezas totales.......:", u("Número de filas......:"),
                              u("Número de columnas...:"), u("Número de niveles....:")} +
             colaTaipei},
    };
    for (int modoMesa : {1, 2}) {
        // Tangram records show their model and attraction in either table mode.
        PuzzGbl.TAN_ModoJuego = std::int16_t(modoMesa);
        for (const Caso& c : casos) {
            RegistroHistorico r = jigsaw(150);
            r.TipoJuego = c.juego;
            r.TipoRotulo = c.rotulo;
            EXPECT_EQ(etiquetas(InformeRegistro(r, 0)), c.esperadas) << c.juego << " " << c.rotulo << " " << modoMesa;
        }
    }
}

TEST_F(Informes, TaipeiTimesArePerPairAndCountsAreBlue) {
    RegistroHistorico r = jigsaw(100);
    r.TipoJuego = 25;
    r.NroPiezas = 144;
    r.SegundosCronometro = 720; // 72 pairs: 10 s a pair
    r.TAI_NroFilas = 8;
    r.TAI_NroColumnas = 15;
    r.TAI_NroNiveles = 5;
    const Informe inf = InformeRegistro(r, 0);
    EXPECT_EQ(busca(inf, "Tiempo por pareja....:")->valor, "0:00:10");
    EXPECT_EQ(busca(inf, "Número de filas......:")->color, kAzul);
    EXPECT_EQ(busca(inf, "Número de niveles....:")->valor, "5");
    EXPECT_EQ(busca(inf, "Modelo resuelto......:")->color, kPurpura);

    RegistroHistorico p = jigsaw(100);
    p.TipoJuego = 24;
    p.PEN_NumSoluciones = 9356;
    EXPECT_EQ(busca(InformeRegistro(p, 0), "Soluciones posibles..:")->valor, "9.356");
}

TEST_F(Informes, TimesOfADayOrMoreAndDamagedValues) {
    struct Caso {
        std::int32_t segundos;
        std::int16_t piezas, forma, casilla;
        const char* total;
        const char* porPieza;
        const char* tipo;
        const char* clase;
    };
    const Caso casos[] = {
        {90061, 1, 0, 1, "25:01:01", "25:01:01", "Rectángulos", "Simples"},
        {0, 4, 7, 4, "0:00:00", "0:00:00", "Estrellas en Rectángulos", "Cuádruples"},
        {10, 4, 8, 3, "0:00:10", "0:00:02", "", ""},   // 2.5 s rounds to even; shape 8 and class 3 unknown
        {14, 4, -1, 0, "0:00:14", "0:00:04", "", ""},  // 3.5 s rounds to even
        {100, 0, 3, 1, "0:01:40", "", "Triángulos", "Simples"}, // no pieces: no time per piece
        {-5, 4, 3, 1, "", "", "Triángulos", "Simples"},
    };
    for (const Caso& c : casos) {
        RegistroHistorico r = jigsaw(100);
        r.SegundosCronometro = c.segundos;
        r.NroPiezas = c.piezas;
        r.FormaPieza = c.forma;
        r.PiezasCasilla = c.casilla;
        const Informe inf = InformeRegistro(r, 0);
        EXPECT_EQ(busca(inf, "Tiempo total.........:")->valor, QString::fromUtf8(c.total)) << c.segundos;
        EXPECT_EQ(busca(inf, "Tiempo por pieza.....:")->valor, QString::fromUtf8(c.porPieza)) << c.segundos;
        EXPECT_EQ(busca(inf, "Tipo de piezas.......:")->valor, QString::fromUtf8(c.tipo)) << c.forma;
        EXPECT_EQ(busca(inf, "Clase de piezas......:")->valor, QString::fromUtf8(c.clase)) << c.casilla;
    }
}

TEST_F(Informes, TheEmptyPage) {
    const Informe inf = InformeVacio(423);
    EXPECT_TRUE(inf.lineas.empty());
    EXPECT_EQ(inf.alto, 423 - 135);
}

// ---------------------------------------------------------------- statistics

TEST_F(Informes, StatisticsOfAZoomedJigsaw) {
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.ZoomImagen = 150;
    g.ArchivoImagen = QStringLiteral("gato.jpg");
    g.NroPiezas = 4;
    g.Piezas.assign(5, RegistroPieza{});
    g.Piezas[1] = {.X = 10, .Y = 10, .XDestino = 10, .YDestino = 10};
    g.Piezas[2] = {.X = 10, .Y = 10, .XDestino = 20, .YDestino = 10};
    g.Piezas[3] = {.X = 30, .Y = 30, .Giro = 1, .XDestino = 30, .YDestino = 30};
    g.Piezas[4] = {.X = 40, .Y = 40, .XDestino = 40, .YDestino = 40};
    g.SegundosCronometro = 9;
    g.PasaAlHistorico = true;
    const Informe inf = InformeEstadisticas();
    // The worked positions: 20; 45-75 picture; 90, 105 zoom; 130-220; 245-335; name at 365.
    std::vector<int> ys;
    for (const auto& l : inf.lineas) ys.push_back(l.y);
    EXPECT_EQ(ys, (std::vector<int>{20, 45, 60, 75, 90, 105, 130, 145, 160, 175, 190, 205, 220, 245, 260, 275, 290,
                                    305, 320, 335, 365}));
    EXPECT_EQ(inf.yNombre, 365);
    EXPECT_EQ(inf.alto, 390);
    EXPECT_EQ(g.NroPiezasColocadas, 2);
    EXPECT_EQ(busca(inf, "Piezas colocadas.....:")->valor, "2");
    EXPECT_EQ(busca(inf, "Porcentaje resuelto..:")->valor, "50%");
    EXPECT_EQ(busca(inf, "Tiempo por pieza.....:")->valor, "0:00:04"); // 4.5 to even
    EXPECT_EQ(busca(inf, "¿Pasará al Histórico?:")->valor, "Si");
    EXPECT_EQ(busca(inf, "¿Puzzle resuelto?....:")->valor, "No");
    for (const auto& l : inf.lineas) EXPECT_EQ(l.color, kAzul) << l;
}

TEST_F(Informes, StatisticsOfTaipeiSlidingAndPentominoes) {
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{.Estado = 1});
    for (int i = 1; i <= 10; ++i) g.Piezas[std::size_t(i)].Estado = 0;
    g.SegundosCronometro = 100;
    Informe inf = InformeEstadisticas();
    EXPECT_EQ(busca(inf, "Parejas eliminadas...:")->valor, "5");
    EXPECT_EQ(busca(inf, "Porcentaje resuelto..:")->valor, "7%"); // 10 of 144
    EXPECT_EQ(busca(inf, "Tiempo por pareja....:")->valor, "0:00:20");
    EXPECT_EQ(busca(inf, "Modelo a resolver....:")->y, 45);
    EXPECT_EQ(inf.yNombre, 260);
    EXPECT_EQ(inf.alto, 285);

    g.TipoJuego = 22;
    g.TipoRotulo = 2;
    g.NroPiezas = 0; // nothing to count: no percentage, the time is the total
    inf = InformeEstadisticas();
    EXPECT_EQ(busca(inf, "Tipo de fondo........:")->valor, QString::fromUtf8("Números"));
    EXPECT_FALSE(busca(inf, "Archivo de imagen....:"));
    EXPECT_EQ(busca(inf, "Porcentaje resuelto..:")->valor, "");
    EXPECT_EQ(busca(inf, "Tiempo por pieza.....:")->valor, "0:01:40");

    g.TipoJuego = 24;
    g.PEN_NumSoluciones = 9356;
    inf = InformeEstadisticas();
    EXPECT_EQ(busca(inf, "Soluciones posibles..:")->valor, "9.356");
}

TEST_F(Informes, PercentageOfALargeJigsaw) {
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.ZoomImagen = 100;
    g.NroPiezas = 900;
    g.Piezas.assign(901, RegistroPieza{.X = 1});
    for (int i = 1; i <= 400; ++i) g.Piezas[std::size_t(i)].X = 0;
    const Informe inf = InformeEstadisticas();
    EXPECT_EQ(busca(inf, "Piezas colocadas.....:")->valor, "400");
    EXPECT_EQ(busca(inf, "Porcentaje resuelto..:")->valor, "44%");
}

TEST_F(Informes, TangramDesignModeShowsTheTableAndNoCounts) {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 1;
    g.NroPiezas = 7;
    g.NroPiezasColocadas = 3;
    g.Piezas.assign(8, RegistroPieza{}); // every piece at home: a recount would say 7
    g.TAN_AnchoPiezas[1] = 120;
    g.TAN_AltoPiezas[1] = 85;
    g.TAN_AnchoPiezas[6] = 100;
    g.TAN_AltoPiezas[6] = 100;
    const Informe inf = InformeEstadisticas();
    EXPECT_EQ(etiquetas(inf), (QStringList{"Tipo de puzzle.......:", "Piezas totales.......:", "Nombre del jugador...:"}));
    EXPECT_EQ(busca(inf, "Piezas totales.......:")->y, 55);
    EXPECT_EQ(inf.yNombre, 235);
    EXPECT_EQ(inf.alto, 260);
    EXPECT_EQ(g.NroPiezasColocadas, 3);
    ASSERT_EQ(inf.textos.size(), 1u + 7 * 3);
    EXPECT_EQ(inf.textos[0], (TextoInforme{20, 80, "Tipo de pieza       Ancho     Alto", 0x000000}));
    EXPECT_EQ(inf.textos[1], (TextoInforme{20, 95, QString::fromUtf8("Triángulo grande"), kAzul}));
    EXPECT_EQ(inf.textos[2], (TextoInforme{154, 95, "120 px.", kAzul}));
    EXPECT_EQ(inf.textos[3], (TextoInforme{224, 95, "85 px.", kAzul}));
    EXPECT_EQ(inf.textos[17].x, 154); // piece 6: 100 wide, 100 high
    EXPECT_EQ(inf.textos[18].x, 217);
    EXPECT_EQ(inf.textos[20].x, 161); // piece 7: 0 wide
    EXPECT_EQ(inf.textos[21].y, 185);
    EXPECT_EQ(inf.rayas, (std::vector<RayaInforme>{{20, 138, 95}, {152, 200, 95}, {215, 263, 95}}));
}

TEST_F(Informes, TangramSolvingModeCountsAndShowsItsModel) {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 2;
    g.NroPiezas = 7;
    g.Piezas.assign(8, RegistroPieza{});
    g.NombreModelo = QStringLiteral("Gato");
    const Informe inf = InformeEstadisticas();
    EXPECT_EQ(busca(inf, "Modelo a resolver....:")->valor, "Gato");
    ASSERT_TRUE(busca(inf, "Factor de atracción..:"));
    ASSERT_TRUE(busca(inf, "Piezas colocadas.....:"));
}

// ---------------------------------------------------------------- printing

TEST_F(Informes, LabelsFitInFrontOfTheValues) {
    plat::Surface s(QStringLiteral("Texto"), 398, 40);
    s.setFont(FuenteInforme());
    EXPECT_LE(s.textWidth(QString::fromUtf8("Ubicación del archivo:")), 155);
    EXPECT_LE(s.textWidth(QString::fromUtf8("Tipo de piezas.......:")), 155);
}

TEST_F(Informes, ThePrinterPutsLabelAndValueInTheirColumns) {
    plat::Surface s(QStringLiteral("Texto"), 398, 40);
    s.setBackColor(0xFFFFFF);
    s.setFont(FuenteInforme());
    s.setTextAntialias(false);
    ImprimeLinea(s, QStringLiteral("Orden................:"), QStringLiteral("8"), kPurpura, 10);
    int negros = 0, purpuras = 0, minNegro = 999, minPurpura = 999;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 398; ++x) {
            const auto c = s.point(x, y);
            if (c == 0) ++negros, minNegro = std::min(minNegro, x);
            if (c == kPurpura) ++purpuras, minPurpura = std::min(minPurpura, x);
        }
    EXPECT_GT(negros, 0);
    EXPECT_GT(purpuras, 0);
    EXPECT_GE(minNegro, 20);
    EXPECT_LT(minNegro, 30);
    EXPECT_GE(minPurpura, 178);
}

} // namespace
