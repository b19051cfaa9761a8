#pragma once

#include "analysis/AnalysisEntry.h"
#include "report/ReportJson.h"
#include "settings/DesignParameters.h"

#include <span>

namespace korvane::report {

// Result rows as [{"label", "value", "text", "units"}], texts as the window shows them.
Json analysisRowsJson(std::span<const ResultRow> rows, const DesignParameters& parameters);

// The entries of the analysis window as typed, with the unit system and wire standard.
Json analysisInputJson(const AnalysisEntry& entry, const DesignParameters& parameters);

// An analysis: the entries, and when analysed the electrical and mechanical rows, the
// analysed candidate and the aging times; then the messages.
Json analysisJson(const AnalysisEntry& entry, AnalysisOutcome outcome,
                  const DesignParameters& parameters, const std::vector<Message>& messages);

} // namespace korvane::report
