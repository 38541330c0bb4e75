// The settings window's model list for Tangram, pentominoes and Taipei: the
// choice of a model, its preview and the deletion of a Tangram figure.
#include "personalise/personal.h"

#include "core/Pasos.h"
#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "model/Modelos.h"
#include "model/Partida.h"
#include "model/Pentominos.h"
#include "model/RegistrosModelo.h"
#include "model/Tangram.h"
#include "model/TaipeiModelo.h"
#include "platform/numbers.h"

#include <algorithm>

using pasos::Paso;

namespace {

constexpr int kSonidoPulsado = 6, kCursorDefecto = 0, kCursorIndice = 23;
constexpr plat::Color kRojoOscuro = 0x000080, kAmarillo = 0x00FFFF;

// The preview cleared to the background colour (a picture shown before is
// dropped).
void LimpiaMuestra(plat::Surface& s) {
    if (s.hasPicture()) s.clearPicture();
    s.setBackColor(plat::Color(PuzzGbl.ColorFondo));
    s.cls();
}

void Imprime(plat::Surface& s, int x, int y, const QString& texto) {
    s.setForeColor(kAmarillo);
    s.setCurrent(x, y);
    s.print(texto);
}

} // namespace

QString TextoMuestraTaipei(int filas, int columnas, int niveles) {
    return plat::formatText(QString::number(filas), QStringLiteral("@@")) + QStringLiteral(" filas x ") +
           plat::formatText(QString::number(columnas), QStringLiteral("@@")) + QStringLiteral(" columnas x ") +
           plat::formatText(QString::number(niveles), QStringLiteral("@")) +
           (niveles == 1 ? QStringLiteral(" nivel ") : QStringLiteral(" niveles "));
}

// ---------------------------------------------------------------- the list

QString Personal::rellenaModelos() {
    ListaOrdenada lista;
    const QString fallo = RellenaListaModelos(lista);
    Lis_Modelos.Clear();
    for (int i = 0; i < lista.ListCount(); ++i) {
        Lis_Modelos.AddItem(lista.List(i));
        Lis_Modelos.setItemData(Lis_Modelos.NewIndex(), lista.ItemData(i));
    }
    return fallo;
}

void Personal::Lis_Modelos_Click() {
    auto& g = PuzzGbl;
    // The layout, a selector and the Tangram mode select items themselves.
    if (!IniciandoVentana && !CambiandoSelector && !CambiandoModoTangram) Sonido(0, kSonidoPulsado);
    const int i = Lis_Modelos.ListIndex();
    if (i < 0 || i >= Lis_Modelos.ListCount()) return;
    g.NroModelo = std::int16_t(Lis_Modelos.ItemData(i));
    g.NombreModelo = Lis_Modelos.List(i).trimmed();
    switch (g.TipoJuego) {
    case 23: {
        bool leido = false;
        Paso([&] { leido = TAN_LeeModelo(); });
        Paso([this] { ImagenCambia(); });
        g.SeleccionValida = leido;
        if (!leido) Paso([this] { avisoModelo(QString::fromUtf8("El modelo está dañado."), QString(), -1); });
        break;
    }
    case 24: {
        bool leido = false;
        Paso([&] { leido = PEN_LeeModelo(g.NroModelo); });
        if (leido) {
            Paso([this] { PEN_DibujaMuestraModelo(); });
        } else {
            // A board that cannot be played (no stored solutions, damaged
            // cells) would never be recognised as solved.
            modeloDanado();
        }
        break;
    }
    case 25: {
        bool leido = false;
        Paso([&] {
            leido = TAI_CargaModelo(g.NroModelo) && TAI_CompruebaDisposicion(TAI_DisposicionActual()).isEmpty();
        });
        if (leido) {
            Paso([this] { TAI_DibujaMuestraModelo(); });
        } else {
            // A layout that cannot take the 144 tiles cannot be dealt.
            modeloDanado();
        }
        break;
    }
    default: break;
    }
    Pic_MostrarImagen.refresh();
}

void Personal::Lis_Modelos_KeyPress(int& tecla) {
    auto& g = PuzzGbl;
    if (g.TipoJuego != 23 || (tecla != 'd' && tecla != 'D')) return;
    // Nothing chosen (an empty list, or past its end): nothing to delete.
    const int i = Lis_Modelos.ListIndex();
    if (i < 0 || i >= Lis_Modelos.ListCount()) return;
    const QString nombre = Lis_Modelos.List(i);
    const std::int16_t nro = std::int16_t(Lis_Modelos.ItemData(i));
    g.NroModelo = nro;
    const QString& n = g.SaltoLinea;
    const QString titulo = QStringLiteral("Borrar modelo de Tangram");
    Mensaje(titulo,
            QStringLiteral("Va a eliminar el modelo de Tangram con el nombre:") + n + n + nombre + n + n +
                QString::fromUtf8("Pulse el botón Aceptar para borrar el modelo. Si pulsa el botón Cancelar no se "
                                  "borrará."),
            7, 2, ayuda::kBorrarModeloTangram);
    Refresh();
    if (!g.RespuestaMensaje) return;
    ResultadoEscritura r;
    Paso([&] { r = TAN_BorraModelo(nro); });
    if (!r.escrito) {
        // The file is as it was: so is the list.
        Mensaje(titulo, r.motivo.isEmpty() ? QStringLiteral("No se ha podido borrar el modelo.") : r.motivo, 2, 1);
        Refresh();
        return;
    }
    Paso([this] { rellenaModelos(); });
    if (Lis_Modelos.ListCount() > 0) {
        Paso([this] { Lis_Modelos.setListIndex(0); });
    } else {
        // The last figure went: no model is chosen any more.
        g.SeleccionValida = false;
        Paso([this] { LimpiaMuestra(Pic_MostrarImagen); });
        Pic_MostrarImagen.refresh();
    }
}

void Personal::Lis_Modelos_MouseMove(std::int16_t, std::int16_t, double, double) {
    if (Lis_Modelos.mousePointer() != kCursorDefecto) return;
    PonCursor(Lis_Modelos, kCursorIndice);
    PuzzGbl.CursorActual = kCursorIndice;
}

// ---------------------------------------------------------------- previews

void Personal::modeloDanado() {
    PuzzGbl.SeleccionValida = false;
    Paso([this] { LimpiaMuestra(Pic_MostrarImagen); });
    Paso([this] { DibujaVisor(Pic_InfoMatriz, QString(), 2); });
    Paso([this] { avisoModelo(QString::fromUtf8("El modelo está dañado."), QString(), -1); });
}

void Personal::avisoModelo(const QString& linea2, const QString& linea3, int x2) {
    plat::Surface& s = Pic_MostrarImagen;
    s.filledBox(44, 65, 198, 126, kRojoOscuro);
    Imprime(s, 49, 70, QStringLiteral("Modelo no seleccionable."));
    // A second line without a place of its own is centred in the box.
    const int x = x2 >= 0 ? x2 : 44 + std::max(0, (154 - s.textWidth(linea2)) / 2);
    Imprime(s, x, 89, linea2);
    if (!linea3.isEmpty()) Imprime(s, 60, 108, linea3);
    s.refresh();
}

void Personal::PEN_DibujaMuestraModelo() {
    auto& g = PuzzGbl;
    plat::Surface& s = Pic_MostrarImagen;
    constexpr int lado = 11;
    const int ox = int(plat::idiv((22 - g.ColumnasTablero) * lado, 2));
    const int oy = int(plat::idiv((16 - g.FilasTablero) * lado, 2));
    Paso([&] { LimpiaMuestra(s); });
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c <= 22; ++c) {
            if (!g.PEN_Modelo[std::size_t(r)][std::size_t(c)]) continue;
            const int x = (c - 1) * lado + ox, y = (r - 1) * lado + oy;
            Paso([&] {
                s.filledBox(x, y, x + lado, y + lado, 0x808080);
                s.box(x, y, x + lado, y + lado, 0xE0E0E0);
            });
        }
    s.refresh();
    Paso([&] {
        DibujaVisor(Pic_InfoMatriz,
                    plat::formatText(QString::number(g.PEN_NumSoluciones), QStringLiteral("@@@@")) +
                        QStringLiteral(" soluciones posibles"),
                    2);
    });
    g.SeleccionValida = true;
}

void Personal::TAI_DibujaMuestraModelo() {
    auto& g = PuzzGbl;
    plat::Surface& s = Pic_MostrarImagen;
    const int w = s.scaleWidth(), h = s.scaleHeight();
    const int filas = std::clamp<int>(g.FilasTablero, 0, 16), columnas = std::clamp<int>(g.ColumnasTablero, 0, 22);
    const int lado = int(std::min(plat::idiv(w, columnas + 1), plat::idiv(h, filas + 1)));
    const int ox = int(plat::idiv(w - columnas * lado, 2)) - 2;
    const int oy = int(plat::idiv(h - filas * lado, 2)) - 2;
    Paso([&] { LimpiaMuestra(s); });
    for (int r = 1; r <= filas; ++r)
        for (int c = 1; c <= columnas; ++c) {
            const int altura = g.TAI_Tablero[std::size_t(r)][std::size_t(c)].Altura;
            for (int nivel = 1; nivel <= altura; ++nivel)
                Paso([&] {
                    const int desplazamiento = 2 * (std::min(nivel, 4) - 1);
                    const int x = (c - 1) * lado + ox - desplazamiento, y = (r - 1) * lado + oy - desplazamiento;
                    s.filledBox(x, y, x + lado, y + lado, 0xBEEBFD);
                    s.box(x, y, x + lado, y + lado, 0x8EBBCD);
                    s.line(x + lado + 1, y + 1, x + lado + 1, y + 1 + lado + 1, 0x6E9BAD);
                    s.line(x + 1, y + lado + 1, x + 1 + lado + 1, y + lado + 1, 0x6E9BAD);
                });
        }
    g.SeleccionValida = true;
    Paso([] { CalculaDificultad(); });
    Paso([&] {
        DibujaVisor(Pic_InfoMatriz, TextoMuestraTaipei(g.TAI_NroFilas, g.TAI_NroColumnas, g.TAI_NroNiveles), 2);
    });
    // Too tall is told before too wide.
    const AjusteTaipei ajuste =
        TAI_AjusteEnMesa(g.FilasTablero, g.ColumnasTablero, g.TAI_NroNiveles, g.AnchoMesa, g.AltoMesa);
    if (ajuste != AjusteTaipei::Cabe) {
        g.SeleccionValida = false;
        const bool alta = ajuste == AjusteTaipei::DemasiadoAlta;
        Paso([&] {
            avisoModelo(QStringLiteral("Sobrepasa la ") + (alta ? QStringLiteral("altura") : QStringLiteral("anchura")),
                        QStringLiteral("actual de la pantalla."), alta ? 57 : 64);
        });
    }
    s.refresh();
}
