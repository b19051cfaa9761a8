#pragma once

#include "domain/Application.h"

#include <array>
#include <string>
#include <string_view>

namespace korvane {

// One row of a result list of the analysis: label (at most 23 characters), print format,
// value and units (at most 11 characters).
struct ResultRow {
    std::string label;
    std::string format;
    float value = 0.0F;
    std::string units;
};

inline constexpr std::size_t kElectricalRows = 15;
inline constexpr std::size_t kMechanicalRows = 17;
inline constexpr std::size_t kEntryLabelRows = 20;

using ElectricalRows = std::array<ResultRow, kElectricalRows>;
using MechanicalRows = std::array<ResultRow, kMechanicalRows>;

// The stored (scrambled) form of the entry labels and the electrical rows.
struct StoredEntryLabel {
    std::string_view label;
    std::string_view units;
};
struct StoredResultRow {
    std::string_view label;
    std::string_view format;
    std::string_view units;
};
extern const std::array<StoredEntryLabel, kEntryLabelRows> kStoredEntryLabels;
extern const std::array<StoredResultRow, kElectricalRows> kStoredElectricalRows;

// Step and offset the label tables are scrambled with (modulus 256).
inline constexpr int kLabelStep = 3;
inline constexpr int kLabelOffset = 11;

// Label and units of one entry row of the window, and whether the row is shown.
struct EntryLabel {
    std::string label;
    std::string units;
    bool visible = true;
};

// Entry rows 1 to 9 (index 0 is row 1) of an application, unscrambled.
std::array<EntryLabel, 9> entryLabels(Application application);

// The electrical rows as stored: labels, formats and units unscrambled, values 0.
ElectricalRows storedElectricalRows();

// The mechanical rows as stored (plain), values 0.
MechanicalRows storedMechanicalRows();

// The analysis window's own title of an application (its 60 Hz title reads "POWERLINE
// REQUENCY INDUCTOR"); empty for a kind outside 0 to 5.
std::string_view analysisApplicationTitle(Application application);

// Title of the analysis window: the application's title and " ANALYSIS".
std::string analysisTitle(Application application);

inline constexpr std::string_view kAnalysisCaption = "Analysis: Toroid & E CORES";

} // namespace korvane
