// validatai <ModTai.mlp> [deals]: the validator of the shipped layout file.
// Every layout of the file is read as the program reads it, must fit the
// table of 800 x 600 beside the command panel, and is dealt with
// 1,000 seeds (or the number given): no deal may need the deal built from a
// removal order, and every deal is cleared by taking its pairs from 72 down
// to 1, each pair free by the game's rule when its turn comes. From the first
// 20 deals of each layout, the position 40 tiles from the end is solved by
// the search (its clock counting readings, not time), and the sequence it
// finds is replayed under the same rule.
// Prints, per layout, the restarts of the random deal (largest and total) and
// the slowest of those searches; exits with 1 at the first fault.
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "model/Barajado.h"
#include "model/Taipei.h"
#include "model/TaipeiModelo.h"
#include "platform/files.h"
#include "platform/random.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kBusquedas = 20, kQuedan = 40;
// The smallest screen the program supports.
constexpr int kAnchoMinimo = 800, kAltoMinimo = 600;

int falla(const char* que, int nro, std::uint32_t semilla) {
    std::fprintf(stderr, "validatai: layout %d, seed %u: %s\n", nro, semilla, que);
    return 1;
}

// Takes pairs in the order given, each free and of one kind when its turn comes.
bool Retira(const std::vector<std::pair<std::int16_t, std::int16_t>>& pares) {
    auto& g = PuzzGbl;
    for (const auto& [a, b] : pares) {
        if (a == b || !TAI_FichaLibre(a) || !TAI_FichaLibre(b)) return false;
        if (g.Piezas[std::size_t(a)].Clase != g.Piezas[std::size_t(b)].Clase) return false;
        g.Piezas[std::size_t(a)].Estado = g.Piezas[std::size_t(b)].Estado = 0;
    }
    return true;
}

std::vector<std::pair<std::int16_t, std::int16_t>> ParesDelReparto(int desde, int hasta) {
    std::vector<std::pair<std::int16_t, std::int16_t>> v;
    for (int n = desde; n >= hasta; --n) v.push_back({PuzzGbl.TAI_Reparto[std::size_t(n)][1], PuzzGbl.TAI_Reparto[std::size_t(n)][2]});
    return v;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: validatai <ModTai.mlp> [deals]\n");
        return 2;
    }
    const QFileInfo archivo(QString::fromLocal8Bit(argv[1]));
    const int repartos = argc == 3 ? std::atoi(argv[2]) : 1000;
    int mensajes = 0;
    RegistraPresentadorMensaje([&mensajes](const QString& titulo, const QString& texto) {
        ++mensajes;
        std::fprintf(stderr, "validatai: message %s: %s\n", qPrintable(titulo), qPrintable(texto));
    });
    const QString carpeta = archivo.absolutePath() + QStringLiteral("/");
    int registros = 0;
    try {
        registros = plat::recordCount(archivo.absoluteFilePath(), 452);
    } catch (...) {
        std::fprintf(stderr, "validatai: cannot read %s\n", argv[1]);
        return 1;
    }
    if (registros < 1) return falla("the file holds no layout", 0, 0);

    // The searches' clock counts its readings, a microsecond each (some three
    // million back-steps before the limit), so that what is found does not
    // depend on the machine's load; the times printed are real.
    double lecturas = 0;
    RegistraRelojSolucionTaipei([&lecturas] { return (lecturas += 1.0) / 1e6; });
    int peorReinicios = 0;
    for (int nro = 1; nro <= registros; ++nro) {
        auto& g = PuzzGbl;
        g.reset();
        g.RutaArchivo = carpeta;
        g.TipoJuego = 25;
        QString motivo;
        if (!TAI_CargaModelo(std::int16_t(nro), &motivo)) {
            std::fprintf(stderr, "validatai: layout %d cannot be used: %s\n", nro, qPrintable(motivo));
            return 1;
        }
        const QString nombre = g.TAI_RegistroModelo.left(25).trimmed();
        // Every layout is offered on every screen: it fits the table of the
        // smallest one beside the command panel, as the settings window tests.
        if (TAI_AjusteEnMesa(g.FilasTablero, g.ColumnasTablero, g.TAI_NroNiveles, kAnchoMinimo, kAltoMinimo) !=
            AjusteTaipei::Cabe) {
            std::fprintf(stderr, "validatai: layout %d (%s) does not fit the table of %d x %d\n", nro,
                         nombre.toUtf8().constData(), kAnchoMinimo, kAltoMinimo);
            return 1;
        }
        g.AnchoPieza = taipei::kAnchoFicha;
        g.AltoPieza = taipei::kAltoFicha;
        g.NroPiezas = taipei::kFichas;
        g.Piezas.assign(taipei::kFichas + 1, RegistroPieza{});
        g.OrdenPiezas.assign(taipei::kFichas + 1, 0);
        TAI_AsignaPalos();

        int maxReinicios = 0;
        long long reinicios = 0;
        double peorBusqueda = 0;
        for (int s = 1; s <= repartos; ++s) {
            const std::uint32_t semilla = std::uint32_t(s) * 2654435761u + std::uint32_t(nro);
            plat::randomGenerator().setState(semilla);
            if (!TAI_Reparte()) return falla("not dealt", nro, semilla);
            if (UltimoReparto().porOrden) return falla("the random deal gave up", nro, semilla);
            if (mensajes > 0) return falla("the player was told something", nro, semilla);
            maxReinicios = std::max(maxReinicios, UltimoReparto().reinicios);
            reinicios += UltimoReparto().reinicios;
            const std::vector<RegistroPieza> repartida = g.Piezas;

            if (s <= kBusquedas) {
                // The position 40 tiles from the end, solved by the search.
                if (!Retira(ParesDelReparto(72, kQuedan / 2 + 1))) return falla("the deal does not clear", nro, semilla);
                const auto t0 = std::chrono::steady_clock::now();
                lecturas = 0;
                TAI_BuscaSolucion();
                const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
                peorBusqueda = std::max(peorBusqueda, ms);
                if (!g.TAI_SolucionHallada) return falla("no sequence found 40 tiles from the end", nro, semilla);
                std::vector<std::pair<std::int16_t, std::int16_t>> pares;
                for (int d = 1; d <= kQuedan / 2; ++d) pares.push_back({g.TAI_TablaBusqueda[std::size_t(d)][1], g.TAI_TablaBusqueda[std::size_t(d)][2]});
                if (!Retira(pares)) return falla("the sequence found does not replay", nro, semilla);
                for (int t = 1; t <= taipei::kFichas; ++t)
                    if (g.Piezas[std::size_t(t)].Estado != 0) return falla("the sequence found leaves tiles", nro, semilla);
                g.Piezas = repartida;
            }
            if (!Retira(ParesDelReparto(72, 1))) return falla("the deal does not clear from pair 72 to 1", nro, semilla);
        }
        peorReinicios = std::max(peorReinicios, maxReinicios);
        std::printf("validatai: %d %s: %d deals cleared, restarts largest %d, total %lld; "
                    "%d searches 40 tiles from the end, slowest %.2f ms\n",
                    nro, nombre.toUtf8().constData(), repartos, maxReinicios, reinicios, kBusquedas, peorBusqueda);
    }
    std::printf("validatai: %d layouts valid; largest restarts of a deal %d\n", registros, peorReinicios);
    return 0;
}
