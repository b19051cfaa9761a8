#include "results/DesignRun.h"

#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"

namespace korvane {

void ResultTablesRowSink::prepareTables(float stackCount) {
    stackCount_ = stackCount;
    tables_.prepareTables(stackCount, units_);
}

void ResultTablesRowSink::writeRow(int slot, const CoreRecord& core,
                                   const DesignCandidate& candidate,
                                   const std::optional<BobbinRecord>& bobbin) {
    tables_.writeRow(slot, core, candidate, stackCount_, application_, units_, bobbin);
}

DesignRunOutput runAutomaticDesign(const Requirement& requirement, const RequirementBlock& block,
                                   const DesignParameters& parameters,
                                   const MaterialSelection& selection, const CoreCatalog& catalog,
                                   const MaterialModel& model, bool collectTrace,
                                   ResultPageState window) {
    DesignRunOutput out;
    out.state = std::move(window);
    out.design = makeDesignRun(requirement, parameters.wireSystem());
    out.state.beginRun(requirement.application);
    out.state.setRequirementBlock(block);
    ResultTablesRowSink rows(out.tables, requirement.application, parameters.unitSystem());
    SearchTrace trace;
    if (collectTrace) {
        trace = [&out](const TraceEvent& e) { out.trace.push_back(e); };
    }
    out.search = runDesignSearch(out.design, parameters, selection, catalog, model, &rows, trace);
    if (out.search.valid) {
        out.state.finishRun(requirement.shape, out.search.wireSystemName, out.search.rowCount,
                            out.search.I1peak, out.search.I1rms, out.search.Ipk);
    }
    return out;
}

} // namespace korvane
