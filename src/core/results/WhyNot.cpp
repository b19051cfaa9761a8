#include "results/WhyNot.h"

#include "format/StrPrintf.h"

#include <algorithm>
#include <cctype>

namespace korvane {
namespace {

std::string upper(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

std::string materialOf(std::string_view partNumber) {
    const std::size_t dash = partNumber.find('-');
    return dash == std::string_view::npos ? std::string() : std::string(partNumber.substr(dash));
}

std::string reason(const TraceEvent& e) {
    const auto d = [](float v) { return static_cast<double>(v); };
    switch (e.outcome) {
    case TraceOutcome::MaterialNotSelected:
        return "material " + materialOf(e.partNumber) + " is not selected";
    case TraceOutcome::NoOperatingPoint:
        return "no operating point: the " + e.model + " model found none on this core";
    case TraceOutcome::BelowMinimumPerm:
        return strprintf("permeability under load %.1f %% is below the minimum %.1f %%",
                         d(e.percentPerm), d(e.minPercentPerm));
    case TraceOutcome::WireRejected:
        return strprintf("%.0f turns: no wire fits, ", d(e.turns)) + wireResultMeaning(e.wireCode);
    case TraceOutcome::TemperatureRise:
        return strprintf("%.0f turns: temperature rise %.1f C is over the limit %.1f C", d(e.turns),
                         d(e.tempRise), d(e.tempRiseLimit));
    case TraceOutcome::Accepted:
        return strprintf("accepted into row %d: %.0f turns, %.1f %% perm, rise %.1f C", e.slot + 1,
                         d(e.turns), d(e.percentPerm), d(e.tempRise));
    case TraceOutcome::SearchStopped:
        return wireResultMeaning(e.wireCode) + ": the search stopped here";
    }
    return {};
}

} // namespace

std::string_view outcomeName(TraceOutcome outcome) {
    switch (outcome) {
    case TraceOutcome::MaterialNotSelected:
        return "Material not selected";
    case TraceOutcome::NoOperatingPoint:
        return "No operating point";
    case TraceOutcome::BelowMinimumPerm:
        return "Permeability below the minimum";
    case TraceOutcome::WireRejected:
        return "No wire fits";
    case TraceOutcome::TemperatureRise:
        return "Temperature rise over the limit";
    case TraceOutcome::Accepted:
        return "Accepted";
    case TraceOutcome::SearchStopped:
        return "Search stopped";
    }
    return {};
}

std::vector<WhyNotRow> whyNotRows(std::span<const TraceEvent> trace) {
    std::vector<WhyNotRow> rows;
    rows.reserve(trace.size());
    for (const TraceEvent& e : trace) {
        rows.push_back({e.line, e.partNumber, e.outcome, reason(e)});
    }
    return rows;
}

bool matchesFilter(const WhyNotRow& row, std::string_view filter) {
    return filter.empty() || upper(row.partNumber).find(upper(filter)) != std::string::npos;
}

std::vector<WhyNotRow> filteredRows(std::span<const WhyNotRow> rows, std::string_view filter) {
    std::vector<WhyNotRow> result;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(result),
                 [&](const WhyNotRow& r) { return matchesFilter(r, filter); });
    return result;
}

std::array<int, kTraceOutcomeCount> outcomeCounts(std::span<const WhyNotRow> rows) {
    std::array<int, kTraceOutcomeCount> counts{};
    for (const WhyNotRow& r : rows) {
        const auto i = static_cast<std::size_t>(r.outcome);
        if (i < counts.size()) {
            ++counts[i];
        }
    }
    return counts;
}

std::string countsText(std::span<const WhyNotRow> rows) {
    const auto counts = outcomeCounts(rows);
    std::string text;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] == 0) {
            continue;
        }
        if (!text.empty()) {
            text += ",  ";
        }
        text += std::string(outcomeName(static_cast<TraceOutcome>(i))) + " " +
                std::to_string(counts[i]);
    }
    return text;
}

std::optional<std::string> notReachedText(std::string_view filter,
                                          std::span<const WhyNotRow> visited,
                                          const CoreCatalog& catalog, CoreShape shape,
                                          const SearchResult& result) {
    if (filter.empty() || !filteredRows(visited, filter).empty()) {
        return std::nullopt;
    }
    const std::string wanted = upper(filter);
    const auto findIn = [&](CoreShape s) -> std::optional<CoreRecord> {
        CoreRecord core;
        for (int line = 0; catalog.readCatalogLine(core, line, s) > 0; ++line) {
            if (upper(core.partNumber).find(wanted) != std::string::npos) {
                return core;
            }
        }
        return std::nullopt;
    };
    if (const auto core = findIn(shape)) {
        std::string text = core->partNumber + " was never reached: the search walks the " +
                           std::string(coreShapeName(shape)) + " catalog in listing order";
        const std::string last = visited.empty() ? std::string() : visited.back().partNumber;
        if (result.accepted >= kCandidateSlots) {
            return text + strprintf(" and stops at %d designs, which it had after %s",
                                    kCandidateSlots, last.c_str());
        }
        if (!visited.empty() && visited.back().outcome == TraceOutcome::SearchStopped) {
            return text + " and the wire selection stopped it at " + last;
        }
        return text + (last.empty() ? std::string() : ", and it ended at " + last);
    }
    for (const CoreShape other : {CoreShape::Toroid, CoreShape::ECore, CoreShape::Composite}) {
        if (other == shape) {
            continue;
        }
        if (const auto core = findIn(other)) {
            return core->partNumber + (other == CoreShape::ECore ? " is an " : " is a ") +
                   std::string(coreShapeName(other)) + " listing: the run searched the " +
                   std::string(coreShapeName(shape)) + " catalog";
        }
    }
    return "No listing of the catalog matches " + std::string(filter);
}

} // namespace korvane
