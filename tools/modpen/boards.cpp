// The boards we ship. Each holds sixty cells, as the twelve pentominoes cover,
// and has at least one solution and no more than the file can count.
#include "modpen.h"

namespace modpen {

namespace {

Board make(const char* name, std::vector<const char*> rows) {
    Board b;
    b.name = QString::fromUtf8(name);
    for (const char* r : rows) b.rows.push_back(QString::fromLatin1(r));
    return b;
}

Board rectangle(const char* name, int rows, int cols) {
    Board b;
    b.name = QString::fromUtf8(name);
    for (int r = 0; r < rows; ++r) b.rows.push_back(QString(cols, u'#'));
    return b;
}

std::vector<Board> makeBoards() {
    return {
        // The classic rectangles and the square with its middle left out.
        rectangle("Rectángulo 6 x 10", 6, 10),
        rectangle("Rectángulo 5 x 12", 5, 12),
        rectangle("Rectángulo 4 x 15", 4, 15),
        rectangle("Rectángulo 3 x 20", 3, 20),
        make("Cuadrado 8 x 8 con hueco", {"########", "########", "########", "###..###", "###..###", "########",
                                          "########", "########"}),
        // Our own.
        make("Cuadrado con 4 huecos", {"########", "########", "##.##.##", "########", "########",
                                            "##.##.##", "########", "########"}),
        make("Rectángulo con ranura", {"#########", "#########", "#########", "###...###", "#########",
                                       "#########", "#########"}),
        make("Casa", {"...##...", "..####..", ".######.", "########", "########", "########", "########",
                      "########", "########"}),
        make("Escalera", {"###########", "##########.", "#########..", "########...", "#######....",
                          "######.....", "#####......", "####......."}),
    };
}

} // namespace

const std::vector<Board>& boards() {
    static const std::vector<Board> b = makeBoards();
    return b;
}

} // namespace modpen
