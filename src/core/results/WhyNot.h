#pragma once

#include "catalog/CoreCatalog.h"
#include "engine/DesignSearch.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline constexpr std::size_t kTraceOutcomeCount = 7;

// Plain name of an outcome, for the counts: "Material not selected", "Accepted", ...
std::string_view outcomeName(TraceOutcome outcome);

// One catalog listing the search visited and what became of it, in plain words.
struct WhyNotRow {
    int line = 0;
    std::string partNumber;
    TraceOutcome outcome = TraceOutcome::NoOperatingPoint;
    std::string reason;
};

// The listings of a run's trace, in listing order.
std::vector<WhyNotRow> whyNotRows(std::span<const TraceEvent> trace);

// A filter is a part-number or material substring, upper case or lower case alike; an empty
// filter matches every row.
bool matchesFilter(const WhyNotRow& row, std::string_view filter);
std::vector<WhyNotRow> filteredRows(std::span<const WhyNotRow> rows, std::string_view filter);

// Listings per outcome, in the order of TraceOutcome.
std::array<int, kTraceOutcomeCount> outcomeCounts(std::span<const WhyNotRow> rows);
// "Accepted 40, Temperature rise over the limit 12, ..." of the outcomes that occur.
std::string countsText(std::span<const WhyNotRow> rows);

// Why a listing the filter names is not among the visited ones: a listing of the run's shape
// after the last one visited was never reached (the search walks the catalog in order and
// stops after 40 designs or when the wire selection stops it); a listing of another shape was
// not searched; nothing when no listing matches or the filter matches visited listings.
std::optional<std::string> notReachedText(std::string_view filter,
                                          std::span<const WhyNotRow> visited,
                                          const CoreCatalog& catalog, CoreShape shape,
                                          const SearchResult& result);

} // namespace korvane
