#pragma once

#include "engine/DesignCandidate.h"
#include "report/ReportJson.h"
#include "requirements/Requirement.h"
#include "results/DesignRun.h"

#include <string>
#include <utility>
#include <vector>

namespace korvane::report {

// The requirement record, every field by its name.
Json requirementJson(const Requirement& r);

// A wire record.
Json wireJson(const WireRecord& w);

// Every numeric field of a design candidate after the part number, in record order.
std::vector<std::pair<const char*, double>> candidateNumbers(const DesignCandidate& c);

// A design candidate: the part number, its numbers and its wire.
Json candidateJson(const DesignCandidate& c);

// One result page of a run: its caption, heading lines and rows (END OF CATALOG included).
Json resultPageJson(const DesignRunOutput& run, ResultGrid grid);

// The designs of a run, each with its core's price (null where the catalog has none).
Json designsJson(const DesignRunOutput& run);

// The search trace: what became of every listing visited.
Json traceJson(const DesignRunOutput& run);

// Which result pages a report holds.
struct ResultPages {
    bool electrical = true;
    bool dimensions = true;
};

// A whole design run: requirement, its text, designs, pages, messages and, when the run
// collected it, the trace.
Json designRunJson(const DesignRunOutput& run, const Requirement& requirement,
                   const std::string& requirementText, ResultPages pages,
                   const std::vector<Message>& messages, bool withTrace);

// The designs of a run as CSV: one line per design, the candidate's numbers, its wire and
// the core's price.
std::string designsCsv(const DesignRunOutput& run);

} // namespace korvane::report
