#include "materials/AgingTable.h"

namespace korvane {

std::optional<AgingRow> findAgingRow(std::string_view code) {
    for (const AgingRow& row : agingTable()) {
        if (row.code == code) {
            return row;
        }
    }
    return std::nullopt;
}

} // namespace korvane
