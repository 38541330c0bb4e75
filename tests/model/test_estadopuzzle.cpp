// The puzzle-state format read, checked and applied for real, over a table of
// 800 x 600 with its command panel at the right edge.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/Deslizantes.h"
#include "model/EstadoPuzzle.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "platform/files.h"
#include "tests/model/pentomino_fixtures.h"
#include "tests/support/alcance.h"
#include "tests/support/fixtures.h"
#include "tools/modtai/disposiciones.h"

#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <QImage>
#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>
#include <functional>
#include <unistd.h>
#include <numeric>
#include <tuple>

namespace {

struct Visto {
    QString titulo, texto;
    int ayuda;
};

class EstadoPuzzle : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        vistos.clear();
        PuzzGbl.RutaPrograma = carpeta.path();
        PuzzGbl.RutaImagenes = carpeta.path() + "Imagenes/";
        PuzzGbl.RutaArchivo = carpeta.path() + "Archivo/";
        InicializaTablas(); // the pentomino shapes check the stored solutions
        EscribeDisposicion();
        // Pentomino model 1: a 6 x 10 board with three stored solutions.
        pentominos_prueba::EscribeRectangulo(PuzzGbl.RutaArchivo, 3);
        MesaDe(800, 600);
        RegistraPresentadorMensaje([this](const QString& t, const QString& x) {
            vistos.push_back({t, x, PuzzGbl.AyudaMensaje});
            PuzzGbl.RespuestaMensaje = true;
        });
        InstalaEstadoPuzzle();
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        InstalaServiciosEstadoPuzzle({});
        mesa.reset();
        PuzzGbl.reset();
    }
    // Taipei model 1: 8 rows of 12 single cells, twelve stacks of 5 in the
    // middle (rows 3 to 6, columns 7 to 9), fitting the table of 800 x 600.
    void EscribeDisposicion() {
        modtai::Disposicion d{QStringLiteral("Prueba"), std::vector<std::string>(8, std::string(12, '1'))};
        for (int r : {2, 3, 4, 5})
            for (int c : {6, 7, 8}) d.filas[r][c] = '5';
        if (!plat::folderExists(PuzzGbl.RutaArchivo)) plat::createFolder(PuzzGbl.RutaArchivo);
        plat::writeFile(PuzzGbl.RutaArchivo + "ModTai.mlp", plat::toCp1252(modtai::Registro(d)));
    }
    // Whether a game's set-up laid out the board picture since SetUp.
    static bool TablaPreparada() { return mesa.Pic_Bitmap.width() > 0; }
    static void MesaDe(int ancho, int alto) {
        PuzzGbl.AnchoMesa = std::int16_t(ancho);
        PuzzGbl.AltoMesa = std::int16_t(alto);
        mesa.Pic_Botonera.move(ancho - 141, 0, 141, 431);
    }
    QString Imagen(int ancho, int alto) {
        const QString ruta = carpeta.file(QString("img%1x%2.png").arg(ancho).arg(alto));
        QImage img(ancho, alto, QImage::Format_RGB32);
        img.fill(Qt::red);
        img.save(ruta, "PNG");
        return ruta;
    }

    // A jigsaw of 64 pieces of a picture of 1000 x 400, wider than the
    // table of 800 x 600 or 1024 x 768: the bars show, and the table scrolls.
    EstadoPartida JigsawAncho() {
        EstadoPartida e = Jigsaw();
        e.ArchivoImagen = "img1000x400.png";
        e.FicheroImagen = Imagen(1000, 400);
        e.c.AnchoBmp = 1000;
        e.c.AltoBmp = 400;
        e.c.PiezasLado = 8;
        Piezas(e, 64);
        return e;
    }
    // A header every game accepts, before the game's own fields.
    static CabeceraPartida Cabecera(std::int16_t juego) {
        CabeceraPartida c;
        c.NombreJugador = "Ana      ";
        c.ColorFondo = 0x800000;
        c.ColorPieza = 0x8000;
        c.ColorLineas = 0xFFFFFF;
        c.NroModelo = 1;
        c.ZoomImagen = 100;
        c.PiezasLado = 5;
        c.TAN_ModoJuego = 2;
        c.TipoRotulo = 2;
        c.TipoJuego = juego;
        c.FactorAtraccion = 20;
        c.GiroPermitido = c.DibujarBorde = c.AtraccionPiezas = true;
        c.NombreModelo = "Modelo";
        c.GradoDificultad = 12.5;
        c.MaterialPiezas = 1;
        c.SegundosCronometro = 321;
        c.AnchoMesa = 800;
        c.AltoMesa = 600;
        return c;
    }
    static void Movimientos(EstadoPartida& e, int cuantos, int piezas) {
        e.c.MovActual = std::int16_t(cuantos);
        e.Movimientos.assign(std::size_t(cuantos) + 1, {});
        for (int j = 1; j <= cuantos; ++j)
            e.Movimientos[j] = {std::int16_t(j % piezas + 1), std::int16_t(j % 700), 5, 1, 0, -40, 7, 2, 1};
    }
    static void Piezas(EstadoPartida& e, int n) {
        e.c.NroPiezas = std::int16_t(n);
        e.Piezas.assign(std::size_t(n) + 1, {});
        e.OrdenPiezas.assign(std::size_t(n) + 1, 0);
        for (int i = 1; i <= n; ++i) {
            // Loose pieces, each within reach on the 800 x 600 table.
            e.Piezas[i] = {std::int16_t(i * 10 + 10), std::int16_t(i * 3), std::int16_t(i % 4), std::int16_t(i % 2),
                           std::int16_t(i * 7), std::int16_t(i * 5), 0, 0};
            e.OrdenPiezas[i] = std::int16_t(n + 1 - i);
        }
    }
    EstadoPartida Jigsaw() {
        EstadoPartida e;
        e.CarpetaImagen = carpeta.path();
        e.ArchivoImagen = "img640x480.png";
        e.FicheroImagen = Imagen(640, 480);
        e.c = Cabecera(21);
        e.c.MuestraVisible = true;
        e.c.AnchoBmp = 640;
        e.c.AltoBmp = 400;
        Piezas(e, 25);
        Movimientos(e, 3, 25);
        return e;
    }
    // A 3 x 3 board on the 800 x 600 table: cells of 107 from (169, 107).
    static EstadoPartida Deslizante() {
        EstadoPartida e;
        e.FicheroImagen = " ";
        e.c = Cabecera(22);
        e.c.PiezasLado = 3;
        Piezas(e, 8);
        for (int i = 1; i <= 8; ++i) {
            const int celda = (i + 2) % 9; // the hole on cell 2
            e.Piezas[i] = {std::int16_t(169 + celda % 3 * 107), std::int16_t(107 + celda / 3 * 107), 0, 0,
                           std::int16_t(169 + (i - 1) % 3 * 107), std::int16_t(107 + (i - 1) / 3 * 107), 0, 0};
        }
        e.c.AgujeroX = 169 + 2 * 107;
        e.c.AgujeroY = 107;
        Movimientos(e, 2, 8);
        return e;
    }
    // The same board laid out on 1024 x 768: cells of 141 from (230, 140).
    static EstadoPartida DeslizanteDe1024() {
        EstadoPartida e = Deslizante();
        e.c.AnchoMesa = 1024;
        e.c.AltoMesa = 768;
        for (int i = 1; i <= 8; ++i) {
            RegistroPieza& p = e.Piezas[i];
            p.X = std::int16_t(230 + (p.X - 169) / 107 * 141);
            p.Y = std::int16_t(140 + (p.Y - 107) / 107 * 141);
            p.XDestino = std::int16_t(230 + (p.XDestino - 169) / 107 * 141);
            p.YDestino = std::int16_t(140 + (p.YDestino - 107) / 107 * 141);
        }
        e.c.AgujeroX = 230 + 2 * 141;
        e.c.AgujeroY = 140;
        return e;
    }
    static EstadoPartida Tangram() {
        EstadoPartida e;
        e.FicheroImagen = " ";
        e.c = Cabecera(23);
        Piezas(e, 7);
        e.Piezas[3].Giro = 7;
        Movimientos(e, 4, 7);
        return e;
    }
    // On model 1 with the homes of its solution 3: cells of 31 from (15, 15).
    // Every rotation within its shape's (F I L N P T U V W X Y Z), as the
    // reader asks once the shapes are known.
    static EstadoPartida Pentominos() {
        static constexpr int rotaciones[13] = {1, 4, 2, 4, 4, 4, 4, 4, 4, 4, 1, 4, 2};
        EstadoPartida e;
        e.FicheroImagen = " ";
        e.c = Cabecera(24);
        e.c.PEN_SolucionActual = 3;
        e.c.PiezasUnColor = true;
        Piezas(e, 12);
        const PEN_RegistroSolucion s = pentominos_prueba::Inventada(3);
        for (int p = 1; p <= 12; ++p) {
            RegistroPieza& pz = e.Piezas[p];
            pz.XDestino = std::int16_t(15 + (s.Columna[p] - 1) * 31);
            pz.YDestino = std::int16_t(15 + (s.Fila[p] - 1) * 31);
            pz.GiroDestino = s.Giro[p];
            pz.VolteoDestino = s.Volteo[p];
        }
        Movimientos(e, 1, 12);
        auto dentro = [](int pieza, std::int16_t& giro) { giro = std::int16_t(giro % rotaciones[pieza]); };
        for (int p = 1; p <= 12; ++p) {
            dentro(p, e.Piezas[p].Giro);
            dentro(p, e.Piezas[p].GiroDestino);
        }
        for (std::size_t j = 1; j < e.Movimientos.size(); ++j) {
            dentro(e.Movimientos[j].Pieza, e.Movimientos[j].GiroAntes);
            dentro(e.Movimientos[j].Pieza, e.Movimientos[j].GiroDespues);
        }
        return e;
    }
    // The same with the shapes known.
    static EstadoPartida PentominosGirables() {
        InicializaTablas();
        return Pentominos();
    }
    // On layout model 1 (EscribeDisposicion): tiles numbered in cell order,
    // bottom up.
    static EstadoPartida Taipei() {
        EstadoPartida e;
        e.FicheroImagen = " ";
        e.c = Cabecera(25);
        e.c.MaterialPiezas = 2;
        Piezas(e, 144);
        e.Tablero.assign(kCeldasTaipei, -1);
        int t = 0;
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 12; ++c) {
                const int altura = r >= 3 && r <= 6 && c >= 7 && c <= 9 ? 5 : 1;
                for (int k = 1; k <= 4; ++k) e.Tablero[IndiceTablero(r, c, k)] = 0;
                for (int k = 1; k <= altura; ++k) {
                    ++t;
                    RegistroPieza& p = e.Piezas[t];
                    p = {std::int16_t(c * 50), std::int16_t(r * 67), 0, 0, 0, 0, 0, 0};
                    p.Fila = std::int16_t(r);
                    p.Columna = std::int16_t(c);
                    p.Nivel = std::int16_t(k);
                    p.Estado = t % 3 == 0 ? 0 : 1;
                    if (k <= 4) e.Tablero[IndiceTablero(r, c, k)] = std::int16_t(t);
                }
            }
        e.Reparto.resize(144);
        std::iota(e.Reparto.begin(), e.Reparto.end(), std::int16_t(1));
        e.c.MovActual = 2;
        e.Movimientos.assign(3, {});
        e.Movimientos[1] = {0, 3, 9, 0, 0, 0, 0, 0, 0};
        e.Movimientos[2] = {0, 144, 1, 0, 0, 0, 0, 0, 0};
        return e;
    }

    static QByteArray Bytes(const EstadoPartida& e) { return ComponeArchivoEstado(ComponeLineas(e)); }
    // A Tangram state whose piece line lacks its last character.
    static QByteArray TangramDanado() {
        QStringList l = ComponeLineas(Tangram());
        l[5].chop(1);
        return ComponeArchivoEstado(l);
    }
    QString Guarda(const QByteArray& b, const QString& nombre) {
        plat::writeFile(carpeta.file(nombre), b);
        return carpeta.file(nombre);
    }
    static QString Comprueba(const QByteArray& b, std::int16_t juego = 0) {
        LecturaPartida r = CargaDatosPuzzle(b);
        if (!r.estado) return r.motivo;
        return ValidaEstadoPartida(*r.estado, ContextoActual(juego));
    }

    testing_support::ScratchDir carpeta;
    std::vector<Visto> vistos;
};

TEST_F(EstadoPuzzle, AHandMadeHeaderReadsToKnownValues) {
    QString h(146, ' ');
    auto pon = [&h](int col, const QString& t) { h.replace(col - 1, t.size(), t); };
    pon(1, "  Luis");
    pon(10, "00000255");
    pon(18, "16777216"); // over 0xFFFFFF: the default
    pon(34, "-1");
    pon(36, "0000");
    pon(40, "0003");
    pon(45, "120");
    pon(48, "005");
    pon(51, "03");
    pon(53, "100");
    pon(64, "0 ");
    pon(66, "1 ");
    pon(68, "7");   // Tangram mode outside 1..2
    pon(69, "0");   // label outside 1..3
    pon(72, "    "); // a blank reads 0
    pon(76, "-040");
    pon(80, "0640");
    pon(84, "0480");
    pon(88, "21");
    pon(91, "150");
    pon(94, "1 ");
    pon(96, "0 ");
    pon(100, "   Mi modelo   ");
    pon(125, "12,5000");
    pon(136, "1 ");
    pon(138, "2");
    const QStringList lineas{"", "", "", " ", h, QString(100 * 30, ' '), "", "", ""};
    const LecturaPartida r = LeeLineasPartida(lineas);
    ASSERT_TRUE(r.estado) << r.motivo.toStdString();
    const CabeceraPartida& c = r.estado->c;
    EXPECT_EQ(c.NombreJugador, QString("Luis     "));
    EXPECT_EQ(c.ColorFondo, 255);
    EXPECT_EQ(c.ColorPieza, 0x8000);
    EXPECT_TRUE(c.MuestraVisible);
    EXPECT_EQ(c.NroModelo, 3);
    EXPECT_EQ(c.ZoomImagen, 120);
    EXPECT_EQ(c.FormaPieza, 3);
    EXPECT_EQ(c.NroPiezas, 100);
    EXPECT_FALSE(c.MostrandoModelo);
    EXPECT_TRUE(c.PasaAlHistorico);
    EXPECT_EQ(c.TAN_ModoJuego, 2);
    EXPECT_EQ(c.TipoRotulo, 2);
    EXPECT_EQ(c.AgujeroX, 0);
    EXPECT_EQ(c.AgujeroY, -40);
    EXPECT_EQ(c.FactorAtraccion, 20);
    EXPECT_TRUE(c.GiroPermitido);
    EXPECT_FALSE(c.DibujarBorde);
    EXPECT_TRUE(c.AtraccionPiezas); // blank: the default
    EXPECT_EQ(c.NombreModelo, QString("Mi modelo"));
    EXPECT_DOUBLE_EQ(c.GradoDificultad, 12.5);
    EXPECT_FALSE(c.PiezasUnColor); // "1" is not -1
    EXPECT_EQ(c.MaterialPiezas, 2);
    EXPECT_EQ(c.AnchoMesa, 0); // not recorded
    // The flags and the real number as written back.
    const QString escrita = ComponeLineas(*r.estado)[4];
    EXPECT_EQ(escrita.mid(33, 2), QString("-1"));
    EXPECT_EQ(escrita.mid(63, 2), QString("0 "));
    EXPECT_EQ(escrita.mid(65, 2), QString("-1"));
    EXPECT_EQ(escrita.mid(124, 7), QString("12.5000"));
    EXPECT_EQ(escrita.mid(75, 4), QString("-040"));
    // Degrees that do not fit the field take 0.
    for (const char* grado : {"2E3038", "-1.5000", "99.9999"}) {
        SCOPED_TRACE(grado);
        QStringList otras = lineas;
        otras[4].replace(124, 7, QString(grado).leftJustified(7));
        const LecturaPartida g = LeeLineasPartida(otras);
        ASSERT_TRUE(g.estado);
        EXPECT_DOUBLE_EQ(g.estado->c.GradoDificultad, QString(grado) == "99.9999" ? 99.9999 : 0.0);
    }
}

TEST_F(EstadoPuzzle, EveryGameWritesReadsAndWritesTheSameBytes) {
    struct Caso {
        const char* nombre;
        std::function<EstadoPartida()> crea;
    } casos[] = {{"jigsaw", [this] { return Jigsaw(); }}, {"sliding", Deslizante}, {"tangram", Tangram},
                 {"pentominoes", Pentominos},              {"taipei", Taipei}};
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const EstadoPartida e = caso.crea();
        PuzzGbl.TipoJuego = e.c.TipoJuego;
        const QByteArray antes = Bytes(e);
        ASSERT_EQ(Comprueba(antes, e.c.TipoJuego), QString());
        LeePuzzleJuego(Guarda(antes, QString("Tsl%1").arg(e.c.TipoJuego) + "34.ini"));
        EXPECT_TRUE(vistos.empty()) << (vistos.empty() ? "" : vistos[0].texto.toStdString());
        EXPECT_EQ(ComponeArchivoEstado(ComponeRegistroPartida()), antes);
        EXPECT_EQ(PuzzGbl.MovGrabados.size(), std::size_t(e.c.MovActual) + 1);
        EXPECT_TRUE(TablaPreparada());
    }
    // A negative position (a move's) is written with its sign in the slot.
    EXPECT_TRUE(Bytes(Jigsaw()).contains("-040"));
}

TEST_F(EstadoPuzzle, ASolvedPuzzleLoadedCountsNoMoreTime) {
    for (const bool resuelto : {true, false}) {
        SCOPED_TRACE(resuelto);
        EstadoPartida e = Pentominos();
        e.c.MostrandoModelo = resuelto;
        e.c.SegundosCronometro = 75;
        PuzzGbl.TipoJuego = 24;
        MarchaCronometro(1);
        LeePuzzleJuego(Guarda(Bytes(e), "resuelto.puz"));
        EXPECT_EQ(PuzzGbl.SegundosCronometro, 75);
        EXPECT_EQ(PuzzGbl.CronometroEnMarcha, !resuelto);
    }
}

TEST_F(EstadoPuzzle, ATaipeiTileOnTheFifthLevelIsBackOnTheBoard) {
    PuzzGbl.TipoJuego = 25;
    EstadoPartida e = Taipei();
    e.Piezas[7].Estado = 2; // saved selected
    LeePuzzleJuego(Guarda(Bytes(e), "Tsl2534.ini"));
    ASSERT_TRUE(vistos.empty());
    // Cell (4, 8) holds a stack of 5; its top tile is kept only in its own fields.
    int arriba = 0;
    for (int t = 1; t <= 144; ++t)
        if (e.Piezas[t].Fila == 4 && e.Piezas[t].Columna == 8 && e.Piezas[t].Nivel == 5) arriba = t;
    ASSERT_GT(arriba, 0);
    EXPECT_EQ(PuzzGbl.TAI_Tablero[4][8].Ficha[5], arriba);
    EXPECT_EQ(PuzzGbl.Piezas[7].Estado, 1);
    EXPECT_EQ(PuzzGbl.TAI_Reparto[72][2], 144);
}

TEST_F(EstadoPuzzle, PastTheFormatsMovesTheLastOnesAreKept) {
    const EstadoPartida e = Jigsaw();
    AplicaEstadoPartida(e);
    PuzzGbl.MovGrabados.assign(10051, {});
    for (int j = 1; j <= 10050; ++j) PuzzGbl.MovGrabados[j] = {std::int16_t(j % 25 + 1), std::int16_t(j % 5000), 1, 0, 0, 2, 3, 0, 0};
    PuzzGbl.MovActual = 10050;
    const QByteArray antes = ComponeArchivoEstado(ComponeRegistroPartida());
    EXPECT_EQ(PuzzGbl.LineasConfiguracion[5].mid(35, 4), QString("9999"));
    EXPECT_EQ(PuzzGbl.LineasConfiguracion[7].size(), 9999 * 23);
    PuzzGbl.TipoJuego = 21;
    LeePuzzleJuego(Guarda(antes, "Tsl2134.ini"));
    EXPECT_EQ(PuzzGbl.MovActual, 9999);
    EXPECT_EQ(PuzzGbl.MovGrabados[1].XAntes, 52); // move 52 of the 10 050
    EXPECT_EQ(ComponeArchivoEstado(ComponeRegistroPartida()), antes);
}

TEST_F(EstadoPuzzle, HostileFilesAreRefusedWhole) {
    using Cambio = std::function<void(EstadoPartida&)>;
    struct Caso {
        const char* regla;
        std::function<EstadoPartida()> base;
        Cambio cambio;
    } casos[] = {
        {"game outside 21..25", Deslizante, [](EstadoPartida& e) { e.c.TipoJuego = 26; }},
        {"shape outside 0..7", Deslizante, [](EstadoPartida& e) { e.c.FormaPieza = 8; }},
        {"sliding side 9", Deslizante, [](EstadoPartida& e) { e.c.PiezasLado = 9; }},
        {"jigsaw side 21", [this] { return Jigsaw(); }, [](EstadoPartida& e) { e.c.PiezasLado = 21; }},
        {"piece count not the geometry's", [this] { return Jigsaw(); },
         [](EstadoPartida& e) { e.c.FormaPieza = 3; }},
        {"order repeats a piece", Tangram, [](EstadoPartida& e) { e.OrdenPiezas[2] = e.OrdenPiezas[1]; }},
        {"order past the pieces", Tangram, [](EstadoPartida& e) { e.OrdenPiezas[2] = 8; }},
        {"jigsaw rotation 4", [this] { return Jigsaw(); }, [](EstadoPartida& e) { e.Piezas[1].Giro = 4; }},
        {"pentomino rotation 5", Pentominos, [](EstadoPartida& e) { e.Piezas[1].GiroDestino = 5; }},
        {"tangram rotation 8", Tangram, [](EstadoPartida& e) { e.Piezas[1].Giro = 8; }},
        // The I and the Z have two distinct rotations, the X one.
        {"I pentomino rotation 2", PentominosGirables, [](EstadoPartida& e) { e.Piezas[2].Giro = 2; }},
        {"X pentomino rotation 1", PentominosGirables, [](EstadoPartida& e) { e.Piezas[10].Giro = 1; }},
        {"Z pentomino move to rotation 3", PentominosGirables, [](EstadoPartida& e) {
             e.Movimientos[1].Pieza = 12;
             e.Movimientos[1].GiroDespues = 3;
         }},
        {"flip 2", Tangram, [](EstadoPartida& e) { e.Piezas[1].Volteo = 2; }},
        {"move of piece 0", Tangram, [](EstadoPartida& e) { e.Movimientos[1].Pieza = 0; }},
        {"move past the pieces", Deslizante, [](EstadoPartida& e) { e.Movimientos[1].Pieza = 9; }},
        {"move rotation 9", Pentominos, [](EstadoPartida& e) { e.Movimientos[1].GiroDespues = 9; }},
        {"taipei move of a piece", Taipei, [](EstadoPartida& e) { e.Movimientos[1].Pieza = 3; }},
        {"taipei move of tile 145", Taipei, [](EstadoPartida& e) { e.Movimientos[1].YAntes = 145; }},
        {"two tiles on one cell", Deslizante, [](EstadoPartida& e) { e.Piezas[2].X = e.Piezas[1].X, e.Piezas[2].Y = e.Piezas[1].Y; }},
        {"tile off the grid", Deslizante, [](EstadoPartida& e) { e.Piezas[1].X += 3; }},
        {"hole on a tile", Deslizante, [](EstadoPartida& e) { e.c.AgujeroX = e.Piezas[1].X, e.c.AgujeroY = e.Piezas[1].Y; }},
        {"tiles sharing a level", Taipei, [](EstadoPartida& e) { e.Piezas[2] = e.Piezas[1]; }},
        {"tile off the layout", Taipei, [](EstadoPartida& e) { e.Piezas[1].Fila = 9; }},
        {"tile above its stack", Taipei, [](EstadoPartida& e) { e.Piezas[1].Nivel = 2; }},
        {"layout line disagrees", Taipei, [](EstadoPartida& e) { e.Tablero[IndiceTablero(1, 1, 1)] = 2; }},
        {"deal repeats a tile", Taipei, [](EstadoPartida& e) { e.Reparto[5] = 1; }},
        {"deal of tile 0", Taipei, [](EstadoPartida& e) { e.Reparto[0] = 0; }},
    };
    EXPECT_EQ(Comprueba(Bytes(PentominosGirables())), QString()) << "rotations within the shapes' are taken";
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.regla);
        EstadoPartida e = caso.base();
        caso.cambio(e);
        EXPECT_NE(Comprueba(Bytes(e)), QString());
    }
    // Damage below the values: lines missing or short, text where a number goes.
    using CambioLineas = std::function<void(QStringList&)>;
    struct CasoLineas {
        const char* regla;
        CambioLineas cambio;
    } lineas[] = {
        {"six lines", [](QStringList& l) { l = l.mid(0, 6); }},
        {"short header", [](QStringList& l) { l[4].chop(10); }},
        {"short piece line", [](QStringList& l) { l[5].chop(1); }},
        {"short move line", [](QStringList& l) { l[6].chop(1); }},
        {"taipei line missing", [](QStringList& l) { l = l.mid(0, 8); }},
        {"short deal", [](QStringList& l) { l[8].chop(3); }},
        {"negative tile off the layout", [](QStringList& l) { l[7].replace(IndiceTablero(16, 22, 1) * 3, 3, "-05"); }},
        {"letters in a piece", [](QStringList& l) { l[5].replace(0, 4, "ab12"); }},
        {"letters in the count", [](QStringList& l) { l[4].replace(52, 3, "x44"); }},
        {"blank game", [](QStringList& l) { l[4].replace(87, 2, "  "); }},
    };
    for (const CasoLineas& caso : lineas) {
        SCOPED_TRACE(caso.regla);
        QStringList l = ComponeLineas(Taipei());
        caso.cambio(l);
        EXPECT_NE(Comprueba(ComponeArchivoEstado(l)), QString());
    }
    // Loaded as a saved puzzle, a refused file changes nothing, a quote in a
    // name included.
    AplicaEstadoPartida(Tangram());
    PuzzGbl.TipoJuego = 23;
    const QByteArray antes = ComponeArchivoEstado(ComponeRegistroPartida());
    EstadoPartida malo = Deslizante();
    malo.c.NombreJugador = "O\"Neil   ";
    malo.Piezas[1].X += 1;
    mesa.Pic_Bitmap.setSize(0, 0); // to see whether any set-up runs
    LeePuzzleJuego(Guarda(Bytes(malo), "malo.puz"));
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].titulo, QString("Cargar un puzzle archivado"));
    EXPECT_EQ(vistos[0].texto,
              QString("No se ha podido cargar el puzzle archivado malo. El puzzle actual no se ha modificado."));
    EXPECT_EQ(vistos[0].ayuda, 2500);
    EXPECT_EQ(ComponeArchivoEstado(ComponeRegistroPartida()), antes);
    EXPECT_FALSE(TablaPreparada());
    EXPECT_FALSE(QFile::exists(carpeta.file("Tsl2334.ini")));
}

TEST_F(EstadoPuzzle, AQuoteInANameIsHarmless) {
    EstadoPartida e = Tangram();
    e.c.NombreJugador = "O\"Neil\"  ";
    e.c.NombreModelo = "\"Casa\"";
    e.CarpetaImagen = "/a\"b/";
    const LecturaPartida r = CargaDatosPuzzle(Bytes(e));
    ASSERT_TRUE(r.estado);
    EXPECT_EQ(*r.estado, e);
}

TEST_F(EstadoPuzzle, ASavedPuzzleOfAnotherGameKeepsTheLeftGamesState) {
    AplicaEstadoPartida(Tangram());
    PuzzGbl.TipoJuego = 23;
    const QByteArray tangram = ComponeArchivoEstado(ComponeRegistroPartida());
    LeePuzzleJuego(Guarda(Bytes(Pentominos()), "pento.puz"));
    EXPECT_TRUE(vistos.empty());
    EXPECT_EQ(PuzzGbl.TipoJuego, 24);
    EXPECT_EQ(plat::readFile(carpeta.file("Tsl2334.ini")), tangram);
}

// A stored jigsaw that the picture chooser would never offer (cells too small,
// too many triangles, a shape the picture's proportion does not suit) is a
// damaged file, whatever wrote it.
// A jigsaw of every shape solved and kept, then read back as at start: the
// table shows the finished picture the end of the puzzle showed, not the
// pieces at home with their cut lines.
TEST_F(EstadoPuzzle, ASolvedJigsawReadBackShowsTheFinishedPictureOfItsEnd) {
    QImage foto(640, 480, QImage::Format_RGB32);
    unsigned v = 7;
    for (int y = 0; y < foto.height(); ++y)
        for (int x = 0; x < foto.width(); ++x) foto.setPixel(x, y, 0xFF000000u | ((v = v * 1103515245u + 12345u) >> 8));
    const QString ruta = carpeta.file("ruido.png");
    ASSERT_TRUE(foto.save(ruta, "PNG"));
    for (int forma = 0; forma < 8; ++forma) {
        SCOPED_TRACE(forma);
        EstadoPartida e = Jigsaw();
        e.FicheroImagen = ruta;
        e.ArchivoImagen = "ruido.png";
        e.c.FormaPieza = std::int16_t(forma);
        const int n = 25 * (forma == 3 ? 4 : forma >= 4 ? 2 : 1);
        Piezas(e, n);
        Movimientos(e, 3, n);
        PuzzGbl.TipoJuego = 21;
        LeePuzzleJuego(Guarda(Bytes(e), "Tsl2134.ini"));
        ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
        // A new deal, every piece carried home, and the end's picture.
        auto& g = PuzzGbl;
        PreparaJuego(true);
        for (int i = 1; i <= g.NroPiezas; ++i) {
            auto& p = g.Piezas[std::size_t(i)];
            p.X = p.XDestino;
            p.Y = p.YDestino;
            p.Giro = p.GiroDestino;
        }
        RedibujaImagen(1);
        MuestraModelo();
        const QImage final = mesa.Pic_Imagen.image().copy();
        const QByteArray guardado = ComponeArchivoEstado(ComponeRegistroPartida());
        mesa.Pic_Imagen.cls();
        LeePuzzleJuego(Guarda(guardado, "Tsl2134.ini"));
        ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
        EXPECT_TRUE(g.MostrandoModelo);
        EXPECT_EQ(mesa.Pic_Imagen.image(), final);
        EXPECT_EQ(mesa.Pic_Imagen.image().copy(0, 0, g.AnchoImagen, g.AltoImagen),
                  mesa.Pic_FonTamModi.image().copy(0, 0, g.AnchoImagen, g.AltoImagen));
    }
}

TEST_F(EstadoPuzzle, AJigsawThePictureDoesNotAllowIsRefused) {
    const struct {
        const char* caso;
        int forma, ancho, alto, zoom, lado;
        bool aceptado;
    } casos[] = {
        {"cells of 16 x 12", 0, 320, 240, 100, 20, false},
        {"cells of 33 x 25 at 210 %", 0, 320, 240, 210, 20, true},
        {"triangles in cells of 53 x 40", 3, 320, 240, 100, 6, false},
        {"triangles at 15 per side", 3, 1024, 768, 100, 15, true},
        {"irregular on 2.5 : 1", 2, 1000, 400, 100, 8, false},
        {"irregular on 2.1 : 1", 2, 840, 400, 100, 8, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        EstadoPartida e = Jigsaw();
        e.c.FormaPieza = std::int16_t(c.forma);
        e.c.PiezasLado = std::int16_t(c.lado);
        e.c.AnchoBmp = c.ancho;
        e.c.AltoBmp = c.alto;
        e.c.ZoomImagen = std::int16_t(c.zoom);
        const int n = c.lado * c.lado * (c.forma == 3 ? 4 : 1);
        Piezas(e, n);
        Movimientos(e, 3, n);
        const QString motivo = Comprueba(Bytes(e), 21);
        if (c.aceptado)
            EXPECT_EQ(motivo, QString());
        else
            EXPECT_EQ(motivo, QStringLiteral("the picture does not allow this jigsaw"));
    }
}

TEST_F(EstadoPuzzle, JigsawPicturesOutsideTheLimitsAreRefused) {
    struct Caso {
        int lado, zoom;
        bool aceptada;
    } casos[] = {{300, 100, false}, {300, 120, true}, {1100, 100, false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.zoom);
        SetUp();
        EstadoPartida e = Jigsaw();
        e.FicheroImagen = Imagen(c.lado, c.lado);
        e.c.AnchoBmp = e.c.AltoBmp = c.lado;
        e.c.ZoomImagen = std::int16_t(c.zoom);
        AplicaEstadoPartida(e);
        EXPECT_EQ(PuzzGbl.SeleccionValida, c.aceptada);
        EXPECT_EQ(mesa.llamadasBoton(), c.aceptada ? 0 : 1);
        if (c.aceptada) {
            EXPECT_EQ(mesa.Pic_FonTamModi.width(), 360);
            EXPECT_TRUE(vistos.empty());
        } else {
            ASSERT_EQ(vistos.size(), 1u);
            EXPECT_EQ(vistos[0].titulo, QString::fromUtf8("Imagen no válida"));
            EXPECT_TRUE(vistos[0].texto.contains(QString("(%1 x%1 p").arg(c.lado))) << vistos[0].texto.toStdString();
            EXPECT_EQ(mesa.Pic_FonTamModi.width(), 320);
            EXPECT_EQ(mesa.Pic_FonTamModi.height(), 240);
            EXPECT_EQ(PuzzGbl.ZoomImagen, 100);
        }
        TearDown();
    }
}

TEST_F(EstadoPuzzle, AMissingPictureIsSaidWhereThePiecesNeedIt) {
    const QString falta = carpeta.file("no-esta.png");
    {
        SCOPED_TRACE("jigsaw");
        EstadoPartida e = Jigsaw();
        e.FicheroImagen = falta;
        AplicaEstadoPartida(e);
        ASSERT_EQ(vistos.size(), 1u);
        EXPECT_EQ(vistos[0].texto,
                  "No se encuentra la imagen " + falta + ". Elija otra imagen en la ventana Personalizar.");
        EXPECT_EQ(mesa.llamadasBoton(), 1);
        EXPECT_FALSE(PuzzGbl.SeleccionValida);
        EXPECT_FALSE(TablaPreparada());
    }
    {
        SCOPED_TRACE("sliding with its picture");
        SetUp();
        EstadoPartida e = Deslizante();
        e.FicheroImagen = falta;
        e.c.AnchoBmp = e.c.AltoBmp = 321;
        e.c.TipoRotulo = 1;
        AplicaEstadoPartida(e);
        ASSERT_EQ(vistos.size(), 1u);
        EXPECT_EQ(vistos[0].texto,
                  QString::fromUtf8("No se encuentra la imagen ") + falta + QString::fromUtf8(". Las piezas se mostrarán con números."));
        EXPECT_EQ(RotuloEnUso(), 2) << "numbers shown";
        EXPECT_EQ(PuzzGbl.TipoRotulo, 1) << "the picture background kept";
        EXPECT_TRUE(TablaPreparada());
        TearDown();
    }
    for (auto crea : {Deslizante, Taipei}) {
        SetUp();
        EstadoPartida e = crea();
        e.FicheroImagen = falta;
        AplicaEstadoPartida(e);
        EXPECT_TRUE(vistos.empty());
        EXPECT_TRUE(TablaPreparada());
        TearDown();
    }
}

// The colour of the sliding board's first cell: the picture's or the pieces'.
plat::Color PrimeraCasilla() { return mesa.Pic_Bitmap.point(PuzzGbl.OrigenX + 20, PuzzGbl.OrigenY + 20); }

TEST_F(EstadoPuzzle, AMissingSlidingPictureShowsNumbersThisRunOnlyAndTheStateKeepsIt) {
    const QString ruta = carpeta.file("vuelve.png");
    EstadoPartida e = Deslizante();
    e.FicheroImagen = ruta;
    e.ArchivoImagen = "vuelve.png";
    e.c.AnchoBmp = e.c.AltoBmp = 321;
    e.c.TipoRotulo = 1;
    AplicaEstadoPartida(e);
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(PrimeraCasilla(), plat::Color(0x8000)) << "the pieces' colour under the numbers";
    // The state written now names the picture and keeps its background.
    const QStringList lineas = ComponeRegistroPartida();
    EXPECT_EQ(lineas[3], ruta);
    EXPECT_EQ(lineas[4].mid(68, 1), QStringLiteral("1")) << "TipoRotulo, column 69";

    // The next start, with the file back: the picture is shown.
    TearDown();
    SetUp();
    QImage roja(321, 321, QImage::Format_RGB32);
    roja.fill(Qt::red);
    ASSERT_TRUE(roja.save(ruta, "PNG"));
    LecturaPartida r = CargaDatosPuzzle(ComponeArchivoEstado(lineas));
    ASSERT_TRUE(r.estado) << r.motivo.toStdString();
    AplicaEstadoPartida(*r.estado);
    EXPECT_TRUE(vistos.empty());
    EXPECT_EQ(RotuloEnUso(), 1);
    EXPECT_EQ(PrimeraCasilla(), plat::Color(0x0000FF)) << "the picture's red";
}

TEST_F(EstadoPuzzle, AStateNamingAMetafileDrawsItAsItsPicture) {
    for (const char* nombre : {"Figuras.wmf", "Figuras.emf"}) {
        SCOPED_TRACE(nombre);
        const QString ruta = carpeta.file(QString::fromLatin1(nombre));
        QFile::remove(ruta);
        ASSERT_TRUE(QFile::copy(testing_support::samplePicturesFolder() + nombre, ruta));
        EstadoPartida e = Jigsaw(); // 640 x 480, as the metafiles
        e.ArchivoImagen = QString::fromLatin1(nombre);
        e.FicheroImagen = ruta;
        AplicaEstadoPartida(e);
        EXPECT_TRUE(vistos.empty());
        EXPECT_TRUE(TablaPreparada());
        const plat::Surface& z = mesa.Pic_FonTamModi;
        EXPECT_EQ(z.width(), 640 + PuzzGbl.OrigenX);
        EXPECT_EQ(z.point(PuzzGbl.OrigenX + 160, PuzzGbl.OrigenY + 120), plat::Color(0xFF0000)) << "its blue rectangle";
        TearDown();
        SetUp();
    }
}

TEST_F(EstadoPuzzle, APictureThereButUnusableIsToldWhyNotNotFound) {
    testing_support::writeBytes(carpeta.file("cortada.jpg"), QByteArray::fromHex("FFD8FFE000104A46"));
    testing_support::writeBytes(carpeta.file("enorme.png"), testing_support::pngHeaderOnly(30000, 30000));
    {
        QFile f(carpeta.file("siete.png"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (!f.resize(qint64(7) << 30)) GTEST_SKIP() << "no sparse files here";
    }
    const QString danada = QString::fromUtf8(": el archivo está dañado o no contiene una imagen BMP, RLE, JPEG, PNG, "
                                             "WMF o EMF");
    const QString grande = QString::fromUtf8(": es demasiado grande (se admiten archivos de hasta 64 MB e imágenes "
                                             "de hasta 20 millones de píxeles)");
    const struct {
        const char* nombre;
        QString causa;
    } casos[] = {{"cortada.jpg", danada}, {"enorme.png", grande}, {"siete.png", grande}};
    for (const auto& c : casos) {
        for (bool jigsaw : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.nombre << (jigsaw ? " jigsaw" : " sliding"));
            EstadoPartida e = jigsaw ? Jigsaw() : Deslizante();
            e.FicheroImagen = carpeta.file(QString::fromLatin1(c.nombre));
            e.c.TipoRotulo = 1;
            e.c.AnchoBmp = e.c.AltoBmp = 321;
            AplicaEstadoPartida(e);
            ASSERT_EQ(vistos.size(), 1u);
            EXPECT_EQ(vistos[0].titulo, QString::fromUtf8("Imagen no válida"));
            EXPECT_EQ(vistos[0].texto,
                      QStringLiteral("No se puede usar la imagen ") + e.FicheroImagen + c.causa +
                          (jigsaw ? QStringLiteral(". Elija otra imagen en la ventana Personalizar.")
                                  : QString::fromUtf8(". Las piezas se mostrarán con números.")));
            TearDown(); // a fresh table for the next case
            SetUp();
        }
    }
}

TEST_F(EstadoPuzzle, AnUnsolvableSlidingBoardIsReshuffled) {
    EstadoPartida e = Deslizante();
    std::swap(e.Piezas[1].X, e.Piezas[2].X); // two tiles exchanged: no solution
    std::swap(e.Piezas[1].Y, e.Piezas[2].Y);
    AplicaEstadoPartida(e);
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].titulo, QString::fromUtf8("Configuración sin solución"));
    EXPECT_EQ(vistos[0].ayuda, 3020);
    EXPECT_TRUE(EsResoluble()); // shuffled again into a solvable board
    EXPECT_TRUE(TablaPreparada());
    // The new deal is shown piece by piece.
    EXPECT_GE(mesa.pinturasTrabajo(), std::uint64_t(PuzzGbl.NroPiezas));
}

TEST_F(EstadoPuzzle, TheSnapshotStopsBeforeTheTable) {
    PuzzGbl.LeyendoInstantanea = true;
    AplicaEstadoPartida(Deslizante());
    EXPECT_EQ(PuzzGbl.NroPiezas, 8);
    EXPECT_EQ(PuzzGbl.MovActual, 2);
    EXPECT_FALSE(TablaPreparada());
    PuzzGbl.LeyendoInstantanea = false;
    PuzzGbl.CambioCosmetico = true;
    AplicaEstadoPartida(Tangram());
    EXPECT_TRUE(TablaPreparada());
    EXPECT_FALSE(PuzzGbl.MuestraVisible);
}

TEST_F(EstadoPuzzle, ASlidingStateFromALargerTableLandsOnThisGrid) {
    const EstadoPartida e = DeslizanteDe1024();
    PuzzGbl.TipoJuego = 22;
    LeePuzzleJuego(Guarda(Bytes(e), "Tsl2234.ini"));
    ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
    const EstadoPartida aqui = Deslizante();
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(PuzzGbl.Piezas[i].X, aqui.Piezas[i].X);
        EXPECT_EQ(PuzzGbl.Piezas[i].Y, aqui.Piezas[i].Y);
        EXPECT_EQ(PuzzGbl.Piezas[i].XDestino, aqui.Piezas[i].XDestino);
    }
    EXPECT_EQ(PuzzGbl.AgujeroX, aqui.c.AgujeroX);
    EXPECT_EQ(PuzzGbl.AgujeroY, aqui.c.AgujeroY);
}

// A stored table size no screen has is damage, not a table to move the
// positions from: the state loads as one laid out on this table would.
TEST_F(EstadoPuzzle, AnAbsurdStoredTableSizeIsIgnored) {
    EstadoPartida e = Tangram();
    for (int i = 1; i <= 7; ++i) {
        e.Piezas[i].X = std::int16_t(100 + i * 60);
        e.Piezas[i].Y = std::int16_t(120 + i * 40);
    }
    PuzzGbl.TipoJuego = 23;
    const auto carga = [&](int ancho, int alto) {
        EstadoPartida copia = e;
        copia.c.AnchoMesa = std::int16_t(ancho);
        copia.c.AltoMesa = std::int16_t(alto);
        LeePuzzleJuego(Guarda(Bytes(copia), "Tsl2334.ini"));
        return PuzzGbl.Piezas;
    };
    const std::vector<RegistroPieza> aqui = carga(800, 600);
    ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
    const std::pair<int, int> absurdos[] = {{9999, 600}, {800, 9999}, {9999, 9999}, {100, 600}, {800, 50}, {1, 1}};
    for (const auto& [ancho, alto] : absurdos) {
        SCOPED_TRACE(std::to_string(ancho) + " x " + std::to_string(alto));
        const std::vector<RegistroPieza> leidas = carga(ancho, alto);
        EXPECT_TRUE(vistos.empty());
        ASSERT_EQ(leidas.size(), aqui.size());
        for (std::size_t i = 1; i < aqui.size(); ++i) {
            EXPECT_EQ(leidas[i].X, aqui[i].X) << i;
            EXPECT_EQ(leidas[i].Y, aqui[i].Y) << i;
        }
    }
}

// A degree the "00.0000" field cannot hold (not a number, infinite, huge or
// below zero) is graded again from the puzzle, so neither the state written
// back nor the history ever carries 00.0000 for a dealt puzzle.
TEST_F(EstadoPuzzle, AnAbsurdDegreeIsGradedAgain) {
    PuzzGbl.TipoJuego = 22;
    const struct {
        const char* campo;
        bool recalculado;
    } casos[] = {{"nan", true},     {"NaN", true},     {"inf", true},      {"-inf", true},   {"1e308", true},
                 {"-1.0000", true}, {"-0.0001", true}, {"100.000", true},  {"abc", true},    {"       ", true},
                 {"12.5000", false}, {"00.0000", false}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.campo);
        QStringList l = ComponeLineas(Deslizante());
        l[4].replace(124, 7, QString(caso.campo).leftJustified(7));
        LeePuzzleJuego(Guarda(ComponeArchivoEstado(l), "Tsl2234.ini"));
        ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
        if (caso.recalculado) {
            EXPECT_GT(PuzzGbl.GradoDificultad, 0.0);
            EXPECT_LT(PuzzGbl.GradoDificultad, 100.0);
        } else {
            EXPECT_DOUBLE_EQ(PuzzGbl.GradoDificultad, QString(caso.campo).toDouble());
        }
        ASSERT_TRUE(GuardaPuzzleJuego());
        const QString escrita = LeeLineasEstado(testing_support::readBytes(carpeta.file("Tsl2234.ini")))[4];
        if (caso.recalculado) {
            EXPECT_NE(escrita.mid(124, 7), QString("00.0000"));
        }
    }
}

TEST_F(EstadoPuzzle, APentominoStateNeedsItsBoardAndItsSolutions) {
    const QByteArray b = Bytes(Pentominos());
    EXPECT_EQ(Comprueba(b, 24), QString());
    // The board's record emptied, then the solutions file gone.
    plat::writeFile(PuzzGbl.RutaArchivo + "ModPen.mlp", plat::toCp1252(pentominos_prueba::RegistroVacio()));
    EXPECT_EQ(Comprueba(b, 24), QString("pentomino board 1 cannot be played"));
    pentominos_prueba::EscribeRectangulo(PuzzGbl.RutaArchivo, 3);
    QFile::remove(PuzzGbl.RutaArchivo + "SolPen.mlp");
    EXPECT_EQ(Comprueba(b, 24), QString("pentomino board 1 cannot be played"));
    // Checking reads the board without keeping it.
    EXPECT_EQ(PuzzGbl.FilasTablero, 0);
    EXPECT_EQ(PuzzGbl.PEN_NumSoluciones, 0);
}

TEST_F(EstadoPuzzle, APentominoStateFromALargerTableLandsOnThisBoardsCells) {
    // A 3 x 20 board: its width decides the cell. On 1024 x 768 cells of 40
    // from (20, 20); here cells of 29 from (14, 14). One of its tilings.
    const PEN_RegistroSolucion s = pentominos_prueba::DeLinea(
        "0101051001131001021002033002153001070001193001010001092001170002103101121100");
    pentominos_prueba::Escribe(PuzzGbl.RutaArchivo,
                               {pentominos_prueba::Registro("Rectángulo 3 x 20", 3, 20, 1,
                                                            pentominos_prueba::Rectangulo(3, 20))},
                               {pentominos_prueba::Linea(1, s)});
    EstadoPartida e = Pentominos();
    e.c.PEN_SolucionActual = 1;
    e.c.AnchoMesa = 1024;
    e.c.AltoMesa = 768;
    e.c.MovActual = 0;
    e.Movimientos.assign(1, {});
    for (int p = 1; p <= 12; ++p) {
        RegistroPieza& pz = e.Piezas[p];
        pz.XDestino = std::int16_t(20 + (s.Columna[p] - 1) * 40);
        pz.YDestino = std::int16_t(20 + (s.Fila[p] - 1) * 40);
        pz.Giro = pz.GiroDestino = s.Giro[p];
        pz.Volteo = pz.VolteoDestino = s.Volteo[p];
        pz.X = pz.XDestino; // every piece at home
        pz.Y = pz.YDestino;
    }
    PuzzGbl.TipoJuego = 24;
    PuzzGbl.FilasTablero = 8; // another board in memory
    PuzzGbl.ColumnasTablero = 8;
    LeePuzzleJuego(Guarda(Bytes(e), "Tsl2434.ini"));
    ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
    EXPECT_EQ(PuzzGbl.LadoCelda, 29);
    EXPECT_EQ(PuzzGbl.ColumnasTablero, 20);
    for (int p = 1; p <= 12; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(PuzzGbl.Piezas[p].X, 14 + (s.Columna[p] - 1) * 29);
        EXPECT_EQ(PuzzGbl.Piezas[p].Y, 14 + (s.Fila[p] - 1) * 29);
    }
    EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 12);
}

TEST_F(EstadoPuzzle, ADamagedStateFileIsKeptAsideAndRecreated) {
    PuzzGbl.TipoJuego = 23;
    const QByteArray danado = TangramDanado();
    const QString ruta = Guarda(danado, "Tsl2334.ini");
    LeePuzzleJuego(ruta);
    // No model file here: the fresh Tangram says so and is designed instead.
    ASSERT_EQ(vistos.size(), 2u);
    EXPECT_EQ(vistos[1].texto, QString::fromUtf8("No se puede usar ningún modelo de Tangram porque el archivo "
                                                 "ModTan.mlp no se encuentra. Se pasa al modo Crear nuevos modelos."));
    EXPECT_EQ(PuzzGbl.TAN_ModoJuego, 1);
    EXPECT_EQ(vistos[0].texto, QString::fromUtf8("El archivo de inicialización ") + ruta +
                                   QString::fromUtf8(" está dañado. Se ha guardado una copia .bak y se ha vuelto a "
                                                     "crear con los valores establecidos por defecto."));
    EXPECT_EQ(plat::readFile(ruta + ".bak"), danado);
    EXPECT_EQ(PuzzGbl.NroPiezas, 7);
    EXPECT_TRUE(TablaPreparada());
    EXPECT_NE(plat::readFile(ruta), danado);
}

// A Tangram model file that is there and cannot be read is told by its name
// and what kept it from being read, never as a file without models, on both
// roads that start a fresh Tangram: the first start of the game (no state
// file) and a damaged state. The game is then designed; no read waits.
TEST_F(EstadoPuzzle, AnUnreadableTangramModelFileIsToldByNameAndError) {
    const QString ruta = carpeta.file("Tsl2334.ini");
    ::alarm(120); // a read that waited would end the test here
    for (const auto& c : testing_support::ArchivosIlegibles())
        for (const bool danado : {false, true}) {
            SCOPED_TRACE(std::string(c.caso) + (danado ? ", a damaged state" : ", no state yet"));
            SetUp();
            PuzzGbl.TipoJuego = 23;
            PuzzGbl.TAN_ModoJuego = 2;
            QFile::remove(ruta);
            QFile::remove(ruta + ".bak");
            if (danado) Guarda(TangramDanado(), "Tsl2334.ini");
            testing_support::ArchivoDanado modelos(PuzzGbl.RutaArchivo + "ModTan.mlp", c.dano);
            if (!modelos.aplicado()) continue;
            LeePuzzleJuego(ruta);
            ASSERT_EQ(vistos.size(), 2u);
            EXPECT_EQ(vistos[1].titulo, "Modelos de Tangram");
            EXPECT_EQ(vistos[1].texto, QString::fromUtf8("No se puede usar ningún modelo de Tangram porque el archivo "
                                                         "ModTan.mlp ") +
                                           c.dicho + QStringLiteral(". Se pasa al modo Crear nuevos modelos."));
            EXPECT_EQ(PuzzGbl.TAN_ModoJuego, 1);
            EXPECT_EQ(PuzzGbl.NroPiezas, 7);
            EXPECT_TRUE(QFileInfo(ruta).isFile());
        }
    ::alarm(0);
}

// Every line end the program accepts reads the same state.
// A damaged state whose ".bak" cannot be made (every copy's name taken by a
// folder that is not empty, so a rename fails even for root) is left as it
// was, as the message says: not replaced at the exit, and when the player
// starts something it is said once that this play will not be saved.
TEST_F(EstadoPuzzle, ADamagedStateWithoutRoomForItsCopyIsLeftAsItWas) {
    PuzzGbl.TipoJuego = 23;
    const QByteArray danado = TangramDanado();
    const QString ruta = Guarda(danado, "Tsl2334.ini");
    for (const char* bak : {".bak", ".bak2", ".bak3", ".bak4", ".bak5"}) {
        ASSERT_TRUE(QDir().mkpath(ruta + bak + "/lleno"));
    }
    LeePuzzleJuego(ruta);
    ASSERT_FALSE(vistos.empty());
    EXPECT_TRUE(vistos[0].texto.contains("no se ha podido guardar una copia .bak; se ha dejado como estaba"))
        << vistos[0].texto.toStdString();
    EXPECT_TRUE(GuardaPuzzleJuego()); // the exit
    EXPECT_EQ(plat::readFile(ruta), danado);
    vistos.clear();
    PreparaJuego(true); // a deal
    PreparaJuego(true);
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_TRUE(vistos[0].texto.contains(QString::fromUtf8("no se guardará al salir"))) << vistos[0].texto.toStdString();
    EXPECT_TRUE(GuardaPuzzleJuego());
    EXPECT_EQ(plat::readFile(ruta), danado);
}

TEST_F(EstadoPuzzle, StateFilesReadWithAnyLineEnd) {
    PuzzGbl.TipoJuego = 23;
    const QByteArray crlf = Bytes(Tangram());
    for (const char* fin : {"\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(fin)));
        QByteArray b = crlf;
        b.replace("\r\n", fin);
        const QString ruta = Guarda(b, "Tsl2334.ini");
        vistos.clear();
        LeePuzzleJuego(ruta);
        EXPECT_TRUE(vistos.empty()) << (vistos.empty() ? "" : vistos[0].texto.toStdString());
        EXPECT_FALSE(QFile::exists(ruta + ".bak"));
        EXPECT_EQ(ComponeArchivoEstado(ComponeRegistroPartida()), crlf);
    }
}

// A Taipei state refused only because its layout file is missing stays as it
// is; the saved puzzle of that layout says what is wrong too; both load once
// the file is back.
TEST_F(EstadoPuzzle, AStateWhoseLayoutFileIsMissingIsKeptUntilTheFileIsBack) {
    PuzzGbl.TipoJuego = 25;
    const QByteArray b = Bytes(Taipei());
    const QString ruta = Guarda(b, "Tsl2534.ini");
    const QString modTai = PuzzGbl.RutaArchivo + "ModTai.mlp";
    const QByteArray disposicion = plat::readFile(modTai);
    QFile::remove(modTai);
    LeePuzzleJuego(ruta);
    // First what is wrong; what the defaults then deal is the missing-state
    // road's own business.
    ASSERT_GE(vistos.size(), 1u);
    EXPECT_TRUE(vistos[0].texto.startsWith(QString("No se puede cargar el puzzle de ") + ruta +
                                           " porque el archivo ModTai.mlp no se encuentra."))
        << vistos[0].texto.toStdString();
    EXPECT_EQ(plat::readFile(ruta), b);
    EXPECT_FALSE(QFile::exists(ruta + ".bak"));
    EXPECT_TRUE(GuardaPuzzleJuego());
    EXPECT_EQ(plat::readFile(ruta), b);

    vistos.clear();
    LeePuzzleJuego(Guarda(b, "taipei.puz"));
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].texto, QString("No se ha podido cargar el puzzle archivado taipei porque el archivo "
                                       "ModTai.mlp no se encuentra. El puzzle actual no se ha modificado."));

    plat::writeFile(modTai, disposicion);
    vistos.clear();
    LeePuzzleJuego(ruta);
    EXPECT_TRUE(vistos.empty()) << (vistos.empty() ? "" : vistos[0].texto.toStdString());
    EXPECT_EQ(ComponeArchivoEstado(ComponeRegistroPartida()), b);
    EXPECT_EQ(PuzzGbl.EstadoConservado, 0);
    // Written again as any state is once it is in force.
    EXPECT_TRUE(GuardaPuzzleJuego());
    EXPECT_EQ(plat::readFile(ruta), b);
}


// ---- a state read on another screen ----------------------------------------------------

TEST(PiezasAlAlcance, ABoxComesInsideThenOffThePanelTheShorterWay) {
    // An 800 x 600 table with its panel at the top right.
    ZonaAlcance z;
    z.derecha = 800;
    z.abajo = 600;
    z.panelIzquierda = 659;
    z.panelDerecha = 800;
    z.panelAbajo = 431;
    const struct {
        const char* nombre;
        CajaEnMesa antes, despues;
    } casos[] = {
        {"already in reach", {100, 100, 50, 40}, {100, 100, 50, 40}},
        {"past the right edge, low", {1512, 548, 120, 60}, {680, 540, 120, 60}},
        {"past both edges", {1512, 648, 120, 60}, {680, 540, 120, 60}},
        {"left of the table", {-300, -20, 40, 40}, {0, 0, 40, 40}},
        {"under the panel, near its left", {670, 100, 60, 60}, {599, 100, 60, 60}},
        {"under the panel, near its foot", {700, 400, 60, 60}, {700, 431, 60, 60}},
        {"wider than the table", {10, 10, 900, 30}, {0, 431, 900, 30}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(DentroDeLaMesa(c.antes, z), c.despues);
    }
}

TEST(PiezasAlAlcance, ABoxOutOfSightGoesToTheNearestFreePlaceInSight) {
    // A 400 x 300 visible table, the panel at its upper right, a cover in the middle.
    ZonaAlcance z;
    z.derecha = 400;
    z.abajo = 300;
    z.panelIzquierda = 300;
    z.panelDerecha = 400;
    z.panelAbajo = 100;
    const std::vector<CajaEnMesa> tapas{{100, 100, 100, 100}};
    const struct {
        const char* que;
        CajaEnMesa caja;
        bool aLaVista;
        std::optional<CajaEnMesa> lugar;
    } casos[] = {
        {"in the open", {10, 10, 20, 20}, true, CajaEnMesa{10, 10, 20, 20}},
        {"wholly under the cover", {150, 170, 20, 20}, false, CajaEnMesa{150, 200, 20, 20}},
        {"one pixel out from under the cover", {150, 181, 20, 20}, true, CajaEnMesa{150, 200, 20, 20}},
        {"wholly under the panel", {350, 20, 20, 20}, false, CajaEnMesa{280, 20, 20, 20}},
        {"past the right edge", {450, 150, 20, 20}, false, CajaEnMesa{380, 150, 20, 20}},
        {"between the cover and the panel, touching both", {200, 90, 100, 10}, true, CajaEnMesa{200, 90, 100, 10}},
        {"larger than the table", {0, 0, 500, 20}, true, std::nullopt},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        EXPECT_EQ(CajaALaVista(c.caja, z, tapas), c.aLaVista);
        EXPECT_EQ(LugarLibreALaVista(c.caja, z, tapas), c.lugar);
    }
}

TEST_F(EstadoPuzzle, AStateFromAnotherScreenBringsEveryLoosePieceWithinReach) {
    // Laid out on 1920 x 1080 (one case on this screen's own table) with
    // loose pieces all over that table, among them one at (1512, 648) and
    // some under where its panel was.
    const auto repartidas = [](EstadoPartida e, int anchoMesa, int altoMesa) {
        e.c.AnchoMesa = std::int16_t(anchoMesa);
        e.c.AltoMesa = std::int16_t(altoMesa);
        for (int i = 1; i <= e.c.NroPiezas; ++i) {
            RegistroPieza& p = e.Piezas[i];
            p.X = std::int16_t(i == 1 ? 1512 : 1790 - (i * 263) % 1790);
            p.Y = std::int16_t(i == 1 ? 648 : (i * 151) % 1020);
        }
        return e;
    };
    const auto deOtraPantalla = [&](EstadoPartida e) { return repartidas(std::move(e), 1920, 1080); };
    // Wider than the table: the bars show, and the table scrolls.
    const auto ancho = [this](int alto, std::int16_t forma) {
        EstadoPartida e = Jigsaw();
        e.ArchivoImagen = QString("img1000x%1.png").arg(alto);
        e.FicheroImagen = Imagen(1000, alto);
        e.c.AnchoBmp = 1000;
        e.c.AltoBmp = alto;
        e.c.FormaPieza = forma;
        e.c.PiezasLado = 8;
        Piezas(e, 64);
        Movimientos(e, 3, 64);
        return e;
    };
    QSize pantalla;
    struct Caso {
        const char* nombre;
        std::function<EstadoPartida()> crea;
        bool trasOtroJuego = false; // read as a change of game, over a jigsaw in force
        // Jigsaw places are table pixels from its top left on every screen:
        // a piece the bars can bring into sight where it was stored stays
        // there.
        bool guardaLoAlcanzable = false;
        // The table scrolls: some of those pieces lie out of sight at first.
        bool desplazable = false;
    } casos[] = {
        {"tangram at start-up", [&] { return deOtraPantalla(Tangram()); }},
        {"tangram at a change of game", [&] { return deOtraPantalla(Tangram()); }, true},
        {"pentominoes", [&] { return deOtraPantalla(Pentominos()); }},
        {"jigsaw", [&] { return deOtraPantalla(Jigsaw()); }, false, true},
        {"wide jigsaw", [&] { return deOtraPantalla(ancho(400, 0)); }, false, true, true},
        {"wide jigsaw laid out on this screen",
         [&] { return repartidas(ancho(400, 0), pantalla.width(), pantalla.height()); }, false, true, true},
        // Curved pieces: each box reaches past its piece's place by margins.
        {"wide and tall jigsaw of curved pieces", [&] { return deOtraPantalla(ancho(500, 1)); }, false, true, true},
        {"sliding board", DeslizanteDe1024},
    };
    for (const QSize& tamano : {QSize(800, 600), QSize(1024, 768)}) {
        pantalla = tamano;
        for (const Caso& caso : casos) {
            SCOPED_TRACE(QString("%1 at %2 x %3").arg(caso.nombre).arg(pantalla.width()).arg(pantalla.height())
                             .toStdString());
            SetUp();
            MesaDe(pantalla.width(), pantalla.height());
            if (caso.trasOtroJuego) {
                PuzzGbl.TipoJuego = 21;
                LeePuzzleJuego(Guarda(Bytes(Jigsaw()), "Tsl2134.ini"));
                ASSERT_EQ(PuzzGbl.TipoJuego, 21);
            }
            const EstadoPartida e = caso.crea();
            PuzzGbl.TipoJuego = e.c.TipoJuego;
            LeePuzzleJuego(Guarda(Bytes(e), QString("Tsl%1").arg(e.c.TipoJuego) + "34.ini"));
            ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
            const auto& g = PuzzGbl;
            ASSERT_EQ(g.TipoJuego, e.c.TipoJuego);
            EXPECT_EQ(g.OrdenPiezas, e.OrdenPiezas);
            // The panel the reach is told against is the one on the table.
            ASSERT_TRUE(mesa.Pic_Botonera.visible());
            ASSERT_EQ(mesa.Pic_Botonera.left(), pantalla.width() - 141);
            ASSERT_EQ(mesa.Pic_Botonera.height(), 431);
            if (caso.desplazable) {
                ASSERT_TRUE(mesa.BarraHor.Visible());
                ASSERT_GT(mesa.BarraHor.Max(), 0);
            }
            const int derecha = mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : pantalla.width();
            const int abajo = mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : pantalla.height();
            int guardadasFueraDeLaVista = 0;
            for (int p = 1; p <= g.NroPiezas; ++p) {
                SCOPED_TRACE(p);
                const RegistroPieza& r = g.Piezas[std::size_t(p)];
                EXPECT_EQ(r.Giro, e.Piezas[p].Giro);
                EXPECT_EQ(r.Volteo, e.Piezas[p].Volteo);
                const int x = r.X - g.MargenPiezaX, y = r.Y - g.MargenPiezaY;
                const int w = AnchoPiezaGirada(std::int16_t(p), r.Giro, r.Volteo);
                const int h = AltoPiezaGirada(std::int16_t(p), r.Giro, r.Volteo);
                ASSERT_GT(w, 1);
                ASSERT_GT(h, 1);
                // Wholly in sight and clear of the panel at some scroll of
                // the bars (with no bars shown, at the only one).
                EXPECT_TRUE(testing_support::AlAlcanceDeLasBarras(x, y, w, h))
                    << "out of reach or under the command panel at " << x << ", " << y;
                if (!caso.guardaLoAlcanzable) continue;
                const RegistroPieza& s = e.Piezas[p];
                const int sx = s.X - g.MargenPiezaX, sy = s.Y - g.MargenPiezaY;
                if (!testing_support::AlAlcanceDeLasBarras(sx, sy, w, h)) continue;
                EXPECT_EQ(std::pair(int(r.X), int(r.Y)), std::pair(int(s.X), int(s.Y)))
                    << "a piece within reach was moved";
                if (sx + w > derecha || sy + h > abajo) ++guardadasFueraDeLaVista;
            }
            if (caso.desplazable) {
                EXPECT_GT(guardadasFueraDeLaVista, 0) << "no piece lies where only the bars bring it into sight";
            }
            TearDown();
        }
    }
}


TEST_F(EstadoPuzzle, StepsThroughMovesReadFromAnotherScreenKeepEveryPieceWithinReach) {
    // Four moves made on 1920 x 1080, each ending where its piece lies: piece
    // 1 carried far off, piece 2 brought back from far, piece 3 turned where
    // it lay far off, piece 4 dropped home from far.
    const auto conMovimientos = [](EstadoPartida e) {
        if (e.c.TipoJuego == 24) {
            // The pentominoes' homes on the cells of the board as laid out there.
            DisposicionTaipei tablero;
            tablero.filas = 6;
            tablero.columnas = 10;
            const auto aqui = RejillaDe(e.c, 800, 600, &tablero), alli = RejillaDe(e.c, 1920, 1080, &tablero);
            if (!aqui || !alli || aqui->LadoCelda <= 0) return e;
            auto alla = [&](int v, int origenAqui, int origenAlli) {
                return std::int16_t(origenAlli + (v - origenAqui) / aqui->LadoCelda * alli->LadoCelda);
            };
            for (RegistroPieza& p : e.Piezas) {
                p.XDestino = alla(p.XDestino, aqui->OrigenX, alli->OrigenX);
                p.YDestino = alla(p.YDestino, aqui->OrigenY, alli->OrigenY);
            }
        }
        e.c.AnchoMesa = 1920;
        e.c.AltoMesa = 1080;
        RegistroPieza* p = &e.Piezas[0];
        const RegistroPieza cerca1 = p[1];
        p[1].X = 1512, p[1].Y = 648;
        p[3].X = 1600, p[3].Y = 300;
        p[4].X = p[4].XDestino, p[4].Y = p[4].YDestino;
        p[4].Giro = p[4].GiroDestino, p[4].Volteo = p[4].VolteoDestino;
        auto mov = [&p](int pieza, int xAntes, int yAntes, std::int16_t giroAntes) {
            const RegistroPieza& r = p[pieza];
            return RegistroMovimiento{std::int16_t(pieza), std::int16_t(xAntes), std::int16_t(yAntes), giroAntes,
                                      r.Volteo, r.X, r.Y, r.Giro, r.Volteo};
        };
        e.c.MovActual = 4;
        e.Movimientos = {{},
                         mov(1, cerca1.X, cerca1.Y, p[1].Giro),
                         mov(2, 1700, 900, p[2].Giro),
                         mov(3, p[3].X, p[3].Y, 0),
                         mov(4, 1750, 1000, p[4].Giro)};
        return e;
    };
    const auto ancho = [this] { return JigsawAncho(); };
    const struct {
        const char* nombre;
        std::function<EstadoPartida()> crea;
    } casos[] = {
        {"jigsaw", [&] { return Jigsaw(); }},
        {"wide jigsaw", ancho},
        {"tangram", Tangram},
        {"pentominoes", PentominosGirables},
    };
    for (const QSize& pantalla : {QSize(800, 600), QSize(1024, 768)}) {
        for (const auto& caso : casos) {
            SCOPED_TRACE(QString("%1 at %2 x %3").arg(caso.nombre).arg(pantalla.width()).arg(pantalla.height())
                             .toStdString());
            SetUp();
            MesaDe(pantalla.width(), pantalla.height());
            PuzzGbl.VelocidadJuego = 100;
            const EstadoPartida e = conMovimientos(caso.crea());
            ASSERT_NE(e.Piezas[3].Giro, 0);
            PuzzGbl.TipoJuego = e.c.TipoJuego;
            LeePuzzleJuego(Guarda(Bytes(e), QString("Tsl%1").arg(e.c.TipoJuego) + "34.ini"));
            ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
            const auto& g = PuzzGbl;
            ASSERT_EQ(g.TipoJuego, e.c.TipoJuego);
            ASSERT_EQ(g.MovActual, 4);
            ASSERT_EQ(g.UltimoMovGrabado, 4);
            ASSERT_TRUE(PiezaBienColocada(4));
            const std::vector<RegistroPieza> leidas = g.Piezas;
            const std::vector<RegistroMovimiento> grabados = g.MovGrabados;
            auto todasAlAlcance = [&](const char* cuando) {
                for (int p = 1; p <= g.NroPiezas; ++p) {
                    const RegistroPieza& r = g.Piezas[std::size_t(p)];
                    const auto pieza = std::int16_t(p);
                    EXPECT_TRUE(testing_support::AlAlcanceDeLasBarras(
                        r.X - g.MargenPiezaX, r.Y - g.MargenPiezaY, AnchoPiezaGirada(pieza, r.Giro, r.Volteo),
                        AltoPiezaGirada(pieza, r.Giro, r.Volteo)))
                        << "piece " << p << " out of reach at " << r.X << ", " << r.Y << " " << cuando << " "
                        << g.MovActual;
                }
            };
            todasAlAlcance("as read");
            for (int paso = 0; paso < 4; ++paso) {
                GrabadoraPaso(1);
                todasAlAlcance("back to move");
            }
            ASSERT_EQ(g.MovActual, 0);
            // A recorded place within reach is kept as it stands.
            EXPECT_EQ(std::pair(g.Piezas[1].X, g.Piezas[1].Y),
                      std::pair(g.MovGrabados[1].XAntes, g.MovGrabados[1].YAntes));
            for (int paso = 0; paso < 4; ++paso) {
                GrabadoraPaso(0);
                todasAlAlcance("forward to move");
            }
            ASSERT_EQ(g.MovActual, 4);
            // Back where the reading left them: nothing it brought within
            // reach was thrown out again, the piece at home is home.
            for (int p = 1; p <= g.NroPiezas; ++p) {
                SCOPED_TRACE(p);
                const RegistroPieza& r = g.Piezas[std::size_t(p)];
                const RegistroPieza& l = leidas[std::size_t(p)];
                EXPECT_EQ(std::tuple(r.X, r.Y, r.Giro, r.Volteo), std::tuple(l.X, l.Y, l.Giro, l.Volteo));
            }
            EXPECT_TRUE(PiezaBienColocada(4));
            // The moves themselves are kept as they were read.
            EXPECT_EQ(g.MovGrabados, grabados);
            TearDown();
        }
    }
}

TEST_F(EstadoPuzzle, NoPieceReadOrSteppedFromAnotherScreenLiesUnderTheShownRecorder) {
    // The recorder panel as the table draws it: 166 pixels wide, its list
    // compressed (97 high), at the lower right corner of the window above the
    // scroll bars. It stands still in the window while the table scrolls, so
    // with the bars shown the corner of the work table it covers at the end
    // of both bars is never in sight.
    RegistraDibujoGrabadora([] {
        const int derecha = mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : PuzzGbl.AnchoMesa;
        const int abajo = mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : PuzzGbl.AltoMesa;
        mesa.Pic_Grabadora.move(derecha - 166, abajo - 97, 166, 97);
        mesa.Pic_Grabadora.setVisible(true);
    });
    const struct Quita {
        ~Quita() { RegistraDibujoGrabadora(nullptr); }
    } quita;
    // Laid out on 1920 x 1080 with pieces 1 to 3 in that table's lower right
    // corner; one move carried piece 4 there from the middle of the table.
    const auto enLaEsquina = [](EstadoPartida e) {
        e.c.AnchoMesa = 1920;
        e.c.AltoMesa = 1080;
        for (int i = 1; i <= 3; ++i) {
            e.Piezas[i].X = std::int16_t(1920 - 20 * i);
            e.Piezas[i].Y = std::int16_t(1080 - 15 * i);
        }
        RegistroPieza& p = e.Piezas[4];
        p.X = 1890, p.Y = 1060;
        e.c.MovActual = 1;
        e.Movimientos = {{}, {4, 200, 200, p.Giro, p.Volteo, p.X, p.Y, p.Giro, p.Volteo}};
        return e;
    };
    const auto ancho = [this] { return JigsawAncho(); };
    const struct {
        const char* nombre;
        std::function<EstadoPartida()> crea;
        bool desplazable;
        // Places are table pixels from its top left on every screen (the
        // pentominoes' follow the board's cells instead).
        bool pixelesDeMesa;
    } casos[] = {
        {"jigsaw", [&] { return Jigsaw(); }, false, true},
        {"wide jigsaw", ancho, true, true},
        {"tangram", Tangram, false, true},
        {"pentominoes", PentominosGirables, false, false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        SetUp();
        PuzzGbl.VelocidadJuego = 100;
        const EstadoPartida e = enLaEsquina(caso.crea());
        PuzzGbl.TipoJuego = e.c.TipoJuego;
        LeePuzzleJuego(Guarda(Bytes(e), QString("Tsl%1").arg(e.c.TipoJuego) + "34.ini"));
        ASSERT_TRUE(vistos.empty()) << vistos[0].texto.toStdString();
        const auto& g = PuzzGbl;
        ASSERT_EQ(g.TipoJuego, e.c.TipoJuego);
        ASSERT_EQ(g.MovActual, 1);
        const plat::Surface& grabadora = mesa.Pic_Grabadora;
        ASSERT_TRUE(grabadora.visible());
        if (caso.desplazable) {
            ASSERT_TRUE(mesa.BarraHor.Visible());
        }
        const int x0 = grabadora.left() + (mesa.BarraHor.Visible() ? mesa.BarraHor.Max() : 0);
        const int y0 = grabadora.top() + (mesa.BarraVer.Visible() ? mesa.BarraVer.Max() : 0);
        auto ningunaBajoLaGrabadora = [&](const char* cuando) {
            for (int p = 1; p <= g.NroPiezas; ++p) {
                const RegistroPieza& r = g.Piezas[std::size_t(p)];
                const auto pieza = std::int16_t(p);
                const int x = r.X - g.MargenPiezaX, y = r.Y - g.MargenPiezaY;
                const int w = AnchoPiezaGirada(pieza, r.Giro, r.Volteo), h = AltoPiezaGirada(pieza, r.Giro, r.Volteo);
                const double cx = x + w / 2.0, cy = y + h / 2.0;
                EXPECT_FALSE(cx > x0 && cx < x0 + 166 && cy > y0 && cy < y0 + 97)
                    << "piece " << p << " under the recorder at " << r.X << ", " << r.Y << " " << cuando;
                EXPECT_TRUE(testing_support::AlAlcanceDeLasBarras(x, y, w, h))
                    << "piece " << p << " out of reach at " << r.X << ", " << r.Y << " " << cuando;
            }
        };
        ningunaBajoLaGrabadora("as read");
        GrabadoraPaso(1);
        ASSERT_EQ(g.MovActual, 0);
        ningunaBajoLaGrabadora("stepped back");
        if (caso.pixelesDeMesa) {
            // Back at the move's start, within reach and clear of the recorder: there.
            EXPECT_EQ(std::pair(int(g.Piezas[4].X), int(g.Piezas[4].Y)), std::pair(200, 200));
        }
        GrabadoraPaso(0);
        ASSERT_EQ(g.MovActual, 1);
        ningunaBajoLaGrabadora("stepped forward");
        TearDown();
    }
}

} // namespace
