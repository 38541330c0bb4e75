// The Tangram model file: its reader, the twins' exchange of homes, every
// record of the file the build writes, and the first start of the game, which
// solves model 1 of that file.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Sustitutos.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "core/mesa.h"
#include "model/EstadoPuzzle.h"
#include "model/Geometria.h"
#include "model/Juego.h"
#include "model/Tangram.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/region.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <vector>

namespace {

using imaging_test::Reinicia;

// The file the build writes.
const QString kGenerado = QStringLiteral(TESELARO_MODTAN);

struct Casa {
    int x, y, giro, volteo;
    bool operator==(const Casa&) const = default;
};
using Casas = std::array<Casa, 8>; // pieces 1..7

void PrintTo(const Casa& c, std::ostream* os) { *os << "(" << c.x << ", " << c.y << ", " << c.giro << ", " << c.volteo << ")"; }

Casas CasasActuales() {
    Casas c{};
    for (int p = 1; p <= 7; ++p) {
        const auto& r = PuzzGbl.Piezas[std::size_t(p)];
        c[std::size_t(p)] = {r.XDestino, r.YDestino, r.GiroDestino, r.VolteoDestino};
    }
    return c;
}

// A record as the writers make it.
QString Registro(const QString& nombre, const Casas& c) {
    QString r = nombre.leftJustified(25, u' ');
    for (int p = 1; p <= 7; ++p)
        r += QStringLiteral("%1%2%3%4")
                 .arg(c[std::size_t(p)].x, 4, 10, QChar(u'0'))
                 .arg(c[std::size_t(p)].y, 4, 10, QChar(u'0'))
                 .arg(c[std::size_t(p)].giro)
                 .arg(c[std::size_t(p)].volteo);
    return r + QString(29, u'0') + QStringLiteral("\r\n");
}

Casas Ejemplo(int semilla) {
    Casas c{};
    for (int p = 1; p <= 7; ++p) c[std::size_t(p)] = {100 * semilla + p, 1000 + 10 * semilla + p, p % 8, p == 7 ? 1 : 0};
    return c;
}

class ModelosTangramTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        ReiniciaSustitutos();
        InicializaTablas();
        PuzzGbl.RutaArchivo = carpeta.path();
    }
    void TearDown() override {
        RegistraProcedimientosPanel({});
        RegistraPresentadorMensaje({});
        InstalaServiciosEstadoPuzzle({});
        Reinicia();
    }
    void Escribe(const QString& nombre, const QString& contenido) {
        plat::writeFile(carpeta.file(nombre), plat::toCp1252(contenido));
    }
    testing_support::ScratchDir carpeta;
};

// ------------------------------------------------------------------ reader

TEST_F(ModelosTangramTest, ReadsTheHomesOfTheChosenRecordAndLeavesThePlacesAlone) {
    Escribe(QStringLiteral("ModTan.mlp"), Registro(QStringLiteral("Uno"), Ejemplo(1)) +
                                              Registro(QStringLiteral("Dos"), Ejemplo(2)) +
                                              Registro(QStringLiteral("Tres"), Ejemplo(3)));
    auto& g = PuzzGbl;
    g.Piezas.assign(8, RegistroPieza{});
    for (int p = 1; p <= 7; ++p) g.Piezas[std::size_t(p)] = {.X = 7, .Y = 8, .Giro = 3, .Volteo = 1};
    g.NroModelo = 3;
    TAN_LeeModelo();
    EXPECT_EQ(CasasActuales(), Ejemplo(3));
    for (int p = 1; p <= 7; ++p) {
        const auto& r = g.Piezas[std::size_t(p)];
        EXPECT_EQ(std::make_tuple(r.X, r.Y, r.Giro, r.Volteo), std::make_tuple(7, 8, 3, 1)) << p;
    }
    g.NroModelo = 1;
    TAN_LeeModelo();
    EXPECT_EQ(CasasActuales(), Ejemplo(1));
}

// What reads as the empty model: every home at 0, 0 in the rest position.
TEST_F(ModelosTangramTest, AnEmptySlotOrNoRecordReadsAsTheEmptyModel) {
    const struct {
        const char* caso;
        const char* archivo; // nullptr: none
        std::int16_t nro;
    } casos[] = {
        {"blank name", "ModTan.mlp", 2},
        {"past the end", "ModTan.mlp", 4},
        {"number 0", "ModTan.mlp", 0},
        {"negative number", "ModTan.mlp", -3},
        {"no file", nullptr, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(carpeta.path()).removeRecursively();
        QDir().mkpath(carpeta.path());
        if (c.archivo)
            Escribe(QString::fromLatin1(c.archivo), Registro(QStringLiteral("Uno"), Ejemplo(1)) +
                                                        Registro(QString(), Ejemplo(2)) +
                                                        Registro(QStringLiteral("Tres"), Ejemplo(3)));
        PuzzGbl.Piezas.assign(8, RegistroPieza{});
        for (int p = 1; p <= 7; ++p) PuzzGbl.Piezas[std::size_t(p)] = {.XDestino = 5, .YDestino = 6, .GiroDestino = 1};
        PuzzGbl.NroModelo = c.nro;
        TAN_LeeModelo();
        EXPECT_EQ(CasasActuales(), Casas{});
    }
}

TEST_F(ModelosTangramTest, TheFileIsFoundWhateverTheCaseOfItsName) {
    Escribe(QStringLiteral("MODTAN.MLP"), Registro(QStringLiteral("Uno"), Ejemplo(4)));
    PuzzGbl.NroModelo = 1;
    TAN_LeeModelo();
    EXPECT_EQ(CasasActuales(), Ejemplo(4));
}

// The piece array holds the seven pieces afterwards, whatever it held before.
TEST_F(ModelosTangramTest, ThePieceArrayGrowsToHoldTheSevenPieces) {
    Escribe(QStringLiteral("ModTan.mlp"), Registro(QStringLiteral("Uno"), Ejemplo(1)));
    PuzzGbl.NroModelo = 1;
    PuzzGbl.Piezas.clear();
    TAN_LeeModelo();
    ASSERT_EQ(PuzzGbl.Piezas.size(), 8u);
    EXPECT_EQ(CasasActuales(), Ejemplo(1));
}

// A field reads as the number it starts with; a rotation or a flip the pieces
// do not have reads as the rest position, so the home can still be matched.
TEST_F(ModelosTangramTest, FieldsThatAreNotDigitsOrOutOfRangeReadAsZero) {
    QString r = Registro(QStringLiteral("Raro"), Ejemplo(1));
    auto bloque = [&](int p, const QString& texto) { r.replace(25 + (p - 1) * 10, 10, texto); };
    bloque(1, QStringLiteral("ab12x0zz00"));
    bloque(2, QStringLiteral("0012004590"));
    bloque(3, QStringLiteral("0013004682"));
    bloque(7, QStringLiteral("0099009937"));
    Escribe(QStringLiteral("ModTan.mlp"), r);
    PuzzGbl.NroModelo = 1;
    TAN_LeeModelo();
    const Casas c = CasasActuales();
    EXPECT_EQ(c[1], (Casa{0, 0, 0, 0}));
    EXPECT_EQ(c[2], (Casa{12, 45, 0, 0}));
    EXPECT_EQ(c[3], (Casa{13, 46, 0, 0}));
    EXPECT_EQ(c[7], (Casa{99, 99, 3, 0}));
    EXPECT_EQ(c[4], Ejemplo(1)[4]);
}

// ----------------------------------------------------------------- twins

TEST_F(ModelosTangramTest, TwinsExchangeTheirHomesAndTheOthersKeepTheirs) {
    auto& g = PuzzGbl;
    g.Piezas.assign(8, RegistroPieza{});
    const Casas inicial = Ejemplo(5);
    for (int p = 1; p <= 7; ++p) {
        auto& r = g.Piezas[std::size_t(p)];
        r.XDestino = std::int16_t(inicial[std::size_t(p)].x);
        r.YDestino = std::int16_t(inicial[std::size_t(p)].y);
        r.GiroDestino = std::int16_t(inicial[std::size_t(p)].giro);
        r.VolteoDestino = std::int16_t(inicial[std::size_t(p)].volteo);
        r.X = std::int16_t(p);
    }
    const struct {
        std::int16_t pieza, gemela;
    } casos[] = {{1, 2}, {2, 1}, {4, 5}, {5, 4}, {3, 0}, {6, 0}, {7, 0}, {0, 0}, {8, 0}, {-1, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pieza);
        TAN_IntercambiaDestino(c.pieza);
        Casas esperado = inicial;
        if (c.gemela) std::swap(esperado[std::size_t(c.pieza)], esperado[std::size_t(c.gemela)]);
        EXPECT_EQ(CasasActuales(), esperado);
        TAN_IntercambiaDestino(c.pieza);
        EXPECT_EQ(CasasActuales(), inicial);
        for (int p = 1; p <= 7; ++p) EXPECT_EQ(g.Piezas[std::size_t(p)].X, p); // the places stay
    }
    // A twin the piece array does not hold: nothing is exchanged.
    g.Piezas.resize(5);
    TAN_IntercambiaDestino(4);
    EXPECT_EQ(g.Piezas[4].XDestino, inicial[4].x);
}

// ------------------------------------------------------- the generated file

std::vector<QPoint> Poligono(int p) {
    const auto& g = PuzzGbl;
    const auto& r = g.Piezas[std::size_t(p)];
    TAN_TamanoPieza(std::int16_t(p), r.GiroDestino, r.VolteoDestino);
    TAN_CalculaVertices(std::int16_t(p), r.GiroDestino, r.VolteoDestino);
    std::vector<QPoint> v;
    for (int k = 1; k <= (p <= 5 ? 3 : 4); ++k)
        v.emplace_back(r.XDestino + g.TAN_VerticeX[std::size_t(p)][std::size_t(k)],
                       r.YDestino + g.TAN_VerticeY[std::size_t(p)][std::size_t(k)]);
    return v;
}

// The parts of the silhouette: 4-connected sets of pixels in the line colour.
int Partes(const plat::Surface& s, plat::Color color) {
    const QImage& im = s.image();
    const int w = im.width(), h = im.height();
    std::vector<char> visto(std::size_t(w * h), 0);
    auto es = [&](int x, int y) { return plat::Color(im.pixel(x, y) & 0xFFFFFF) == color; };
    int partes = 0;
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            if (visto[std::size_t(y0 * w + x0)] || !es(x0, y0)) continue;
            ++partes;
            std::deque<QPoint> cola{QPoint(x0, y0)};
            visto[std::size_t(y0 * w + x0)] = 1;
            while (!cola.empty()) {
                const QPoint q = cola.front();
                cola.pop_front();
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint v = q + d;
                    if (v.x() < 0 || v.y() < 0 || v.x() >= w || v.y() >= h) continue;
                    char& m = visto[std::size_t(v.y() * w + v.x())];
                    if (m || !es(v.x(), v.y())) continue;
                    m = 1;
                    cola.push_back(v);
                }
            }
        }
    return partes;
}

// The pieces' sizes and the board origin of a Tangram puzzle on the smallest
// table, 800 x 600.
void GeometriaDeMesaPequena() {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 1;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    ASSERT_TRUE(CalculaGeometriaPuzzle());
}

TEST_F(ModelosTangramTest, EveryRecordOfTheGeneratedFileIsAFigureOfTheSevenPiecesApart) {
    QFile f(kGenerado);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "build the target modtan_data first: " << kGenerado.toStdString();
    const QString texto = plat::fromCp1252(f.readAll());
    ASSERT_EQ(texto.size() % kLargoRegistroTangram, 0);
    const int n = int(texto.size() / kLargoRegistroTangram);
    EXPECT_GE(n, 12);

    auto& g = PuzzGbl;
    g.RutaArchivo = QFileInfo(kGenerado).absolutePath() + u'/';
    GeometriaDeMesaPequena();
    g.ColorFondo = 0x000000;
    g.ColorLineas = 0xFFFFFF;
    // Where the deal puts the widest piece: the figure must leave it room.
    const int columnaPiezas = 800 - kAnchoBotonera - 20 - 177;
    QSet<QString> nombres;
    for (int nro = 1; nro <= n; ++nro) {
        const QString r = texto.mid((nro - 1) * kLargoRegistroTangram, kLargoRegistroTangram);
        const QString nombre = r.left(25).trimmed();
        SCOPED_TRACE(testing::Message() << nro << " " << nombre.toStdString());
        EXPECT_FALSE(nombre.isEmpty());
        EXPECT_FALSE(nombres.contains(nombre));
        nombres.insert(nombre);
        EXPECT_TRUE(r.endsWith(QStringLiteral("\r\n")));
        const QString cifras = r.mid(25, 99);
        EXPECT_TRUE(std::all_of(cifras.begin(), cifras.end(), [](QChar c) { return c.isDigit(); }));
        EXPECT_EQ(r.mid(95, 29), QString(29, u'0'));
        for (int p = 1; p <= 7; ++p) {
            EXPECT_LE(r.at(25 + (p - 1) * 10 + 8).digitValue(), 7) << "rotation of piece " << p;
            EXPECT_LE(r.at(25 + (p - 1) * 10 + 9).digitValue(), 1) << "flip of piece " << p;
        }

        g.NroModelo = std::int16_t(nro);
        g.Piezas.clear();
        TAN_LeeModelo();
        std::array<plat::Region, 8> zonas;
        for (int p = 1; p <= 7; ++p) zonas[std::size_t(p)] = plat::Region::polygon(Poligono(p));
        for (int p = 1; p <= 7; ++p)
            for (int q = p + 1; q <= 7; ++q) {
                plat::Region comun;
                EXPECT_EQ(plat::combine(comun, zonas[std::size_t(p)], zonas[std::size_t(q)], plat::rgn::kAnd),
                          plat::rgn::kNullRegion)
                    << "pieces " << p << " and " << q << " overlap";
            }
        TAN_CalculaMarcoFigura(2);
        const RegistroMarco m = g.MarcoFigura;
        EXPECT_EQ(m.Izquierda, g.OrigenX);
        EXPECT_EQ(m.Arriba, g.OrigenY);
        EXPECT_LT(m.Derecha, columnaPiezas);
        EXPECT_LT(m.Abajo, g.AltoMesa);

        plat::Surface s(QStringLiteral("silueta"), m.Derecha + 1, m.Abajo + 1);
        s.setFillStyle(plat::FillStyle::Solid);
        TAN_DibujaModelo(s);
        EXPECT_EQ(Partes(s, 0xFFFFFF), 1) << "the silhouette falls apart";
    }
}

// ------------------------------------------------------------ first start

// A first start of the game without its state file: the defaults solve model
// 1, whose figure stands on the table with the pieces loose beside it; the
// file is written, and the next start reads back the same table.
TEST_F(ModelosTangramTest, TheFirstStartSolvesModelOneAndTheNextStartReadsItBack) {
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaArchivo = carpeta.path() + QStringLiteral("Archivo/");
    QDir().mkpath(g.RutaArchivo);
    ASSERT_TRUE(QFile::copy(kGenerado, g.RutaArchivo + QStringLiteral("ModTan.mlp")));
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    mesa.Pic_Botonera.move(800 - kAnchoBotonera, 0, kAnchoBotonera, 431);
    QStringList textos;
    RegistraPresentadorMensaje([&textos](const QString&, const QString& texto) {
        textos << texto;
        PuzzGbl.RespuestaMensaje = true;
    });
    InstalaEstadoPuzzle();
    g.TipoJuego = 23;
    const QString ruta = RutaEstadoJuego(23);
    LeePuzzleJuego(ruta);

    ASSERT_EQ(textos.size(), 1);
    EXPECT_TRUE(textos[0].contains(QStringLiteral("crearlo"))) << textos[0].toStdString();
    EXPECT_TRUE(QFileInfo::exists(ruta));
    EXPECT_TRUE(LlamadasAnotadas().contains(QStringLiteral("TAN_PreparaJuego -1")));
    EXPECT_EQ(g.NroModelo, 1);
    EXPECT_EQ(g.TAN_ModoJuego, 2);
    ASSERT_EQ(g.Piezas.size(), 8u);

    // The homes are model 1's, as its record holds them.
    const QString r = plat::readRecord(g.RutaArchivo + QStringLiteral("ModTan.mlp"), kLargoRegistroTangram, 1);
    for (int p = 1; p <= 7; ++p) {
        const QString b = r.mid(25 + (p - 1) * 10, 10);
        const auto& e = g.Piezas[std::size_t(p)];
        EXPECT_EQ((Casa{e.XDestino, e.YDestino, e.GiroDestino, e.VolteoDestino}),
                  (Casa{b.mid(0, 4).toInt(), b.mid(4, 4).toInt(), b.mid(8, 1).toInt(), b.mid(9, 1).toInt()}))
            << p;
    }
    // The figure on the table: the clean table shows each piece's home in the
    // line colour, and the table's colour away from the figure.
    const plat::Surface& fondo = mesa.Pic_Fondo;
    TAN_CalculaMarcoFigura(2);
    EXPECT_EQ(fondo.point(g.MarcoFigura.Derecha + 5, g.MarcoFigura.Abajo + 5), plat::Color(g.ColorFondo));
    for (int p = 1; p <= 7; ++p) {
        const auto& e = g.Piezas[std::size_t(p)];
        TAN_PuntoEtiqueta(std::int16_t(p), e.GiroDestino, e.VolteoDestino);
        EXPECT_EQ(fondo.point(e.XDestino + g.TAN_DesplX, e.YDestino + g.TAN_DesplY), plat::Color(g.ColorLineas))
            << "home of piece " << p;
    }
    // The pieces lie loose in their column, right of the figure.
    for (int p = 1; p <= 7; ++p) {
        const auto& e = g.Piezas[std::size_t(p)];
        EXPECT_GT(e.X, g.MarcoFigura.Derecha) << p;
        EXPECT_FALSE(PiezaBienColocada(std::int16_t(p))) << p;
    }
    const auto repartidas = g.Piezas;
    const QImage mesaRepartida = mesa.Pic_Imagen.image().copy();
    const QImage fondoRepartido = fondo.image().copy();

    // The next start reads the same table back.
    textos.clear();
    g.Piezas.assign(1, RegistroPieza{});
    mesa.Pic_Imagen.setBackColor(0x123456);
    ReiniciaSustitutos();
    LeePuzzleJuego(ruta);
    EXPECT_TRUE(textos.isEmpty()) << textos.value(0).toStdString();
    EXPECT_TRUE(LlamadasAnotadas().contains(QStringLiteral("TAN_PreparaJuego 0")));
    EXPECT_EQ(g.Piezas, repartidas);
    EXPECT_EQ(fondo.image(), fondoRepartido);
    EXPECT_EQ(mesa.Pic_Imagen.image(), mesaRepartida);
}

} // namespace
