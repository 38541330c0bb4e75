#include "model/RegistrosModelo.h"

#include "core/PuzzGbl.h"
#include "core/Visores.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <QByteArray>
#include <QFileInfo>

#include <exception>
#include <new>

namespace {

constexpr int kLargoNombre = 25;
constexpr std::int16_t kMaxRegistro = 32767; // record numbers are 16-bit

QString RutaDe(const FormatoModelo& f) { return plat::findFileCaseInsensitive(PuzzGbl.RutaArchivo, f.archivo); }

QString TextoError(const FormatoModelo& f, int numero) {
    return QStringLiteral("No se ha podido leer el archivo ") + f.archivo + QStringLiteral(" (error ") +
           QString::number(numero) + QStringLiteral(").");
}

// One line of the file's bytes with its end as it stands ("" for the last
// line when it has none).
struct LineaBruta {
    QByteArray texto, fin;
};

std::vector<LineaBruta> PartePorLineas(const QByteArray& datos) {
    std::vector<LineaBruta> lineas;
    qsizetype inicio = 0;
    const qsizetype n = datos.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = datos[i];
        if (c != '\n' && c != '\r') continue;
        qsizetype fin = i + 1;
        if (c == '\r' && fin < n && datos[fin] == '\n') ++fin;
        lineas.push_back({datos.mid(inicio, i - inicio), datos.mid(i, fin - i)});
        inicio = fin;
        i = fin - 1;
    }
    if (inicio < n) lineas.push_back({datos.mid(inicio), QByteArray()});
    return lineas;
}

} // namespace

const FormatoModelo& FormatoModelosTangram() {
    static const FormatoModelo f{QStringLiteral("ModTan.mlp"), 126};
    return f;
}
const FormatoModelo& FormatoModelosPentominos() {
    static const FormatoModelo f{QStringLiteral("ModPen.mlp"), 452};
    return f;
}
const FormatoModelo& FormatoModelosTaipei() {
    static const FormatoModelo f{QStringLiteral("ModTai.mlp"), 452};
    return f;
}

std::optional<FormatoModelo> FormatoModelosJuego(int tipoJuego) {
    switch (tipoJuego) {
    case 23: return FormatoModelosTangram();
    case 24: return FormatoModelosPentominos();
    case 25: return FormatoModelosTaipei();
    default: return std::nullopt;
    }
}

QString RegistroVacio(const FormatoModelo& f) {
    return QString(kLargoNombre, u' ') + QString(f.largo - kLargoNombre - 2, u'0') + QStringLiteral("\r\n");
}

// ---- reading ------------------------------------------------------------------------

QString FalloLectura(const QString& archivo, int error) {
    if (error == plat::err::kFileNotFound || error == plat::err::kPathNotFound)
        return QStringLiteral("el archivo ") + archivo + QStringLiteral(" no se encuentra");
    return QStringLiteral("el archivo ") + archivo + QString::fromUtf8(" no se ha podido leer (error ") +
           QString::number(error) + QStringLiteral(")");
}

RegistrosModelo::RegistrosModelo(const FormatoModelo& f) : formato_(f) {
    try {
        const QStringList lineas = plat::readLines(RutaDe(f), plat::kMaxDataFile);
        lineas_.assign(lineas.begin(), lineas.end());
        leido_ = true;
    } catch (const plat::RuntimeError& e) {
        error_ = e.number();
        motivo_ = TextoError(f, e.number());
    } catch (const std::bad_alloc&) {
        error_ = plat::err::kOutOfMemory;
        motivo_ = TextoError(f, plat::err::kOutOfMemory);
    }
}

QString RegistrosModelo::fallo() const { return leido_ ? QString() : FalloLectura(formato_.archivo, error_); }

bool RegistrosModelo::usable(int n) const { return motivoRegistro(n).isEmpty(); }

QString RegistrosModelo::motivoRegistro(int n) const {
    if (!leido_) return motivo_;
    const QString cual = QStringLiteral("El modelo ") + QString::number(n) + QStringLiteral(" de ") + formato_.archivo;
    if (n < 1 || n > cuenta()) return cual + QStringLiteral(" no existe.");
    const QString& l = lineas_[std::size_t(n - 1)];
    if (l.size() != formato_.largo - 2)
        return cual + QStringLiteral(" está dañado: su línea tiene ") + QString::number(l.size()) +
               QStringLiteral(" caracteres en vez de ") + QString::number(formato_.largo - 2) + QStringLiteral(".");
    if (SinBlancos(l.left(kLargoNombre)).isEmpty()) return cual + QStringLiteral(" está vacío.");
    return QString();
}

QString RegistrosModelo::registro(int n) const {
    if (!usable(n)) return RegistroVacio(formato_);
    return lineas_[std::size_t(n - 1)] + QStringLiteral("\r\n");
}

std::vector<ModeloUsable> RegistrosModelo::usables() const {
    std::vector<ModeloUsable> modelos;
    const int ultimo = std::min(cuenta(), int(kMaxRegistro));
    for (int n = 1; n <= ultimo; ++n)
        if (usable(n)) modelos.push_back({SinBlancos(lineas_[std::size_t(n - 1)].left(kLargoNombre)), std::int16_t(n)});
    return modelos;
}

int RegistrosModelo::primerHueco() const {
    for (int n = 1; n <= cuenta(); ++n)
        if (SinBlancos(lineas_[std::size_t(n - 1)].left(kLargoNombre)).isEmpty()) return n;
    return cuenta() + 1;
}

QString LeeRegistroModelo(const FormatoModelo& f, int n, QString* motivo) {
    const RegistrosModelo r(f);
    if (motivo) *motivo = r.motivoRegistro(n);
    return r.registro(n);
}

// ---- writing ------------------------------------------------------------------------

ResultadoEscritura EscribeRegistroModelo(const FormatoModelo& f, int n, const QString& registro) {
    ResultadoEscritura r;
    const QString ruta = RutaDe(f);
    const QString noEscrito = QStringLiteral("No se ha podido escribir el archivo ") + f.archivo;
    QString texto = registro;
    if (texto.endsWith(QStringLiteral("\r\n"))) texto.chop(2);
    if (texto.size() != f.largo - 2 || texto.contains(u'\r') || texto.contains(u'\n')) {
        r.motivo = noEscrito + QStringLiteral(": el registro no tiene la forma del archivo.");
        return r;
    }
    try {
        std::vector<LineaBruta> lineas;
        if (QFileInfo::exists(ruta) || QFileInfo(ruta).isSymLink())
            lineas = PartePorLineas(plat::readFile(ruta, plat::kMaxDataFile));
        const int cuenta = int(lineas.size());
        if (n < 1 || n > cuenta + 1 || n > kMaxRegistro) {
            r.motivo = noEscrito + QStringLiteral(": el modelo ") + QString::number(n) +
                       QStringLiteral(" no está en el archivo.");
            return r;
        }
        const QByteArray nuevo = plat::toCp1252(texto);
        if (n == cuenta + 1) {
            // After the last line, which gets its end first when it has none.
            if (!lineas.empty() && lineas.back().fin.isEmpty()) lineas.back().fin = "\r\n";
            lineas.push_back({nuevo, "\r\n"});
        } else {
            lineas[std::size_t(n - 1)] = {nuevo, "\r\n"};
        }
        QByteArray datos;
        for (const LineaBruta& l : lineas) datos += l.texto + l.fin;
        plat::writeFile(ruta, datos);
        r.escrito = true;
        r.registro = std::int16_t(n);
    } catch (const plat::RuntimeError& e) {
        r.motivo = noEscrito + QStringLiteral(" (error ") + QString::number(e.number()) +
                   QStringLiteral("). El archivo queda como estaba.");
    } catch (const std::exception&) {
        r.motivo = noEscrito + QStringLiteral(". El archivo queda como estaba.");
    }
    return r;
}

QString NombreParaRegistro(const QString& nombre) {
    QString limpio;
    for (QChar c : nombre) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || c == u'"') continue;
        if (plat::fromCp1252(plat::toCp1252(QString(c))) != QString(c)) continue;
        limpio += c;
    }
    return SinBlancos(SinBlancos(limpio).left(kLargoNombre));
}
