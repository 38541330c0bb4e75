// Landing a dropped piece: attraction to its home, the pentomino grid, the
// push back inside the visible table; and the end of a solved puzzle, its
// order and the history question.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/Tangram.h"
#include "platform/files.h"
#include "platform/sound.h"
#include "resources/resources.h"
#include "table/Desolapa.h"
#include "table/Soltar.h"
#include "tests/support/fixtures.h"

#include <QFile>
#include <gtest/gtest.h>

#include <deque>

namespace {

// ---- attraction ------------------------------------------------------------

struct CasoAtraccion {
    int factor, lado, desplazamiento;
    bool atrae;
};

TEST(Atraccion, ShrunkHalfOpenBoxesDecide) {
    // Factor 20 on 50 px: margin Int(40 * 0.5) = 20, middle 10 px; on 51 px
    // Int(40 * 0.51) = 20, middle 11 px. Factor 0: margin half the size.
    const CasoAtraccion casos[] = {
        {100, 50, 0, true},  {100, 50, 49, true}, {100, 50, 50, false}, {100, 51, 50, true},
        {20, 50, 0, true},   {20, 50, 9, true},   {20, 50, 10, false},  {20, 51, 10, true},
        {20, 51, 11, false}, {0, 50, 0, false},   {0, 51, 0, true},     {0, 51, 1, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.factor << " " << c.lado << " " << c.desplazamiento);
        EXPECT_EQ(CajasSeAtraen(100 + c.desplazamiento, 200, 100, 200, c.lado, c.lado, c.factor), c.atrae);
        EXPECT_EQ(CajasSeAtraen(100, 200 - c.desplazamiento, 100, 200, c.lado, c.lado, c.factor), c.atrae);
    }
}

// ---- pentomino grid --------------------------------------------------------

TEST(Rejilla, ThirtyPixelCellsSnapWithinNinePixels) {
    // Origin (100, 50), 6 rows x 10 columns, a piece 3 wide and 2 high.
    struct Caso {
        int x, y;
        std::optional<CeldaRejilla> esperado;
    };
    const Caso casos[] = {
        {109, 50, CeldaRejilla{100, 50}},
        {110, 50, std::nullopt},
        {91, 41, CeldaRejilla{100, 50}},
        {161, 79, CeldaRejilla{160, 80}},
        {310, 50, CeldaRejilla{310 - 0, 50}}, // column 8 + 3 cells = 10: still on the board
        {340, 50, std::nullopt},              // column 9 would put the last cell off the board
        {100, 200, std::nullopt},             // row 6 with a piece 2 high
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(AjusteRejilla(c.x, c.y, 3, 2, 30, 100, 50, 6, 10), c.esperado);
    }
}

// ---- push back -------------------------------------------------------------

TEST(EmpujeDentro, CentreComesBackOntoTheVisibleTable) {
    ZonaVisible z;
    z.barraHorArriba = 700;
    z.barraVerIzquierda = 1000;
    z.botoneraIzquierda = 900;
    z.botoneraAlto = 300;
    z.sugerenciaAncho = 400;
    z.sugerenciaArriba = 600;
    struct Caso {
        const char* que;
        int x, y, hV, vV;
        bool sugerencias;
        Posicion esperado;
    };
    const Caso casos[] = {
        {"left of the table", -40, 400, 0, 0, false, {-25, 400}},
        {"left, scrolled", -40, 400, 100, 0, false, {75, 400}},
        {"above the table", 500, -50, 0, 0, false, {500, -25}},
        {"below the table", 500, 690, 0, 0, false, {500, 675}},
        {"below, scrolled", 500, 690, 0, 50, false, {500, 690}},
        {"beside the panel", 890, 100, 0, 0, false, {875, 100}},
        {"beside the scroll bar", 990, 500, 0, 0, false, {975, 500}},
        {"over the tips panel", 300, 590, 0, 0, true, {300, 575}},
        {"tips panel hidden", 300, 590, 0, 0, false, {300, 590}},
        {"right of the tips panel", 450, 590, 0, 0, true, {450, 590}},
        {"inside", 500, 400, 0, 0, true, {500, 400}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        ZonaVisible zc = z;
        zc.valorHor = c.hV;
        zc.valorVer = c.vV;
        zc.sugerenciasVisibles = c.sugerencias;
        EXPECT_EQ(EmpujaDentro(c.x, c.y, 50, 50, 0, 0, zc), c.esperado);
    }
}

TEST(EmpujeDentro, HalvesRoundToEven) {
    ZonaVisible z;
    z.barraHorArriba = 700;
    z.barraVerIzquierda = 1000;
    // Width 51: the centre on x = 0 puts the piece at -25.5 -> -26.
    EXPECT_EQ(EmpujaDentro(-40, 100, 51, 51, 0, 0, z), (Posicion{-26, 100}));
    EXPECT_EQ(EmpujaDentro(-40, 100, 53, 53, 0, 0, z), (Posicion{-26, 100}));
}

// ---- end of a puzzle --------------------------------------------------------

class Registro : public plat::SoundPlayer {
public:
    explicit Registro(QStringList& l) : l_(l) {}
    void play(const QByteArray&, bool) override { l_ << QStringLiteral("sonido"); }
    void stop() override {}

private:
    QStringList& l_;
};

class FinPuzzle : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        mesa.Load();
        teselaro::initResources();
        plat::setSoundPlayer(&sonidos);
        PuzzGbl.SonidoActivo = true;
        PuzzGbl.VelocidadJuego = 100;
        PuzzGbl.RutaPrograma = dir.path();
        PuzzGbl.TipoJuego = 21;
        PuzzGbl.NroPiezas = 4;
        PuzzGbl.Piezas.assign(5, RegistroPieza{});
        for (int i = 1; i <= 4; ++i) {
            auto& p = PuzzGbl.Piezas[i];
            p.X = p.XDestino = std::int16_t(10 * i);
            p.Y = p.YDestino = 5;
        }
        PuzzGbl.CronometroEnMarcha = true;
        ProcedimientosPanel p;
        p.marchaCronometro = [this](std::int16_t modo) { eventos << QStringLiteral("crono %1").arg(modo); };
        RegistraProcedimientosPanel(p);
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            eventos << titulo + " / " + texto;
            ayudas.push_back(PuzzGbl.AyudaMensaje);
            bool si = true;
            if (PuzzGbl.TipoMensaje != 1 && !respuestas.empty()) {
                si = respuestas.front();
                respuestas.pop_front();
            }
            PuzzGbl.RespuestaMensaje = PuzzGbl.TipoMensaje == 1 || si;
        });
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        RegistraProcedimientosPanel({});
        plat::setSoundPlayer(nullptr);
        mesa.reset();
        PuzzGbl.reset();
    }
    int lineasHistorico() const {
        const QString f = dir.file("Tesel34.his");
        return QFile::exists(f) ? int(plat::readLines(f).size()) : 0;
    }

    testing_support::ScratchDir dir;
    QStringList eventos;
    Registro sonidos{eventos};
    std::vector<int> ayudas;
    std::deque<bool> respuestas;
};

TEST_F(FinPuzzle, QualifyingAndAcceptedEndsInOrderWithOneRecord) {
    PuzzGbl.PasaAlHistorico = true;
    EXPECT_TRUE(CuentaYTerminaPuzzle());
    EXPECT_EQ(eventos, (QStringList{"crono 2", "sonido", "TESELARO / Ha conseguido resolver el puzzle",
                                    "Histórico de puzzles resueltos / ¿Se actualiza el Histórico de puzzles?"}));
    EXPECT_EQ(ayudas.back(), 2161);
    EXPECT_FALSE(PuzzGbl.CronometroEnMarcha);
    EXPECT_TRUE(PuzzGbl.MostrandoModelo);
    EXPECT_FALSE(PuzzGbl.PasaAlHistorico);
    EXPECT_EQ(lineasHistorico(), 1);
}

TEST_F(FinPuzzle, CancelStoresNothing) {
    PuzzGbl.PasaAlHistorico = true;
    respuestas = {false};
    EXPECT_TRUE(CuentaYTerminaPuzzle());
    EXPECT_EQ(lineasHistorico(), 0);
    EXPECT_FALSE(PuzzGbl.PasaAlHistorico);
}

TEST_F(FinPuzzle, NotQualifyingAsksNothing) {
    EXPECT_TRUE(CuentaYTerminaPuzzle());
    EXPECT_EQ(eventos.back(), "TESELARO / Ha conseguido resolver el puzzle");
    EXPECT_EQ(eventos.filter("Histórico").size(), 0);
    EXPECT_EQ(lineasHistorico(), 0);
}

TEST_F(FinPuzzle, NothingIsAnnouncedWhileAPieceIsOutOrTheBoardIsArrangedOrDesigned) {
    struct Caso {
        const char* que;
        std::function<void()> prepara;
    };
    const Caso casos[] = {
        {"a piece out", [] { PuzzGbl.Piezas[3].X = 99; }},
        {"manual arrangement", [] { PuzzGbl.ColocacionManual = true; }},
        {"Tangram design",
         [] {
             PuzzGbl.TipoJuego = 23;
             PuzzGbl.TAN_ModoJuego = 1;
         }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        SetUp();
        PuzzGbl.PasaAlHistorico = true;
        c.prepara();
        EXPECT_FALSE(CuentaYTerminaPuzzle());
        EXPECT_TRUE(eventos.isEmpty());
        EXPECT_TRUE(PuzzGbl.PasaAlHistorico);
    }
}

// ---- the release ------------------------------------------------------------

class Suelta : public FinPuzzle {
protected:
    void SetUp() override {
        FinPuzzle::SetUp();
        auto& g = PuzzGbl;
        g.AnchoMesa = 1024;
        g.AltoMesa = 768;
        g.AnchoPieza = g.AltoPieza = 20;
        g.AnchoPiezaBase = g.AltoPiezaBase = 20;
        g.FactorAtraccion = 20;
        g.NroPiezas = 2;
        g.Piezas.assign(3, RegistroPieza{});
        g.OrdenPiezas = {0, 1, 2};
        g.Piezas[1].XDestino = 100;
        g.Piezas[1].YDestino = 100;
        g.Piezas[2].X = g.Piezas[2].XDestino = 300;
        g.Piezas[2].Y = g.Piezas[2].YDestino = 300;
    }
    // Piece 1 picked up at (desdeX, desdeY) and let go at (x, y).
    void suelta(int desdeX, int desdeY, int x, int y) {
        auto& g = PuzzGbl;
        g.PosAnteriorX = std::int16_t(desdeX);
        g.PosAnteriorY = std::int16_t(desdeY);
        g.Piezas[1].X = std::int16_t(x);
        g.Piezas[1].Y = std::int16_t(y);
        g.PiezaSeleccionada = 1;
        g.ArrastrandoPieza = true;
        Pic_Trabajo_MouseUp(1, 0, x, y);
    }
    // Pieces 1 and 2 as the twin large triangles of a Tangram being solved.
    static void triangulosGemelos() {
        auto& g = PuzzGbl;
        g.TipoJuego = 23;
        g.TAN_ModoJuego = 2;
        g.TAN_Gemela[1] = 2;
        g.TAN_Gemela[2] = 1;
        g.TAN_AnchoPiezas[1] = g.TAN_AnchoPiezas[2] = g.TAN_AltoPiezas[1] = g.TAN_AltoPiezas[2] = 20;
        // Turned an eighth, a triangle's box is its table size: 20 x 20.
        for (int i : {1, 2}) g.Piezas[std::size_t(i)].Giro = g.Piezas[std::size_t(i)].GiroDestino = 1;
    }
};

TEST_F(Suelta, NearItsHomeThePieceIsAttractedAndTheLastOneEndsThePuzzle) {
    suelta(500, 500, 103, 98);
    EXPECT_EQ(PuzzGbl.Piezas[1].X, 100);
    EXPECT_EQ(PuzzGbl.Piezas[1].Y, 100);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    EXPECT_TRUE(PuzzGbl.MostrandoModelo);
    EXPECT_TRUE(eventos.contains("TESELARO / Ha conseguido resolver el puzzle"));
    EXPECT_FALSE(PuzzGbl.ArrastrandoPieza);
    EXPECT_FALSE(PuzzGbl.SoltandoPieza);
}

TEST_F(Suelta, FarFromHomeItStaysAndPlaysTheOtherSound) {
    suelta(500, 500, 200, 150);
    EXPECT_EQ(PuzzGbl.Piezas[1].X, 200);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    EXPECT_EQ(eventos, QStringList{"sonido"});
}

TEST_F(Suelta, ADropWhereItWasPickedUpPlaysNothingAndRecordsNothing) {
    suelta(200, 150, 200, 150);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 0);
    EXPECT_TRUE(eventos.isEmpty());
}

TEST_F(Suelta, APieceLeftOffTheTableComesBackWithItsCentreOnTheEdge) {
    suelta(500, 500, -40, 150);
    EXPECT_EQ(PuzzGbl.Piezas[1].X, -10);
    EXPECT_EQ(PuzzGbl.Piezas[1].Y, 150);
}

TEST_F(Suelta, ALargeTriangleOnItsTwinsHomeIsAttractedAndTheTargetsSwap) {
    triangulosGemelos();
    auto& g = PuzzGbl;
    g.Piezas[2].X = 600; // the twin lies away from both homes
    suelta(500, 500, 302, 297);
    EXPECT_EQ(g.Piezas[1].X, 300);
    EXPECT_EQ(g.Piezas[1].Y, 300);
    EXPECT_EQ(g.Piezas[1].XDestino, 300);
    EXPECT_EQ(g.Piezas[2].XDestino, 100);
}

TEST_F(Suelta, ATriangleNearNeitherHomeKeepsItsTarget) {
    triangulosGemelos();
    auto& g = PuzzGbl;
    suelta(500, 500, 200, 200);
    EXPECT_EQ(g.Piezas[1].X, 200);
    EXPECT_EQ(g.Piezas[1].XDestino, 100);
    EXPECT_EQ(g.Piezas[2].XDestino, 300);
}

// ---- Tangram pieces on the table ----------------------------------------------

class SueltaTangram : public Suelta {
protected:
    static constexpr plat::Color kMesa = 0x808080, kPieza = 0x3366CC;
    void SetUp() override {
        Suelta::SetUp();
        auto& g = PuzzGbl;
        g.TipoJuego = 23;
        g.TAN_ModoJuego = 1;
        g.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
        g.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
        g.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
        g.TAN_Gemela = {0, 2, 1, 0, 5, 4, 0, 0};
        g.NroPiezas = 7;
        g.Piezas.assign(8, RegistroPieza{});
        g.OrdenPiezas = {0, 1, 2, 3, 4, 5, 6, 7};
        // Laid apart along the bottom of the table, turned an eighth.
        for (int i = 1; i <= 7; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.X = r.XDestino = std::int16_t(140 * i - 130);
            r.Y = r.YDestino = 600;
            r.Giro = r.GiroDestino = 1;
        }
        for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) {
            s->setSize(1024, 768);
            s->setBackColor(kMesa);
        }
        mesa.Pic_Bitmap.setSize(1024, 768);
        mesa.Pic_Bitmap.setBackColor(kPieza);
    }
    // Piece p, brought to the front, picked up where it lies and let go at (x, y).
    void suelta(int p, int x, int y) {
        auto& g = PuzzGbl;
        auto& r = g.Piezas[std::size_t(p)];
        g.OrdenPiezas.erase(std::find(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end(), std::int16_t(p)));
        g.OrdenPiezas.insert(g.OrdenPiezas.begin() + 1, std::int16_t(p));
        g.PosAnteriorX = r.X;
        g.PosAnteriorY = r.Y;
        r.X = std::int16_t(x);
        r.Y = std::int16_t(y);
        g.PiezaSeleccionada = std::int16_t(p);
        g.ArrastrandoPieza = true;
        Pic_Trabajo_MouseUp(1, 0, x, y);
    }
    static Poligono poligono(int p) {
        const auto& r = PuzzGbl.Piezas[std::size_t(p)];
        return PoligonoTangram(std::int16_t(p), r.X, r.Y, r.Giro, r.Volteo);
    }
    // The pairs of pieces that cover each other.
    static QStringList solapes() {
        QStringList l;
        for (int a = 1; a <= 7; ++a)
            for (int b = a + 1; b <= 7; ++b)
                if (PoligonosSeSolapan(poligono(a), poligono(b))) l << QStringLiteral("%1-%2").arg(a).arg(b);
        return l;
    }
};

TEST_F(SueltaTangram, DroppedOnAnotherPieceItIsPushedOutAndNotGlued) {
    auto& g = PuzzGbl;
    g.AtraccionPiezas = true;
    // The square half over the medium triangle (89 x 89 at 290, 600).
    suelta(6, 330, 590);
    EXPECT_GE(g.TAN_Solapes, 1);
    EXPECT_NE(g.TAN_DireccionesProbadas[1], kDireccionLibre);
    EXPECT_EQ(solapes(), QStringList{});
    // The last ranking stays in the sorted list: distances as three digits.
    ASSERT_EQ(mesa.Lis_Ordenar.ListCount(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(mesa.Lis_Ordenar.List(i).size(), 3) << i;
    EXPECT_LE(mesa.Lis_Ordenar.List(0), mesa.Lis_Ordenar.List(7));
    const auto& r = g.Piezas[6];
    EXPECT_EQ(g.UltimoMovGrabado, 1);
    EXPECT_EQ(g.MovGrabados[1].XDespues, r.X);
    EXPECT_EQ(g.MovGrabados[1].YDespues, r.Y);
    // Drawn at its last place on the back buffer, and the table shows it.
    TAN_PuntoEtiqueta(6, r.Giro, r.Volteo);
    EXPECT_EQ(mesa.Pic_Imagen.point(r.X + g.TAN_DesplX, r.Y + g.TAN_DesplY), kPieza);
    EXPECT_EQ(mesa.Pic_Trabajo.point(r.X + g.TAN_DesplX, r.Y + g.TAN_DesplY), kPieza);
    EXPECT_EQ(mesa.Pic_Imagen.point(330 + g.TAN_DesplX, 590 + g.TAN_DesplY) == kPieza,
              PoligonosSeSolapan(poligono(3), {{330 + g.TAN_DesplX, 590 + g.TAN_DesplY},
                                               {331 + g.TAN_DesplX, 590 + g.TAN_DesplY},
                                               {331 + g.TAN_DesplX, 591 + g.TAN_DesplY},
                                               {330 + g.TAN_DesplX, 591 + g.TAN_DesplY}}));
    EXPECT_EQ(eventos, QStringList{"sonido"});
}

TEST_F(SueltaTangram, LeftAFewPixelsFromAnotherItIsGluedWhenPiecesAttract) {
    auto& g = PuzzGbl;
    // The square at (400, 300): its region's columns run to 461. The small
    // triangle, right angle bottom-left, 4 columns right of it: touched at 5.
    g.Piezas[6].X = 400;
    g.Piezas[6].Y = 300;
    g.Piezas[6].Giro = 0;
    g.Piezas[5].Giro = 5;
    for (bool atraccion : {false, true}) {
        SCOPED_TRACE(atraccion);
        g.AtraccionPiezas = atraccion;
        g.TAN_Solapes = 3; // what an earlier un-overlap left
        g.TAN_DireccionesProbadas.fill(5);
        suelta(5, 466, 300);
        EXPECT_EQ(g.TAN_Solapes, 0);
        for (auto d : g.TAN_DireccionesProbadas) EXPECT_EQ(d, kDireccionLibre);
        EXPECT_EQ(g.Piezas[5].X, atraccion ? 463 : 466);
        EXPECT_EQ(g.Piezas[5].Y, 300);
        EXPECT_EQ(solapes(), QStringList{});
    }
}

TEST_F(SueltaTangram, ATwinIsAttractedOnlyToAHomeNoOtherPieceCovers) {
    auto& g = PuzzGbl;
    auto prepara = [this, &g] {
        SetUp();
        g.TAN_ModoJuego = 2;
        g.FactorAtraccion = 100;
        g.Piezas[2].XDestino = 600; // triangle 2's own home, far away
        g.Piezas[2].YDestino = 100;
    };
    // Triangle 1's home is free: triangle 2 dropped near it takes it, and the
    // twins swap their targets.
    prepara();
    g.Piezas[1].X = 300;
    g.Piezas[1].Y = 100;
    suelta(2, 20, 590);
    EXPECT_EQ(g.Piezas[2].X, 10);
    EXPECT_EQ(g.Piezas[2].Y, 600);
    EXPECT_EQ(g.Piezas[2].XDestino, 10);
    EXPECT_EQ(g.Piezas[1].XDestino, 600);
    // At its own home, triangle 1 covers it: triangle 2 dropped over its
    // corner is pushed out a few pixels and stays there, although its box
    // still meets that home; the targets stay.
    prepara();
    suelta(2, 70, 540);
    EXPECT_EQ(g.TAN_Solapes, 1);
    EXPECT_TRUE(CajasSeAtraen(g.Piezas[2].X, g.Piezas[2].Y, 10, 600, 125, 125, 100));
    EXPECT_LT(std::abs(g.Piezas[2].X - 70) + std::abs(g.Piezas[2].Y - 540), 10);
    EXPECT_EQ(g.Piezas[1].XDestino, 10);
    EXPECT_EQ(g.Piezas[2].XDestino, 600);
    EXPECT_EQ(solapes(), QStringList{});
}

TEST_F(SueltaTangram, PushedBackBesideThePanelOntoAPieceItIsPushedOutAgain) {
    auto& g = PuzzGbl;
    mesa.Pic_Botonera.move(900, 0, 124, 300);
    mesa.Pic_Botonera.setVisible(true);
    // The small triangle 4 lies left of the panel; the square let go over the
    // panel comes back with its centre on the panel's edge, onto the triangle.
    g.Piezas[4].X = 810;
    g.Piezas[4].Y = 100;
    g.Piezas[6].Giro = 0;
    suelta(6, 905, 100);
    EXPECT_EQ(solapes(), QStringList{});
    const auto& r = g.Piezas[6];
    EXPECT_TRUE(r.X <= 900 - 63 || r.Y >= 300) << r.X << "," << r.Y; // clear of the panel
    EXPECT_EQ(g.MovGrabados[1].XDespues, r.X);
    EXPECT_EQ(eventos, QStringList{"sonido"});
}

TEST_F(Suelta, TheLastTaipeiPairEndsWithoutTheDeadEndMessage) {
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{});
    g.OrdenPiezas.assign(145, 0);
    g.NroPiezasColocadas = 144;
    g.TAI_PiezaPareja = 143;
    g.PiezaSeleccionada = 144;
    g.ArrastrandoPieza = true;
    Pic_Trabajo_MouseUp(1, 0, 10, 10);
    EXPECT_EQ(g.UltimoMovGrabado, 1);
    EXPECT_EQ(g.MovGrabados[1].XAntes, 143);
    EXPECT_EQ(g.MovGrabados[1].YAntes, 144);
    EXPECT_EQ(eventos.filter("Puzzle sin solución").size(), 0);
}

} // namespace
