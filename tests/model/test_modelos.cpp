// The model files: the Taipei layout reader, the model lists of the three
// games, and every layout the program carries in "ModTai.mlp".
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/Barajado.h"
#include "model/Juego.h"
#include "model/EstadoPuzzle.h"
#include "model/Modelos.h"
#include "model/Taipei.h"
#include "model/TaipeiModelo.h"
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
        PuzzGbl.RutaArchivo = carpeta.path() + "Archivo/";
        plat::createFolder(PuzzGbl.RutaArchivo);
    }
    void TearDown() override {
        PuzzGbl.reset();
        mesa.reset();
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

// 5 rows of 20 whose heights (1 or 2, 144 places) follow no period of 20 or 22.
QString AlturasAncha() {
    QString alturas(100, u'1');
    for (int i = 0; i < 100; ++i)
        if ((i * 7) % 100 < 44) alturas[i] = u'2';
    return alturas;
}

// 144 places on 12 x 12.
QString Plana(const char* nombre) { return Registro(nombre, "12121", QString(144, u'1')); }

// The board in force, everything a refused record must leave as it was.
struct Tablero {
    DisposicionTaipei d;
    std::array<std::array<TAI_Casilla, 24>, 17> casillas;
    std::int16_t nroFilas, nroColumnas;
    QString registro;
    bool operator==(const Tablero&) const = default;
};
Tablero TableroActual() {
    const auto& g = PuzzGbl;
    return {TAI_DisposicionActual(), g.TAI_Tablero, g.TAI_NroFilas, g.TAI_NroColumnas, g.TAI_RegistroModelo};
}

TEST_F(ModelosTest, HeightsAreReadWithTheLayoutsOwnColumnCount) {
    // 5 rows of 20: the heights fill columns 35 to 134 of the record.
    const QString alturas = AlturasAncha();
    Escribe("ModTai.mlp", {Vacio(), Registro("Ancha", "05202", alturas)});
    auto& g = PuzzGbl;
    g.TAI_Tablero[2][3].Ficha[1] = 77; // a tile of the last deal
    g.TAI_Tablero[16][22].Altura = 3;  // a stack of the last layout
    QString motivo = "sin leer";
    EXPECT_TRUE(TAI_CargaModelo(2, &motivo));
    EXPECT_TRUE(motivo.isEmpty()) << motivo.toStdString();
    EXPECT_EQ(g.FilasTablero, 5);
    EXPECT_EQ(g.ColumnasTablero, 20);
    EXPECT_EQ(g.TAI_NroNiveles, 2);
    for (int r = 0; r <= 16; ++r)
        for (int c = 0; c <= 23; ++c) {
            const bool dentro = r >= 1 && r <= 5 && c >= 1 && c <= 20;
            const int esperada = dentro ? alturas[(r - 1) * 20 + (c - 1)].unicode() - u'0' : 0;
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
        std::vector<std::string> filas;
        int nroFilas, nroColumnas;
    } casos[] = {
        {"first row empty", {"0000", "1200", "0021"}, 2, 4},
        {"gaps inside", {"100", "000", "001", "000"}, 2, 2},
        {"all empty", {"00", "00"}, 0, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        DisposicionTaipei d;
        d.filas = std::int16_t(c.filas.size());
        d.columnas = std::int16_t(c.filas[0].size());
        d.niveles = 2;
        for (std::size_t r = 0; r < c.filas.size(); ++r)
            for (std::size_t k = 0; k < c.filas[r].size(); ++k) d.altura[r + 1][k + 1] = std::int16_t(c.filas[r][k] - '0');
        TAI_PonDisposicion(d, Vacio());
        EXPECT_EQ(PuzzGbl.TAI_NroFilas, c.nroFilas);
        EXPECT_EQ(PuzzGbl.TAI_NroColumnas, c.nroColumnas);
        EXPECT_EQ(TAI_DisposicionActual(), d);
    }
}

// A record that is not there is an empty layout, whatever was read before:
// the board never keeps the previous model's stacks under another number.
TEST_F(ModelosTest, AnEmptySlotOrAMissingRecordIsAnEmptyLayout) {
    const QString lleno = Plana("Llena");
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
        QString motivo;
        EXPECT_FALSE(TAI_CargaModelo(c.nro, &motivo));
        EXPECT_FALSE(motivo.isEmpty());
        EXPECT_EQ(PuzzGbl.FilasTablero, 0);
        EXPECT_EQ(PuzzGbl.ColumnasTablero, 0);
        EXPECT_EQ(PuzzGbl.TAI_NroNiveles, 0);
        EXPECT_EQ(Altura(1, 1), 0);
        EXPECT_EQ(PuzzGbl.TAI_NroFilas, 0);
        EXPECT_EQ(PuzzGbl.TAI_NroColumnas, 0);
        EXPECT_EQ(PuzzGbl.TAI_RegistroModelo, Vacio());
    }
}

// A record that cannot take the 144 tiles is refused with its reason, and the
// board in force (the layout, the tiles on it, the record) stays as it was;
// a saved state on such a layout does not pass the state check either.
TEST_F(ModelosTest, AHostileRecordIsRefusedWithItsReasonAndTheBoardStays) {
    QString alta = QString(144, u'1');
    alta[0] = u'7', alta[1] = u'0', alta[2] = u'0', alta[3] = u'0', alta[4] = u'0', alta[5] = u'0', alta[6] = u'0';
    QString corta = QString(144, u'1');
    corta[143] = u'0';
    QString letras = QString(144, u'1');
    letras[30] = u'x';
    const struct {
        const char* nombre;
        QString registro;
        const char* enMotivo; // a word the reason carries
    } casos[] = {
        {"17 rows", Registro("Filas", "17081", QString(136, u'1') + QString(8, u'1')), "filas"},
        {"23 columns", Registro("Columnas", "01231", QString(23, u'1')), "columnas"},
        {"6 levels", Registro("Niveles", "12126", QString(144, u'1')), "niveles"},
        {"a height 7", Registro("Alta", "12125", alta), "7 niveles"},
        {"143 places", Registro("Corta", "12121", corta), "143 plazas"},
        {"letters in the heights", Registro("Letras", "12121", letras), "cifras"},
        {"letters in the sizes", Registro("Letras", "1x121", QString(144, u'1')), "cifras"},
    };
    auto& g = PuzzGbl;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Escribe("ModTai.mlp", {Plana("Buena"), c.registro});
        ASSERT_TRUE(TAI_CargaModelo(1));
        g.TAI_Tablero[3][4].Ficha[1] = 12; // a tile dealt on it
        const Tablero antes = TableroActual();
        QString motivo;
        EXPECT_FALSE(TAI_CargaModelo(2, &motivo));
        EXPECT_TRUE(motivo.contains(QString::fromUtf8(c.enMotivo))) << motivo.toStdString();
        EXPECT_TRUE(TableroActual() == antes);
        const ModeloTaipei m = TAI_InterpretaModelo(TAI_LeeRegistroModelo(2));
        EXPECT_EQ(m.motivo, motivo);
        EXPECT_FALSE(m.vacio);
        // The same layout under a saved state is not one the state can use.
        EXPECT_FALSE(ContextoActual(25).disposicion(2).has_value());
        EXPECT_TRUE(ContextoActual(25).disposicion(1).has_value());
    }
    // A record cut short is refused by the parse; in the file it is a line of
    // the wrong length, a damaged line, which reads as an empty slot.
    const ModeloTaipei cortada = TAI_InterpretaModelo(Plana("Cortada").left(100));
    EXPECT_TRUE(cortada.motivo.contains(QString::fromUtf8("corto"))) << cortada.motivo.toStdString();
    EXPECT_FALSE(cortada.vacio);
}

// The one check, as the deal and the settings window's preview use it.
TEST_F(ModelosTest, TheLayoutCheckTellsWhatIsWrong) {
    DisposicionTaipei plana;
    plana.filas = plana.columnas = 12;
    plana.niveles = 1;
    for (int r = 1; r <= 12; ++r)
        for (int c = 1; c <= 12; ++c) plana.altura[r][c] = 1;
    EXPECT_TRUE(TAI_CompruebaDisposicion(plana).isEmpty());
    auto fuera = plana;
    fuera.altura[1][1] = 0;
    fuera.altura[1][13] = 1; // beyond its 12 columns
    EXPECT_FALSE(TAI_CompruebaDisposicion(fuera).isEmpty());
    auto negativa = plana;
    negativa.altura[1][1] = 2, negativa.altura[1][2] = 0, negativa.niveles = 2;
    EXPECT_TRUE(TAI_CompruebaDisposicion(negativa).isEmpty());
    negativa.altura[1][3] = -1, negativa.altura[1][4] = 2;
    EXPECT_FALSE(TAI_CompruebaDisposicion(negativa).isEmpty());
    EXPECT_FALSE(TAI_CompruebaDisposicion(DisposicionTaipei{}).isEmpty());
}

// Whether a layout fits the table beside the command panel (141 wide), its
// tiles 50 x 67 with 6 pixels a level: too tall is told first.
TEST_F(ModelosTest, TheFitTestOnTheTable) {
    const struct {
        int filas, columnas, niveles, ancho, alto;
        AjusteTaipei ajuste;
    } casos[] = {
        {8, 12, 5, 800, 600, AjusteTaipei::Cabe},             // 566 x 630 in 600 x 659
        {8, 13, 1, 800, 600, AjusteTaipei::Cabe},             // 656 wide in 659
        {8, 13, 2, 800, 600, AjusteTaipei::DemasiadoAncha},   // 662 wide
        {9, 12, 1, 800, 600, AjusteTaipei::DemasiadoAlta},    // 609 tall
        {9, 20, 1, 800, 600, AjusteTaipei::DemasiadoAlta},    // both: too tall
        {11, 17, 5, 1024, 768, AjusteTaipei::Cabe},           // 767 x 880 in 768 x 883
        {11, 17, 5, 800, 600, AjusteTaipei::DemasiadoAlta},
        {14, 22, 5, 1280, 1024, AjusteTaipei::Cabe},
        {14, 22, 5, 1024, 768, AjusteTaipei::DemasiadoAlta},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.filas << "x" << c.columnas << "x" << c.niveles << " on " << c.ancho << "x"
                                        << c.alto);
        EXPECT_EQ(TAI_AjusteEnMesa(c.filas, c.columnas, c.niveles, c.ancho, c.alto), c.ajuste);
    }
}

TEST_F(ModelosTest, TheModelInForceIsFoundWhateverTheCaseOfTheFileName) {
    Escribe("MODTAI.MLP", {Plana("Uno"), Registro("Dos", "08181", QString(144, u'1'))});
    PuzzGbl.NroModelo = 2;
    TAI_CargaModelo();
    EXPECT_EQ(PuzzGbl.ColumnasTablero, 18);
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

// A file edited elsewhere: LF alone ends every line, so no record is 452
// characters long; a blank name or a damaged line is an empty slot.
TEST_F(ModelosTest, AnLfOnlyLayoutFileKeepsEveryModelUnderItsNumber) {
    auto lf = [](QString r) {
        r.chop(2);
        return r + u'\n';
    };
    Escribe("ModTai.mlp", {lf(Plana("  Uno")), lf(Vacio()), lf(Registro("Tres   ", "08181", QString(144, u'1'))),
                           lf(Vacio()), QStringLiteral("Roto").leftJustified(300, u'1') + u'\n',
                           lf(Registro("Seis", "09161", QString(144, u'1')))});
    PuzzGbl.TipoJuego = 25;
    EXPECT_EQ(LeeListaModelos(), (std::vector<ModeloListado>{{"Uno", 1}, {"Tres", 3}, {"Seis", 6}}));
    ListaOrdenada lista;
    RellenaListaModelos(lista);
    ASSERT_EQ(lista.ListCount(), 3);
    const struct {
        const char* texto;
        int registro;
    } items[] = {{"Seis", 6}, {"Tres", 3}, {"Uno", 1}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lista.List(i), items[i].texto);
        EXPECT_EQ(lista.ItemData(i), items[i].registro);
    }

    // The reader takes the same lines: each layout under its own number, the
    // empty and damaged ones as the empty layout.
    const struct {
        std::int16_t nro;
        bool cargado;
        std::int16_t filas, columnas;
    } casos[] = {{3, true, 8, 18}, {1, true, 12, 12}, {6, true, 9, 16}, {2, false, 0, 0}, {4, false, 0, 0},
                 {5, false, 0, 0}, {7, false, 0, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nro);
        EXPECT_EQ(TAI_CargaModelo(c.nro), c.cargado);
        EXPECT_EQ(PuzzGbl.FilasTablero, c.filas);
        EXPECT_EQ(PuzzGbl.ColumnasTablero, c.columnas);
        if (c.cargado) {
            EXPECT_EQ(PuzzGbl.TAI_RegistroModelo.size(), 452);
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
// table of 800 x 600, and deals that can be cleared whatever the seed.
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
        ASSERT_TRUE(TAI_CompruebaDisposicion(TAI_DisposicionActual()).isEmpty());

        // The whole board on the table of the smallest screen the program
        // supports, left of the command panel.
        const int ancho = 800, alto = 600;
        ASSERT_EQ(TAI_AjusteEnMesa(g.FilasTablero, g.ColumnasTablero, g.TAI_NroNiveles, ancho, alto),
                  AjusteTaipei::Cabe);
        g.AnchoMesa = std::int16_t(ancho);
        g.AltoMesa = std::int16_t(alto);
        mesa.Pic_Botonera.move(ancho - 141, 0, 141, 431);
        ASSERT_TRUE(CalculaGeometriaPuzzle());
        EXPECT_GE(g.OrigenX, 0);
        EXPECT_GE(g.OrigenY, 0);
        EXPECT_LE(g.OrigenX + g.AnchoImagen, ancho - 141);
        EXPECT_LE(g.OrigenY + g.AltoImagen, alto);

        g.Piezas.assign(145, RegistroPieza{});
        g.OrdenPiezas.assign(145, 0);
        TAI_AsignaPalos();
        for (std::uint32_t semilla = 1; semilla <= 25; ++semilla) {
            SCOPED_TRACE(semilla);
            plat::randomGenerator().setState(semilla * 2246822519u);
            ASSERT_TRUE(TAI_Reparte());
            ASSERT_FALSE(UltimoReparto().porOrden);
            // The pairs come off from the last dealt to the first.
            for (int p = 72; p >= 1; --p) {
                const std::int16_t a = g.TAI_Reparto[std::size_t(p)][1], b = g.TAI_Reparto[std::size_t(p)][2];
                ASSERT_TRUE(TAI_FichaLibre(a) && TAI_FichaLibre(b)) << "pair " << p;
                ASSERT_EQ(g.Piezas[std::size_t(a)].Clase, g.Piezas[std::size_t(b)].Clase);
                g.Piezas[std::size_t(a)].Estado = g.Piezas[std::size_t(b)].Estado = 0;
            }
        }
    }
    // Nine layouts at least, no two with the same stacks.
    EXPECT_GE(disposiciones.size(), 9u);
    for (std::size_t i = 0; i < disposiciones.size(); ++i)
        for (std::size_t j = i + 1; j < disposiciones.size(); ++j)
            EXPECT_NE(disposiciones[i].filas, disposiciones[j].filas) << i + 1 << " and " << j + 1;
}

// The file laid out beside the program is the one checked above.
TEST_F(ModelosTest, TheBuiltLayoutFileHoldsTheCarriedLayouts) {
    const QString ruta = QCoreApplication::applicationDirPath() + "/../bin/Archivo/ModTai.mlp";
    if (!QFileInfo::exists(ruta)) GTEST_SKIP() << "no build of the data folders beside " << ruta.toStdString();
    EXPECT_EQ(plat::readFile(ruta), ArchivoEsperado());
}

} // namespace
