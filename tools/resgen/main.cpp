// Placeholder: draws nothing yet; writes an empty resource list.
#include <QDir>
#include <QFile>
#include <QGuiApplication>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out + "/Imagenes");
    QFile q(out + "/images.qrc");
    if (!q.open(QIODevice::WriteOnly)) return 1;
    q.write("<RCC><qresource prefix=\"/\"></qresource></RCC>\n");
    return 0;
}
