// The exact-cover search: Knuth's Algorithm X on dancing links. One column per
// piece and one per cell of the board; one row per placement of a piece in a
// reachable orientation that lies on board cells only.
#include "modpen.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <stdexcept>

namespace modpen {

namespace {

// The 24-character rows "xy xy xy xy xy W H R C L" of the shapes.
constexpr const char* kShapeRows[kPieces] = {
    "01 10 11 12 20 3 3 4 2 F", "00 01 02 03 04 1 5 2 1 I", "00 01 02 03 13 2 4 4 2 L",
    "01 02 03 10 11 2 4 4 2 N", "00 01 02 10 11 2 3 4 2 P", "00 10 20 11 12 3 3 4 1 T",
    "00 01 11 21 20 3 2 4 1 U", "00 01 02 12 22 3 3 4 1 V", "02 12 11 21 20 3 3 4 1 W",
    "01 11 21 10 12 3 3 1 1 X", "01 10 11 12 13 2 4 4 2 Y", "00 10 11 12 22 3 3 2 2 Z",
};

std::array<Shape, kPieces> makeShapes() {
    std::array<Shape, kPieces> out;
    for (int p = 0; p < kPieces; ++p) {
        const char* s = kShapeRows[p];
        Shape& f = out[std::size_t(p)];
        for (int k = 0; k < 5; ++k) {
            f.x[std::size_t(k)] = s[3 * k] - '0';
            f.y[std::size_t(k)] = s[3 * k + 1] - '0';
        }
        f.width = s[15] - '0';
        f.height = s[17] - '0';
        f.rotations = s[19] - '0';
        f.sides = s[21] - '0';
        f.letter = s[23];
    }
    return out;
}

// The dancing-links matrix. Node 0 is the root; nodes 1..columns the column
// headers; the rest the 1s of the rows, six per placement.
class Links {
public:
    explicit Links(int columns) : size_(std::size_t(columns) + 1, 0) {
        for (int c = 0; c <= columns; ++c) {
            left_.push_back(c == 0 ? columns : c - 1);
            right_.push_back(c == columns ? 0 : c + 1);
            up_.push_back(c);
            down_.push_back(c);
            column_.push_back(c);
            row_.push_back(-1);
        }
    }

    void addRow(int row, const std::vector<int>& columns) {
        int first = -1;
        for (int c : columns) {
            const int n = int(left_.size());
            column_.push_back(c);
            row_.push_back(row);
            up_.push_back(up_[std::size_t(c)]);
            down_.push_back(c);
            down_[std::size_t(up_[std::size_t(c)])] = n;
            up_[std::size_t(c)] = n;
            ++size_[std::size_t(c)];
            if (first < 0) {
                first = n;
                left_.push_back(n);
                right_.push_back(n);
            } else {
                left_.push_back(left_[std::size_t(first)]);
                right_.push_back(first);
                right_[std::size_t(left_[std::size_t(first)])] = n;
                left_[std::size_t(first)] = n;
            }
        }
    }

    // Calls found(rows) for every exact cover, until it returns false.
    void search(const std::function<bool(const std::vector<int>&)>& found) {
        chosen_.clear();
        found_ = &found;
        stop_ = false;
        recurse();
    }

private:
    void cover(int c) {
        right_[std::size_t(left_[std::size_t(c)])] = right_[std::size_t(c)];
        left_[std::size_t(right_[std::size_t(c)])] = left_[std::size_t(c)];
        for (int i = down_[std::size_t(c)]; i != c; i = down_[std::size_t(i)])
            for (int j = right_[std::size_t(i)]; j != i; j = right_[std::size_t(j)]) {
                down_[std::size_t(up_[std::size_t(j)])] = down_[std::size_t(j)];
                up_[std::size_t(down_[std::size_t(j)])] = up_[std::size_t(j)];
                --size_[std::size_t(column_[std::size_t(j)])];
            }
    }
    void uncover(int c) {
        for (int i = up_[std::size_t(c)]; i != c; i = up_[std::size_t(i)])
            for (int j = left_[std::size_t(i)]; j != i; j = left_[std::size_t(j)]) {
                ++size_[std::size_t(column_[std::size_t(j)])];
                down_[std::size_t(up_[std::size_t(j)])] = j;
                up_[std::size_t(down_[std::size_t(j)])] = j;
            }
        right_[std::size_t(left_[std::size_t(c)])] = c;
        left_[std::size_t(right_[std::size_t(c)])] = c;
    }
    void recurse() {
        if (right_[0] == 0) {
            stop_ = !(*found_)(chosen_);
            return;
        }
        // The column with the fewest rows left.
        int c = right_[0];
        for (int j = right_[std::size_t(c)]; j != 0; j = right_[std::size_t(j)])
            if (size_[std::size_t(j)] < size_[std::size_t(c)]) c = j;
        if (size_[std::size_t(c)] == 0) return;
        cover(c);
        for (int r = down_[std::size_t(c)]; r != c && !stop_; r = down_[std::size_t(r)]) {
            chosen_.push_back(row_[std::size_t(r)]);
            for (int j = right_[std::size_t(r)]; j != r; j = right_[std::size_t(j)]) cover(column_[std::size_t(j)]);
            recurse();
            for (int j = left_[std::size_t(r)]; j != r; j = left_[std::size_t(j)]) uncover(column_[std::size_t(j)]);
            chosen_.pop_back();
        }
        uncover(c);
    }

    std::vector<int> left_, right_, up_, down_, column_, row_;
    std::vector<int> size_;
    std::vector<int> chosen_;
    const std::function<bool(const std::vector<int>&)>* found_ = nullptr;
    bool stop_ = false;
};


constexpr int kX = 9;

// Where symmetry g (0..7) takes cell (r, c) of a board of rows x cols: 0 none,
// 1 and 2 the mirrors across the vertical and the horizontal axis, 3 the half
// turn; 4 to 7 (square boards only) the two diagonal mirrors and the quarter
// turns.
std::pair<int, int> mapCell(int g, int r, int c, int rows, int cols) {
    switch (g) {
    case 1: return {r, cols - 1 - c};
    case 2: return {rows - 1 - r, c};
    case 3: return {rows - 1 - r, cols - 1 - c};
    case 4: return {c, r};
    case 5: return {cols - 1 - c, rows - 1 - r};
    case 6: return {c, rows - 1 - r};
    case 7: return {cols - 1 - c, r};
    default: return {r, c};
    }
}

struct SolutionOrder {
    bool operator()(const Solution& a, const Solution& b) const {
        for (std::size_t p = 0; p < a.size(); ++p) {
            const auto ka = std::tie(a[p].row, a[p].col, a[p].turn, a[p].flip);
            const auto kb = std::tie(b[p].row, b[p].col, b[p].turn, b[p].flip);
            if (ka != kb) return ka < kb;
        }
        return false;
    }
};

// The cells of an orientation as one sortable key.
std::vector<int> keyOf(const Oriented& o) {
    std::vector<int> key;
    for (std::size_t k = 0; k < 5; ++k) key.push_back(o.y[k] * 8 + o.x[k]);
    std::sort(key.begin(), key.end());
    return key;
}

struct Orientation {
    int turn = 0, flip = 0;
    Oriented cells;
    std::vector<int> key;
};

// The orientations the player can reach: each once, and together every
// orientation of the shape.
std::vector<Orientation> makeOrientations(int p) {
    const Shape& f = shapes()[std::size_t(p)];
    std::vector<Orientation> out;
    std::set<std::vector<int>> seen;
    for (int flip = 0; flip < f.sides; ++flip)
        for (int turn = 0; turn < f.rotations; ++turn) {
            Orientation o{turn, flip, orient(p, turn, flip), {}};
            o.key = keyOf(o.cells);
            if (!seen.insert(o.key).second) throw std::logic_error("an orientation repeats");
            out.push_back(o);
        }
    for (int flip = 0; flip < 2; ++flip)
        for (int turn = 0; turn < 4; ++turn)
            if (!seen.count(keyOf(orient(p, turn, flip)))) throw std::logic_error("an orientation cannot be reached");
    return out;
}

const std::vector<Orientation>& orientations(int p) {
    static const std::array<std::vector<Orientation>, kPieces> all = [] {
        std::array<std::vector<Orientation>, kPieces> a;
        for (int q = 0; q < kPieces; ++q) a[std::size_t(q)] = makeOrientations(q);
        return a;
    }();
    return all[std::size_t(p)];
}

// The placements of a covering given as the piece (0..11) on each cell.
Solution fromGrid(const std::vector<std::vector<int>>& grid) {
    std::array<std::vector<std::pair<int, int>>, kPieces> cells;
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t c = 0; c < grid[r].size(); ++c)
            if (grid[r][c] >= 0) cells[std::size_t(grid[r][c])].push_back({int(r), int(c)});
    Solution s;
    for (int p = 0; p < kPieces; ++p) {
        const auto& own = cells[std::size_t(p)];
        if (own.size() != 5) throw std::logic_error("a piece is not five cells");
        int minR = 99, minC = 99;
        for (auto [r, c] : own) minR = std::min(minR, r), minC = std::min(minC, c);
        std::vector<int> key;
        for (auto [r, c] : own) key.push_back((r - minR) * 8 + (c - minC));
        std::sort(key.begin(), key.end());
        bool known = false;
        for (const Orientation& o : orientations(p))
            if (o.key == key) {
                s[std::size_t(p)] = Placement{minR + 1, minC + 1, o.turn, o.flip};
                known = true;
            }
        if (!known) throw std::logic_error("a piece's cells are no orientation of it");
    }
    return s;
}

} // namespace

const std::array<Shape, kPieces>& shapes() {
    static const std::array<Shape, kPieces> s = makeShapes();
    return s;
}

Oriented orient(int piece, int turn, int flip) {
    const Shape& f = shapes()[std::size_t(piece)];
    Oriented o;
    const bool upright = turn == 0 || turn == 2;
    o.width = upright ? f.width : f.height;
    o.height = upright ? f.height : f.width;
    int minX = 9, minY = 9;
    for (std::size_t k = 0; k < 5; ++k) {
        int x = f.x[k], y = f.y[k];
        for (int t = 0; t < turn; ++t) {
            const int nx = 4 - y;
            y = x;
            x = nx;
        }
        if (flip == 1) {
            if (upright) x = (f.width - 1) - x;
            else y = (f.height - 1) - y;
        }
        o.x[k] = x;
        o.y[k] = y;
        minX = std::min(minX, x);
        minY = std::min(minY, y);
    }
    for (std::size_t k = 0; k < 5; ++k) {
        o.x[k] -= minX;
        o.y[k] -= minY;
    }
    return o;
}

std::vector<Solution> solve(const Board& board, int limit) {
    const int rows = board.rowCount(), cols = board.colCount();
    if (rows < 1 || rows > kRows || cols < 1 || cols > kCols) throw std::invalid_argument("board size");
    for (const QString& r : board.rows)
        if (r.size() != cols) throw std::invalid_argument("ragged board");

    // The board's own symmetries: only one placement of the X is tried out of
    // each set of places the symmetries exchange; the solutions found are then
    // turned and mirrored into all the others.
    std::vector<int> symmetries;
    for (int g = 0; g < 8; ++g) {
        if (g >= 4 && rows != cols) break;
        bool keeps = true;
        for (int r = 0; r < rows && keeps; ++r)
            for (int c = 0; c < cols && keeps; ++c) {
                const auto [r2, c2] = mapCell(g, r, c, rows, cols);
                keeps = board.cell(r, c) == board.cell(r2, c2);
            }
        if (keeps) symmetries.push_back(g);
    }
    auto firstOfItsKind = [&](int r, int c) {
        for (int g : symmetries) {
            const auto [r2, c2] = mapCell(g, r, c, rows, cols);
            if (r2 * kCols + c2 < r * kCols + c) return false;
        }
        return true;
    };

    std::vector<std::vector<int>> cellColumn(std::size_t(rows), std::vector<int>(std::size_t(cols), 0));
    int columns = kPieces;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (board.cell(r, c)) cellColumn[std::size_t(r)][std::size_t(c)] = ++columns;

    Links links(columns);
    std::vector<std::pair<int, Placement>> placements; // piece (0..11) and where
    std::vector<int> row;
    for (int p = 0; p < kPieces; ++p) {
        for (const Orientation& o : orientations(p))
            for (int r0 = 0; r0 + o.cells.height <= rows; ++r0)
                for (int c0 = 0; c0 + o.cells.width <= cols; ++c0) {
                    // The X is turned into itself by every symmetry: its centre decides.
                    if (p == kX && !firstOfItsKind(r0 + 1, c0 + 1)) continue;
                    row.assign(1, p + 1);
                    for (std::size_t k = 0; k < 5 && row.size() == k + 1; ++k) {
                        const int column =
                            cellColumn[std::size_t(r0 + o.cells.y[k])][std::size_t(c0 + o.cells.x[k])];
                        if (column) row.push_back(column);
                    }
                    if (row.size() != 6) continue;
                    links.addRow(int(placements.size()), row);
                    placements.push_back({p, Placement{r0 + 1, c0 + 1, o.turn, o.flip}});
                }
    }

    std::set<Solution, SolutionOrder> found;
    links.search([&](const std::vector<int>& chosen) {
        std::vector<std::vector<int>> grid(std::size_t(rows), std::vector<int>(std::size_t(cols), -1));
        for (int i : chosen) {
            const auto& [p, at] = placements[std::size_t(i)];
            const Oriented o = orient(p, at.turn, at.flip);
            for (std::size_t k = 0; k < 5; ++k)
                grid[std::size_t(at.row - 1 + o.y[k])][std::size_t(at.col - 1 + o.x[k])] = p;
        }
        for (int g : symmetries) {
            std::vector<std::vector<int>> turned = grid;
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c) {
                    const auto [r2, c2] = mapCell(g, r, c, rows, cols);
                    turned[std::size_t(r2)][std::size_t(c2)] = grid[std::size_t(r)][std::size_t(c)];
                }
            found.insert(fromGrid(turned));
        }
        return int(found.size()) < limit;
    });
    std::vector<Solution> out(found.begin(), found.end());
    if (int(out.size()) > limit) out.resize(std::size_t(limit));
    return out;
}

} // namespace modpen
