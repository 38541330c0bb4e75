// The jigsaw's table set-up: the board picture and its cut lines, the scroll
// bars of a large picture, the thumbnail, the work image and clean table, the
// homes and deal of a new puzzle, the rebuild of a loaded one, the first start
// with a sample picture and a large triangle puzzle.
#include "core/Configuracion.h"
#include "core/TsComun.h"
#include "imaging/PreparaMesa.h"
#include "model/EstadoPuzzle.h"
#include "model/PrimerPuzzle.h"
#include "platform/blit.h"
#include "platform/files.h"
#include "tests/imaging/puzzle_fixtures.h"
#include "tests/support/fixtures.h"
#include "tools/resgen/metarchivos.h"

#include <gtest/gtest.h>

#include <set>

using namespace puzzle_test;

namespace {

class PreparaPiezasMovilesTest : public ::testing::Test {
protected:
    void SetUp() override { Reinicia(); }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        InstalaServiciosEstadoPuzzle({});
        Reinicia();
    }
};

// The board picture as the zoomed picture gives it, w x h from (0, 0).
QImage Tablero() {
    const auto& g = PuzzGbl;
    return mesa.Pic_FonTamModi.picture().copy(0, 0, g.AnchoImagen, g.AltoImagen);
}

// ---------------------------------------------------------------- scroll bars

TEST_F(PreparaPiezasMovilesTest, ASmallPictureHasNoScrollBarsAndTheWholeTableToWorkOn) {
    PonMesa(800, 600);
    mesa.BarraHor.setValue(30);
    mesa.BarraHor.setVisible(true);
    mesa.Pic_Cuadrito.setVisible(true);
    Puzzle(0, 5, 500, 350);
    PreparaPiezasMoviles(true);
    const auto& hor = mesa.BarraHor;
    const auto& ver = mesa.BarraVer;
    EXPECT_FALSE(hor.Visible() || ver.Visible() || mesa.Pic_Cuadrito.visible());
    EXPECT_EQ(hor.Left(), 0);
    EXPECT_EQ(hor.Top(), 600);
    EXPECT_EQ(ver.Left(), 800);
    EXPECT_EQ(ver.Top(), 0);
    EXPECT_EQ(hor.Value(), 0);
    EXPECT_EQ(ver.Value(), 0);
    for (const plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Trabajo, &mesa.Pic_Fondo}) {
        EXPECT_EQ(s->scaleWidth(), 800) << s->name().toStdString();
        EXPECT_EQ(s->scaleHeight(), 600) << s->name().toStdString();
        EXPECT_EQ(s->left(), 0);
        EXPECT_EQ(s->top(), 0);
    }
}

// Board sizes come from 5 pieces per side; bars when either side reaches 0.65
// of the table; the range is the board and 200 pixels against the visible
// part, at least 10.
TEST_F(PreparaPiezasMovilesTest, ScrollBarsAndTheirRangesFollowTheBoard) {
    const struct {
        const char* caso;
        int mesaAncho, mesaAlto, ancho, alto;
        bool barras;
        int maxHor, cambioHor, maxVer, cambioVer, trabajoAncho, trabajoAlto;
    } casos[] = {
        // Larger than the table: 1220 x 965 against 784 x 584 visible.
        {"larger", 800, 600, 1020, 765, true, 436, 43, 381, 38, 1220, 965},
        // Exactly 0.65 of the table's width: the test is strict, bars shown;
        // the height leaves nothing to scroll.
        {"at0.65", 800, 600, 520, 300, true, 0, 1, 0, 1, 784, 584},
        // Wide and low: only the horizontal range.
        {"wideLow", 1000, 700, 900, 300, true, 116, 11, 0, 1, 1100, 684},
        // Over the visible width by less than 10: still 10, large change 1.
        {"overhang", 1000, 700, 790, 400, true, 10, 1, 0, 1, 990, 684},
        {"small", 800, 600, 515, 385, false, 32767, 1, 32767, 1, 800, 600},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Reinicia();
        PonMesa(c.mesaAncho, c.mesaAlto);
        Puzzle(0, 5, c.ancho, c.alto);
        PreparaPiezasMoviles(true);
        const auto& hor = mesa.BarraHor;
        const auto& ver = mesa.BarraVer;
        ASSERT_EQ(hor.Visible(), c.barras);
        EXPECT_EQ(ver.Visible(), c.barras);
        EXPECT_EQ(mesa.Pic_Cuadrito.visible(), c.barras);
        EXPECT_EQ(hor.Max(), c.maxHor);
        EXPECT_EQ(hor.LargeChange(), c.cambioHor);
        EXPECT_EQ(ver.Max(), c.maxVer);
        EXPECT_EQ(ver.LargeChange(), c.cambioVer);
        EXPECT_EQ(mesa.Pic_Imagen.scaleWidth(), c.trabajoAncho);
        EXPECT_EQ(mesa.Pic_Imagen.scaleHeight(), c.trabajoAlto);
        EXPECT_EQ(mesa.Pic_Trabajo.scaleWidth(), c.trabajoAncho);
        EXPECT_EQ(mesa.Pic_Fondo.scaleHeight(), c.trabajoAlto);
        if (c.barras) {
            // Along the bottom and the right edge, the vertical one below the command panel.
            EXPECT_EQ(hor.Left(), 0);
            EXPECT_EQ(hor.Top(), c.mesaAlto - 16);
            EXPECT_EQ(hor.Width(), c.mesaAncho - 16);
            EXPECT_EQ(ver.Left(), c.mesaAncho - 16);
            EXPECT_EQ(ver.Top(), 431);
            EXPECT_EQ(ver.Height(), c.mesaAlto - 16 - 431);
            EXPECT_EQ(mesa.Pic_Cuadrito.left(), ver.Left());
            EXPECT_EQ(mesa.Pic_Cuadrito.top(), hor.Top());
            EXPECT_EQ(hor.Value(), 0);
            EXPECT_EQ(ver.Value(), 0);
        }
    }
}

// ------------------------------------------------------- pictures of the table

TEST_F(PreparaPiezasMovilesTest, TheWorkImageFramesTheBoardAndIsTheCleanTable) {
    PonMesa(800, 600);
    Puzzle(0, 4, 400, 300);
    PuzzGbl.ColorLineas = 0x00FFFF;
    PreparaPiezasMoviles(false);
    const plat::Surface& im = mesa.Pic_Imagen;
    // Right and bottom edges of the board in the line colour, the table's colour elsewhere.
    EXPECT_EQ(im.point(400, 0), 0x00FFFFu);
    EXPECT_EQ(im.point(400, 299), 0x00FFFFu);
    EXPECT_EQ(im.point(0, 300), 0x00FFFFu);
    EXPECT_EQ(im.point(399, 300), 0x00FFFFu);
    EXPECT_EQ(im.point(401, 100), kFondo);
    EXPECT_EQ(im.point(100, 301), kFondo);
    // The empty table: the back buffer's own picture and the clean table.
    EXPECT_TRUE(im.hasPicture());
    const QImage& fondo = mesa.Pic_Fondo.image();
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            ASSERT_EQ(im.picture().pixel(x, y), fondo.pixel(x, y)) << x << "," << y;
        }
    EXPECT_EQ(PuzzGbl.LadoZonaPieza, 100);
}

TEST_F(PreparaPiezasMovilesTest, TheThumbnailIsHalfTheBoardShownOrHiddenAsSet) {
    for (bool visible : {true, false}) {
        SCOPED_TRACE(visible);
        Reinicia();
        PonMesa(800, 600);
        Puzzle(4, 5, 455, 305); // a board of 455 x 305: half of it rounds to even
        PuzzGbl.MuestraVisible = visible;
        PreparaPiezasMoviles(true);
        const plat::Surface& m = mesa.Pic_Muestra;
        EXPECT_EQ(m.visible(), visible);
        EXPECT_EQ(m.scaleWidth(), 228);
        EXPECT_EQ(m.scaleHeight(), 152);
        // Taken from the picture before the cut lines.
        plat::Surface esperada(QStringLiteral("esperada"), 228, 152);
        plat::Surface tablero(QStringLiteral("tablero"));
        tablero.setImage(Tablero());
        plat::stretchBlt(esperada, 0, 0, 228, 152, tablero, 0, 0, 455, 305, plat::rop::kSrcCopy);
        EXPECT_EQ(m.image(), esperada.image());
    }
}

// The board carries the cut lines in the line colour when borders are on, and
// only the picture when they are off.
TEST_F(PreparaPiezasMovilesTest, CutLinesOnTheBoardOnlyWithBorders) {
    for (int forma = 0; forma <= 7; ++forma) {
        for (bool borde : {true, false}) {
            SCOPED_TRACE(testing::Message() << forma << (borde ? " borders" : " plain"));
            Reinicia();
            PonMesa(800, 600);
            Puzzle(forma, 4, 320, 240);
            PuzzGbl.DibujarBorde = borde;
            PreparaPiezasMoviles(true);
            const QImage foto = Tablero();
            const QImage& b = mesa.Pic_Bitmap.image();
            ASSERT_EQ(b.size(), foto.size());
            const QImage cortes = Cortes();
            int lineas = 0;
            for (int y = 0; y < b.height(); ++y)
                for (int x = 0; x < b.width(); ++x) {
                    const bool corte = borde && (cortes.pixel(x, y) & 0xFFFFFFu) == 0;
                    lineas += corte;
                    const QRgb esperado = corte ? 0xFFFFFFFFu : foto.pixel(x, y);
                    ASSERT_EQ(b.pixel(x, y), esperado) << x << "," << y;
                }
            EXPECT_EQ(lineas > 0, borde);
        }
    }
}

// --------------------------------------------------------------- the pieces

TEST_F(PreparaPiezasMovilesTest, ANewPuzzleHasItsHomesRowByRowAndIsDealt) {
    PonMesa(1024, 768);
    Puzzle(3, 5, 640, 480);
    auto& g = PuzzGbl;
    g.GiroPermitido = true;
    g.MovActual = g.UltimoMovGrabado = 12;
    PreparaPiezasMoviles(true);
    ASSERT_EQ(g.NroPiezas, 100);
    ASSERT_EQ(g.Piezas.size(), 101u);
    // Four triangles per cell, numbered one after the other.
    EXPECT_EQ(g.Piezas[1].XDestino, 0);
    EXPECT_EQ(g.Piezas[4].YDestino, 0);
    EXPECT_EQ(g.Piezas[5].XDestino, g.AnchoPieza);
    EXPECT_EQ(g.Piezas[8].XDestino, g.AnchoPieza);
    EXPECT_EQ(g.Piezas[21].XDestino, 0);
    EXPECT_EQ(g.Piezas[21].YDestino, g.AltoPieza);
    EXPECT_EQ(g.Piezas[100].XDestino, 4 * g.AnchoPieza);
    std::set<std::int16_t> orden(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end());
    EXPECT_EQ(orden.size(), 100u);
    EXPECT_EQ(*orden.begin(), 1);
    std::set<std::int16_t> giros;
    for (int i = 1; i <= 100; ++i) {
        const auto& p = g.Piezas[std::size_t(i)];
        EXPECT_EQ(p.GiroDestino, 0);
        giros.insert(p.Giro);
        // Dealt on the work image, clear of the board's edges.
        EXPECT_GE(p.X, 1);
        EXPECT_LE(p.X + g.AnchoPieza, mesa.Pic_Trabajo.scaleWidth());
        EXPECT_FALSE(p.X <= g.AnchoImagen && p.X + g.AnchoPieza >= g.AnchoImagen) << i;
        EXPECT_FALSE(p.Y <= g.AltoImagen && p.Y + g.AltoPieza >= g.AltoImagen) << i;
    }
    EXPECT_GT(giros.size(), 1u) << "turned when turning is allowed";
    // A new puzzle starts its recorder empty.
    EXPECT_EQ(g.MovActual, 0);
    EXPECT_EQ(g.UltimoMovGrabado, 0);
}

TEST_F(PreparaPiezasMovilesTest, ARebuildKeepsTheLoadedPiecesAndMoves) {
    PonMesa(800, 600);
    Puzzle(2, 4, 400, 300);
    auto& g = PuzzGbl;
    PreparaPiezasMoviles(true);
    g.Piezas[3].X = 77;
    g.Piezas[3].Giro = 2;
    std::swap(g.OrdenPiezas[1], g.OrdenPiezas[2]);
    const auto piezas = g.Piezas;
    const auto orden = g.OrdenPiezas;
    g.MovActual = 5;
    g.UltimoMovGrabado = 9;
    const QImage bitmap = mesa.Pic_Bitmap.image().copy();
    PreparaPiezasMoviles(false);
    EXPECT_EQ(g.Piezas, piezas);
    EXPECT_EQ(g.OrdenPiezas, orden);
    EXPECT_EQ(g.MovActual, 5);
    EXPECT_EQ(g.UltimoMovGrabado, 5);
    // Surfaces, templates and cut lines are all made again, alike.
    EXPECT_EQ(mesa.Pic_Bitmap.image(), bitmap);
}

// A state whose pieces were never dealt (written before any picture was
// chosen) cannot be rebuilt: it is dealt as a new puzzle.
TEST_F(PreparaPiezasMovilesTest, ARebuildWithoutDealtPiecesDealsThem) {
    PonMesa(800, 600);
    Puzzle(0, 5, 400, 300);
    auto& g = PuzzGbl;
    g.Piezas.assign(26, RegistroPieza{});
    g.OrdenPiezas.assign(26, 0);
    g.MovActual = 3;
    PreparaPiezasMoviles(false);
    std::set<std::int16_t> orden(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end());
    EXPECT_EQ(orden.size(), 25u);
    EXPECT_EQ(g.Piezas[25].XDestino, 4 * g.AnchoPieza);
    EXPECT_EQ(g.Piezas[25].YDestino, 4 * g.AltoPieza);
    int repartidas = 0;
    for (int i = 1; i <= 25; ++i) repartidas += g.Piezas[std::size_t(i)].X != 0;
    EXPECT_EQ(repartidas, 25);
    EXPECT_EQ(g.MovActual, 0);
    EXPECT_EQ(g.UltimoMovGrabado, 0);
}

// The first start of the jigsaw with a state file that names a sample
// picture and holds no dealt pieces yet: the picture is loaded and cut, the
// pieces dealt and drawn, without a word to the player.
TEST_F(PreparaPiezasMovilesTest, AFirstStartWithASamplePictureSetsUpDealsAndDraws) {
    const QString imagenes = testing_support::samplePicturesFolder();
    ASSERT_FALSE(imagenes.isEmpty());
    const QImage muestra(imagenes + "Paisaje.jpg");
    ASSERT_FALSE(muestra.isNull());
    testing_support::ScratchDir carpeta;
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaImagenes = imagenes;
    g.TipoJuego = 21;
    PonMesa(1024, 768);
    QStringList textos;
    RegistraPresentadorMensaje([&textos](const QString&, const QString& texto) {
        textos << texto;
        PuzzGbl.RespuestaMensaje = true;
    });
    InstalaEstadoPuzzle();

    EstadoPartida e;
    e.CarpetaImagen = imagenes;
    e.ArchivoImagen = "Paisaje.jpg";
    e.FicheroImagen = imagenes + "Paisaje.jpg";
    CabeceraPartida& c = e.c;
    c.NombreJugador = "MiNombre ";
    c.ColorFondo = 0x800000;
    c.ColorPieza = 0x8000;
    c.ColorLineas = 0xFFFFFF;
    c.MuestraVisible = true;
    c.NroModelo = 1;
    c.ZoomImagen = 100;
    c.PiezasLado = 6;
    c.FormaPieza = 2;
    c.NroPiezas = 36;
    c.TAN_ModoJuego = 2;
    c.TipoRotulo = 2;
    c.AnchoBmp = muestra.width();
    c.AltoBmp = muestra.height();
    c.TipoJuego = 21;
    c.FactorAtraccion = 20;
    c.GiroPermitido = c.DibujarBorde = c.AtraccionPiezas = true;
    c.MaterialPiezas = 1;
    c.AnchoMesa = 1024;
    c.AltoMesa = 768;
    e.Piezas.assign(37, RegistroPieza{});
    e.OrdenPiezas.assign(37, 0);
    e.Movimientos.assign(1, RegistroMovimiento{});
    const QString ruta = RutaEstadoJuego(21);
    plat::writeFile(ruta, ComponeArchivoEstado(ComponeLineas(e)));

    LeePuzzleJuego(ruta);

    EXPECT_TRUE(textos.isEmpty()) << textos.join(" | ").toStdString();
    EXPECT_TRUE(g.SeleccionValida);
    EXPECT_EQ(mesa.llamadasBoton(), 0) << "no settings window asked for";
    ASSERT_EQ(g.NroPiezas, 36);
    // Cut from the sample picture, with its lines.
    EXPECT_EQ(g.AnchoImagen, muestra.width() / 6 * 6);
    const QImage& b = mesa.Pic_Bitmap.image();
    EXPECT_EQ(b.size(), QSize(g.AnchoImagen, g.AltoImagen));
    int lineas = 0;
    for (int x = 0; x < b.width(); ++x) lineas += (b.pixel(x, 0) & 0xFFFFFFu) == 0xFFFFFFu;
    EXPECT_EQ(lineas, b.width()) << "the frame";
    // Dealt: every piece somewhere on the table, in one drawing order.
    std::set<std::int16_t> orden(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end());
    EXPECT_EQ(orden.size(), 36u);
    std::set<std::pair<int, int>> lugares;
    for (int i = 1; i <= 36; ++i) lugares.insert({g.Piezas[std::size_t(i)].X, g.Piezas[std::size_t(i)].Y});
    EXPECT_GT(lugares.size(), 30u);
    // Drawn: the front piece shows on the back buffer and on the table.
    const auto& frente = g.Piezas[std::size_t(g.OrdenPiezas[1])];
    GeneraImagenPieza(g.OrdenPiezas[1]);
    int distintos = 0;
    const plat::Surface& m = mesa.Pic_PiezaMascara;
    for (int y = 0; y < m.scaleHeight(); ++y)
        for (int x = 0; x < m.scaleWidth(); ++x) {
            if (m.point(x, y) != 0) continue;
            const int tx = frente.X - g.MargenPiezaX + x, ty = frente.Y - g.MargenPiezaY + y;
            distintos += mesa.Pic_Imagen.point(tx, ty) != mesa.Pic_Fondo.point(tx, ty);
        }
    EXPECT_GT(distintos, 100);
    EXPECT_EQ(mesa.Pic_Trabajo.image(), mesa.Pic_Imagen.image().copy(0, 0, mesa.Pic_Trabajo.scaleWidth(),
                                                                       mesa.Pic_Trabajo.scaleHeight()));
    EXPECT_TRUE(mesa.Pic_Muestra.visible());
}

// The largest triangle puzzle of a full-size picture sets up without a window.
TEST_F(PreparaPiezasMovilesTest, ANineHundredPieceTrianglePuzzleSetsUpHeadless) {
    PonMesa(1280, 1024);
    Puzzle(3, 15, 1024, 768);
    PuzzGbl.GiroPermitido = true;
    PreparaJuego(true);
    const auto& g = PuzzGbl;
    ASSERT_EQ(g.NroPiezas, 900);
    EXPECT_EQ(g.AnchoPieza, 67);
    EXPECT_EQ(g.AltoPieza, 50);
    std::set<std::int16_t> orden(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end());
    EXPECT_EQ(orden.size(), 900u);
    for (int i = 1; i <= 900; ++i) {
        const auto& p = g.Piezas[std::size_t(i)];
        ASSERT_GE(p.X, 1) << i;
        ASSERT_LE(p.X + g.AnchoPieza, mesa.Pic_Trabajo.scaleWidth()) << i;
        ASSERT_LE(p.Y + g.AltoPieza, mesa.Pic_Trabajo.scaleHeight()) << i;
    }
    EXPECT_EQ(g.NroPiezasColocadas, 0);
    EXPECT_TRUE(mesa.BarraHor.Visible());
}

// ---------------------------------------------------------------- first jigsaw

// A new player's first jigsaw, while no settings window can be opened for a
// choice: the first sample picture (in name order, skipping what does not
// load) is fitted, given a size and a shape it allows, and dealt.
class PrimerPuzzleTest : public PreparaPiezasMovilesTest {
protected:
    void SetUp() override {
        PreparaPiezasMovilesTest::SetUp();
        auto& g = PuzzGbl;
        g.RutaPrograma = carpeta.path();
        g.RutaImagenes = carpeta.path() + "Imagenes/";
        QDir().mkpath(g.RutaImagenes);
        PonMesa(1024, 768);
        RegistraPresentadorMensaje([this](const QString& t, const QString&) {
            titulos << t;
            PuzzGbl.RespuestaMensaje = true;
        });
        InstalaEstadoPuzzle();
    }
    void Imagen(const QString& nombre, int ancho, int alto, const char* formato) {
        ASSERT_TRUE(Foto(ancho, alto).save(PuzzGbl.RutaImagenes + nombre, formato));
    }
    void EsperaRepartido(int piezas) {
        const auto& g = PuzzGbl;
        ASSERT_EQ(g.NroPiezas, piezas);
        std::set<std::int16_t> orden(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end());
        EXPECT_EQ(orden.size(), std::size_t(piezas));
        EXPECT_TRUE(g.SeleccionValida);
        EXPECT_EQ(mesa.llamadasBoton(), 0) << "no settings window asked for";
        EXPECT_EQ(g.AnchoImagen, g.AnchoPieza * g.PiezasLado);
    }
    testing_support::ScratchDir carpeta;
    QStringList titulos;
};

TEST_F(PrimerPuzzleTest, AMissingJigsawStateDealsTheFirstSamplePicture) {
    plat::writeFile(PuzzGbl.RutaImagenes + "a-rota.jpg", QByteArray("no es una imagen"));
    Imagen("B.jpg", 2000, 500, "JPG"); // zoomed to 50 %: 1000 x 250
    Imagen("c.bmp", 640, 480, "BMP");
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    const QString ruta = RutaEstadoJuego(21);
    LeePuzzleJuego(ruta);
    EXPECT_EQ(titulos.size(), 1) << "only the missing file is said";
    EXPECT_EQ(g.FicheroImagen, g.RutaImagenes + "B.jpg");
    EXPECT_EQ(g.ArchivoImagen, QStringLiteral("B.jpg"));
    EXPECT_EQ(g.ZoomImagen, 50);
    EXPECT_EQ(g.AnchoBmp, 2000);
    EXPECT_EQ(g.FormaPieza, 0);
    // 1000 x 250 offers 8 to 10 per side; 8 is the nearest to the default 5.
    EXPECT_EQ(g.PiezasLado, 8);
    EsperaRepartido(64);
    EXPECT_EQ(g.AnchoPieza, 125);
    EXPECT_EQ(mesa.Pic_FonTamModi.width(), 1000);

    // The state written reads back as the same puzzle.
    const auto piezas = g.Piezas;
    titulos.clear();
    LeePuzzleJuego(ruta);
    EXPECT_TRUE(titulos.isEmpty()) << titulos.join(" | ").toStdString();
    EXPECT_EQ(g.NroPiezas, 64);
    EXPECT_EQ(g.Piezas[5].X, piezas[5].X);
}

TEST_F(PrimerPuzzleTest, TheShapeStaysWhereThePictureSuitsItElseRectangles) {
    const struct {
        int ancho, alto, forma, lado;
        int forma2, lado2;
    } casos[] = {
        {640, 480, 2, 12, 2, 12},  // kept
        {640, 480, 3, 12, 3, 9},   // triangles: 5..9 per side
        {1024, 400, 2, 5, 0, 8},   // too wide for the irregular shape: 8..16
        {200, 150, 1, 5, 1, 5},    // enlarged to 165 %: 330 x 247
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ancho << " x " << c.alto << ", shape " << c.forma);
        QDir(PuzzGbl.RutaImagenes).removeRecursively();
        QDir().mkpath(PuzzGbl.RutaImagenes);
        Imagen("uno.bmp", c.ancho, c.alto, "BMP");
        PuzzGbl.FormaPieza = std::int16_t(c.forma);
        PuzzGbl.PiezasLado = std::int16_t(c.lado);
        ASSERT_TRUE(PreparaPrimerPuzzle());
        EXPECT_EQ(PuzzGbl.FormaPieza, c.forma2);
        EXPECT_EQ(PuzzGbl.PiezasLado, c.lado2);
        EsperaRepartido(c.lado2 * c.lado2 * (c.forma2 == 3 ? 4 : 1));
    }
}

// The sample is taken from the files the settings window lists: PNG, JPEG
// and metafiles too, by their extension in any case, and nothing else.
TEST_F(PrimerPuzzleTest, TheSampleIsAnyPictureTheChooserLists) {
    const struct {
        const char* nombre;
        const char* formato; // a photograph saved so, or else the sample metafile
        QByteArray (*metarchivo)();
    } casos[] = {
        {"uno.png", "PNG", nullptr},
        {"dos.JPEG", "JPG", nullptr},
        {"tres.Wmf", nullptr, metarchivos::Wmf},
        {"cuatro.EMF", nullptr, metarchivos::Emf},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        QDir(PuzzGbl.RutaImagenes).removeRecursively();
        QDir().mkpath(PuzzGbl.RutaImagenes);
        // A picture under a name the chooser does not list comes first and is passed over.
        Imagen("a-foto.txt", 800, 600, "BMP");
        if (c.formato)
            Imagen(c.nombre, 640, 480, c.formato);
        else
            plat::writeFile(PuzzGbl.RutaImagenes + c.nombre, c.metarchivo());
        ASSERT_TRUE(PreparaPrimerPuzzle());
        EXPECT_EQ(PuzzGbl.ArchivoImagen, QString::fromLatin1(c.nombre));
        EXPECT_EQ(PuzzGbl.AnchoBmp, 640);
        EXPECT_EQ(PuzzGbl.AltoBmp, 480);
        EsperaRepartido(PuzzGbl.PiezasLado * PuzzGbl.PiezasLado);
    }
}

TEST_F(PrimerPuzzleTest, APictureThatCannotBeFoundDealsASample) {
    Imagen("muestra.jpg", 800, 600, "JPG");
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    // A state whose picture is gone: said, then the sample is dealt.
    EstadoPartida e;
    e.CarpetaImagen = g.RutaImagenes;
    e.ArchivoImagen = "perdida.jpg";
    e.FicheroImagen = g.RutaImagenes + "perdida.jpg";
    e.c.TipoJuego = 21;
    e.c.PiezasLado = 5;
    e.c.NroPiezas = 25;
    e.c.ZoomImagen = 100;
    e.c.AnchoBmp = 640;
    e.c.AltoBmp = 480;
    e.Piezas.assign(26, RegistroPieza{});
    e.OrdenPiezas.assign(26, 0);
    e.Movimientos.assign(1, RegistroMovimiento{});
    AplicaEstadoPartida(e);
    ASSERT_EQ(titulos.size(), 1);
    EXPECT_EQ(titulos[0], QString::fromUtf8("Imagen no válida"));
    EXPECT_EQ(g.ArchivoImagen, QStringLiteral("muestra.jpg"));
    EXPECT_EQ(g.PiezasLado, 6) << "800 x 600 offers 6 per side and more";
    EsperaRepartido(36);
}

TEST_F(PrimerPuzzleTest, WithoutAUsableSampleNothingChanges) {
    plat::writeFile(PuzzGbl.RutaImagenes + "rota.bmp", QByteArray("BM nada"));
    Imagen("enorme.bmp", 300, 800, "BMP"); // no zoom fits it
    PuzzGbl.FormaPieza = 2;
    PuzzGbl.PiezasLado = 7;
    PuzzGbl.FicheroImagen = QStringLiteral(" ");
    const QImage tablero = mesa.Pic_Bitmap.image().copy();
    const auto piezas = PuzzGbl.Piezas;
    EXPECT_FALSE(PreparaPrimerPuzzle());
    EXPECT_EQ(PuzzGbl.FormaPieza, 2);
    EXPECT_EQ(PuzzGbl.PiezasLado, 7);
    EXPECT_EQ(PuzzGbl.FicheroImagen, QStringLiteral(" "));
    // No puzzle was set up.
    EXPECT_EQ(mesa.Pic_Bitmap.image(), tablero);
    EXPECT_EQ(PuzzGbl.Piezas, piezas);
}

} // namespace
