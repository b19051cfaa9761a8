#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvane {

// A grid of text cells: 120 rows of 16 cells, each cell at most 31 characters.
class TextGrid {
  public:
    static constexpr int kRows = 120;
    static constexpr int kCells = 16;
    static constexpr std::size_t kCellLength = 31;

    // The cell's text; empty outside the grid.
    const std::string& cell(int row, int column) const;

    // Stores the text cut to 31 characters. A position outside the grid is ignored and
    // answered with false.
    bool setCell(int row, int column, std::string_view text);

    // Empties every cell of one row, or of the grid.
    void clearRow(int row);
    void clear();

    static constexpr bool contains(int row, int column) {
        return row >= 0 && row < kRows && column >= 0 && column < kCells;
    }

  private:
    using Row = std::array<std::string, kCells>;
    std::array<Row, kRows> rows_{};
};

} // namespace korvane
