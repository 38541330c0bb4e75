// checkhelp <folder> [<source root>]: checks the help pages of a folder and
// lists every problem; with the program's source root, also the topics the
// program opens. Exit status 0 when there is none.
#include "checkhelp.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: checkhelp <help folder> [<source root>]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QStringList problems = checkhelp::checkFolder(folder);
    if (argc > 2)
        problems << checkhelp::checkProgramTopics(folder, QString::fromLocal8Bit(argv[2]),
                                                  checkhelp::programSourceFolders());
    for (const QString& p : problems) std::fprintf(stderr, "%s\n", qPrintable(p));
    return problems.isEmpty() ? 0 : 1;
}
