// The acceptance of the whole program, one game at a time, each from an empty
// working folder: the start, the game chosen in the settings window, the
// puzzle played to its end by hand on the table (pieces turned and turned
// over where they must be, nothing asked of the tutor or the solver), the
// end told and the record kept in the history, the history and statistics
// windows showing it, the puzzle saved under a name, another dealt and the
// saved one loaded back as it was, one more solved by the automatic solver
// without reaching the history, and the end of the program with its files
// on disk.
#include "tests/acceptance/programa.h"

#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/EstadoPuzzle.h"
#include "model/Juego.h"
#include "model/Taipei.h"
#include "platform/files.h"
#include "platform/random.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QFileInfo>
#include <QImage>
#include <QRect>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <queue>
#include <random>
#include <set>
#include <string>

namespace {

using aceptacion::Eleccion;

const QString kFin = QStringLiteral("Ha conseguido resolver el puzzle");
const QString kPreguntaHistorico = QString::fromUtf8("¿Se actualiza el Histórico de puzzles?");

struct Caso {
    Eleccion eleccion;     // what the settings window is asked for
    Eleccion otroModelo;   // the model of the puzzle the solver solves (0: command 1 deals it)
    const char* nombre;
};
void PrintTo(const Caso& c, std::ostream* os) { *os << c.nombre; }

class Aceptacion : public aceptacion::Programa, public ::testing::WithParamInterface<Caso> {
protected:
    // ---- the free games: jigsaw, Tangram, pentominoes ----

    // A point of the piece where the pointer finds it (in front of every
    // other piece there), as near the middle of its box as can be; nothing
    // when it is covered everywhere.
    std::optional<QPointF> PuntoDe(std::int16_t p) {
        const auto& g = PuzzGbl;
        const RegistroPieza r = g.Piezas[std::size_t(p)];
        const int izq = r.X - g.MargenPiezaX, arr = r.Y - g.MargenPiezaY;
        const int w = AnchoPiezaGirada(p, r.Giro, r.Volteo), h = AltoPiezaGirada(p, r.Giro, r.Volteo);
        std::vector<QPointF> puntos;
        for (int y = 1; y < h - 1; y += 3)
            for (int x = 1; x < w - 1; x += 3) puntos.emplace_back(izq + x, arr + y);
        const QPointF medio(izq + w / 2.0, arr + h / 2.0);
        std::stable_sort(puntos.begin(), puntos.end(), [&](const QPointF& a, const QPointF& b) {
            return std::hypot(a.x() - medio.x(), a.y() - medio.y()) < std::hypot(b.x() - medio.x(), b.y() - medio.y());
        });
        for (const QPointF& q : puntos) {
            Mueve(q.x(), q.y());
            if (g.PiezaSeleccionada == p) return q;
        }
        return std::nullopt;
    }

    // Piece p turned over and turned with the mouse to its home's
    // orientation, then carried home; false when it could not be reached.
    bool LlevaACasa(std::int16_t p) {
        auto& g = PuzzGbl;
        const auto& r = g.Piezas[std::size_t(p)];
        if (r.Volteo != r.VolteoDestino) {
            const auto q = PuntoDe(p);
            if (!q) return false;
            DobleClic(q->x(), q->y());
            ++volteos_;
            EXPECT_EQ(r.Volteo, r.VolteoDestino) << "piece " << p << " was not turned over";
        }
        for (int k = 0; k < 8 && r.Giro != r.GiroDestino; ++k) {
            const auto q = PuntoDe(p);
            if (!q) return false;
            Clic(2, q->x(), q->y());
            ++giros_;
        }
        EXPECT_EQ(r.Giro, r.GiroDestino) << "piece " << p << " was not turned home";
        const auto a = PuntoDe(p);
        if (!a) return false;
        const QPointF b = *a + QPointF(r.XDestino - r.X, r.YDestino - r.Y);
        Arrastra(*a, b);
        EXPECT_TRUE(PiezaBienColocada(p)) << "piece " << p << " at " << r.X << "," << r.Y << " home " << r.XDestino
                                          << "," << r.YDestino;
        return true;
    }

    int giros_ = 0, volteos_ = 0; // right clicks and double clicks given

    // The box piece p covers at (x, y) in its orientation now.
    static QRect Caja(std::int16_t p, int x, int y) {
        const auto& g = PuzzGbl;
        const auto& r = g.Piezas[std::size_t(p)];
        return QRect(x - g.MargenPiezaX, y - g.MargenPiezaY, AnchoPiezaGirada(p, r.Giro, r.Volteo),
                     AltoPiezaGirada(p, r.Giro, r.Volteo));
    }

    // Every piece carried home. As a player does, a piece whose home would
    // cover another piece still lying loose there goes after that one, and
    // pieces hidden all the same are brought to the front (command 9).
    void JuegaLibre() {
        auto& g = PuzzGbl;
        std::vector<std::int16_t> quedan;
        for (std::int16_t p = 1; p <= g.NroPiezas; ++p)
            if (!PiezaBienColocada(p)) quedan.push_back(p);
        while (!quedan.empty()) {
            auto tapa = [&](std::int16_t p) {
                const auto& r = g.Piezas[std::size_t(p)];
                const QRect casa = Caja(p, r.XDestino, r.YDestino);
                for (std::int16_t q : quedan)
                    if (q != p && casa.intersects(Caja(q, g.Piezas[std::size_t(q)].X, g.Piezas[std::size_t(q)].Y)))
                        return true;
                return false;
            };
            std::vector<std::int16_t> orden = quedan;
            std::stable_partition(orden.begin(), orden.end(), [&](std::int16_t p) { return !tapa(p); });
            bool llevada = false;
            for (int intento = 0; intento < 2 && !llevada; ++intento) {
                // Pieces hidden under the ones at home: the command that brings
                // every piece not in place to the front.
                if (intento == 1) Pulsa(9);
                for (std::int16_t p : orden)
                    if (LlevaACasa(p)) {
                        quedan.erase(std::find(quedan.begin(), quedan.end(), p));
                        llevada = true;
                        break;
                    }
            }
            if (HasFailure()) return;
            if (!llevada)
                for (std::int16_t p : quedan) {
                    const auto& r = g.Piezas[std::size_t(p)];
                    const QRect c = Caja(p, r.X, r.Y);
                    Mueve(c.center().x(), c.center().y());
                    ADD_FAILURE() << "piece " << p << " box " << c.x() << "," << c.y() << " " << c.width() << "x"
                                  << c.height() << " giro " << r.Giro << " front there: " << g.PiezaSeleccionada
                                  << " table " << g.AnchoMesa << "x" << g.AltoMesa << " image " << g.AnchoImagen << "x"
                                  << g.AltoImagen;
                }
            ASSERT_TRUE(llevada) << quedan.size() << " pieces could not be reached";
        }
    }

    // The part of the table the window shows, in table pixels.
    static QRect MesaALaVista() {
        const auto& g = PuzzGbl;
        const int ancho = mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : g.AnchoMesa;
        const int alto = mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : g.AltoMesa;
        return QRect(mesa.BarraHor.Value(), mesa.BarraVer.Value(), ancho, alto);
    }

    // A loose piece dropped into the corner of the recorder panel, half past
    // the table's edges, so that the panel hides all the rest of it; then
    // the command that brings out every piece no point of the table shows:
    // the piece is in sight and under the pointer again.
    void SacaPiezaTapada() {
        auto& g = PuzzGbl;
        // One piece moved aside first: the list then shows its move.
        if (g.UltimoMovGrabado == 0) {
            std::int16_t q = 1;
            while (q <= g.NroPiezas && (PiezaBienColocada(q) || !PuntoDe(q))) ++q;
            ASSERT_LE(q, g.NroPiezas) << "no loose piece to take";
            const auto a = PuntoDe(q);
            Arrastra(*a, *a + QPointF(g.Piezas[std::size_t(q)].X > 200 ? -30 : 30, 0));
            ASSERT_GE(g.UltimoMovGrabado, 1) << "the move was not recorded";
        }
        const plat::Surface& r = mesa.Pic_Grabadora;
        const QRect tapa(r.left() + mesa.BarraHor.Value(), r.top() + mesa.BarraVer.Value(), r.width(), r.height());
        const QRect vista = MesaALaVista();
        std::int16_t p = 1;
        while (p <= g.NroPiezas && (PiezaBienColocada(p) || !PuntoDe(p))) ++p;
        ASSERT_LE(p, g.NroPiezas) << "no loose piece to take";
        const auto& pieza = g.Piezas[std::size_t(p)];
        const QRect caja = Caja(p, pieza.X, pieza.Y);
        ASSERT_LE(caja.width(), 2 * tapa.width() - 8);
        ASSERT_LE(caja.height(), 2 * tapa.height() - 8);
        const auto a = PuntoDe(p);
        const QPoint centro = tapa.bottomRight() - QPoint(3, 3);
        Arrastra(*a, *a + QPointF(centro - caja.center()));
        const QRect tapada = Caja(p, pieza.X, pieza.Y) & vista;
        ASSERT_TRUE(tapa.contains(tapada)) << "piece " << p << " shows beside the recorder";
        Pulsa(9);
        EXPECT_FALSE(tapa.contains(Caja(p, pieza.X, pieza.Y) & vista)) << "piece " << p << " stayed hidden";
        EXPECT_TRUE(PuntoDe(p).has_value()) << "piece " << p << " cannot be pointed at";
    }

    // ---- sliding tiles ----

    // The presses that put the tiles in order, found breadth first over the
    // board as it stands (cells numbered from 0, row by row).
    static std::vector<std::int16_t> CaminoDeslizantes() {
        const auto& g = PuzzGbl;
        const int lado = g.PiezasLado;
        const int x0 = g.Piezas[1].XDestino, y0 = g.Piezas[1].YDestino;
        auto celda = [&](int x, int y) { return (y - y0) / g.AltoPieza * lado + (x - x0) / g.AnchoPieza; };
        std::string inicio(std::size_t(lado * lado), char(0)); // cell -> tile, 0 the hole
        for (int p = 1; p < lado * lado; ++p) {
            const auto& r = g.Piezas[std::size_t(p)];
            inicio[std::size_t(celda(r.X, r.Y))] = char(p);
        }
        std::string meta(inicio.size(), char(0));
        for (int p = 1; p < lado * lado; ++p) {
            const auto& r = g.Piezas[std::size_t(p)];
            meta[std::size_t(celda(r.XDestino, r.YDestino))] = char(p);
        }
        std::map<std::string, std::pair<std::string, char>> de{{inicio, {std::string(), 0}}};
        std::queue<std::string> cola;
        cola.push(inicio);
        while (!cola.empty() && !de.count(meta)) {
            const std::string s = cola.front();
            cola.pop();
            const int hueco = int(s.find(char(0)));
            const int f = hueco / lado, c = hueco % lado;
            const int vecinos[4][2] = {{f - 1, c}, {f + 1, c}, {f, c - 1}, {f, c + 1}};
            for (const auto& v : vecinos) {
                if (v[0] < 0 || v[0] >= lado || v[1] < 0 || v[1] >= lado) continue;
                std::string t = s;
                std::swap(t[std::size_t(hueco)], t[std::size_t(v[0] * lado + v[1])]);
                if (de.emplace(t, std::pair(s, s[std::size_t(v[0] * lado + v[1])])).second) cola.push(t);
            }
        }
        std::vector<std::int16_t> camino;
        if (!de.count(meta)) return camino;
        for (std::string s = meta; s != inicio; s = de[s].first) camino.push_back(de[s].second);
        std::reverse(camino.begin(), camino.end());
        return camino;
    }

    void JuegaDeslizantes() {
        const auto& g = PuzzGbl;
        const auto camino = CaminoDeslizantes();
        ASSERT_FALSE(camino.empty()) << "the board dealt has no way to its end";
        for (std::int16_t p : camino) {
            const auto& r = g.Piezas[std::size_t(p)];
            const double x = r.X + g.AnchoPieza / 2.0, y = r.Y + g.AltoPieza / 2.0;
            const auto antes = std::pair(r.X, r.Y);
            Clic(1, x, y);
            ASSERT_NE(std::pair(r.X, r.Y), antes) << "tile " << p << " did not slide";
        }
    }

    // ---- Taipei ----

    // A sequence of pairs that empties the board, found depth first over the
    // free tiles in a random order, again from the start in another order
    // when an attempt runs long (the board is left as it was).
    bool BuscaParejas(std::vector<std::pair<std::int16_t, std::int16_t>>& parejas, std::set<std::string>& vistos) {
        auto& g = PuzzGbl;
        std::string clave;
        bool queda = false;
        for (int i = 1; i <= g.NroPiezas; ++i) {
            clave += char('0' + (g.Piezas[std::size_t(i)].Estado != 0));
            queda = queda || g.Piezas[std::size_t(i)].Estado != 0;
        }
        if (!queda) return true;
        if (!vistos.insert(clave).second) return false;
        std::vector<std::int16_t> libres;
        std::map<std::int16_t, int> quedanDeClase, libresDeClase;
        for (std::int16_t i = 1; i <= g.NroPiezas; ++i) {
            const auto& f = g.Piezas[std::size_t(i)];
            if (f.Estado == 0) continue;
            ++quedanDeClase[f.Clase];
            if (TAI_FichaLibre(i)) {
                libres.push_back(i);
                ++libresDeClase[f.Clase];
            }
        }
        // The pairs a player tries first: those of a kind whose tiles are all
        // free (taking them can spoil nothing).
        std::vector<std::pair<std::int16_t, std::int16_t>> candidatas;
        for (std::size_t a = 0; a < libres.size(); ++a)
            for (std::size_t b = a + 1; b < libres.size(); ++b)
                if (g.Piezas[std::size_t(libres[a])].Clase == g.Piezas[std::size_t(libres[b])].Clase)
                    candidatas.emplace_back(libres[a], libres[b]);
        // Among the others, the order of this attempt.
        std::shuffle(candidatas.begin(), candidatas.end(), azar_);
        std::stable_partition(candidatas.begin(), candidatas.end(), [&](const auto& c) {
            const std::int16_t clase = g.Piezas[std::size_t(c.first)].Clase;
            return libresDeClase[clase] == quedanDeClase[clase];
        });
        for (const auto& [ia, ib] : candidatas) {
            auto& fa = g.Piezas[std::size_t(ia)];
            auto& fb = g.Piezas[std::size_t(ib)];
            const auto ea = fa.Estado, eb = fb.Estado;
            fa.Estado = fb.Estado = 0;
            parejas.emplace_back(ia, ib);
            const bool hallada = BuscaParejas(parejas, vistos);
            fa.Estado = ea;
            fb.Estado = eb;
            if (hallada) return true;
            parejas.pop_back();
            // A search this long is not how a player plays: this attempt ends.
            if (vistos.size() > 20000) return false;
        }
        return false;
    }

    // A press on tile t where the pointer finds it.
    void PulsaFicha(std::int16_t t) {
        const auto& g = PuzzGbl;
        const auto& r = g.Piezas[std::size_t(t)];
        const int izq = r.X - g.MargenPiezaX, arr = r.Y - g.MargenPiezaY;
        for (int y = g.AltoPieza / 2; y < g.AltoPieza; y += 4)
            for (int x = g.AnchoPieza / 2; x < g.AnchoPieza; x += 4) {
                Mueve(izq + x, arr + y);
                if (g.PiezaSeleccionada == t) {
                    Clic(1, izq + x, arr + y);
                    return;
                }
            }
        FAIL() << "tile " << t << " cannot be pointed at";
    }

    std::mt19937 azar_{2026};

    void JuegaTaipei() {
        const auto& g = PuzzGbl;
        std::vector<std::pair<std::int16_t, std::int16_t>> parejas;
        std::set<std::string> vistos;
        bool hallada = false;
        for (int intento = 0; intento < 100 && !hallada; ++intento) {
            parejas.clear();
            vistos.clear();
            hallada = BuscaParejas(parejas, vistos);
        }
        ASSERT_TRUE(hallada) << "no way to clear the board dealt";
        for (const auto& [a, b] : parejas) {
            PulsaFicha(a);
            ASSERT_EQ(g.Piezas[std::size_t(a)].Estado, 2) << "tile " << a << " was not selected";
            PulsaFicha(b);
            ASSERT_EQ(g.Piezas[std::size_t(a)].Estado, 0);
            ASSERT_EQ(g.Piezas[std::size_t(b)].Estado, 0);
        }
    }

    void Juega() {
        switch (PuzzGbl.TipoJuego) {
        case 22: JuegaDeslizantes(); break;
        case 25: JuegaTaipei(); break;
        default: JuegaLibre(); break;
        }
    }

    // What a state file keeps of each piece (a Taipei tile's kind and id
    // follow from its number and are not written).
    static std::vector<std::array<std::int16_t, 12>> Guardado(const std::vector<RegistroPieza>& piezas) {
        std::vector<std::array<std::int16_t, 12>> v;
        for (const auto& r : piezas)
            v.push_back({r.X, r.Y, r.Giro, r.Volteo, r.XDestino, r.YDestino, r.GiroDestino, r.VolteoDestino, r.Fila,
                         r.Columna, r.Nivel, r.Estado});
        return v;
    }

    // What a saved puzzle must give back.
    struct Partida {
        std::vector<RegistroPieza> piezas;
        std::vector<RegistroMovimiento> movimientos;
        std::int16_t ultimo = 0, actual = 0;
        std::int32_t segundos = 0;
        QString imagen;
        std::int16_t rotulo = 0, modelo = 0;
    };
    static Partida PartidaActual() {
        const auto& g = PuzzGbl;
        Partida p;
        p.piezas.assign(g.Piezas.begin(), g.Piezas.begin() + g.NroPiezas + 1);
        p.ultimo = g.UltimoMovGrabado;
        p.actual = g.MovActual;
        p.movimientos.assign(g.MovGrabados.begin() + 1, g.MovGrabados.begin() + g.MovActual + 1);
        p.segundos = g.SegundosCronometro;
        p.imagen = g.FicheroImagen;
        p.rotulo = g.TipoRotulo;
        p.modelo = g.NroModelo;
        return p;
    }
};

TEST_P(Aceptacion, APuzzlePlayedKeptSavedLoadedSolvedAndTheFilesLeft) {
    const Caso& caso = GetParam();
    const std::int16_t juego = caso.eleccion.juego;
    auto& g = PuzzGbl;

    // ---- the start from an empty folder ----
    Arranca();
    ASSERT_EQ(g.TipoJuego, 21);
    EXPECT_TRUE(g.SeleccionValida) << "the first jigsaw has no picture";
    EXPECT_TRUE(QFileInfo::exists(Archivo("Tsl34.ini")));
    EXPECT_TRUE(QFileInfo::exists(Archivo("Tsl2134.ini")));
    EXPECT_TRUE(mesa.Visible());

    // ---- the game and its puzzle chosen ----
    plat::randomGenerator().setState(20261211);
    // The start ends in the program's main loop, which shows the window first.
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    PanelesALaVista("the start");
    if (juego != 21) {
        EligeEnPersonal({juego});
        ASSERT_EQ(g.TipoJuego, juego);
        EXPECT_TRUE(QFileInfo::exists(RutaEstadoJuego(juego)));
        PanelesALaVista("the change of game");
    }
    if (caso.eleccion.modelo != 0 || caso.eleccion.lado != 0 || caso.eleccion.imagen) {
        EligeEnPersonal(caso.eleccion);
        PanelesALaVista("the settings window accepted");
    }
    if (caso.eleccion.modelo != 0) {
        EXPECT_EQ(g.NroModelo, caso.eleccion.modelo);
    }
    if (caso.eleccion.lado != 0) {
        EXPECT_EQ(g.PiezasLado, caso.eleccion.lado);
    }
    if (caso.eleccion.imagen) {
        EXPECT_EQ(g.TipoRotulo, 1);
        EXPECT_EQ(g.ArchivoImagen, QString::fromUtf8(caso.eleccion.imagen));
        // The tiles are cut from the picture, not plain labels.
        const QImage tablero = mesa.Pic_Bitmap.image();
        std::set<QRgb> colores;
        for (int y = g.OrigenY; y < g.OrigenY + g.AltoImagen; y += 7)
            for (int x = g.OrigenX; x < g.OrigenX + g.AnchoImagen; x += 7) colores.insert(tablero.pixel(x, y));
        EXPECT_GT(colores.size(), 500u) << "a board of labels has some 50";
    }
    ASSERT_GT(g.NroPiezas, 0);
    ASSERT_LT(g.NroPiezasColocadas, g.NroPiezas) << "dealt solved";
    EXPECT_TRUE(g.PasaAlHistorico);
    EXPECT_EQ(Veces(kFin), 0);

    // ---- a change that ends the puzzle asked, and cancelled: it goes on ----
    {
        const auto antes = Guardado(std::vector<RegistroPieza>(g.Piezas.begin(), g.Piezas.begin() + g.NroPiezas + 1));
        const std::size_t preguntas = avisos.size();
        respuestas = {false};
        if (juego == 21 || juego == 22) EligeEnPersonal({juego, 0, -1});
        else EligeEnPersonal({juego, std::int16_t(g.NroModelo == 1 ? 2 : 1)});
        EXPECT_TRUE(respuestas.empty()) << "nothing was asked";
        EXPECT_EQ(avisos.size(), preguntas + 1);
        EXPECT_EQ(Guardado(std::vector<RegistroPieza>(g.Piezas.begin(), g.Piezas.begin() + g.NroPiezas + 1)), antes)
            << "the puzzle did not go on";
        PanelesALaVista("the settings window cancelled");
    }

    // ---- played to its end by hand ----
    int girar = 0, voltear = 0; // pieces dealt turned and turned over
    for (std::int16_t p = 1; p <= g.NroPiezas; ++p) {
        girar += g.Piezas[std::size_t(p)].Giro != g.Piezas[std::size_t(p)].GiroDestino;
        voltear += g.Piezas[std::size_t(p)].Volteo != g.Piezas[std::size_t(p)].VolteoDestino;
    }
    Juega();
    if (HasFatalFailure()) return;
    PanelesALaVista("the end of the puzzle");
    if (juego == 21 || juego == 23 || juego == 24) {
        EXPECT_GT(girar, 0) << "no piece was dealt turned";
        EXPECT_GE(giros_, girar);
        EXPECT_EQ(volteos_, voltear);
    }
    EXPECT_EQ(g.NroPiezasColocadas, g.NroPiezas);
    EXPECT_EQ(Veces(kFin), 1) << Textos().join("\n").toStdString();
    EXPECT_EQ(Veces(kPreguntaHistorico), 1);
    EXPECT_EQ(VecesSonido(55), g.SonidoActivo ? 1 : 0) << "the solved sound";
    EXPECT_FALSE(g.PasaAlHistorico);
    const QStringList historico = LineasHistorico();
    ASSERT_EQ(historico.size(), 1);
    RegistroHistorico escrito;
    ASSERT_EQ(LeeLineaHistorico(historico[0], escrito), kCamposHistorico);
    EXPECT_EQ(escrito.TipoJuego, juego);
    EXPECT_EQ(escrito.NroPiezas, g.NroPiezas);
    EXPECT_EQ(escrito.SegundosCronometro, g.SegundosCronometro);

    // ---- the records windows ----
    const auto listados = AbreHistorico();
    ASSERT_EQ(listados.size(), 1u);
    EXPECT_EQ(listados[0], escrito);
    const QStringList informe = AbreEstadisticas();
    EXPECT_TRUE(informe.contains(QString::fromUtf8("¿Puzzle resuelto?....:Si"))) << informe.join("\n").toStdString();
    EXPECT_TRUE(informe.contains(QString::fromUtf8("¿Pasará al Histórico?:No")));

    // ---- saved, another dealt, loaded back ----
    const Partida guardada = PartidaActual();
    Guarda(QStringLiteral("Mi partida"));
    EXPECT_TRUE(QFileInfo::exists(Archivo("Archivo/Mi partida.puz")));
    // In the sliding game the shuffle walks the solved board, letting the
    // player's presses through between its moves: a press of the right/wrong
    // display there shows the wait, and acts once the walk is over.
    bool enElCamino = false;
    if (juego == 22) {
        QTimer::singleShot(0, [this, &enElCamino] {
            enElCamino = PuzzGbl.Barajando;
            const plat::Surface& b = mesa.Pic_Boton(10);
            Pulsa(10);
            EXPECT_EQ(b.mousePointer(), 13) << "the button does not show the wait";
            EXPECT_TRUE(b.toolTip().contains(QString::fromUtf8("al terminar"))) << b.toolTip().toStdString();
            EXPECT_FALSE(PuzzGbl.MostrarBienoMal) << "the display came inside the walk";
        });
    }
    Pulsa(1);
    EXPECT_NE(PartidaActual().piezas, guardada.piezas) << "no other puzzle was dealt";
    if (juego == 22) {
        EXPECT_TRUE(enElCamino) << "the press came outside the walk";
        // The main loop runs the command put off (a timer checks for the end
        // of the loop); the wait is cut at 10 s.
        QElapsedTimer espera;
        espera.start();
        while (!g.MostrarBienoMal && espera.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(2);
        }
        EXPECT_TRUE(g.MostrarBienoMal) << "the press during the walk was lost";
        // The pointer has not moved since: the button shows its own pointer
        // and tooltip again all the same.
        const plat::Surface& b = mesa.Pic_Boton(10);
        while (b.mousePointer() == 13 && espera.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(2);
        }
        EXPECT_NE(b.mousePointer(), 13) << "the wait is still shown once the walk is over, with no move";
        EXPECT_EQ(b.toolTip(), QStringLiteral(" Mostrar piezas colocadas "));
        Pulsa(10);
        EXPECT_NE(mesa.Pic_Boton(10).mousePointer(), 13) << "the wait is still shown once the walk is over";
        EXPECT_FALSE(g.MostrarBienoMal);
    }
    PanelesALaVista("the shuffle");
    Carga(QStringLiteral("Mi partida"));
    PanelesALaVista("the load");
    EXPECT_FALSE(g.CronometroEnMarcha) << "the solved puzzle loaded counts time";
    const Partida cargada = PartidaActual();
    EXPECT_EQ(cargada.piezas, guardada.piezas);
    EXPECT_EQ(cargada.movimientos, guardada.movimientos);
    EXPECT_EQ(cargada.ultimo, guardada.ultimo);
    EXPECT_EQ(cargada.actual, guardada.actual);
    EXPECT_EQ(cargada.segundos, guardada.segundos);
    EXPECT_EQ(cargada.imagen, guardada.imagen);
    EXPECT_EQ(cargada.rotulo, guardada.rotulo);
    EXPECT_EQ(cargada.modelo, guardada.modelo);
    EXPECT_EQ(g.TipoJuego, juego);

    // ---- the recorder: one move back, and the puzzle restored there ----
    ASSERT_GE(g.MovActual, 1);
    const std::int16_t movimientos = g.MovActual;
    PulsaGrabadora(8);
    EXPECT_TRUE(g.GrabadoraEncendida);
    PulsaGrabadora(62);
    EXPECT_EQ(g.MovActual, movimientos - 1);
    PulsaGrabadora(137);
    EXPECT_FALSE(g.GrabadoraEncendida);
    EXPECT_EQ(g.MovActual, movimientos - 1);
    EXPECT_EQ(g.UltimoMovGrabado, movimientos - 1);
    PanelesALaVista("the recorder's restore");

    // ---- one more, solved by the solver: not for the history ----
    if (caso.otroModelo.modelo != 0) EligeEnPersonal(caso.otroModelo);
    else Pulsa(1);
    ASSERT_LT(g.NroPiezasColocadas, g.NroPiezas) << "dealt solved";
    PanelesALaVista(caso.otroModelo.modelo != 0 ? "another model chosen" : "a new deal");
    if (juego == 21 || juego == 24) {
        // The move list shown always, so that the recorder panel stands
        // higher once a move is made.
        Eleccion lista{juego};
        lista.listaSiempre = true;
        EligeEnPersonal(lista);
        SacaPiezaTapada();
        if (HasFatalFailure()) return;
        PanelesALaVista("the hidden pieces brought out");
    }
    const int preguntas = Veces(kPreguntaHistorico);
    Pulsa(12);
    EXPECT_EQ(g.NroPiezasColocadas, g.NroPiezas) << "the solver did not solve it";
    EXPECT_FALSE(g.PasaAlHistorico);
    EXPECT_EQ(Veces(kPreguntaHistorico), preguntas);
    EXPECT_EQ(LineasHistorico(), historico);
    PanelesALaVista("the solver");

    // ---- the end, and the files it leaves ----
    const EstadoPartida alSalir = EstadoActual();
    Sale();
    const AjustesGlobales ajustes =
        LeeLineaConfiguracion(LeeLineasEstado(plat::readFile(Archivo("Tsl34.ini"))).value(0), {});
    EXPECT_EQ(ajustes.TipoJuego, juego);
    EXPECT_EQ(ajustes.SonidoActivo, g.SonidoActivo);
    EXPECT_EQ(ajustes.VelocidadJuego, g.VelocidadJuego);
    const LecturaPartida estado = CargaDatosPuzzle(plat::readFile(RutaEstadoJuego(juego)));
    ASSERT_TRUE(estado.estado) << estado.motivo.toStdString();
    EXPECT_EQ(estado.estado->c.TipoJuego, juego);
    EXPECT_EQ(Guardado(estado.estado->Piezas), Guardado(alSalir.Piezas));
    EXPECT_EQ(estado.estado->Movimientos, alSalir.Movimientos);
    EXPECT_EQ(estado.estado->c.SegundosCronometro, alSalir.c.SegundosCronometro);
    EXPECT_EQ(LineasHistorico(), historico);
    const LecturaPartida archivada = CargaDatosPuzzle(plat::readFile(Archivo("Archivo/Mi partida.puz")));
    ASSERT_TRUE(archivada.estado) << archivada.motivo.toStdString();
    EXPECT_EQ(Guardado(archivada.estado->Piezas), Guardado(guardada.piezas));
    EXPECT_FALSE(QFileInfo::exists(Archivo("Archivo/Tesel34.CSE"))) << "the settings snapshot was left behind";
    const QStringList restos = QDir(carpeta.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
    EXPECT_TRUE(restos.isEmpty()) << restos.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Juegos, Aceptacion,
    ::testing::Values(Caso{{21}, {}, "rompecabezas"}, Caso{{22, 0, 3, "Paisaje.jpg"}, {}, "deslizantes"},
                      Caso{{23, 2}, {23, 3}, "tangram"}, Caso{{24, 2}, {}, "pentominos"},
                      Caso{{25, 2}, {}, "taipei"}),
    [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
