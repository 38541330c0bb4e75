// checkhelp <folder>: checks the help pages of a folder and lists every problem.
// Exit status 0 when there is none.
#include "checkhelp.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: checkhelp <help folder>\n");
        return 2;
    }
    const QStringList problems = checkhelp::checkFolder(QString::fromLocal8Bit(argv[1]));
    for (const QString& p : problems) std::fprintf(stderr, "%s\n", qPrintable(p));
    return problems.isEmpty() ? 0 : 1;
}
