// The two files: one record of 452 characters per board in "ModPen.mlp", one
// line of 76 characters per solution in "SolPen.mlp", both with CR LF and in
// Windows-1252.
#include "modpen.h"

#include "platform/files.h"

#include <algorithm>

namespace modpen {

namespace {

QString digits(int v, int width) { return QString::number(v).rightJustified(width, u'0'); }

} // namespace

QString boardRecord(const Board& board, int solutions) {
    QString r = board.name.left(25).leftJustified(25, u' ');
    r += digits(board.rowCount(), 2);
    r += digits(board.colCount(), 2);
    r += digits(solutions, 4);
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kCols; ++col)
            r += row < board.rowCount() && col < board.colCount() && board.cell(row, col) ? u'1' : u'0';
    r += QString(65, u'0'); // not read
    r += QStringLiteral("\r\n");
    return r;
}

QString solutionLine(int model, const Solution& s) {
    QString l = digits(model, 2);
    for (const Placement& p : s)
        l += digits(p.row, 2) + digits(p.col, 2) + QString::number(p.turn) + QString::number(p.flip);
    l += QStringLiteral("00"); // not read
    return l;
}

bool makeFiles(const std::vector<Board>& list, Files& out, QString* error,
               const std::function<void(int model, int count)>& progress) {
    out = {};
    QString boardsText, solutionsText;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int model = int(i) + 1;
        const Board& b = list[i];
        int cells = 0;
        for (int r = 0; r < b.rowCount(); ++r)
            for (int c = 0; c < b.colCount(); ++c) cells += b.cell(r, c) ? 1 : 0;
        if (b.name.trimmed().isEmpty() || b.name.size() > 25 || cells != 5 * kPieces) {
            if (error) *error = QStringLiteral("%1: a name of 1 to 25 characters and 60 cells").arg(b.name);
            return false;
        }
        const std::vector<Solution> found = solve(b, kMaxSolutions + 1);
        if (found.empty() || int(found.size()) > kMaxSolutions) {
            if (error)
                *error = QStringLiteral("%1: %2 solutions").arg(b.name, found.empty() ? QStringLiteral("no")
                                                                                       : QStringLiteral("too many"));
            return false;
        }
        QStringList lines;
        for (const Solution& s : found) lines << solutionLine(model, s);
        std::sort(lines.begin(), lines.end());
        for (const QString& l : lines) solutionsText += l + QStringLiteral("\r\n");
        boardsText += boardRecord(b, int(found.size()));
        out.counts.push_back(int(found.size()));
        if (progress) progress(model, int(found.size()));
    }
    out.boards = plat::toCp1252(boardsText);
    out.solutions = plat::toCp1252(solutionsText);
    return true;
}

} // namespace modpen
