// The sliding table's set-up: the board picture in its three kinds, the
// framed back buffer, the preview, and a new shuffled board.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "table/mesa.h"
#include "model/Deslizantes.h"
#include "model/EstadoPuzzle.h"
#include "model/Partida.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/support/fixtures.h"
#include "tests/support/grado.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <QImage>

#include <set>

using namespace imaging_test;

namespace {

constexpr int kCelda = 30, kOrigen = 20;
constexpr plat::Color kFondo = 0x808080, kClaro = 0xC0C0C0, kOscuro = 0x404040;
constexpr plat::Color kPieza = 0x0000A0, kPiezaClaro = 0x40E0E0, kPiezaOscuro = 0x300000;

class PreparaDeslizantesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        InicializaTablas();
    }
    void TearDown() override {
        RegistraProcedimientosPanel({});
        RegistraPresentadorMensaje({});
        InstalaServiciosEstadoPuzzle({});
        Reinicia();
    }
};

void Mesa(int n, int rotulo) {
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.AnchoMesa = 360;
    g.AltoMesa = 300;
    g.PiezasLado = std::int16_t(n);
    g.NroPiezas = std::int16_t(n * n - 1);
    g.AnchoPieza = g.AltoPieza = kCelda;
    g.OrigenX = g.OrigenY = kOrigen;
    g.AnchoImagen = g.AltoImagen = std::int16_t(n * kCelda);
    g.ColorFondo = std::int32_t(kFondo);
    g.ColorFondoClaro = std::int32_t(kClaro);
    g.ColorFondoOscuro = std::int32_t(kOscuro);
    g.ColorPieza = std::int32_t(kPieza);
    g.ColorPiezaClaro = std::int32_t(kPiezaClaro);
    g.ColorPiezaOscuro = std::int32_t(kPiezaOscuro);
    g.TipoRotulo = std::int16_t(rotulo);
}

int Casa(int celda) { return kOrigen + celda * kCelda; }

// The cell of piece n as the label should look: the text in the dark shade
// one pixel up and left, then in the light one, centred in the cell.
QImage Rotulo(const QString& texto) {
    const auto& b = mesa.Pic_Bitmap;
    plat::Surface s(QStringLiteral("referencia"), kCelda, kCelda);
    s.setBackColor(kPieza);
    s.setFont(b.font());
    const int x = int(plat::roundHalfEven((kCelda - s.textWidth(texto)) / 2.0));
    const int y = int(plat::roundHalfEven((kCelda - s.textHeight(texto)) / 2.0));
    s.setForeColor(kPiezaOscuro);
    s.setCurrent(x - 1, y - 1);
    s.print(texto);
    s.setForeColor(kPiezaClaro);
    s.setCurrent(x, y);
    s.print(texto);
    return s.image().copy();
}

QImage CeldaDeTablero(int pieza) {
    const int n = PuzzGbl.PiezasLado;
    return mesa.Pic_Bitmap.image().copy(Casa((pieza - 1) % n), Casa((pieza - 1) / n), kCelda, kCelda);
}

TEST_F(PreparaDeslizantesTest, TheBackBufferHasASunkenFrameAndADarkEmptyBoard) {
    Mesa(3, 2);
    PreparaDeslizantes(true);
    const auto& im = mesa.Pic_Imagen;
    ASSERT_EQ(im.scaleWidth(), 360);
    ASSERT_EQ(im.scaleHeight(), 300);
    const int fin = kOrigen + 3 * kCelda, medio = kOrigen + 45;
    EXPECT_EQ(im.point(2, 2), kFondo);
    EXPECT_EQ(im.point(fin + 1, medio), kClaro) << "right edge";
    EXPECT_EQ(im.point(medio, fin + 1), kClaro) << "bottom edge";
    EXPECT_EQ(im.point(kOrigen - 2, medio), kOscuro) << "left edge";
    EXPECT_EQ(im.point(medio, kOrigen - 2), kOscuro) << "top edge";
    EXPECT_EQ(im.point(fin + 4, medio), kFondo);
    EXPECT_EQ(im.point(fin - 5, fin - 5), kOscuro) << "the empty cell";
    EXPECT_EQ(im.point(kOrigen + 5, kOrigen + 5), kOscuro);
    EXPECT_EQ(mesa.Pic_Fondo.image(), im.image());
    EXPECT_TRUE(im.hasPicture());
    EXPECT_EQ(im.drawWidth(), 1);
}

TEST_F(PreparaDeslizantesTest, NumbersAndLettersAreLightWithADarkEdgeUpAndLeft) {
    const struct {
        int lado, rotulo, pieza;
        const char* texto;
    } casos[] = {
        {5, 2, 1, "1"},  {5, 2, 24, "24"}, {5, 3, 1, "A"},  {5, 3, 15, "Ñ"},
        {5, 3, 24, "W"}, {5, 3, 14, "N"},   {6, 3, 35, "35"}, {6, 3, 25, "25"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        Mesa(c.lado, c.rotulo);
        PreparaDeslizantes(true);
        EXPECT_EQ(PuzzGbl.TipoRotulo, c.lado == 6 ? 2 : c.rotulo) << "more than 24 pieces show numbers";
        const QImage celda = CeldaDeTablero(c.pieza);
        EXPECT_EQ(celda, Rotulo(QString::fromUtf8(c.texto)));
        EXPECT_NE(celda, Rotulo(QString())) << "no label";
        // The size chosen: the first at which "99" is wider than 24 pixels.
        plat::Surface s;
        plat::Font f = mesa.Pic_Bitmap.font();
        EXPECT_EQ(f.name, QStringLiteral("Liberation Sans"));
        s.setFont(f);
        EXPECT_GT(s.textWidth(QStringLiteral("99")), 24);
        f.size -= 1;
        s.setFont(f);
        EXPECT_LE(s.textWidth(QStringLiteral("99")), 24);
        EXPECT_FALSE(mesa.Pic_Muestra.visible());
    }
}

TEST_F(PreparaDeslizantesTest, ThePictureIsStretchedOntoTheBoardAndHalvedForThePreview) {
    Mesa(3, 1);
    // A 45 x 45 picture behind the board's origin: the board doubles it.
    QImage img(kOrigen + 45, kOrigen + 45, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, qRgb(x * 3, y * 5, (x * y) & 0xFF));
    mesa.Pic_FonTamModi.setSize(img.width(), img.height());
    mesa.Pic_FonTamModi.setImage(img);
    PreparaDeslizantes(true);
    const auto& b = mesa.Pic_Bitmap;
    ASSERT_EQ(b.scaleWidth(), kOrigen + 90);
    ASSERT_EQ(b.scaleHeight(), kOrigen + 90);
    int distintos = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 90; ++x)
            if (b.point(kOrigen + x, kOrigen + y) != mesa.Pic_FonTamModi.point(kOrigen + x / 2, kOrigen + y / 2))
                ++distintos;
    EXPECT_EQ(distintos, 0);
    EXPECT_EQ(b.point(kOrigen - 1, kOrigen - 1), kPieza);
    const auto& m = mesa.Pic_Muestra;
    ASSERT_EQ(m.scaleWidth(), 45);
    ASSERT_EQ(m.scaleHeight(), 45);
    EXPECT_TRUE(m.visible());
    for (int y = 0; y < 45; y += 7)
        for (int x = 0; x < 45; x += 5)
            EXPECT_EQ(m.point(x, y), mesa.Pic_FonTamModi.point(kOrigen + x, kOrigen + y)) << x << "," << y;
}

TEST_F(PreparaDeslizantesTest, ANewBoardIsDealtAfterTheTableAndLabelledAfterTheDeal) {
    Mesa(4, 2);
    mesa.BarraHor.setVisible(true);
    mesa.BarraHor.setValue(30);
    mesa.Pic_Cuadrito.setVisible(true);
    PuzzGbl.MovActual = 0;
    PuzzGbl.UltimoMovGrabado = 12;
    bool fondoListo = false, sinRotulos = false, sinRepartir = false;
    ProcedimientosPanel p;
    p.dibujaBotonera = [&] {
        fondoListo = mesa.Pic_Fondo.image() == mesa.Pic_Imagen.image() && mesa.Pic_Imagen.scaleWidth() == 360;
        sinRotulos = CeldaDeTablero(1) == Rotulo(QString());
        sinRepartir = PuzzGbl.Piezas.size() == 1;
    };
    RegistraProcedimientosPanel(p);
    plat::randomGenerator().setState(77);
    PreparaDeslizantes(true);
    EXPECT_TRUE(fondoListo);
    EXPECT_TRUE(sinRotulos);
    EXPECT_TRUE(sinRepartir);

    auto& g = PuzzGbl;
    ASSERT_EQ(g.Piezas.size(), 16u);
    ASSERT_EQ(g.OrdenPiezas.size(), 16u);
    std::set<std::pair<int, int>> celdas{{g.AgujeroX, g.AgujeroY}};
    for (int i = 1; i <= 15; ++i) {
        const auto& pz = g.Piezas[std::size_t(i)];
        EXPECT_EQ(pz.XDestino, Casa((i - 1) % 4));
        EXPECT_EQ(pz.YDestino, Casa((i - 1) / 4));
        EXPECT_EQ(g.OrdenPiezas[std::size_t(i)], i);
        celdas.insert({pz.X, pz.Y});
        // Labels go to the home cells, wherever the pieces stand.
        EXPECT_EQ(CeldaDeTablero(i), Rotulo(QString::number(i))) << i;
    }
    EXPECT_EQ(celdas.size(), 16u);
    EXPECT_EQ(g.AgujeroX, Casa(3));
    EXPECT_EQ(g.AgujeroY, Casa(3));
    EXPECT_TRUE(EsResoluble());
    EXPECT_FALSE(mesa.BarraHor.Visible());
    EXPECT_EQ(mesa.BarraHor.Value(), 0);
    EXPECT_FALSE(mesa.Pic_Cuadrito.visible());
    EXPECT_EQ(g.AnchoPiezaBase, kCelda);
    EXPECT_EQ(g.AltoPiezaBase, kCelda);
    EXPECT_EQ(g.LadoZonaPieza, kCelda);
    EXPECT_EQ(g.MargenPiezaX, 0);
    EXPECT_EQ(g.UltimoMovGrabado, 0);
    EXPECT_TRUE(testing_support::GradoDelPuzzle());
}

TEST_F(PreparaDeslizantesTest, ALoadedBoardIsKeptAsItIs) {
    Mesa(3, 2);
    PreparaDeslizantes(true);
    auto& g = PuzzGbl;
    std::swap(g.Piezas[8].X, g.AgujeroX); // as a state file may bring it
    const auto piezas = g.Piezas;
    const int hx = g.AgujeroX;
    g.MovActual = 5;
    g.UltimoMovGrabado = 9;
    testing_support::BorraGrado();
    PreparaDeslizantes(false);
    EXPECT_EQ(g.Piezas, piezas);
    EXPECT_EQ(g.AgujeroX, hx);
    EXPECT_EQ(g.UltimoMovGrabado, 5);
    EXPECT_EQ(g.GradoDificultad, testing_support::kSinGrado) << "a loaded board keeps its degree";
    EXPECT_EQ(CeldaDeTablero(8), Rotulo(QStringLiteral("8")));
}

// The bars, hidden, lie below and right of the table as in the other games,
// so the tips panel stands at the lower left of the visible table, not above
// its top where a bar never placed would put it.
TEST_F(PreparaDeslizantesTest, TheHiddenBarsLeaveTheTipsPanelAtTheLowerLeft) {
    Mesa(3, 2);
    mesa.BarraHor.Move(0, 0, 100, 16);
    PreparaDeslizantes(true);
    EXPECT_FALSE(mesa.BarraHor.Visible());
    EXPECT_EQ(mesa.BarraHor.Top(), 300);
    EXPECT_EQ(mesa.BarraVer.Left(), 360);
    PuzzGbl.MostrarSugerencias = true;
    std::int16_t nro = 2;
    MuestraSugerencia(nro);
    EXPECT_EQ(mesa.Pic_Sugerencia.left(), 0);
    EXPECT_EQ(mesa.Pic_Sugerencia.top(), 300 - 64);
}

// The first start of the game: no state file yet.
TEST_F(PreparaDeslizantesTest, WithoutAStateFileTheGameDealsWritesItAndReadsItBack) {
    testing_support::ScratchDir carpeta;
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaImagenes = carpeta.path() + "Imagenes/";
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    mesa.Pic_Botonera.move(800 - 141, 0, 141, 431);
    QStringList textos;
    RegistraPresentadorMensaje([&textos](const QString&, const QString& texto) {
        textos << texto;
        PuzzGbl.RespuestaMensaje = true;
    });
    InstalaEstadoPuzzle();
    g.TipoJuego = 22;
    const QString ruta = RutaEstadoJuego(22);
    plat::randomGenerator().setState(31337);
    LeePuzzleJuego(ruta);
    ASSERT_EQ(textos.size(), 1);
    EXPECT_TRUE(textos[0].contains(QStringLiteral("crearlo"))) << textos[0].toStdString();
    EXPECT_TRUE(QFileInfo::exists(ruta));
    EXPECT_EQ(g.PiezasLado, 5);
    EXPECT_EQ(g.TipoRotulo, 2);
    ASSERT_EQ(g.Piezas.size(), 25u);
    EXPECT_TRUE(EsResoluble());
    EXPECT_EQ(g.AgujeroX, g.OrigenX + 4 * g.AnchoPieza);
    EXPECT_EQ(g.AgujeroY, g.OrigenY + 4 * g.AltoPieza);
    int descolocadas = 0;
    for (int i = 1; i <= 24; ++i)
        if (g.Piezas[std::size_t(i)].X != g.Piezas[std::size_t(i)].XDestino ||
            g.Piezas[std::size_t(i)].Y != g.Piezas[std::size_t(i)].YDestino)
            ++descolocadas;
    EXPECT_GT(descolocadas, 0);
    const auto repartidas = g.Piezas;
    const QImage tablero = mesa.Pic_Bitmap.image().copy();

    // The next start reads the same board back.
    textos.clear();
    g.Piezas.assign(1, RegistroPieza{});
    LeePuzzleJuego(ruta);
    EXPECT_TRUE(textos.isEmpty()) << textos.value(0).toStdString();
    EXPECT_EQ(g.Piezas, repartidas);
    EXPECT_EQ(mesa.Pic_Bitmap.image(), tablero);
}

} // namespace
