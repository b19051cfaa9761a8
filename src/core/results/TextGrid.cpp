#include "results/TextGrid.h"

namespace korvane {

namespace {
const std::string kEmpty;
}

const std::string& TextGrid::cell(int row, int column) const {
    if (!contains(row, column)) {
        return kEmpty;
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool TextGrid::setCell(int row, int column, std::string_view text) {
    if (!contains(row, column)) {
        return false;
    }
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
        std::string(text.substr(0, kCellLength));
    return true;
}

void TextGrid::clearRow(int row) {
    if (row < 0 || row >= kRows) {
        return;
    }
    for (auto& c : rows_[static_cast<std::size_t>(row)]) {
        c.clear();
    }
}

void TextGrid::clear() {
    for (int r = 0; r < kRows; ++r) {
        clearRow(r);
    }
}

} // namespace korvane
