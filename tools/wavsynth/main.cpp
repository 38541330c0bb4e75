// Placeholder: synthesises nothing yet; writes an empty resource list.
#include <QDir>
#include <QFile>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QFile q(out + "/sounds.qrc");
    if (!q.open(QIODevice::WriteOnly)) return 1;
    q.write("<RCC><qresource prefix=\"/\"></qresource></RCC>\n");
    return 0;
}
