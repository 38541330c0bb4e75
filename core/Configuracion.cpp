#include "core/Configuracion.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "core/TemasAyuda.h"

#include <QFileInfo>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

namespace {

ServiciosEstadoPuzzle g_servicios;

const QString kTituloCarga = QString::fromUtf8("Error en la carga de datos iniciales");
constexpr int kAnchoLineaConfiguracion = 125;

std::optional<std::int16_t> Entero(const QString& campo) { return plat::parseInt16(campo); }

void Pon(QString& linea, int columna, const QString& texto) {
    linea.replace(columna - 1, texto.size(), texto);
}

QString Mitad(const QString& linea, int columna, int ancho) { return linea.mid(columna - 1, ancho); }

// The file as it is spelled on disk, for a path given in any case.
QString RutaEnDisco(const QString& ruta) {
    const QFileInfo info(ruta);
    return plat::findFileCaseInsensitive(info.path(), info.fileName());
}

// Well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF)
// holding at least one multi-byte sequence.
bool EsUtf8ConVariosBytes(const QByteArray& bytes) {
    bool variosBytes = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = (unsigned char)bytes[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int sigue = 0;
        char32_t v = 0, minimo = 0;
        if (b >= 0xC2 && b <= 0xDF) sigue = 1, v = b & 0x1F, minimo = 0x80;
        else if (b >= 0xE0 && b <= 0xEF) sigue = 2, v = b & 0x0F, minimo = 0x800;
        else if (b >= 0xF0 && b <= 0xF4) sigue = 3, v = b & 0x07, minimo = 0x10000;
        else return false;
        if (i + sigue >= bytes.size()) return false;
        for (int k = 1; k <= sigue; ++k) {
            const auto c = (unsigned char)bytes[i + k];
            if ((c & 0xC0) != 0x80) return false;
            v = (v << 6) | (c & 0x3F);
        }
        if (v < minimo || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return false;
        variosBytes = true;
        i += sigue + 1;
    }
    return variosBytes;
}

bool CabeEnCp1252(const QString& texto) { return plat::fromCp1252(plat::toCp1252(texto)) == texto; }

void MensajeCarga(const QString& texto, int lineas) { Mensaje(kTituloCarga, texto, lineas, 1); }

// Whether anything at all stands at the path (a file of any kind, a folder, a
// link), readable or not.
bool AlgoEnRuta(const QString& ruta) {
    const QFileInfo info(ruta);
    return info.exists() || info.isSymLink();
}

// The bytes of a settings or state file, bounded; any failure at all (not
// only a file error) is given as an error number.
QByteArray LeeArchivoAjustes(const QString& ruta, std::int16_t& error) {
    error = 0;
    try {
        return plat::readFile(ruta, plat::kMaxSettingsFile);
    } catch (const plat::RuntimeError& e) {
        error = std::int16_t(e.number());
    } catch (const std::bad_alloc&) {
        error = plat::err::kOutOfMemory;
    } catch (const std::exception&) {
        error = plat::err::kDeviceIoError;
    }
    return QByteArray();
}

// A file that is there but cannot be read is moved aside before the defaults
// take its name, so the player's data is never overwritten. The sentence that
// says where it went, or that it stayed.
QString ApartaIlegible(const QString& ruta, const QString& nombre) {
    try {
        const QString bak = plat::moveAside(ruta);
        return QString::fromUtf8("El archivo ") + nombre + QString::fromUtf8(" no se ha podido leer; se ha apartado como ") +
               bak + QString::fromUtf8(" y se ha vuelto a crear con los valores establecidos por defecto.");
    } catch (const plat::RuntimeError&) {
        return QString::fromUtf8("El archivo ") + nombre +
               QString::fromUtf8(" no se ha podido leer ni apartar; se ha dejado como estaba y se usan los valores "
                                 "establecidos por defecto.");
    }
}

QString TextoNoCreado(const QString& ruta) {
    return QStringLiteral("No se ha podido crear el archivo ") + ruta + QStringLiteral(".");
}

// The defaults of the current game, in their order, then its new puzzle.
void AplicaValoresPorDefecto() {
    auto& g = PuzzGbl;
    g.NombreJugador = QStringLiteral("MiNombre ");
    g.ColorFondo = 0x800000;
    g.ColorPieza = 0x8000;
    g.ColorLineas = 0xFFFFFF;
    CalculaColoresDerivados();
    if (g.TipoJuego == 21) g.MuestraVisible = true;
    else if (g.TipoJuego >= 22 && g.TipoJuego <= 25) g.MuestraVisible = false;
    g.NroModelo = 1;
    g.ZoomImagen = 100;
    g.PiezasLado = 5;
    g.FormaPieza = 0;
    switch (g.TipoJuego) {
    case 21: g.NroPiezas = 25; break;
    case 22: g.NroPiezas = 24; break;
    case 23: g.NroPiezas = 7; break;
    case 24: g.NroPiezas = 12; break;
    default: break;
    }
    if (g_servicios.iniciaGrabadora) g_servicios.iniciaGrabadora();
    g.PasaAlHistorico = false;
    g.TAN_ModoJuego = 2;
    g.TipoRotulo = 2;
    g.MaterialPiezas = 1;
    g.FactorAtraccion = 20;
    g.GiroPermitido = true;
    g.DibujarBorde = true;
    g.AtraccionPiezas = true;
    g.PiezasUnColor = false;
    g.PiezasCasilla = 1;
    if (g.TipoJuego == 21) {
        // The drive line is kept empty: paths carry no drive here.
        g.UnidadImagen.clear();
        g.CarpetaImagen = g.RutaImagenes;
        plat::Surface& modi = mesa.Pic_FonTamModi;
        modi.clearPicture();
        modi.setSize(320, 240);
        modi.cls();
        modi.keepImageAsPicture();
        // The settings window for the player's choice; without it, the
        // first sample picture.
        if (!PideImagenAlJugador() && (!g_servicios.primerPuzzle || !g_servicios.primerPuzzle()))
            mesa.Pic_Boton_MouseDown(2, 0, 0, 0, 0);
    } else if (g_servicios.puzzleNuevo) {
        g_servicios.puzzleNuevo();
    }
}

// A state file left as it is: the defaults give this run's puzzle, and the
// file is kept until the player starts something in the game.
void ConservaEstado() {
    auto& g = PuzzGbl;
    const std::int16_t juego = g.TipoJuego;
    AplicaValoresPorDefecto();
    g.EstadoConservado = juego;
    if (g.EstadoSinApartar == juego) g.EstadoSinApartar = 0;
}

// The road of a state file that cannot be used: the message, the defaults,
// the new puzzle and the file written; a write that fails is said too.
void CreaEstadoPorDefecto(const QString& ruta, const QString& texto, int lineas) {
    if (!texto.isEmpty()) MensajeCarga(texto, lineas);
    AplicaValoresPorDefecto();
    if (!GuardaPuzzleJuego()) MensajeCarga(TextoNoCreado(ruta), 2);
}

} // namespace

QString Cifras(long long v, int ancho) {
    long long maximo = 1;
    for (int i = 0; i < ancho; ++i) maximo *= 10;
    const long long minimo = -(maximo / 10 - 1);
    v = std::clamp(v, minimo, maximo - 1);
    if (v < 0) return QStringLiteral("-") + QString::number(-v).rightJustified(ancho - 1, u'0');
    return QString::number(v).rightJustified(ancho, u'0');
}

// ---- the settings line ----------------------------------------------------------

AjustesGlobales LeeLineaConfiguracion(const QString& linea, AjustesGlobales a) {
    if (auto v = Entero(Mitad(linea, 1, 2))) a.TipoJuego = *v;
    if (auto v = Entero(Mitad(linea, 3, 2))) a.SonidoActivo = *v != 0;
    if (auto v = Entero(Mitad(linea, 5, 3))) a.VelocidadJuego = *v;
    if (auto v = Entero(Mitad(linea, 8, 2))) a.MostrarSugerencias = *v != 0;
    if (auto v = Entero(Mitad(linea, 10, 1))) a.ListaMovimientos = *v;
    return a;
}

AjustesGlobales ValidaAjustes(AjustesGlobales a) {
    if (a.TipoJuego < 21 || a.TipoJuego > 25) a.TipoJuego = 21;
    if (a.VelocidadJuego < 0 || a.VelocidadJuego > 100) a.VelocidadJuego = 50;
    if (a.ListaMovimientos != 1 && a.ListaMovimientos != 2) a.ListaMovimientos = 2;
    return a;
}

QString ComponeLineaConfiguracion(const AjustesGlobales& a) {
    QString linea(kAnchoLineaConfiguracion, u' ');
    Pon(linea, 1, Cifras(a.TipoJuego, 2));
    Pon(linea, 3, a.SonidoActivo ? QStringLiteral("-1") : QStringLiteral("0"));
    Pon(linea, 5, Cifras(a.VelocidadJuego, 3));
    Pon(linea, 8, a.MostrarSugerencias ? QStringLiteral("-1") : QStringLiteral("0"));
    Pon(linea, 10, Cifras(a.ListaMovimientos, 1));
    return linea;
}

// ---- quoted lines ---------------------------------------------------------------

QByteArray ComponeArchivoEstado(const QStringList& lineas) {
    QByteArray bytes;
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString& l = lineas[i];
        bytes += '"';
        bytes += (i < 4 && !CabeEnCp1252(l)) ? l.toUtf8() : plat::toCp1252(l);
        bytes += "\"\r\n";
    }
    return bytes;
}

QStringList LeeLineasEstado(const QByteArray& contenido) {
    QStringList lineas;
    for (const QByteArray& bruta : plat::splitLines(contenido)) {
        QString texto = (lineas.size() < 4 && EsUtf8ConVariosBytes(bruta)) ? QString::fromUtf8(bruta)
                                                                           : plat::fromCp1252(bruta);
        if (texto.startsWith(u'"')) texto.remove(0, 1);
        if (texto.endsWith(u'"')) texto.chop(1);
        lineas << texto;
    }
    return lineas;
}

// ---- the global settings file -----------------------------------------------------

void LeeConfiguracion() {
    auto& g = PuzzGbl;
    g.ErrorFichero = 0;
    AjustesGlobales a{g.TipoJuego, g.SonidoActivo, g.VelocidadJuego, g.MostrarSugerencias, g.ListaMovimientos};
    const QString ruta = plat::findFileCaseInsensitive(g.RutaPrograma, QStringLiteral("Tsl34.ini"));
    std::int16_t error = 0;
    const QByteArray contenido = LeeArchivoAjustes(ruta, error);
    g.ErrorFichero = error;
    if (error == 0) {
        try {
            a = LeeLineaConfiguracion(LeeLineasEstado(contenido).value(0), a);
        } catch (const std::exception&) {
            // Whatever was read is validated below all the same.
        }
    }
    // The values in force are always validated before use, whatever failed.
    a = ValidaAjustes(a);
    g.TipoJuego = a.TipoJuego;
    g.SonidoActivo = a.SonidoActivo;
    g.VelocidadJuego = a.VelocidadJuego;
    g.MostrarSugerencias = a.MostrarSugerencias;
    g.ListaMovimientos = a.ListaMovimientos;
    if (g.ErrorFichero == 0) return;

    // A file that is there but unreadable is kept aside, never overwritten.
    QString apartado;
    if (g.ErrorFichero != plat::err::kFileNotFound && g.ErrorFichero != plat::err::kPathNotFound && AlgoEnRuta(ruta))
        apartado = ApartaIlegible(ruta, QStringLiteral("Tsl34.ini"));
    // Written first, so that the message tells what really happened.
    const bool escrito = GuardaConfiguracion();
    if (g.ErrorFichero == plat::err::kOverflow) return;
    QString texto = g.ErrorFichero == plat::err::kFileNotFound
                        ? QString::fromUtf8("No  se  encuentra  el  fichero de inicialización  Tsl34.ini .  Se ha  "
                                            "procedido  a  crearlo  automáticamente  con  los  valores establecidos "
                                            "por defecto.")
                        : QStringLiteral("IDC ERROR ") + QString::number(g.ErrorFichero);
    int lineas = 3;
    if (!apartado.isEmpty()) {
        texto += g.SaltoLinea + apartado;
        lineas += 3;
    }
    if (!escrito) {
        texto += g.SaltoLinea + TextoNoCreado(ruta);
        lineas += 2;
    }
    MensajeCarga(texto, lineas);
}

bool GuardaConfiguracion() {
    const auto& g = PuzzGbl;
    const AjustesGlobales a{g.TipoJuego, g.SonidoActivo, g.VelocidadJuego, g.MostrarSugerencias, g.ListaMovimientos};
    try {
        plat::writeFile(plat::findFileCaseInsensitive(g.RutaPrograma, QStringLiteral("Tsl34.ini")),
                        ComponeArchivoEstado({ComponeLineaConfiguracion(a)}));
        return true;
    } catch (const plat::RuntimeError&) {
        return false;
    }
}

// ---- state files ---------------------------------------------------------------------

QString RutaEstadoJuego(std::int16_t juego) {
    return plat::findFileCaseInsensitive(PuzzGbl.RutaPrograma,
                                         QStringLiteral("Tsl") + Cifras(juego, 2) + QStringLiteral("34.ini"));
}

void LeePuzzleJuego(const QString& ruta) {
    auto& g = PuzzGbl;
    g.ErrorFichero = 0;
    const QString enDisco = RutaEnDisco(ruta);
    const bool esEstadoDelJuego = enDisco.compare(RutaEstadoJuego(g.TipoJuego), Qt::CaseInsensitive) == 0;

    std::int16_t error = 0;
    const QByteArray contenido = LeeArchivoAjustes(enDisco, error);
    g.ErrorFichero = error;
    // What is wrong with the model when that alone refused the state.
    QString fallaModelo;
    bool soloPantalla = false; // the model is sound, only too large for this screen
    if (g.ErrorFichero == 0) {
        if (!g_servicios.comprueba) return; // nothing installed to read it with: left alone
        if (g_servicios.comprueba(contenido, esEstadoDelJuego ? g.TipoJuego : 0).isEmpty()) {
            // A saved puzzle of another game: the game left keeps its own state.
            if (g_servicios.juegoComprobado && g_servicios.juegoComprobado() != g.TipoJuego) GuardaPuzzleJuego();
            if (esEstadoDelJuego && g.EstadoConservado == g.TipoJuego) g.EstadoConservado = 0;
            g_servicios.aplica();
            // A saved puzzle loaded into a game whose state is kept.
            if (!esEstadoDelJuego) JuegoEmpezado();
            // A finished puzzle counts no more time, whatever the clock was doing.
            if (g.MostrandoModelo) MarchaCronometro(2);
            return;
        }
        if (g_servicios.modeloInutil) {
            const auto fallo = g_servicios.modeloInutil();
            fallaModelo = fallo.motivo;
            soloPantalla = fallo.pantalla;
        }
    }

    if (!esEstadoDelJuego) {
        QString texto = QStringLiteral("No se ha podido cargar el puzzle archivado ") +
                        QFileInfo(ruta).completeBaseName();
        int lineas = 3;
        if (!fallaModelo.isEmpty()) {
            texto += QStringLiteral(" porque ") + fallaModelo;
            lineas += 1;
        }
        Mensaje(QStringLiteral("Cargar un puzzle archivado"),
                texto + QStringLiteral(". El puzzle actual no se ha modificado."), lineas, 1,
                ayuda::kGuardarCargarPuzzles);
        return;
    }
    if (!fallaModelo.isEmpty()) {
        // The puzzle is sound and only its model is not: the file is kept as
        // it is for the start after the model file is mended, or on a screen
        // its layout fits, until the player starts something here (the
        // defaults' own deal is not that).
        const QString cuando = soloPantalla
                                   ? QString::fromUtf8("cuando el programa se abra en una pantalla lo bastante grande "
                                                       "para su modelo")
                                   : QString::fromUtf8("cuando el archivo de modelos esté en orden");
        MensajeCarga(QStringLiteral("No se puede cargar el puzzle de ") + ruta + QStringLiteral(" porque ") +
                         fallaModelo + QString::fromUtf8(". El archivo ") + QFileInfo(enDisco).fileName() +
                         QString::fromUtf8(" se conserva tal como está y no se modificará al salir; el puzzle se "
                                           "cargará de nuevo ") +
                         cuando + QString::fromUtf8(". Mientras tanto se usan los valores establecidos por defecto."),
                     soloPantalla ? 8 : 7);
        ConservaEstado();
        return;
    }
    if (g.ErrorFichero != 0) {
        QString texto;
        if (g.ErrorFichero == plat::err::kFileNotFound)
            texto = QString::fromUtf8("No se encuentra el archivo de inicialización ") + ruta +
                    QString::fromUtf8(". Se ha  procedido  a  crearlo automáticamente  con  los  valores "
                                      "establecidos por defecto.");
        else if (g.ErrorFichero != plat::err::kOverflow)
            texto = QStringLiteral("CID ERROR ") + QString::number(g.ErrorFichero);
        int lineas = 3;
        // There but unreadable: kept aside, never overwritten.
        if (g.ErrorFichero != plat::err::kFileNotFound && g.ErrorFichero != plat::err::kPathNotFound &&
            AlgoEnRuta(enDisco)) {
            texto += g.SaltoLinea + ApartaIlegible(enDisco, QFileInfo(enDisco).fileName());
            lineas += 3;
        }
        CreaEstadoPorDefecto(ruta, texto, lineas);
        return;
    }
    // Damaged: kept aside (older copies kept too) before the defaults replace it.
    try {
        plat::moveAside(enDisco);
    } catch (const plat::RuntimeError&) {
        MensajeCarga(QString::fromUtf8("El archivo de inicialización ") + ruta +
                         QString::fromUtf8(" está dañado y no se ha podido guardar una copia .bak; se ha dejado "
                                           "como estaba y se usan los valores establecidos por defecto."),
                     4);
        ConservaEstado();
        return;
    }
    CreaEstadoPorDefecto(ruta,
                         QString::fromUtf8("El archivo de inicialización ") + ruta +
                             QString::fromUtf8(" está dañado. Se ha guardado una copia .bak y se ha vuelto a crear "
                                               "con los valores establecidos por defecto."),
                         4);
}

bool GuardaPuzzleJuego() {
    if (g_servicios.sinPuzzle && g_servicios.sinPuzzle()) return true; // nothing to keep
    // Kept: the player's file stays on disk as it was.
    if (PuzzGbl.EstadoConservado != 0 && PuzzGbl.EstadoConservado == PuzzGbl.TipoJuego) return true;
    return GuardaPuzzleArchivo(RutaEstadoJuego(PuzzGbl.TipoJuego));
}

void JuegoEmpezado() {
    auto& g = PuzzGbl;
    if (g.EstadoConservado == 0 || g.EstadoConservado != g.TipoJuego || g.EstadoSinApartar == g.TipoJuego) return;
    const QString ruta = RutaEstadoJuego(g.TipoJuego);
    const QString nombre = QFileInfo(ruta).fileName();
    try {
        const QString bak = plat::moveAside(ruta);
        g.EstadoConservado = 0;
        MensajeCarga(QString::fromUtf8("El archivo ") + nombre +
                         QString::fromUtf8(", que se conservaba tal como estaba, se ha apartado como ") + bak +
                         QString::fromUtf8(" para guardar el puzzle que acaba de empezar."),
                     3);
    } catch (const plat::RuntimeError& e) {
        g.EstadoSinApartar = g.TipoJuego;
        MensajeCarga(QString::fromUtf8("El archivo ") + ruta +
                         QString::fromUtf8(" se conserva tal como está y no se ha podido apartar (error ") +
                         QString::number(e.number()) +
                         QString::fromUtf8("); el puzzle que acaba de empezar no se guardará al salir."),
                     4);
    }
}

void CargaPuzzleArchivo(const QString& ruta) {
    PuzzGbl.CargaCorrecta = false;
    std::int16_t error = 0;
    const QByteArray contenido = LeeArchivoAjustes(RutaEnDisco(ruta), error);
    if (error != 0) return;
    if (!g_servicios.comprueba || !g_servicios.comprueba(contenido, 0).isEmpty()) return;
    g_servicios.aplica();
    PuzzGbl.CargaCorrecta = true;
}

bool GuardaPuzzleArchivo(const QString& ruta) {
    if (!g_servicios.compone) return false;
    try {
        plat::writeFile(RutaEnDisco(ruta), ComponeArchivoEstado(g_servicios.compone()));
        return true;
    } catch (const plat::RuntimeError&) {
        return false;
    }
}

// ---- colours -------------------------------------------------------------------------

namespace {
struct Canales {
    long long r, g, b;
};
Canales Separa(std::int32_t color) {
    const long long v = color;
    const long long b = v / 65536;
    const long long g = (v - b * 65536) / 256;
    return {v - b * 65536 - g * 256, g, b};
}
std::int32_t Matiz(std::int32_t color, int d) {
    const Canales c = Separa(color);
    auto ajusta = [d](long long x) { return std::clamp<long long>(x + d, 0, 255); };
    return std::int32_t(ajusta(c.r) + 256 * ajusta(c.g) + 65536 * ajusta(c.b));
}
} // namespace

void CalculaColoresDerivados() {
    auto& g = PuzzGbl;
    const Canales c = Separa(g.ColorFondo);
    const double brillo = plat::roundHalfEven((0.8 * double(c.r) + 2.0 * double(c.g) + 0.2 * double(c.b)) / 3.0);
    g.ColorLineas = brillo > 128 ? 0 : 0xFFFFFF;
    if ((g.ColorFondo == 0 && g.ColorPieza == 0xFFFFFF) || (g.ColorFondo == 0xFFFFFF && g.ColorPieza == 0))
        g.ColorLineas = 0xC0C0C0;
    g.ColorFondoClaro = Matiz(g.ColorFondo, 40);
    g.ColorFondoOscuro = Matiz(g.ColorFondo, -40);
    g.ColorPiezaClaro = Matiz(g.ColorPieza, 40);
    g.ColorPiezaOscuro = Matiz(g.ColorPieza, -40);
}

void InstalaServiciosEstadoPuzzle(ServiciosEstadoPuzzle servicios) { g_servicios = std::move(servicios); }

namespace {
std::function<void()> g_eleccionImagen;
} // namespace

void PonEleccionImagen(std::function<void()> abre) { g_eleccionImagen = std::move(abre); }

bool PideImagenAlJugador() {
    if (!g_eleccionImagen) return false;
    g_eleccionImagen();
    return true;
}
