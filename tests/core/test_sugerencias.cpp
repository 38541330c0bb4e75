// Which tip suits which state: the acceptance rule as one table, and the
// random draw over many seeds in every game.
#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/Sugerencias.h"
#include "core/Tablas.h"
#include "platform/clock.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace {

class Sugerencias : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        FijaTamanoPantalla(QSize(1024, 768));
        plat::setClockSourceForTests([] { return std::int64_t(100000); });
        InicializaTablas();
        tabla = PuzzGbl.Sugerencias;
    }
    void TearDown() override {
        plat::setClockSourceForTests({});
        FijaTamanoPantalla(QSize());
        PuzzGbl.reset();
    }
    TablaSugerencias tabla;
};

using Ajuste = std::function<void(EstadoSugerencias&)>;

Ajuste juego(int j, int modo = 2) {
    return [=](EstadoSugerencias& e) {
        e.juego = std::int16_t(j);
        e.modoTangram = std::int16_t(modo);
    };
}
Ajuste y(Ajuste a, Ajuste b) {
    return [=](EstadoSugerencias& e) {
        a(e);
        b(e);
    };
}
const Ajuste kNada = [](EstadoSugerencias&) {};
const Ajuste kFin = [](EstadoSugerencias& e) { e.mostrandoModelo = true; };
const Ajuste kDiseno = juego(23, 1);
const Ajuste kTutor = [](EstadoSugerencias& e) { e.tutorActivo = true; };
const Ajuste kBorde = [](EstadoSugerencias& e) { e.dibujarBorde = true; };
const Ajuste kGiro = [](EstadoSugerencias& e) { e.giroPermitido = true; };
const Ajuste kUnColor = [](EstadoSugerencias& e) { e.piezasUnColor = true; };
const Ajuste kMuestra = [](EstadoSugerencias& e) { e.muestraVisible = true; };
Ajuste colocadas(int n, int de = 10) {
    return [=](EstadoSugerencias& e) {
        e.nroPiezas = std::int16_t(de);
        e.nroPiezasColocadas = std::int16_t(n);
    };
}
Ajuste rotulo(int r) {
    return [=](EstadoSugerencias& e) { e.tipoRotulo = std::int16_t(r); };
}
Ajuste lista(int l) {
    return [=](EstadoSugerencias& e) { e.listaMovimientos = std::int16_t(l); };
}

struct Caso {
    const char* que;
    int k;
    Ajuste ajuste;
    std::optional<int> esperado; // the tip shown, or a refusal
};

TEST_F(Sugerencias, AcceptanceRule) {
    const std::optional<int> no;
    const Caso casos[] = {
        {"always", 1, kDiseno, 1},
        {"always", 2, y(kFin, kTutor), 2},
        {"always", 29, juego(25), 29},
        {"always", 48, kDiseno, 48},
        {"always", 55, juego(22), 55},
        {"none placed", 3, colocadas(0), no},
        {"some placed", 3, colocadas(4), 3},
        {"all placed", 3, colocadas(10), no},
        {"borders drawn", 4, kBorde, 4},
        {"no borders", 4, kNada, no},
        {"no borders", 5, kNada, 5},
        {"borders drawn", 5, kBorde, no},
        {"playing", 6, kNada, 6},
        {"finished", 6, kFin, no},
        {"design mode", 6, kDiseno, no},
        {"solving a Tangram model", 6, juego(23, 2), 6},
        {"playing", 7, kNada, 7},
        {"finished", 7, kFin, no},
        {"tutor waiting", 7, kTutor, no},
        {"Taipei", 7, juego(25), no},
        {"Taipei", 8, juego(25), 8},
        {"not Taipei", 8, kNada, no},
        {"Taipei, tutor", 8, y(juego(25), kTutor), no},
        {"Taipei, finished", 8, y(juego(25), kFin), no},
        {"never drawn", 9, kNada, no},
        {"never drawn, tutor", 9, kTutor, no},
        {"jigsaw", 10, kNada, 10},
        {"Tangram solving", 10, juego(23, 2), 10},
        {"Tangram design", 10, kDiseno, no},
        {"sliding", 10, juego(22), no},
        {"jigsaw, one placed", 12, colocadas(1), 12},
        {"pentominoes, one placed", 12, y(juego(24), colocadas(1)), 12},
        {"jigsaw, none placed", 12, colocadas(0), no},
        {"jigsaw, finished", 12, y(colocadas(10), kFin), no},
        {"sliding, placed", 12, y(juego(22), colocadas(3)), no},
        {"jigsaw", 15, kNada, 15},
        {"Tangram", 15, juego(23), 15},
        {"sliding", 15, juego(22), no},
        {"Taipei", 15, juego(25), no},
        {"finished", 15, kFin, no},
        {"sliding", 16, juego(22), 16},
        {"sliding, finished", 16, y(juego(22), kFin), no},
        {"jigsaw", 16, kNada, no},
        {"preview hidden, jigsaw", 28, kNada, 28},
        {"preview shown", 28, kMuestra, no},
        {"sliding with the picture", 28, juego(22), 28},
        {"sliding with numbers", 28, y(juego(22), rotulo(2)), no},
        {"sliding with letters", 28, y(juego(22), rotulo(3)), no},
        {"Tangram", 28, juego(23), no},
        {"rotation allowed", 30, kGiro, 30},
        {"no rotation", 30, kNada, no},
        {"rotation, finished", 30, y(kGiro, kFin), no},
        {"pentominoes in colours", 32, juego(24), 32},
        {"pentominoes in one colour", 32, y(juego(24), kUnColor), no},
        {"pentominoes in one colour", 33, y(juego(24), kUnColor), 33},
        {"pentominoes in colours", 33, juego(24), no},
        {"jigsaw", 32, kNada, no},
        {"jigsaw, one colour", 33, kUnColor, no},
        {"sliding", 35, juego(22), 35},
        {"jigsaw", 35, kNada, no},
        {"Tangram", 40, juego(23), 40},
        {"jigsaw", 40, kNada, no},
        {"jigsaw", 43, kNada, 43},
        {"sliding", 43, juego(22), no},
        {"jigsaw", 44, kNada, 44},
        {"sliding", 44, juego(22), 44},
        {"Tangram", 44, juego(23), no},
        {"Tangram", 46, juego(23), 46},
        {"pentominoes", 46, juego(24), 46},
        {"jigsaw", 46, kNada, no},
        {"playing", 50, kNada, 50},
        {"design mode", 50, kDiseno, no},
        {"list always shown", 51, lista(1), 51},
        {"list only with the recorder", 51, lista(2), no},
        {"design mode", 51, y(lista(1), kDiseno), no},
        {"no text", 11, kNada, no},
        {"no text", 70, kNada, no},
        {"no text", 47, juego(24), no},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "tip " << c.k << ": " << c.que);
        EstadoSugerencias e;
        e.juego = 21;
        e.modoTangram = 2;
        e.listaMovimientos = 1;
        c.ajuste(e);
        const auto r = AceptaSugerencia(c.k, e, tabla);
        if (c.esperado) {
            ASSERT_TRUE(r.has_value());
            EXPECT_EQ(*r, *c.esperado);
        } else {
            EXPECT_FALSE(r.has_value()) << "gave " << *r;
        }
    }
}

TEST_F(Sugerencias, GameTipsFollowTheGame) {
    for (int j = 21; j <= 25; ++j) {
        EstadoSugerencias e;
        e.juego = std::int16_t(j);
        e.modoTangram = 2;
        for (int k = 21; k <= 25; ++k) {
            const auto r = AceptaSugerencia(k, e, tabla);
            EXPECT_EQ(r.has_value(), k == j) << "game " << j << " tip " << k;
        }
        // 59 to 65 stand for the current game's own tip.
        for (int k = 59; k <= 65; ++k) {
            const auto r = AceptaSugerencia(k, e, tabla);
            ASSERT_TRUE(r.has_value()) << "game " << j << " tip " << k;
            EXPECT_EQ(*r, j);
        }
    }
}

TEST_F(Sugerencias, OutsideTheTableIsRefused) {
    EstadoSugerencias e;
    for (int k : {-1, 71, 1000}) EXPECT_FALSE(AceptaSugerencia(k, e, tabla).has_value()) << k;
    // A game number outside the table turns 59..65 into a refusal too.
    e.juego = 0;
    EXPECT_FALSE(AceptaSugerencia(60, e, tabla).has_value());
}

TEST_F(Sugerencias, SeededDrawsSuitEveryGame) {
    const std::map<int, std::vector<EstadoSugerencias>> estados = [] {
        std::map<int, std::vector<EstadoSugerencias>> m;
        for (int j = 21; j <= 25; ++j) {
            EstadoSugerencias e;
            e.juego = std::int16_t(j);
            e.modoTangram = 2;
            e.nroPiezas = 10;
            e.nroPiezasColocadas = 3;
            e.listaMovimientos = 1;
            m[j].push_back(e);
            e.mostrandoModelo = true;
            e.modoTangram = 1;
            e.piezasUnColor = true;
            e.tutorActivo = true;
            e.listaMovimientos = 2;
            m[j].push_back(e);
        }
        return m;
    }();
    for (const auto& [j, lista] : estados) {
        for (const EstadoSugerencias& e : lista) {
            plat::RandomGenerator azar;
            azar.randomize(double(j) * 17.0);
            std::set<int> vistas;
            for (int i = 0; i < 10000; ++i) {
                const int n = SorteaSugerencia(e, tabla, [&] { return azar.next(); });
                ASSERT_NE(n, 9);
                ASSERT_NE(n, 60);
                ASSERT_NE(n, 65);
                ASSERT_TRUE(n >= 0 && n <= 70);
                ASSERT_FALSE(tabla[std::size_t(n)].Texto.trimmed().isEmpty()) << n;
                ASSERT_TRUE(AceptaSugerencia(n, e, tabla).has_value()) << n;
                vistas.insert(n);
            }
            EXPECT_TRUE(vistas.count(j)) << "game " << j << ": its own tip never came";
            for (int otro = 21; otro <= 25; ++otro)
                if (otro != j) {
                    EXPECT_FALSE(vistas.count(otro)) << "game " << j << " showed tip " << otro;
                }
        }
    }
}

TEST_F(Sugerencias, AGeneratorThatNeverSuitsStopsAtTipTwo) {
    EstadoSugerencias e;
    int llamadas = 0;
    // Always k = 9, which is never accepted.
    EXPECT_EQ(SorteaSugerencia(e, tabla, [&] {
                  ++llamadas;
                  return 8.5f / 70.0f;
              }),
              2);
    EXPECT_EQ(llamadas, kMaxSorteosSugerencia);
}

TEST_F(Sugerencias, PanelSitsAtTheVisibleLowerLeft) {
    EXPECT_EQ(LugarPanelSugerencia(0, 752, 0), (LugarSugerencia{0, 688}));
    EXPECT_EQ(LugarPanelSugerencia(300, 752, 200), (LugarSugerencia{300, 888}));
}

TEST_F(Sugerencias, LinesAreTheFirst59CharactersOfEachLine) {
    int conTexto = 0;
    for (int n = 0; n <= 70; ++n) {
        const QString& t = tabla[std::size_t(n)].Texto;
        if (t.isEmpty()) continue;
        ++conTexto;
        SCOPED_TRACE(n);
        const auto lineas = LineasSugerencia(t);
        for (int k = 0; k < 3; ++k) {
            const auto& l = lineas[std::size_t(k)];
            EXPECT_EQ(l.texto, t.mid(60 * k, 59));
            EXPECT_EQ(l.texto.size(), 59);
            EXPECT_EQ(l.x, 3);
            EXPECT_EQ(l.y, 24 + 11 * k);
        }
    }
    EXPECT_EQ(conTexto, 35);
    // Accents count as one character each.
    EXPECT_EQ(LineasSugerencia(tabla[0].Texto)[1].texto,
              QString::fromUtf8("'Ventana de información'  de la ventana Personalizar.      "));
}

} // namespace
