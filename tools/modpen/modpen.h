// modpen: the pentomino boards we ship and every way of filling each of them
// with the twelve pentominoes, written as the game's board file "ModPen.mlp"
// and solutions file "SolPen.mlp".
//
// A placement is stored as the game reads it: the row and column (from 1) of
// the top-left cell of the piece's box, its rotation and its flip, for the
// pieces in the order F I L N P T U V W X Y Z. Only orientations the player can
// reach are used: rotations 0 to (distinct rotations - 1) and, for the shapes
// whose mirror image differs, flips 0 and 1; otherwise flip 0. Every solution
// is stored, including those that are mirror images or turns of another, since
// the game compares the placement on the table with each stored one exactly.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace modpen {

constexpr int kRows = 16, kCols = 22;     // the largest board the file holds
constexpr int kPieces = 12;
constexpr int kRecordLength = 452;        // a board record, CR LF included
constexpr int kSolutionLength = 76;       // a solution line, without its CR LF
constexpr int kMaxSolutions = 9999;       // what the 4-digit count holds

// A shape: its five cells (column, row) in its box, the box, the number of
// distinct rotations and of sides (2 when flipping gives another shape).
struct Shape {
    std::array<int, 5> x{}, y{};
    int width = 0, height = 0, rotations = 0, sides = 0;
    char letter = ' ';
};

// The twelve shapes, F I L N P T U V W X Y Z (index 0 is F).
const std::array<Shape, kPieces>& shapes();

// The five cells of shape `piece` (0..11) turned `turn` quarter turns
// clockwise and then, when `flip` is 1, mirrored; moved so that the cells start
// at (0, 0). width and height are those of the turned box.
struct Oriented {
    std::array<int, 5> x{}, y{};
    int width = 0, height = 0;
};
Oriented orient(int piece, int turn, int flip);

// A board: its name (at most 25 characters) and its rows, each a text of
// '#' (a cell to fill) and '.' (no cell), all of one length.
struct Board {
    QString name;
    std::vector<QString> rows;
    int rowCount() const { return int(rows.size()); }
    int colCount() const { return rows.empty() ? 0 : int(rows[0].size()); }
    bool cell(int r, int c) const { return rows[std::size_t(r)][c] == u'#'; }
};

// The boards we ship, in the order of their model numbers.
const std::vector<Board>& boards();

// One piece placed: row and column (from 1) of its box's top-left cell, its
// rotation and flip.
struct Placement {
    int row = 0, col = 0, turn = 0, flip = 0;
    bool operator==(const Placement&) const = default;
};
using Solution = std::array<Placement, kPieces>;

// Every way of covering the board's cells exactly with the twelve pieces,
// each once, found by an exact-cover search with dancing links. Stops after
// `limit` solutions.
std::vector<Solution> solve(const Board& board, int limit = 1 << 30);

// The board's record of "ModPen.mlp" and one solution's line of "SolPen.mlp"
// (without CR LF), as text of one byte per character.
QString boardRecord(const Board& board, int solutions);
QString solutionLine(int model, const Solution& s);

// Both files for the boards: model n is boards[n - 1]; the solutions of each
// model in ascending order of their lines. Fails (false, with a reason) when a
// board has no solution or more than the file can count.
struct Files {
    QByteArray boards, solutions;
    std::vector<int> counts; // per model
};
bool makeFiles(const std::vector<Board>& list, Files& out, QString* error,
               const std::function<void(int model, int count)>& progress = {});

} // namespace modpen
