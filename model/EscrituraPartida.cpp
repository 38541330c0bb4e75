// The writer of the puzzle-state format: the current state as a value and
// as its nine lines.
#include "model/EstadoPuzzle.h"
#include "model/RegistroPartida.h"

#include "core/PuzzGbl.h"
#include "core/Configuracion.h" // Cifras
#include "core/Visores.h"       // SinBlancos

#include <algorithm>

using namespace registro_partida;

// ---- writing ---------------------------------------------------------------------------

QStringList ComponeLineas(const EstadoPartida& e) {
    QStringList l;
    l << e.UnidadImagen << e.CarpetaImagen << e.ArchivoImagen << e.FicheroImagen << ComponeCabecera(e.c);
    const int n = std::max<int>(0, e.c.NroPiezas);
    QString lp(qsizetype(n) * kLargoPieza, u' ');
    for (int i = 1; i <= n; ++i) {
        const RegistroPieza p = std::size_t(i) < e.Piezas.size() ? e.Piezas[i] : RegistroPieza{};
        const std::int16_t orden = std::size_t(i) < e.OrdenPiezas.size() ? e.OrdenPiezas[i] : 0;
        const QString slot = Cifras(p.X, 4) + Cifras(p.Y, 4) + Cifras(p.Giro, 1) + Cifras(p.Volteo, 1) +
                             Cifras(p.XDestino, 4) + Cifras(p.YDestino, 4) + Cifras(p.GiroDestino, 1) +
                             Cifras(p.VolteoDestino, 1) + Cifras(p.Fila, 2) + Cifras(p.Columna, 2) +
                             Cifras(p.Nivel, 1) + Cifras(p.Estado, 1) + u' ' + Cifras(orden, 3);
        lp.replace(qsizetype(i - 1) * kLargoPieza, kLargoPieza, slot);
    }
    l << lp;
    const int m = std::max<int>(0, e.c.MovActual);
    QString lm(qsizetype(m) * kLargoMovimiento, u' ');
    for (int j = 1; j <= m; ++j) {
        const RegistroMovimiento v = std::size_t(j) < e.Movimientos.size() ? e.Movimientos[j] : RegistroMovimiento{};
        const QString slot = Cifras(v.Pieza, 3) + Cifras(v.XAntes, 4) + Cifras(v.YAntes, 4) +
                             Cifras(v.GiroAntes, 1) + Cifras(v.VolteoAntes, 1) + Cifras(v.XDespues, 4) +
                             Cifras(v.YDespues, 4) + Cifras(v.GiroDespues, 1) + Cifras(v.VolteoDespues, 1);
        lm.replace(qsizetype(j - 1) * kLargoMovimiento, kLargoMovimiento, slot);
    }
    l << lm;
    QString lt, lr;
    if (e.c.TipoJuego == 25) {
        lt = QString(kLargoTablero, u' ');
        for (int k = 0; k < kCeldasTaipei && std::size_t(k) < e.Tablero.size(); ++k)
            if (e.Tablero[k] >= 0) lt.replace(qsizetype(k) * 3, 3, Cifras(e.Tablero[k], 3));
        lr = QString(kLargoReparto, u' ');
        for (int k = 0; k < taipei::kFichas && std::size_t(k) < e.Reparto.size(); ++k)
            lr.replace(qsizetype(k) * 3, 3, Cifras(e.Reparto[k], 3));
    }
    l << lt << lr;
    return l;
}

EstadoPartida EstadoActual() {
    const auto& g = PuzzGbl;
    EstadoPartida e;
    e.UnidadImagen = g.UnidadImagen;
    e.CarpetaImagen = g.CarpetaImagen;
    e.ArchivoImagen = g.ArchivoImagen;
    e.FicheroImagen = g.FicheroImagen;
    CabeceraPartida& c = e.c;
    CopiaAjustes(g, c);
    // Only the last 9999 moves fit the format; the pieces stand after all of them.
    const std::int32_t aplicados = std::clamp<std::int32_t>(g.MovActual, 0, std::int32_t(g.MovGrabados.size()) - 1);
    const std::int32_t guardados = std::min<std::int32_t>(aplicados, kMaxMovimientos);
    c.MovActual = std::int16_t(guardados);
    c.AnchoMesa = g.AnchoMesa;
    c.AltoMesa = g.AltoMesa;

    const int n = std::max<int>(0, g.NroPiezas);
    e.Piezas.assign(std::size_t(n) + 1, RegistroPieza{});
    e.OrdenPiezas.assign(std::size_t(n) + 1, 0);
    for (int i = 1; i <= n; ++i) {
        if (std::size_t(i) < g.Piezas.size()) e.Piezas[i] = g.Piezas[i];
        if (std::size_t(i) < g.OrdenPiezas.size()) e.OrdenPiezas[i] = g.OrdenPiezas[i];
    }
    e.Movimientos.assign(std::size_t(guardados) + 1, RegistroMovimiento{});
    for (int j = 1; j <= guardados; ++j) e.Movimientos[j] = g.MovGrabados[std::size_t(aplicados - guardados + j)];

    if (g.TipoJuego == 25) {
        e.Tablero.assign(kCeldasTaipei, -1);
        const int filas = std::clamp<int>(g.FilasTablero, 0, taipei::kFilas);
        const int columnas = std::clamp<int>(g.ColumnasTablero, 0, taipei::kColumnas);
        for (int r = 1; r <= filas; ++r)
            for (int k = 1; k <= columnas; ++k)
                for (int v = 1; v <= kNivelesGuardados; ++v)
                    e.Tablero[IndiceTablero(r, k, v)] = g.TAI_Tablero[r][k].Ficha[v];
        e.Reparto.assign(taipei::kFichas, 0);
        for (int k = 1; k <= 72; ++k)
            for (int j = 1; j <= 2; ++j) e.Reparto[(k - 1) * 2 + (j - 1)] = g.TAI_Reparto[k][j];
    }
    return e;
}

QStringList ComponeRegistroPartida() {
    const QStringList l = ComponeLineas(EstadoActual());
    for (int i = 0; i < 9; ++i) PuzzGbl.LineasConfiguracion[std::size_t(i) + 1] = l[i];
    return l;
}
