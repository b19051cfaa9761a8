#pragma once

#include "catalog/CoreRecord.h"
#include "domain/Application.h"
#include "domain/SharedTypes.h"
#include "engine/DesignCandidate.h"
#include "results/ResultHeadings.h"
#include "results/TextGrid.h"

#include <optional>
#include <string_view>

namespace korvane {

// Part number of the row the search writes after the last listing.
inline constexpr std::string_view kEndOfCatalog = "END OF CATALOG";

// The three result grids of a design run, filled row by row as the search accepts designs,
// and what their headings depend on that the search decides at its start.
class ResultTables {
  public:
    // Start of a search: the stack count and unit system of the run, every cell emptied.
    void prepareTables(float stackCount, UnitSystem units);

    // Writes row `slot` of the grids: the ELECTRICAL row, and the DIMENSION row of the core's
    // shape (grid X for E-cores, with the bobbin's height and flange; grid D otherwise). A part
    // number containing "END" writes only the part-number cells, of all three grids. A slot
    // outside the grid writes nothing and answers false.
    bool writeRow(int slot, const CoreRecord& core, const DesignCandidate& candidate,
                  float stackCount, Application application, UnitSystem units,
                  const std::optional<BobbinRecord>& bobbin);

    const TextGrid& grid(ResultGrid which) const;

    float stackCount() const { return stackCount_; }
    UnitSystem units() const { return units_; }

    // The headings of a grid's page for a run's application and wire system name.
    HeadingPage headingPage(ResultGrid which, Application application,
                            std::string_view wireSystemName) const;

  private:
    void writeElectrical(int slot, const CoreRecord& core, const DesignCandidate& c,
                         const std::string& partNumber, Application application);
    void writeToroidDimensions(int slot, const CoreRecord& core, const DesignCandidate& c,
                               const std::string& partNumber, UnitSystem units);
    void writeECoreDimensions(int slot, const CoreRecord& core, const DesignCandidate& c,
                              const std::string& partNumber, UnitSystem units,
                              const std::optional<BobbinRecord>& bobbin);

    TextGrid electrical_;
    TextGrid toroidDimension_;
    TextGrid eCoreDimension_;
    float stackCount_ = 1.0F;
    UnitSystem units_ = UnitSystem::English;
};

} // namespace korvane
