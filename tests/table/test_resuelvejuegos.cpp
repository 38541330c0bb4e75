// Solving the free-piece games and Taipei on the table: each misplaced piece
// turned over, turned and carried home with its moves recorded, the stop
// press after the piece in hand (a later click or press on the table adds
// nothing), the Taipei search's pairs or the deal's pairs after back-steps,
// a move list too short to step back over, and the chronometer after a run.
#include "tests/table/juegos_fixtures.h"


namespace {

using namespace juegos_prueba;

class Resuelve : public MesaJuegos {
protected:
    int movimientosPieza(int p) const {
        int n = 0;
        for (int i = 1; i <= PuzzGbl.UltimoMovGrabado; ++i) n += PuzzGbl.MovGrabados[std::size_t(i)].Pieza == p;
        return n;
    }
    static void todoEnSuSitio() {
        for (int i = 1; i <= PuzzGbl.NroPiezas; ++i) EXPECT_TRUE(PiezaBienColocada(std::int16_t(i))) << i;
    }
    static void finDeRun() {
        const auto& g = PuzzGbl;
        EXPECT_FALSE(g.PasaAlHistorico);
        EXPECT_FALSE(g.ResolviendoAuto);
        EXPECT_FALSE(g.EjecutandoSolucion);
        EXPECT_FALSE(g.ArrastrandoPieza);
        EXPECT_FALSE(g.SoltandoPieza);
        EXPECT_FALSE(g.GiroSimulado);
    }
};

TEST_F(Resuelve, AJigsawAllInPlaceMovesNothingAndShowsTheFinishedPicture) {
    rompecabezas();
    auto& g = PuzzGbl;
    g.CronometroEnMarcha = true;
    g.PasaAlHistorico = true;
    pulsa(12);
    EXPECT_EQ(g.UltimoMovGrabado, 0);
    EXPECT_EQ(veces(51), 0);
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_FALSE(g.CronometroEnMarcha) << "a completed puzzle keeps its time stopped";
    EXPECT_TRUE(mensajes.empty());
    finDeRun();
}

TEST_F(Resuelve, EveryMisplacedJigsawPieceIsCarriedHomeAndTheRecorderStepsItBack) {
    rompecabezas();
    auto& g = PuzzGbl;
    const auto enCasa = g.Piezas;
    const std::vector<std::pair<int, int>> lejos = {{600, 20}, {650, 300}, {500, 500}};
    for (int i = 2; i <= 4; ++i) {
        g.Piezas[std::size_t(i)].X = std::int16_t(lejos[std::size_t(i - 2)].first);
        g.Piezas[std::size_t(i)].Y = std::int16_t(lejos[std::size_t(i - 2)].second);
        g.Piezas[std::size_t(i)].Giro = std::int16_t(i - 1); // turned 1, 2 and 3 steps
    }
    g.GiroPermitido = false; // the solver turns whatever the switch
    g.OrdenPiezas = {0, 4, 1, 3, 2};
    RedibujaImagen(1);
    ActualizaInfoPiezas();
    const auto inicio = g.Piezas;
    g.CronometroEnMarcha = true;
    g.PasaAlHistorico = true;
    pulsa(12);
    todoEnSuSitio();
    EXPECT_EQ(g.NroPiezasColocadas, 4);
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_EQ(veces(51), 3);
    EXPECT_EQ(eventos, 4) << "events after every piece visited";
    for (int p = 2; p <= 4; ++p) EXPECT_EQ(movimientosPieza(p), 2) << "the turn and the carry of " << p;
    EXPECT_EQ(movimientosPieza(1), 0);
    EXPECT_FALSE(g.CronometroEnMarcha);
    EXPECT_TRUE(mensajes.empty()) << "no message and no question";
    EXPECT_EQ(veces(14), 0) << "no solved sound";
    finDeRun();
    // The recorder takes every move back to the start.
    g.MostrandoModelo = false;
    while (g.MovActual > 0) GrabadoraPaso(1);
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(g.Piezas[std::size_t(p)].X, inicio[std::size_t(p)].X) << p;
        EXPECT_EQ(g.Piezas[std::size_t(p)].Y, inicio[std::size_t(p)].Y) << p;
        EXPECT_EQ(g.Piezas[std::size_t(p)].Giro, inicio[std::size_t(p)].Giro) << p;
    }
}

TEST_F(Resuelve, APentominoNeedingAFlipAndATurnGetsThreeMovesAndLands) {
    pentominos();
    auto& g = PuzzGbl;
    // The Z (12): face down and turned once at home, face up unturned away.
    auto& r = g.Piezas[12];
    r.VolteoDestino = 1;
    r.GiroDestino = 1;
    r.X = 700;
    r.Y = 500;
    RedibujaImagen(1);
    ActualizaInfoPiezas();
    pulsa(12);
    EXPECT_EQ(r.X, r.XDestino);
    EXPECT_EQ(r.Y, r.YDestino);
    EXPECT_EQ(r.Giro, 1);
    EXPECT_EQ(r.Volteo, 1);
    ASSERT_EQ(g.UltimoMovGrabado, 3);
    const auto& m = g.MovGrabados;
    EXPECT_EQ(m[1], (RegistroMovimiento{12, 700, 500, 0, 0, 700, 500, 0, 1})) << "the flip";
    EXPECT_EQ(m[2].GiroAntes, 0);
    EXPECT_EQ(m[2].GiroDespues, 1) << "one press turns it home";
    EXPECT_EQ(m[3], (RegistroMovimiento{12, m[2].XDespues, m[2].YDespues, 1, 1, r.XDestino, r.YDestino, 1, 1}));
    EXPECT_EQ(g.NroPiezasColocadas, 12);
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_FALSE(g.CronometroEnMarcha);
    finDeRun();
}

TEST_F(Resuelve, APieceThePressCannotTurnIsSetToItsHomeRotationAndRecorded) {
    pentominos();
    auto& g = PuzzGbl;
    // The X (10) has one rotation: the table refuses to turn it.
    auto& r = g.Piezas[10];
    r.Giro = 2;
    r.X = 700;
    r.Y = 500;
    RedibujaImagen(1);
    ActualizaInfoPiezas();
    pulsa(12);
    EXPECT_EQ(r.Giro, 0);
    EXPECT_EQ(r.X, r.XDestino);
    EXPECT_TRUE(PiezaBienColocada(10));
    EXPECT_EQ(g.NroPiezasColocadas, 12);
    ASSERT_EQ(g.UltimoMovGrabado, 2);
    EXPECT_EQ(g.MovGrabados[1], (RegistroMovimiento{10, 700, 500, 2, 0, 700, 500, 0, 0}));
    EXPECT_TRUE(g.MostrandoModelo);
}

TEST_F(Resuelve, TangramWithRotationOffEndsSolved) {
    tangram();
    auto& g = PuzzGbl;
    g.GiroPermitido = false;
    for (int i : {1, 3, 6}) {
        auto& r = g.Piezas[std::size_t(i)];
        r.X = std::int16_t(150 * i);
        r.Y = 200;
        r.Giro = 2;
    }
    g.Piezas[7].X = 700;
    g.Piezas[7].Y = 400;
    g.Piezas[7].Volteo = 1;
    g.Piezas[7].Giro = 3;
    RedibujaImagen(1);
    ActualizaInfoPiezas();
    pulsa(12);
    todoEnSuSitio();
    EXPECT_EQ(g.NroPiezasColocadas, 7);
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_TRUE(mensajes.empty());
    finDeRun();
}

TEST_F(Resuelve, AStopAfterAPieceEndsThereAndALaterClickOrPressAddsNothing) {
    auto& g = PuzzGbl;
    for (int k : {1, 2, 3}) {
        SCOPED_TRACE(k);
        SetUp();
        rompecabezas();
        for (int i = 1; i <= 4; ++i) {
            g.Piezas[std::size_t(i)].X = std::int16_t(450 + 100 * i);
            g.Piezas[std::size_t(i)].Y = std::int16_t(100 * i);
        }
        RedibujaImagen(1);
        ActualizaInfoPiezas();
        g.CronometroEnMarcha = true;
        alPaso = [k](int n) {
            if (n != k) return;
            pulsa(12); // the second press
            // The player clicks and presses on the table meanwhile.
            const auto& r = PuzzGbl.Piezas[PuzzGbl.OrdenPiezas[1]];
            Pic_Trabajo_MouseMove(0, 0, r.X + 5, r.Y + 5);
            Pic_Trabajo_MouseUp(1, 0, r.X + 5, r.Y + 5);
            Pic_Trabajo_Click();
            Pic_Trabajo_MouseDown(1, 0, r.X + 5, r.Y + 5);
            Pic_Trabajo_MouseDown(2, 0, r.X + 5, r.Y + 5);
        };
        pulsa(12);
        EXPECT_EQ(g.UltimoMovGrabado, k) << "one carry per piece, nothing else";
        EXPECT_EQ(g.NroPiezasColocadas, k);
        EXPECT_EQ(veces(51), k);
        EXPECT_FALSE(g.MostrandoModelo);
        EXPECT_TRUE(mensajes.empty()) << "no end and no question";
        EXPECT_TRUE(g.CronometroEnMarcha) << "a stopped run gives the time back";
        finDeRun();
        // Afterwards the table works as before: a release owes nothing.
        Pic_Trabajo_MouseUp(1, 0, 10, 10);
        EXPECT_EQ(g.UltimoMovGrabado, k);
        alPaso = nullptr;
        TearDown();
    }
}

// ---- Taipei ----

class ResuelveTaipei : public Resuelve {
protected:
    void SetUp() override {
        Resuelve::SetUp();
        taipei();
        sonidos.setWaitFunction({});
    }
    // Removes deal pair k as a player would have, recorded.
    static void quita(int k) {
        auto& g = PuzzGbl;
        const std::int16_t a = g.TAI_Reparto[std::size_t(k)][1], b = g.TAI_Reparto[std::size_t(k)][2];
        g.Piezas[std::size_t(a)].Estado = g.Piezas[std::size_t(b)].Estado = 0;
        GrabaMovimiento(a, b, 0, 0, 0, 0, 0, 0);
        ActualizaInfoPiezas();
    }
    // Replays the recorded pairs from the start: how many were not two free
    // tiles of one kind when taken.
    static int parejasIlegales() {
        auto& g = PuzzGbl;
        while (g.MovActual > 0) GrabadoraPaso(1);
        int ilegal = 0;
        for (int i = 1; i <= g.UltimoMovGrabado; ++i) {
            const auto& m = g.MovGrabados[std::size_t(i)];
            ilegal += !TAI_FichaLibre(m.XAntes) || !TAI_FichaLibre(m.YAntes) ||
                      g.Piezas[std::size_t(m.XAntes)].Clase != g.Piezas[std::size_t(m.YAntes)].Clase;
            GrabadoraPaso(0);
        }
        return ilegal;
    }
};

TEST_F(ResuelveTaipei, TheSearchsPairsClearTheBoard) {
    auto& g = PuzzGbl;
    pulsa(12);
    EXPECT_EQ(g.NroPiezasColocadas, 144);
    EXPECT_EQ(g.UltimoMovGrabado, 72);
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_FALSE(g.CronometroEnMarcha);
    EXPECT_EQ(veces(14), 0);
    EXPECT_TRUE(mensajes.empty());
    finDeRun();
    EXPECT_EQ(parejasIlegales(), 0);
    EXPECT_EQ(g.NroPiezasColocadas, 144) << "replayed to the end";
}

TEST_F(ResuelveTaipei, WithoutASearchTheDealIsPlayedBackAfterBackStepsAndEachRemovalIsLegal) {
    auto& g = PuzzGbl;
    RegistraBuscaSolucionTaipei([] { PuzzGbl.TAI_SolucionHallada = false; });
    // Two pairs taken off the deal's order (its first two, under the others).
    quita(1);
    quita(2);
    ASSERT_EQ(g.MovActual, 2);
    int cuadrosPanel = 0;
    mesa.Pic_Muestra.onRefresh = [&] {
        ++cuadrosPanel;
        EXPECT_TRUE(mesa.Pic_Muestra.visible());
        EXPECT_EQ(mesa.Pic_Muestra.scaleWidth(), 350);
        EXPECT_EQ(mesa.Pic_Muestra.scaleHeight(), 40);
        EXPECT_EQ(mesa.Pic_Muestra.left(), (1024 - 350 - 141) / 2);
        EXPECT_EQ(mesa.Pic_Muestra.top(), (768 - 40) / 2);
        EXPECT_EQ(mesa.Pic_Muestra.point(1, 1), plat::Color(0xFFFFFF));
        EXPECT_EQ(mesa.Pic_Muestra.point(349, 20), plat::Color(0x808080));
        EXPECT_EQ(mesa.Pic_Muestra.point(20, 39), plat::Color(0x808080));
    };
    // The pair counter is shown again after every pair put back, on the
    // screen at once: 2 tiles off, then none (each count as often as it is
    // drawn).
    std::vector<int> contador;
    mesa.Pic_InfoColo.onRefresh = [&] {
        const int n = g.NroPiezasColocadas;
        if (cuadrosPanel > 0 && contador.size() < 2 && (contador.empty() || contador.back() != n))
            contador.push_back(n);
    };
    pulsa(12);
    mesa.Pic_Muestra.onRefresh = nullptr;
    mesa.Pic_InfoColo.onRefresh = nullptr;
    EXPECT_EQ(contador, (std::vector<int>{2, 0}));
    EXPECT_EQ(cuadrosPanel, 2) << "one panel per back-step";
    EXPECT_FALSE(mesa.Pic_Muestra.visible());
    EXPECT_EQ(g.NroPiezasColocadas, 144);
    EXPECT_EQ(g.UltimoMovGrabado, 72) << "the undone removals dropped, 72 pairs recorded";
    // The run's pairs are the deal's, last dealt first, and each was free.
    for (int i = 1; i <= 72; ++i) {
        const auto& m = g.MovGrabados[std::size_t(i)];
        EXPECT_EQ(m.XAntes, g.TAI_Reparto[std::size_t(73 - i)][1]) << i;
        EXPECT_EQ(m.YAntes, g.TAI_Reparto[std::size_t(73 - i)][2]) << i;
    }
    EXPECT_EQ(parejasIlegales(), 0);
    EXPECT_TRUE(mensajes.empty());
    finDeRun();
}

TEST_F(ResuelveTaipei, TheBackStepPanelCountsInTheSingularThenThePlural) {
    EXPECT_EQ(TextoRetroceso(1), QString::fromUtf8("Retrocediendo 1 movimiento  para encontrar la solución"));
    EXPECT_EQ(TextoRetroceso(2), QString::fromUtf8("Retrocediendo 2 movimientos para encontrar la solución"));
    EXPECT_EQ(TextoRetroceso(12), QString::fromUtf8("Retrocediendo 12 movimientos para encontrar la solución"));
}

TEST_F(ResuelveTaipei, AnUntouchedDealNeedsNoBackStep) {
    auto& g = PuzzGbl;
    RegistraBuscaSolucionTaipei([] { PuzzGbl.TAI_SolucionHallada = false; });
    int cuadrosPanel = 0;
    mesa.Pic_Muestra.onRefresh = [&] { ++cuadrosPanel; };
    pulsa(12);
    mesa.Pic_Muestra.onRefresh = nullptr;
    EXPECT_EQ(cuadrosPanel, 0);
    EXPECT_EQ(g.NroPiezasColocadas, 144);
    EXPECT_EQ(g.UltimoMovGrabado, 72);
    EXPECT_EQ(eventos, 72);
}

TEST_F(ResuelveTaipei, ACutMoveListEndsWithThePositionRestoredAndAMessage) {
    for (int grabadas : {0, 1}) {
        SCOPED_TRACE(grabadas);
        SetUp();
        auto& g = PuzzGbl;
        RegistraBuscaSolucionTaipei([] { PuzzGbl.TAI_SolucionHallada = false; });
        quita(1);
        quita(2);
        // The list keeps only the last `grabadas` of the two removals.
        if (grabadas == 0) g.MovActual = g.UltimoMovGrabado = 0;
        else {
            g.MovGrabados[1] = g.MovGrabados[2];
            g.MovActual = g.UltimoMovGrabado = 1;
        }
        const auto antes = g.Piezas;
        pulsa(12);
        EXPECT_EQ(g.Piezas, antes);
        EXPECT_EQ(g.MovActual, grabadas);
        EXPECT_EQ(g.UltimoMovGrabado, grabadas);
        EXPECT_FALSE(mesa.Pic_Muestra.visible());
        ASSERT_EQ(mensajes.size(), 1u);
        EXPECT_EQ(mensajes[0].titulo, "Resolver el puzzle");
        EXPECT_EQ(mensajes[0].texto,
                  QString::fromUtf8("No se ha encontrado ninguna solución para la posición actual de las piezas."));
        EXPECT_EQ(mensajes[0].lineas, 2);
        EXPECT_EQ(mensajes[0].tipo, 1);
        EXPECT_EQ(mensajes[0].ayuda, 3050);
        EXPECT_TRUE(g.CronometroEnMarcha) << "nothing completed";
        finDeRun();
        TearDown();
    }
}

TEST_F(ResuelveTaipei, ASecondPressStopsAfterThePairInHand) {
    auto& g = PuzzGbl;
    RegistraBuscaSolucionTaipei([] { PuzzGbl.TAI_SolucionHallada = false; });
    RegistraEventosResolucion([&] {
        ++eventos;
        if (eventos == 3) pulsa(12);
    });
    pulsa(12);
    EXPECT_EQ(g.UltimoMovGrabado, 3);
    EXPECT_EQ(g.NroPiezasColocadas, 6);
    EXPECT_FALSE(g.MostrandoModelo);
    EXPECT_TRUE(g.CronometroEnMarcha);
    finDeRun();
}

} // namespace
