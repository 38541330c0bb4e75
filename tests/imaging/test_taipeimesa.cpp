// The Taipei table's set-up: a plain table, a fresh deal on the chosen
// layout, a loaded game rebuilt as it was, and the first start of the game.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/PreparaMesa.h"
#include "model/Barajado.h"
#include "model/EstadoPuzzle.h"
#include "model/Juego.h"
#include "model/Taipei.h"
#include "platform/files.h"
#include "platform/random.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/support/fixtures.h"
#include "tests/support/grado.h"
#include "tools/modtai/disposiciones.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

#include <gtest/gtest.h>

using namespace imaging_test;

namespace {

constexpr int kAncho = 800, kAlto = 600, kPanel = 141;
constexpr plat::Color kFondo = 0x603020, kPieza = 0x00A000;

class TaipeiMesaTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        PreparaLaminas();
        auto& g = PuzzGbl;
        g.RutaPrograma = carpeta.path();
        g.RutaArchivo = carpeta.path() + "Archivo/";
        plat::createFolder(g.RutaArchivo);
        QString archivo;
        for (const auto& d : modtai::Disposiciones()) archivo += modtai::Registro(d);
        plat::writeFile(g.RutaArchivo + "ModTai.mlp", plat::toCp1252(archivo));
        g.AnchoMesa = kAncho;
        g.AltoMesa = kAlto;
        mesa.Pic_Botonera.move(kAncho - kPanel, 0, kPanel, 431);
        g.TipoJuego = 25;
        g.NroModelo = 1;
        g.ColorFondo = std::int32_t(kFondo);
        g.ColorPieza = std::int32_t(kPieza);
        g.ColorLineas = 0xFFFFFF;
        g.MaterialPiezas = 1;
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes << titulo + ": " + texto;
            PuzzGbl.RespuestaMensaje = true;
        });
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        RegistraProcedimientosPanel({});
        InstalaServiciosEstadoPuzzle({});
        Reinicia();
    }
    // The heights of the model's layout, as its record holds them.
    static void CompruebaDisposicion(const modtai::Disposicion& d) {
        const auto& g = PuzzGbl;
        ASSERT_EQ(g.FilasTablero, modtai::Filas(d));
        ASSERT_EQ(g.ColumnasTablero, modtai::Columnas(d));
        ASSERT_EQ(g.TAI_NroNiveles, modtai::Niveles(d));
        for (int r = 1; r <= modtai::Filas(d); ++r)
            for (int c = 1; c <= modtai::Columnas(d); ++c)
                ASSERT_EQ(g.TAI_Tablero[r][c].Altura, d.filas[std::size_t(r - 1)][std::size_t(c - 1)] - '0');
    }
    // Every tile on the board, on the slot the board records for it.
    static void CompruebaTablero() {
        const auto& g = PuzzGbl;
        ASSERT_EQ(g.NroPiezas, 144);
        ASSERT_EQ(g.Piezas.size(), 145u);
        for (int t = 1; t <= 144; ++t) {
            const auto& p = g.Piezas[std::size_t(t)];
            ASSERT_EQ(p.Estado, 1) << t;
            ASSERT_EQ(g.TAI_Tablero[std::size_t(p.Fila)][std::size_t(p.Columna)].Ficha[std::size_t(p.Nivel)], t);
            ASSERT_EQ(p.X, (p.Columna - 1) * 50 + g.OrigenX + (g.TAI_NroNiveles - p.Nivel) * 6);
            ASSERT_EQ(g.OrdenPiezas[std::size_t(t)], t);
        }
    }
    testing_support::ScratchDir carpeta;
    QStringList mensajes;
};

TEST_F(TaipeiMesaTest, AFreshGameIsDealtOnAPlainTableInTheChosenLayout) {
    auto& g = PuzzGbl;
    g.NroModelo = 2;
    g.MovActual = 3;
    g.UltimoMovGrabado = 9;
    g.MargenPiezaX = 5;
    g.Piezas.assign(26, RegistroPieza{}); // the last game was another
    mesa.BarraHor.setVisible(true);
    mesa.BarraHor.setValue(30);
    mesa.BarraVer.setVisible(true);
    mesa.Pic_Cuadrito.setVisible(true);
    mesa.Pic_Muestra.setVisible(true);
    mesa.Pic_Bitmap.setSize(40, 40);
    mesa.Pic_Bitmap.setPicture(QImage(40, 40, QImage::Format_RGB32));
    // The command panel is drawn on the plain table, before the deal.
    bool mesaLimpia = false, sinRepartir = false;
    QStringList orden; // the panel, the chronometer and the table's paints, as they came
    ProcedimientosPanel p;
    p.marchaCronometro = [&](std::int16_t modo) { orden << QString("crono %1").arg(modo); };
    mesa.Pic_Trabajo.onRefresh = [&] { orden << "pinta"; };
    p.dibujaBotonera = [&] {
        orden << "panel";
        mesaLimpia = testing_support::countColor(mesa.Pic_Imagen, kFondo) == kAncho * kAlto &&
                     mesa.Pic_Fondo.image() == mesa.Pic_Imagen.image();
        sinRepartir = PuzzGbl.Piezas.size() == 145 && PuzzGbl.Piezas[144].Id == 364 && PuzzGbl.Piezas[1].Estado == 0;
    };
    RegistraProcedimientosPanel(p);
    plat::randomGenerator().setState(4242);

    PreparaJuego(true);

    EXPECT_TRUE(mesaLimpia);
    EXPECT_TRUE(sinRepartir);
    CompruebaDisposicion(modtai::Disposiciones()[1]);
    CompruebaTablero();
    EXPECT_EQ(g.AnchoImagen, 12 * 50 + 4 * 6);
    EXPECT_EQ(g.OrigenX, (kAncho - kPanel - g.AnchoImagen) / 2);
    EXPECT_EQ(g.Piezas[37].Id, 101);

    const auto& b = mesa.Pic_Bitmap;
    EXPECT_EQ(b.left(), 0);
    EXPECT_EQ(b.width(), kAncho);
    EXPECT_EQ(b.height(), kAlto);
    EXPECT_FALSE(b.hasPicture());
    EXPECT_EQ(testing_support::countColor(b, kPieza), kAncho * kAlto);
    EXPECT_EQ(mesa.BarraHor.Left(), 0);
    EXPECT_EQ(mesa.BarraHor.Top(), kAlto);
    EXPECT_EQ(mesa.BarraVer.Left(), kAncho);
    EXPECT_EQ(mesa.BarraVer.Top(), 0);
    for (const auto* barra : {&mesa.BarraHor, &mesa.BarraVer}) {
        EXPECT_FALSE(barra->Visible());
        EXPECT_EQ(barra->Value(), 0);
    }
    EXPECT_FALSE(mesa.Pic_Cuadrito.visible());
    EXPECT_FALSE(mesa.Pic_Muestra.visible());

    // The back buffer's picture is the plain table; the tiles are drawn over it.
    const auto& im = mesa.Pic_Imagen;
    EXPECT_EQ(im.width(), kAncho);
    EXPECT_EQ(im.height(), kAlto);
    ASSERT_TRUE(im.hasPicture());
    EXPECT_EQ(testing_support::countColor(mesa.Pic_Fondo, kFondo), kAncho * kAlto);
    int pilas = 0;
    for (const auto& fila : modtai::Disposiciones()[1].filas)
        pilas += int(std::count_if(fila.begin(), fila.end(), [](char c) { return c != '0'; }));
    EXPECT_LE(testing_support::countColor(im, kFondo), kAncho * kAlto - pilas * 50 * 67) << "every stack shows";
    EXPECT_EQ(im.point(2, 2), kFondo);
    EXPECT_EQ(mesa.Pic_Trabajo.width(), kAncho);
    EXPECT_EQ(mesa.Pic_Trabajo.image(), im.image());
    EXPECT_EQ(mesa.Pic_PiezaImagen.foreColor(), 0xFFFFFFu);
    EXPECT_EQ(g.MargenPiezaX, 0);
    EXPECT_EQ(g.MargenPiezaY, 0);
    EXPECT_EQ(g.MovActual, 0);
    EXPECT_EQ(g.UltimoMovGrabado, 0);

    // The panel, then the chronometer stopped for the deal, then the tiles
    // shown one by one.
    mesa.Pic_Trabajo.onRefresh = nullptr;
    const auto panel = orden.indexOf("panel"), crono = orden.indexOf("crono 2");
    ASSERT_GE(panel, 0);
    EXPECT_LT(panel, crono);
    EXPECT_GE(orden.mid(crono).count("pinta"), 144);
    EXPECT_TRUE(testing_support::GradoDelPuzzle());
    EXPECT_TRUE(mensajes.isEmpty()) << mensajes.join("\n").toStdString();
}

TEST_F(TaipeiMesaTest, ALoadedGameIsRebuiltWithoutADeal) {
    auto& g = PuzzGbl;
    plat::randomGenerator().setState(99);
    PreparaJuego(true);
    for (int n = 72; n > 60; --n)
        for (int m = 1; m <= 2; ++m) g.Piezas[std::size_t(g.TAI_Reparto[std::size_t(n)][std::size_t(m)])].Estado = 0;
    g.MovActual = 12;
    g.UltimoMovGrabado = 20;
    const auto piezas = g.Piezas;
    const auto tablero = g.TAI_Tablero;
    const auto reparto = g.TAI_Reparto;
    g.NroModelo = 3; // a different model in force changes nothing either
    testing_support::BorraGrado();
    bool parado = false;
    ProcedimientosPanel p;
    p.marchaCronometro = [&](std::int16_t modo) { parado = parado || modo == 2; };
    RegistraProcedimientosPanel(p);

    PreparaJuego(false);

    EXPECT_EQ(g.Piezas, piezas);
    EXPECT_EQ(g.TAI_Tablero, tablero);
    EXPECT_EQ(g.TAI_Reparto, reparto);
    EXPECT_EQ(g.MovActual, 12);
    EXPECT_EQ(g.UltimoMovGrabado, 12);
    EXPECT_EQ(g.GradoDificultad, testing_support::kSinGrado) << "a loaded game keeps its degree";
    EXPECT_FALSE(parado) << "no deal";
    EXPECT_EQ(mesa.Pic_Bitmap.width(), kAncho);
}

TEST_F(TaipeiMesaTest, WithoutTheLayoutFileNothingIsDealtAndThePlayerIsTold) {
    plat::removeFile(PuzzGbl.RutaArchivo + "ModTai.mlp");
    PuzzGbl.MovActual = 4;
    PreparaJuego(true);
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].startsWith("Repartir las fichas")) << mensajes[0].toStdString();
    for (int t = 1; t <= 144; ++t) ASSERT_EQ(PuzzGbl.Piezas[std::size_t(t)].Estado, 0);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, PuzzGbl.MovActual);
    EXPECT_EQ(mesa.Pic_Imagen.width(), kAncho);
}

// The first start of the game: no state file yet.
TEST_F(TaipeiMesaTest, WithoutAStateFileTheGameDealsWritesItAndReadsItBack) {
    auto& g = PuzzGbl;
    g.NroModelo = 0;
    g.NroPiezas = 0;
    InstalaEstadoPuzzle();
    const QString ruta = RutaEstadoJuego(25);
    EXPECT_TRUE(ruta.endsWith("Tsl2534.ini"));
    plat::randomGenerator().setState(2534);
    LeePuzzleJuego(ruta);
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].contains("crearlo")) << mensajes[0].toStdString();
    EXPECT_TRUE(QFileInfo::exists(ruta));
    EXPECT_EQ(g.NroModelo, 1);
    CompruebaDisposicion(modtai::Disposiciones()[0]);
    CompruebaTablero();
    const auto piezas = g.Piezas;
    const auto tablero = g.TAI_Tablero;
    const auto reparto = g.TAI_Reparto;
    const QImage mesaDibujada = mesa.Pic_Imagen.image().copy();
    EXPECT_NE(testing_support::countColor(mesa.Pic_Imagen, plat::Color(g.ColorFondo)), kAncho * kAlto);

    // The next start reads the same board back.
    mensajes.clear();
    g.Piezas.assign(1, RegistroPieza{});
    g.TAI_Tablero = {};
    g.TAI_Reparto = {};
    mesa.Pic_Imagen.clearPicture();
    LeePuzzleJuego(ruta);
    EXPECT_TRUE(mensajes.isEmpty()) << mensajes.join("\n").toStdString();
    EXPECT_EQ(g.Piezas, piezas);
    EXPECT_EQ(g.TAI_Tablero, tablero);
    EXPECT_EQ(g.TAI_Reparto, reparto);
    EXPECT_EQ(mesa.Pic_Imagen.image(), mesaDibujada);
}

// ---------------------------------------------------------------- the fresh game's layout

const modtai::Disposicion& LaDe(const char* nombre) {
    for (const auto& d : modtai::Disposiciones())
        if (d.nombre == QString::fromUtf8(nombre)) return d;
    ADD_FAILURE() << nombre;
    return modtai::Disposiciones()[0];
}
// A layout of 144 places too tall for the table of 800 x 600 (11 rows).
const modtai::Disposicion& Grande() {
    static const modtai::Disposicion d{QStringLiteral("Grande"),
                                       {"11111111011111111", "11000000000000011", "10000000000000001",
                                        "10122222222222101", "10120000000002101", "11120333333302111",
                                        "10120000000002101", "10122222222222101", "10000000000000001",
                                        "11000000000000011", "11111111111111111"}};
    return d;
}
QString VacioTaipei() { return QString(25, u' ') + QString(425, u'0') + QStringLiteral("\r\n"); }

// Without a state file the game takes the lowest-numbered layout that can be
// dealt and fits the table, and names it.
TEST_F(TaipeiMesaTest, AFreshGameTakesTheFirstLayoutThatCanBeDealtOnThisTable) {
    QString diecisiete = modtai::Registro(LaDe("Tortuga"));
    diecisiete.replace(0, 25, QStringLiteral("Alta").leftJustified(25, u' '));
    diecisiete.replace(25, 2, QStringLiteral("17"));
    QString conNombre = modtai::Registro(LaDe("Cruz"));
    conNombre.replace(0, 25, QStringLiteral("   Cruz").leftJustified(25, u' '));
    const struct {
        const char* caso;
        QStringList registros;
        std::int16_t nro;
        const char* nombre;
        const char* disposicion;
    } casos[] = {
        {"record 1 blank", {VacioTaipei(), modtai::Registro(LaDe("Puente"))}, 2, "Puente", "Puente"},
        {"record 1 too large for 800 x 600",
         {modtai::Registro(Grande()), modtai::Registro(LaDe("Tortuga"))},
         2,
         "Tortuga",
         "Tortuga"},
        {"refused, damaged, then a name with blanks",
         {diecisiete, QStringLiteral("Rota").leftJustified(200, u'1') + QStringLiteral("\r\n"), conNombre},
         3,
         "Cruz",
         "Cruz"},
        {"record 1 usable", {modtai::Registro(LaDe("Diamante")), modtai::Registro(LaDe("Tortuga"))}, 1,
         "Diamante", "Diamante"},
    };
    auto& g = PuzzGbl;
    InstalaEstadoPuzzle();
    const QString ruta = RutaEstadoJuego(25);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        plat::writeFile(g.RutaArchivo + "ModTai.mlp", plat::toCp1252(c.registros.join(QString())));
        if (QFileInfo::exists(ruta)) plat::removeFile(ruta);
        mensajes.clear();
        g.NroModelo = 0;
        g.NombreModelo = QStringLiteral("otro");
        LeePuzzleJuego(ruta);
        ASSERT_EQ(mensajes.size(), 1) << mensajes.join("\n").toStdString();
        EXPECT_TRUE(mensajes[0].contains("crearlo")) << mensajes[0].toStdString();
        EXPECT_EQ(g.NroModelo, c.nro);
        EXPECT_EQ(g.NombreModelo, QString::fromUtf8(c.nombre));
        CompruebaDisposicion(LaDe(c.disposicion));
        CompruebaTablero();

        // The state written is the one the next start plays on.
        const auto piezas = g.Piezas;
        mensajes.clear();
        g.Piezas.assign(1, RegistroPieza{});
        LeePuzzleJuego(ruta);
        EXPECT_TRUE(mensajes.isEmpty()) << mensajes.join("\n").toStdString();
        EXPECT_EQ(g.Piezas, piezas);
        EXPECT_EQ(g.NombreModelo, QString::fromUtf8(c.nombre));
    }
}

// With no layout at all that can be used, the player is told once, the table
// stays empty, and the state written is one the next start accepts; once a
// usable layout is in the file, the next start deals on it.
TEST_F(TaipeiMesaTest, WithoutAnyUsableLayoutTheTableStaysEmptyAndTheNextStartIsQuiet) {
    const QString titulo = QStringLiteral("Modelos de Taipei: ");
    const struct {
        const char* caso;
        std::optional<QStringList> registros; // nothing: no file
        QString ninguno;                      // what the player is told
    } casos[] = {
        {"no file", std::nullopt,
         titulo +
             QString::fromUtf8("No se puede usar ningún modelo de Taipei porque el archivo ModTai.mlp no se encuentra.")},
        {"blank and too large", QStringList{VacioTaipei(), modtai::Registro(Grande())},
         titulo + QString::fromUtf8("No hay ningún modelo de Taipei utilizable en ModTai.mlp.")},
    };
    auto& g = PuzzGbl;
    InstalaEstadoPuzzle();
    const QString ruta = RutaEstadoJuego(25);
    const QString modelos = g.RutaArchivo + "ModTai.mlp";
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        if (QFileInfo::exists(modelos)) plat::removeFile(modelos);
        if (c.registros) plat::writeFile(modelos, plat::toCp1252(c.registros->join(QString())));
        if (QFileInfo::exists(ruta)) plat::removeFile(ruta);
        mensajes.clear();
        g.NroModelo = 0;
        LeePuzzleJuego(ruta);
        ASSERT_EQ(mensajes.size(), 2) << mensajes.join("\n").toStdString();
        EXPECT_TRUE(mensajes[0].contains("crearlo")) << mensajes[0].toStdString();
        EXPECT_EQ(mensajes[1], c.ninguno);
        EXPECT_EQ(g.NroModelo, 0);
        EXPECT_TRUE(g.NombreModelo.isEmpty());
        EXPECT_EQ(g.FilasTablero, 0);
        EXPECT_EQ(g.TAI_Tablero, decltype(g.TAI_Tablero){});
        for (int t = 1; t <= 144; ++t) ASSERT_EQ(g.Piezas[std::size_t(t)].Estado, 0) << t;
        EXPECT_EQ(testing_support::countColor(mesa.Pic_Imagen, plat::Color(g.ColorFondo)), kAncho * kAlto)
            << "an empty table";
        ASSERT_TRUE(QFileInfo::exists(ruta));

        // The next start: no damaged file, the same word about the layouts.
        mensajes.clear();
        LeePuzzleJuego(ruta);
        ASSERT_EQ(mensajes.size(), 1) << mensajes.join("\n").toStdString();
        EXPECT_EQ(mensajes[0], c.ninguno);
        EXPECT_FALSE(QFileInfo::exists(ruta + ".bak"));
    }

    // A usable layout now in the file: the next start deals on it.
    plat::writeFile(modelos, plat::toCp1252(VacioTaipei() + modtai::Registro(LaDe("Tortuga"))));
    mensajes.clear();
    LeePuzzleJuego(ruta);
    EXPECT_TRUE(mensajes.isEmpty()) << mensajes.join("\n").toStdString();
    EXPECT_EQ(g.NroModelo, 2);
    EXPECT_EQ(g.NombreModelo, "Tortuga");
    CompruebaDisposicion(LaDe("Tortuga"));
    CompruebaTablero();
}

// A game saved on a larger screen whose layout does not fit this one is not
// laid out: the message says why, a layout that fits is dealt for this run,
// and the player's state file is kept as it was for the larger screen.
TEST_F(TaipeiMesaTest, AStateWhoseLayoutDoesNotFitThisTableIsKeptAndAnotherLayoutIsDealt) {
    auto& g = PuzzGbl;
    plat::writeFile(g.RutaArchivo + "ModTai.mlp",
                    plat::toCp1252(modtai::Registro(Grande()) + modtai::Registro(LaDe("Tortuga"))));
    InstalaEstadoPuzzle();
    const QString ruta = RutaEstadoJuego(25);
    // Dealt and saved on 1920 x 1080.
    g.AnchoMesa = 1920;
    g.AltoMesa = 1080;
    mesa.Pic_Botonera.move(1920 - kPanel, 0, kPanel, 431);
    g.NroModelo = 1;
    plat::randomGenerator().setState(38);
    PreparaJuego(true);
    ASSERT_EQ(g.FilasTablero, 11);
    ASSERT_TRUE(GuardaPuzzleJuego());
    const QByteArray guardado = plat::readFile(ruta);
    // Read back on 800 x 600.
    g.AnchoMesa = kAncho;
    g.AltoMesa = kAlto;
    mesa.Pic_Botonera.move(kAncho - kPanel, 0, kPanel, 431);
    mensajes.clear();
    LeePuzzleJuego(ruta);
    ASSERT_EQ(mensajes.size(), 1) << mensajes.join("\n").toStdString();
    // The model file is in order: the state comes back on a screen large
    // enough, and the message says so.
    EXPECT_TRUE(mensajes[0].endsWith(
        QString::fromUtf8("porque su modelo de Taipei no cabe en la mesa de esta pantalla de 800 x 600 píxeles "
                          "(sobrepasa la altura). El archivo Tsl2534.ini se conserva tal como está y no se "
                          "modificará al salir; el puzzle se cargará de nuevo cuando el programa se abra en una "
                          "pantalla lo bastante grande para su modelo. Mientras tanto se usan los valores "
                          "establecidos por defecto.")))
        << mensajes[0].toStdString();
    EXPECT_EQ(g.NroModelo, 2);
    CompruebaDisposicion(LaDe("Tortuga"));
    CompruebaTablero();
    for (int t = 1; t <= 144; ++t) {
        const auto& p = g.Piezas[std::size_t(t)];
        ASSERT_LE(p.X + 50, kAncho - kPanel) << t;
        ASSERT_LE(p.Y + 67, kAlto) << t;
    }
    // The file is not written over, at exit or at a change of game.
    EXPECT_TRUE(GuardaPuzzleJuego());
    EXPECT_EQ(plat::readFile(ruta), guardado);
}

// A layout in force that does not fit the table is never dealt on, by the
// set-up or by the shuffle button: the player is told why, and no tile lies
// on the board.
TEST_F(TaipeiMesaTest, ALayoutThatDoesNotFitTheTableIsNotDealt) {
    auto& g = PuzzGbl;
    plat::writeFile(g.RutaArchivo + "ModTai.mlp", plat::toCp1252(modtai::Registro(Grande())));
    g.NroModelo = 1;
    PreparaJuego(true);
    for (int vez = 1; vez <= 2; ++vez) {
        SCOPED_TRACE(vez);
        ASSERT_EQ(mensajes.size(), 1) << mensajes.join("\n").toStdString();
        EXPECT_EQ(mensajes[0], QString::fromUtf8("Repartir las fichas: No se pueden repartir las fichas porque su "
                                                 "modelo de Taipei no cabe en la mesa de esta pantalla de 800 x 600 "
                                                 "píxeles (sobrepasa la altura). Elija otro modelo en la ventana "
                                                 "Personalizar."));
        for (int t = 1; t <= 144; ++t) ASSERT_EQ(g.Piezas[std::size_t(t)].Estado, 0) << t;
        mensajes.clear();
        BarajaPiezas();
    }
}

} // namespace
