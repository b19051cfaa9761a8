#pragma once

#include "catalog/Bobbin.h"
#include "catalog/CoreRecord.h"
#include "materials/MaterialSheet.h"
#include "report/ReportJson.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace korvane::report {

// A catalog listing read into its core record, with its bobbin for an E-core.
struct CatalogEntry {
    CoreRecord core;
    std::optional<BobbinRecord> bobbin;
};

// "toroid", "e-core" or "composite".
const char* shapeName(CoreShape s);

// The numeric fields of a core record, and of a bobbin record, in record order.
std::vector<std::pair<const char*, float>> coreNumbers(const CoreRecord& c);
std::vector<std::pair<const char*, float>> bobbinNumbers(const BobbinRecord& b);

Json bobbinJson(const BobbinRecord& b);

// The listings as complete records.
Json catalogJson(std::span<const CatalogEntry> entries);
std::string catalogCsv(std::span<const CatalogEntry> entries);

// One material with its coefficient rows and flags.
Json materialSheetJson(const MaterialSheet& s);

// Every material and the maker's lists of codes.
Json materialsJson(std::span<const MaterialSheet> sheets);

} // namespace korvane::report
