#include "records/ListaHistorico.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// The difficulty as the orders compare it: four decimals, hardest first.
std::int64_t claveDificultad(const RegistroHistorico& r) {
    const double d = 100.0 - double(r.GradoDificultad);
    return std::isfinite(d) ? std::llround(d * 10000.0) : 0;
}

QString fondo(const RegistroHistorico& r) {
    if (r.TipoJuego == juego::kTangram) return r.NombreModelo;
    if (r.TipoJuego == juego::kDeslizantes && r.TipoRotulo != 1) return QString::number(r.TipoRotulo);
    return r.ArchivoImagen;
}

// -1, 0 or 1.
int compara(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
template <class T>
int compara(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

QString TextoOrden(int orden) {
    switch (orden) {
    case 1: return QStringLiteral("Fecha / Hora");
    case 2: return QStringLiteral("Nombre / Dificultad");
    case 3: return QStringLiteral("Fondo / Dificultad");
    case 4: return QStringLiteral("Dificultad / Tiempo");
    default: return QString();
    }
}

void LeeRegistrosJuego(const QStringList& lineas, std::int16_t juego, ListaHistorico& lista) {
    lista.Historico.clear();
    lista.Lis_Ordenar.clear();
    for (const QString& linea : lineas) {
        RegistroHistorico r;
        // The date, the time and the game: without the game the line cannot
        // be told apart from another game's record.
        if (LeeLineaHistorico(linea, r) < 3) continue;
        if (r.TipoJuego != juego) continue;
        // Texts a short line never reached still show their fixed widths.
        if (r.NombreJugador.isEmpty()) r.NombreJugador = QString(9, QChar(u' '));
        lista.Historico.push_back(std::move(r));
    }
    lista.UltimoHistorico = std::int32_t(lista.Historico.size()) - 1;
}

void OrdenaLista(ListaHistorico& lista, int orden) {
    const auto& h = lista.Historico;
    lista.Lis_Ordenar.resize(h.size());
    std::iota(lista.Lis_Ordenar.begin(), lista.Lis_Ordenar.end(), 0);
    if (orden < 2 || orden > 4) return;
    // Each record's background once, not at every comparison.
    std::vector<QString> textos(h.size());
    std::vector<std::int64_t> d(h.size());
    for (std::size_t i = 0; i < h.size(); ++i) {
        textos[i] = orden == 2 ? h[i].NombreJugador : (orden == 3 ? fondo(h[i]) : QString());
        d[i] = claveDificultad(h[i]);
    }
    std::stable_sort(lista.Lis_Ordenar.begin(), lista.Lis_Ordenar.end(), [&](std::int32_t a, std::int32_t b) {
        int c = 0;
        if (orden != 4) c = compara(textos[std::size_t(a)], textos[std::size_t(b)]);
        if (c == 0) c = compara(d[std::size_t(a)], d[std::size_t(b)]);
        if (c == 0 && orden == 4) c = compara(h[std::size_t(a)].SegundosCronometro, h[std::size_t(b)].SegundosCronometro);
        return c < 0;
    });
}

int CargaHistorico(ListaHistorico& lista, int orden) {
    auto& g = PuzzGbl;
    g.ErrorFichero = 0;
    QStringList lineas;
    try {
        lineas = plat::readLines(RutaHistorico());
    } catch (const plat::RuntimeError& e) {
        // Nothing of an earlier reading may stay on show once the file is gone.
        lista = ListaHistorico{};
        g.ErrorFichero = std::int16_t(e.number());
        const int numero = e.number();
        if (numero != 6 && numero != 62) {
            const QString titulo = QString::fromUtf8("Error leyendo el fichero histórico");
            if (numero == 53)
                Mensaje(titulo,
                        QString::fromUtf8("No se encuentra el fichero Histórico. Se creará de nuevo la próxima vez "
                                          "que termine de resolver un puzzle."),
                        2, 1);
            else if (numero == 76)
                Mensaje(titulo, QString::fromUtf8("HIS ERROR 76: No existe el fichero Histórico"), 1, 1);
            else
                Mensaje(titulo, QStringLiteral("HIS ERROR ") + QString::number(numero), 1, 1);
        }
        return numero;
    }
    LeeRegistrosJuego(lineas, g.TipoJuego, lista);
    OrdenaLista(lista, orden);
    return 0;
}
