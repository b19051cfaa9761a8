#include "materials/MaterialCoefficients.h"

namespace korvane {

namespace {

template <typename Row>
std::optional<std::size_t> indexOf(std::span<const Row> table, std::string_view code) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == code) {
            return i;
        }
    }
    return std::nullopt;
}

template <typename Row>
std::optional<Row> find(std::span<const Row> table, std::string_view code) {
    if (const auto i = indexOf(table, code)) {
        return table[*i];
    }
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> acMagIndex(std::string_view code) {
    return indexOf(acMagTable(), code);
}

std::optional<AcMagRow> findAcMagRow(std::string_view code) {
    return find(acMagTable(), code);
}

std::optional<AcLimitRow> findAcLimitRow(std::string_view code) {
    return find(acLimitTable(), code);
}

std::optional<DcBiasRow> findDcBiasRow(std::string_view code) {
    return find(dcBiasTable(), code);
}

std::optional<CompositeDcBiasRow> findCompositeDcBiasRow(std::string_view code) {
    return find(compositeDcBiasTable(), code);
}

std::optional<InitialPermRow> findInitialPermRow(std::string_view code) {
    return find(initialPermTable(), code);
}

std::optional<FrequencyRow> findFrequencyRow(std::string_view code) {
    return find(frequencyTable(), code);
}

std::optional<CoreLossRow> findCoreLossRow(std::string_view code) {
    return find(coreLossTable(), code);
}

} // namespace korvane
