#include "materials/MaterialCoefficients.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace korvane {

namespace {

// The row index of every code of one table. The models look a material up on every
// evaluation, thousands of times a search: a code of up to seven characters (all the
// built-in ones) is packed with its length into one integer, so a lookup scans integers in
// table order and the first matching row still wins.
class CodeIndex {
  public:
    template <typename Row>
    explicit CodeIndex(std::span<const Row> table) {
        for (const Row& row : table) {
            codes_.push_back(row.code);
            keys_.push_back(packed(row.code));
        }
    }

    std::optional<std::size_t> find(std::string_view code) const {
        if (code.size() <= kPackedLength) {
            const std::uint64_t key = packed(code);
            for (std::size_t i = 0; i < keys_.size(); ++i) {
                if (keys_[i] == key) {
                    return i;
                }
            }
            return std::nullopt;
        }
        for (std::size_t i = 0; i < codes_.size(); ++i) {
            if (codes_[i] == code) {
                return i;
            }
        }
        return std::nullopt;
    }

  private:
    static constexpr std::size_t kPackedLength = 7;
    static constexpr std::uint64_t kLongCode = ~std::uint64_t{0}; // never a packed short code

    static std::uint64_t packed(std::string_view code) {
        if (code.size() > kPackedLength) {
            return kLongCode;
        }
        std::uint64_t key = code.size();
        for (char c : code) {
            key = (key << 8U) | static_cast<unsigned char>(c);
        }
        return key;
    }

    std::vector<std::string_view> codes_;
    std::vector<std::uint64_t> keys_;
};

// Each table's index, made on its first lookup.
template <auto Table>
const CodeIndex& indexOf() {
    static const CodeIndex index(Table());
    return index;
}

template <auto Table>
auto find(std::string_view code) -> std::optional<typename decltype(Table())::value_type> {
    if (const auto i = indexOf<Table>().find(code)) {
        return Table()[*i];
    }
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> acMagIndex(std::string_view code) {
    return indexOf<acMagTable>().find(code);
}

std::optional<AcMagRow> findAcMagRow(std::string_view code) {
    return find<acMagTable>(code);
}

std::optional<AcLimitRow> findAcLimitRow(std::string_view code) {
    return find<acLimitTable>(code);
}

std::optional<DcBiasRow> findDcBiasRow(std::string_view code) {
    return find<dcBiasTable>(code);
}

std::optional<CompositeDcBiasRow> findCompositeDcBiasRow(std::string_view code) {
    return find<compositeDcBiasTable>(code);
}

std::optional<InitialPermRow> findInitialPermRow(std::string_view code) {
    return find<initialPermTable>(code);
}

std::optional<FrequencyRow> findFrequencyRow(std::string_view code) {
    return find<frequencyTable>(code);
}

std::optional<CoreLossRow> findCoreLossRow(std::string_view code) {
    return find<coreLossTable>(code);
}

} // namespace korvane
