// wavsynth <outdir>: synthesises every sound of the program into
// <outdir>/sounds/<id>.wav and lists them in <outdir>/sounds.qrc under the
// alias ":/sounds/<id>.wav".
#include "sounds.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(bytes);
    return f.commit();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wavsynth <outdir>\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(out + "/sounds")) {
        std::fprintf(stderr, "wavsynth: cannot make %s/sounds\n", qPrintable(out));
        return 1;
    }
    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const sounds::Design& d : sounds::designs()) {
        const QString rel = QStringLiteral("sounds/%1.wav").arg(d.id);
        if (!writeFile(out + "/" + rel, synth::wavFile(d.make()))) {
            std::fprintf(stderr, "wavsynth: cannot write %s/%s\n", qPrintable(out), qPrintable(rel));
            return 1;
        }
        qrc += "  <file alias=\"" + rel.toUtf8() + "\">" + rel.toUtf8() + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    if (!writeFile(out + "/sounds.qrc", qrc)) {
        std::fprintf(stderr, "wavsynth: cannot write %s/sounds.qrc\n", qPrintable(out));
        return 1;
    }
    return 0;
}
