#pragma once

#include "engine/DesignSearch.h"
#include "requirements/RequirementEntry.h"
#include "results/ResultPageState.h"
#include "results/ResultTables.h"

#include <vector>

namespace korvane {

class DesignParameters;
class MaterialSelection;

// Writes the search's rows into the result tables of the run's application and unit system.
class ResultTablesRowSink : public SearchRowSink {
  public:
    ResultTablesRowSink(ResultTables& tables, Application application, UnitSystem units)
        : tables_(tables), application_(application), units_(units) {}
    void prepareTables(float stackCount) override;
    void writeRow(int slot, const CoreRecord& core, const DesignCandidate& candidate,
                  const std::optional<BobbinRecord>& bobbin) override;

  private:
    ResultTables& tables_;
    Application application_;
    UnitSystem units_;
    float stackCount_ = 1.0F;
};

// Everything one automatic design leaves behind: the search's designs, the filled result
// tables, the results window's state and, when asked for, the trace of the search.
struct DesignRunOutput {
    DesignPFE design;
    SearchResult search;
    ResultTables tables;
    ResultPageState state;
    std::vector<TraceEvent> trace;
};

// The design started by the requirements window's OK: the run built from the accepted
// requirement and the wire standard, the search over the selected materials writing the
// result tables, and the results window's state handed over (run state and requirement
// block). `window` is the results window's state before the run: its page, selected row,
// visible rows and date carry over to the new run.
DesignRunOutput runAutomaticDesign(const Requirement& requirement, const RequirementBlock& block,
                                   const DesignParameters& parameters,
                                   const MaterialSelection& selection, const CoreCatalog& catalog,
                                   const MaterialModel& model, bool collectTrace = false,
                                   ResultPageState window = ResultPageState());

} // namespace korvane
