// The model files: the Taipei layout reader, the model lists of the three
// games, and every layout the program carries in "ModTai.mlp".
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "core/mesa.h"
#include "model/Barajado.h"
#include "model/Juego.h"
#include "model/Modelos.h"
#include "model/Taipei.h"
#include "platform/files.h"
#include "platform/random.h"
#include "tests/support/fixtures.h"
#include "tools/modtai/disposiciones.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using modtai::Disposicion;

class ModelosTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        ReiniciaSustitutos();
        PuzzGbl.RutaArchivo = carpeta.path() + "Archivo/";
        plat::createFolder(PuzzGbl.RutaArchivo);
    }
    void TearDown() override {
        PuzzGbl.reset();
        mesa.reset();
        ReiniciaSustitutos();
    }
    void Escribe(const QString& nombre, const QStringList& registros) {
        plat::writeFile(PuzzGbl.RutaArchivo + nombre, plat::toCp1252(registros.join(QString())));
    }
    testing_support::ScratchDir carpeta;
};

// A layout record with the given height block (padded with '9', which must
// never be read: it lies beyond the layout's own cells).
QString Registro(const QString& nombre, const QString& tamanos, const QString& alturas) {
    QString r = nombre.leftJustified(25, u' ') + tamanos + QStringLiteral("0000");
    r += alturas.leftJustified(352, u'9');
    return r.leftJustified(450, u'0') + QStringLiteral("\r\n");
}

QString Vacio() { return QString(25, u' ') + QString(425, u'0') + QStringLiteral("\r\n"); }

int Altura(int r, int c) { return PuzzGbl.TAI_Tablero[std::size_t(r)][std::size_t(c)].Altura; }

// ---------------------------------------------------------------- layouts

TEST_F(ModelosTest, HeightsAreReadWithTheLayoutsOwnColumnCount) {
    // 5 rows of 20: the heights fill columns 35 to 134 of the record.
    QString alturas;
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 20; ++c) alturas += QString::number((r * 3 + c) % 6);
    Escribe("ModTai.mlp", {Vacio(), Registro("Ancha", "05204", alturas)});
    auto& g = PuzzGbl;
    g.TAI_Tablero[2][3].Ficha[1] = 77; // a tile of the last deal
    g.TAI_Tablero[16][22].Altura = 3;  // a stack of the last layout
    EXPECT_TRUE(TAI_CargaModelo(2));
    EXPECT_EQ(g.FilasTablero, 5);
    EXPECT_EQ(g.ColumnasTablero, 20);
    EXPECT_EQ(g.TAI_NroNiveles, 4);
    for (int r = 0; r <= 16; ++r)
        for (int c = 0; c <= 23; ++c) {
            const int esperada = (r >= 1 && r <= 5 && c >= 1 && c <= 20) ? (r * 3 + c) % 6 : 0;
            ASSERT_EQ(Altura(r, c), esperada) << r << "," << c;
            for (int k = 0; k <= 5; ++k) ASSERT_EQ(g.TAI_Tablero[r][c].Ficha[k], 0);
        }
    EXPECT_EQ(g.TAI_NroFilas, 5);
    EXPECT_EQ(g.TAI_NroColumnas, 20);
    EXPECT_EQ(g.TAI_RegistroModelo.size(), 452);
    EXPECT_TRUE(g.TAI_RegistroModelo.startsWith("Ancha"));
}

TEST_F(ModelosTest, RowsAndColumnsHoldingStacksAreCounted) {
    const struct {
        const char* nombre;
        const char* tamanos;
        const char* alturas;
        int filas, columnas;
    } casos[] = {
        {"first row empty", "03042", "0000" "1200" "0021", 2, 4},
        {"gaps inside", "04031", "100" "000" "001" "000", 2, 2},
        {"all empty", "02021", "0000", 0, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Escribe("ModTai.mlp", {Registro("M", c.tamanos, c.alturas)});
        TAI_CargaModelo(1);
        EXPECT_EQ(PuzzGbl.TAI_NroFilas, c.filas);
        EXPECT_EQ(PuzzGbl.TAI_NroColumnas, c.columnas);
    }
}

// A record that is not there is an empty layout, whatever was read before:
// the board never keeps the previous model's stacks under another number.
TEST_F(ModelosTest, AnEmptySlotOrAMissingRecordIsAnEmptyLayout) {
    const QString lleno = Registro("Llena", "02021", "1111");
    const struct {
        const char* nombre;
        bool conArchivo;
        std::int16_t nro;
    } casos[] = {
        {"blank name", true, 2}, {"past the end", true, 4}, {"number 0", true, 0},
        {"negative number", true, -3}, {"no file", false, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Escribe("ModTai.mlp", {lleno, Vacio(), lleno});
        ASSERT_TRUE(TAI_CargaModelo(1));
        ASSERT_EQ(Altura(1, 1), 1);
        if (!c.conArchivo) plat::removeFile(PuzzGbl.RutaArchivo + "ModTai.mlp");
        EXPECT_FALSE(TAI_CargaModelo(c.nro));
        EXPECT_EQ(PuzzGbl.FilasTablero, 0);
        EXPECT_EQ(PuzzGbl.ColumnasTablero, 0);
        EXPECT_EQ(PuzzGbl.TAI_NroNiveles, 0);
        EXPECT_EQ(Altura(1, 1), 0);
        EXPECT_EQ(PuzzGbl.TAI_NroFilas, 0);
        EXPECT_EQ(PuzzGbl.TAI_NroColumnas, 0);
        EXPECT_EQ(PuzzGbl.TAI_RegistroModelo, Vacio());
    }
}

// Sizes beyond the board: only the cells of the board are read, and the
// layout is not one to deal on.
TEST_F(ModelosTest, ADamagedRecordStaysOnTheBoard) {
    const struct {
        const char* nombre;
        QString registro;
        int filas, columnas, niveles;
    } casos[] = {
        {"too many rows and columns", Registro("Grande", "99309", QString(352, u'7')), 99, 30, 9},
        {"letters", Registro("Letras", "xx0a3", QString(352, u'2')), 0, 0, 3},
        {"six levels", Registro("Alta", "01026", "66"), 1, 2, 6},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Escribe("ModTai.mlp", {c.registro});
        EXPECT_FALSE(TAI_CargaModelo(1));
        EXPECT_EQ(PuzzGbl.FilasTablero, c.filas);
        EXPECT_EQ(PuzzGbl.ColumnasTablero, c.columnas);
        EXPECT_EQ(PuzzGbl.TAI_NroNiveles, c.niveles);
    }
    // With a stride of 30, row 12 ends at place 351 and row 13 lies past the
    // block: nothing is read there.
    Escribe("ModTai.mlp", {casos[0].registro});
    TAI_CargaModelo(1);
    EXPECT_EQ(Altura(12, 22), 7);
    EXPECT_EQ(Altura(13, 1), 0);
    EXPECT_EQ(Altura(16, 22), 0);
    // A height that is not a digit reads as none.
    Escribe("ModTai.mlp", {Registro("Rara", "01031", "1x1")});
    EXPECT_TRUE(TAI_CargaModelo(1));
    EXPECT_EQ(Altura(1, 1), 1);
    EXPECT_EQ(Altura(1, 2), 0);
    EXPECT_EQ(Altura(1, 3), 1);
}

TEST_F(ModelosTest, TheModelInForceIsFoundWhateverTheCaseOfTheFileName) {
    Escribe("MODTAI.MLP", {Registro("Uno", "01011", "1"), Registro("Dos", "01021", "11")});
    PuzzGbl.NroModelo = 2;
    TAI_CargaModelo();
    EXPECT_EQ(PuzzGbl.ColumnasTablero, 2);
    EXPECT_TRUE(PuzzGbl.TAI_RegistroModelo.startsWith("Dos"));
}

// ---------------------------------------------------------------- model lists

TEST_F(ModelosTest, TheListNamesTheModelsOfTheGamesFileByRecordNumber) {
    auto registro = [](const char* nombre, int cifras, char cifra) {
        return QString(nombre).leftJustified(25, u' ') + QString(cifras, QLatin1Char(cifra)) + "\r\n";
    };
    auto tangram = [&](const char* nombre) { return registro(nombre, 99, '0'); };
    auto tablero = [&](const char* nombre) { return registro(nombre, 425, '1'); };
    Escribe("ModTan.mlp", {tangram("Cisne"), tangram(""), tangram("Barco"), tangram("  ")});
    Escribe("ModPen.mlp", {tablero("Rectángulo 6x10")});
    Escribe("ModTai.mlp", {Registro("Tortuga", "01011", "1"), Vacio(), Registro("Dragón", "01011", "1"), Vacio(),
                           Registro("  Arco", "01011", "1")});
    const struct {
        std::int16_t juego;
        std::vector<ModeloListado> modelos; // in file order
        std::vector<int> ordenLista;        // record numbers in the sorted list
    } casos[] = {
        {23, {{"Cisne", 1}, {"Barco", 3}}, {3, 1}},
        {24, {{QString::fromUtf8("Rectángulo 6x10"), 1}}, {1}},
        {25, {{"Tortuga", 1}, {QString::fromUtf8("Dragón"), 3}, {"Arco", 5}}, {5, 3, 1}},
        {21, {}, {}},
        {22, {}, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.juego);
        PuzzGbl.TipoJuego = c.juego;
        EXPECT_EQ(LeeListaModelos(), c.modelos);
        ListaOrdenada lista;
        lista.AddItem("sobra");
        RellenaListaModelos(lista);
        ASSERT_EQ(lista.ListCount(), int(c.ordenLista.size()));
        for (int i = 0; i < lista.ListCount(); ++i) {
            EXPECT_EQ(lista.ItemData(i), c.ordenLista[std::size_t(i)]);
            EXPECT_EQ(lista.List(i), lista.List(i).trimmed()); // the trimmed name
        }
    }
}

TEST_F(ModelosTest, WithoutItsFileTheListIsEmpty) {
    PuzzGbl.TipoJuego = 25;
    mesa.Lis_Ordenar.AddItem("antes");
    RellenaListaModelos(mesa.Lis_Ordenar);
    EXPECT_EQ(mesa.Lis_Ordenar.ListCount(), 0);
}

// ---------------------------------------------------------------- the layouts carried

// The file as the build writes it.
QByteArray ArchivoEsperado() {
    QString s;
    for (const Disposicion& d : modtai::Disposiciones()) s += modtai::Registro(d);
    return plat::toCp1252(s);
}

// Every record of the layout file: its size, its sums, a board that fits the
// smallest table, and deals that can be cleared whatever the seed.
TEST_F(ModelosTest, EveryCarriedLayoutDealsAndClears) {
    const QByteArray archivo = ArchivoEsperado();
    ASSERT_EQ(archivo.size() % 452, 0);
    plat::writeFile(PuzzGbl.RutaArchivo + "ModTai.mlp", archivo);
    const auto& disposiciones = modtai::Disposiciones();
    ASSERT_GE(disposiciones.size(), 6u);
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    ASSERT_EQ(LeeListaModelos().size(), disposiciones.size());

    for (std::size_t n = 1; n <= disposiciones.size(); ++n) {
        const Disposicion& d = disposiciones[n - 1];
        SCOPED_TRACE(d.nombre.toStdString());
        const QByteArray registro = archivo.mid(qsizetype(n - 1) * 452, 452);
        EXPECT_TRUE(registro.endsWith("\r\n"));
        EXPECT_EQ(registro.indexOf('\n'), 451);

        ASSERT_TRUE(TAI_CargaModelo(std::int16_t(n)));
        int suma = 0, alta = 0;
        for (int r = 1; r <= 16; ++r)
            for (int c = 1; c <= 22; ++c) {
                const int a = Altura(r, c);
                const bool dentro = r <= modtai::Filas(d) && c <= modtai::Columnas(d);
                ASSERT_EQ(a, dentro ? d.filas[std::size_t(r - 1)][std::size_t(c - 1)] - '0' : 0);
                ASSERT_LE(a, 5);
                suma += a;
                alta = std::max(alta, a);
            }
        EXPECT_EQ(suma, 144);
        EXPECT_EQ(g.TAI_NroNiveles, alta);
        EXPECT_EQ(g.TAI_NroFilas, g.FilasTablero) << "no empty row at the edge";
        EXPECT_EQ(g.TAI_NroColumnas, g.ColumnasTablero) << "no empty column at the edge";
        ASSERT_TRUE(TAI_DisposicionValida());

        // The whole board on the smallest table, left of the command panel.
        g.AnchoMesa = 800;
        g.AltoMesa = 600;
        mesa.Pic_Botonera.move(800 - 141, 0, 141, 431);
        ASSERT_TRUE(CalculaGeometriaPuzzle());
        EXPECT_GE(g.OrigenX, 0);
        EXPECT_GE(g.OrigenY, 0);
        EXPECT_LE(g.OrigenX + g.AnchoImagen, 800 - 141);
        EXPECT_LE(g.OrigenY + g.AltoImagen, 600);

        g.Piezas.assign(145, RegistroPieza{});
        g.OrdenPiezas.assign(145, 0);
        TAI_AsignaPalos();
        for (std::uint32_t semilla = 1; semilla <= 25; ++semilla) {
            SCOPED_TRACE(semilla);
            plat::randomGenerator().setState(semilla * 2246822519u);
            ASSERT_TRUE(TAI_Reparte());
            ASSERT_FALSE(UltimoReparto().relleno);
            // The pairs come off from the last dealt to the first.
            for (int p = 72; p >= 1; --p) {
                const std::int16_t a = g.TAI_Reparto[std::size_t(p)][1], b = g.TAI_Reparto[std::size_t(p)][2];
                ASSERT_TRUE(TAI_FichaLibre(a) && TAI_FichaLibre(b)) << "pair " << p;
                ASSERT_EQ(g.Piezas[std::size_t(a)].Clase, g.Piezas[std::size_t(b)].Clase);
                g.Piezas[std::size_t(a)].Estado = g.Piezas[std::size_t(b)].Estado = 0;
            }
        }
    }
}

// The file laid out beside the program is the one checked above.
TEST_F(ModelosTest, TheBuiltLayoutFileHoldsTheCarriedLayouts) {
    const QString ruta = QCoreApplication::applicationDirPath() + "/../bin/Archivo/ModTai.mlp";
    if (!QFileInfo::exists(ruta)) GTEST_SKIP() << "no build of the data folders beside " << ruta.toStdString();
    EXPECT_EQ(plat::readFile(ruta), ArchivoEsperado());
}

} // namespace
