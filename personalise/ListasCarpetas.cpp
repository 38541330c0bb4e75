#include "personalise/ListasCarpetas.h"

#include "platform/files.h"
#include "platform/picture.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace carpetas {

namespace {

bool MenorSinCaso(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

QStringList Entradas(const QString& carpeta, QDir::Filters filtro) {
    QDir dir(carpeta);
    if (!dir.exists() || !QFileInfo(carpeta).isReadable()) return {};
    QStringList nombres;
    for (const QString& n : dir.entryList(filtro | QDir::NoDotAndDotDot))
        if (!n.startsWith(QLatin1Char('.'))) nombres << n;
    std::sort(nombres.begin(), nombres.end(), MenorSinCaso);
    return nombres;
}

} // namespace

QStringList Unidades() {
    QStringList u{QStringLiteral("/")};
    const QString casa = ComoCarpeta(QDir::homePath());
    if (casa != u.front()) u << casa;
    return u;
}

QString UnidadDe(const QString& carpeta, const QStringList& unidades) {
    const QString c = ComoCarpeta(carpeta);
    QString mejor = unidades.isEmpty() ? QStringLiteral("/") : unidades.front();
    for (const QString& u : unidades)
        if (c.startsWith(u) && u.size() > mejor.size()) mejor = u;
    return mejor;
}

QString ComoCarpeta(const QString& carpeta) {
    QString c = carpeta.trimmed();
    if (c.isEmpty()) return QStringLiteral("/");
    while (c.contains(QStringLiteral("//"))) c.replace(QStringLiteral("//"), QStringLiteral("/"));
    if (!c.endsWith(QLatin1Char('/'))) c += QLatin1Char('/');
    return c;
}

QString UneRuta(const QString& carpeta, const QString& nombre) { return ComoCarpeta(carpeta) + nombre; }

QString NombreCarpeta(const QString& carpeta) {
    const QString c = ComoCarpeta(carpeta);
    if (c == QStringLiteral("/")) return c;
    const QString sin = c.left(c.size() - 1);
    return sin.mid(sin.lastIndexOf(QLatin1Char('/')) + 1);
}

QString CarpetaPadre(const QString& carpeta) {
    const QString c = ComoCarpeta(carpeta);
    if (c == QStringLiteral("/")) return c;
    const QString sin = c.left(c.size() - 1);
    return ComoCarpeta(sin.left(sin.lastIndexOf(QLatin1Char('/')) + 1));
}

std::vector<EntradaCarpeta> ListaCarpetas(const QString& carpeta) {
    const QString c = ComoCarpeta(carpeta);
    std::vector<EntradaCarpeta> lista;
    // The ancestors, the root first, each one step further in.
    QStringList cadena;
    for (QString r = c;; r = CarpetaPadre(r)) {
        cadena.prepend(r);
        if (r == QStringLiteral("/")) break;
    }
    int nivel = 0;
    for (const QString& r : cadena) {
        lista.push_back({r, QString(nivel * 2, QLatin1Char(' ')) + NombreCarpeta(r)});
        ++nivel;
    }
    for (const QString& n : Entradas(c, QDir::Dirs))
        lista.push_back({c + n + QLatin1Char('/'), QString(nivel * 2, QLatin1Char(' ')) + n});
    return lista;
}

int PosicionCarpeta(const std::vector<EntradaCarpeta>& lista, const QString& carpeta) {
    const QString c = ComoCarpeta(carpeta);
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (lista[i].ruta == c) return int(i);
    return -1;
}

QStringList ArchivosImagen(const QString& carpeta) {
    QStringList archivos;
    for (const QString& n : Entradas(ComoCarpeta(carpeta), QDir::Files | QDir::System))
        if (plat::isPictureFileName(n)) archivos << n;
    return archivos;
}

int BuscaArchivo(const QStringList& archivos, const QString& nombre) {
    if (nombre.isEmpty()) return -1;
    const int exacto = archivos.indexOf(nombre);
    if (exacto >= 0) return exacto;
    for (int i = 0; i < archivos.size(); ++i)
        if (QString::compare(archivos[i], nombre, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString NombrePortapapeles(const QString& carpeta, const std::function<bool(const QString& ruta)>& enUso) {
    const QString c = ComoCarpeta(carpeta);
    for (int n = 1; n < 10000; ++n) {
        const QString nombre =
            n == 1 ? QStringLiteral("tsportap.bmp") : QStringLiteral("tsportap%1.bmp").arg(n);
        const QString existente = plat::findFileCaseInsensitive(c, nombre);
        const bool existe = QFileInfo::exists(existente);
        // A file there in another case keeps its spelling: it is replaced.
        const QString ruta = existe ? existente : c + nombre;
        if (!existe || !(enUso && enUso(ruta))) return QFileInfo(ruta).fileName();
    }
    return QStringLiteral("tsportap.bmp");
}

} // namespace carpetas

namespace nropiezas {

QString Texto(int n, int piezasCasilla, int juego) {
    const int casilla = juego == 21 ? std::max(piezasCasilla, 1) : 1;
    const int total = juego == 22 ? n * n - 1 : n * n * casilla;
    QString t = QString::number(n).rightJustified(2) + QStringLiteral(" x ") + QString::number(n).rightJustified(2);
    if (casilla > 1) t += QStringLiteral(" x ") + QString::number(casilla);
    return t + QStringLiteral(" -> ") + QString::number(total).rightJustified(3);
}

int Lado(const QString& texto) {
    bool ok = false;
    const int n = texto.left(2).trimmed().toInt(&ok);
    return ok ? n : 0;
}

QString TextoTamano(int ancho, int alto) {
    return (QString::number(ancho) + QString::fromUtf8(" píxels x ") + QString::number(alto)).trimmed() +
           QString::fromUtf8(" píxels");
}

} // namespace nropiezas
