#include "session/DesignSession.h"

#include "format/StrPrintf.h"
#include "graphs/AgingGraph.h"
#include "graphs/InductanceGraph.h"
#include "graphs/MaterialGraphs.h"
#include "results/ResultPageState.h"
#include "settings/SettingsFile.h"
#include "spice/SpiceModel.h"

namespace korvane {

DesignSession::Messages::Messages(MessageSink* sink) {
    if (sink != nullptr) {
        previous_ = setMessageSink(sink);
        installed_ = true;
    }
}

DesignSession::Messages::~Messages() {
    if (installed_) {
        setMessageSink(previous_);
    }
}

DesignSession::DesignSession(MessageSink* sink)
    : sink_(sink), createdAt_(ResultPageState::dateTimeText(std::time(nullptr))) {}

bool DesignSession::readSettings(const std::filesystem::path& path) {
    const Messages scope(sink_);
    return readParameterSettings(parameters_, path);
}

bool DesignSession::writeSettings(const std::filesystem::path& path, std::time_t now) {
    const Messages scope(sink_);
    return writeParameterSettings(parameters_, path, now);
}

std::optional<std::string> DesignSession::selectOnly(std::span<const std::string> codes) {
    MaterialSelection chosen = selection_;
    for (std::size_t i = 0; i < chosen.materialCount(); ++i) {
        chosen.setChecked(i, false);
    }
    for (const std::string& code : codes) {
        bool known = false;
        for (std::size_t i = 0; i < chosen.materialCount(); ++i) {
            if (chosen.materials()[i] == code) {
                chosen.setChecked(i, true);
                known = true;
            }
        }
        if (!known) {
            return code;
        }
    }
    chosen.ok();
    selection_ = chosen;
    return std::nullopt;
}

DesignOutcome DesignSession::acceptRequirement(const RequirementTexts& texts, bool collectTrace) {
    const Messages scope(sink_);
    if (!requirement_.accept(texts)) {
        return DesignOutcome::Refused;
    }
    // The results window keeps its page, row and date from one run to the next.
    ResultPageState window = lastRun_ ? std::move(lastRun_->state) : ResultPageState(createdAt_);
    lastRun_ =
        runAutomaticDesign(requirement_.requirement(), requirement_.requirementBlock(), parameters_,
                           selection_, catalog_, model_, collectTrace, std::move(window));
    return lastRun_->search.accepted > 0 ? DesignOutcome::Designed : DesignOutcome::NoDesign;
}

void DesignSession::selectRow(int row) {
    if (lastRun_) {
        lastRun_->state.selectRow(row);
    }
}

int DesignSession::selectedRow() const {
    return lastRun_ ? lastRun_->state.selectedRow() : 0;
}

const DesignCandidate* DesignSession::selectedDesign() const {
    return lastRun_ ? korvane::selectedDesign(lastRun_->search.table, lastRun_->state) : nullptr;
}

void DesignSession::setUpAnalysisFromSelectedRow() {
    const Requirement& r = requirement_.requirement();
    analysis_.setUpFromResult(r.application, r.windingType, selectedDesign(), r);
}

AnalysisOutcome DesignSession::analyse() {
    const Messages scope(sink_);
    return analysis_.ok();
}

void DesignSession::showMaterialGraph(int kind) {
    showMaterialGraph(kind, selection_.selected());
}

void DesignSession::showMaterialGraph(int kind, std::span<const std::string> materials) {
    const Messages scope(sink_);
    graph_ = GraphState{};
    graph_.curveCount = static_cast<int>(materials.size());
    show_material_graph(graph_, model_, kind, materials);
}

bool DesignSession::showPermeabilityGraphOfSelectedRow(int kind) {
    const Messages scope(sink_);
    const DesignCandidate* design = selectedDesign();
    return design != nullptr && keepGraphIf([&](GraphState& graph) {
               return showDesignPermeabilityGraph(graph, model_, kind, *design);
           });
}

bool DesignSession::showInductanceGraphOfSelectedRow() {
    const Messages scope(sink_);
    const DesignCandidate* design = selectedDesign();
    return design != nullptr && graphableDesign(*design) && keepGraphIf([&](GraphState& graph) {
               return show_inductance_graph(graph, model_, lastRun_->state.run().application,
                                            *design, inductanceGraphCurrent(lastRun_->state.run()));
           });
}

bool DesignSession::showPermeabilityGraphOfAnalysis(int kind) {
    const Messages scope(sink_);
    return keepGraphIf([&](GraphState& graph) {
        return showDesignPermeabilityGraph(graph, model_, kind, analysis_.candidate());
    });
}

bool DesignSession::showInductanceGraphOfAnalysis() {
    const Messages scope(sink_);
    return keepGraphIf([&](GraphState& graph) {
        return show_inductance_graph(graph, model_, analysis_.application(), analysis_.candidate(),
                                     operatingCurrent(analysis_.conditions()));
    });
}

bool DesignSession::showAgingGraph(Application application, const DesignCandidate& design,
                                   double frequencyHz, float ambient) {
    return keepGraphIf([&](GraphState& graph) {
        return show_aging_graph(graph, model_, application, design, frequencyHz, ambient,
                                parameters_) == 1;
    });
}

bool DesignSession::showAgingGraphOfSelectedRow() {
    const Messages scope(sink_);
    const DesignCandidate* design = selectedDesign();
    if (design == nullptr) {
        return false;
    }
    const Requirement& r = requirement_.requirement();
    return showAgingGraph(r.application, *design, agingGraphFrequency(r.application, r.fHz, r.fkHz),
                          r.Ta);
}

bool DesignSession::showAgingGraphOfAnalysis() {
    const Messages scope(sink_);
    // The analysis holds its frequency in kHz for every application (60 Hz as fHz / 1000).
    const Requirement& r = analysis_.conditions();
    return showAgingGraph(analysis_.application(), analysis_.candidate(),
                          static_cast<double>(r.fkHz) * 1000.0, r.Ta);
}

std::optional<std::string> DesignSession::spiceModelOfAnalysis(std::time_t now) const {
    const Messages scope(sink_);
    return spiceSubcircuit(analysis_, model_, now);
}

bool DesignSession::saveRequirement(const std::filesystem::path& path, std::time_t now) {
    return saveRequirement(path, requirement_.application(), now);
}

bool DesignSession::saveRequirement(const std::filesystem::path& path, Application current,
                                    std::time_t now) {
    const Messages scope(sink_);
    const Requirement& r = requirement_.requirement();
    return appendRequirement(path, savedRequirementText(r, current, selection_, parameters_), now);
}

namespace {

void showRequirementFileError(const std::string& text) {
    showMessage(text, std::string(kRequirementFileErrorCaption));
}

// The file as read, or nothing with the message that says why.
std::optional<RequirementFile> readShownRequirementFile(const std::filesystem::path& path) {
    std::optional<RequirementFile> file = readRequirementFile(path);
    if (!file) {
        showRequirementFileError(
            strprintf("Unable to read the requirement file %s.", path.string().c_str()));
        return std::nullopt;
    }
    if (file->error) {
        showRequirementFileError(file->error->message());
        return std::nullopt;
    }
    return file;
}

} // namespace

std::optional<std::vector<RequirementFileListing>>
DesignSession::requirementFileEntries(const std::filesystem::path& path) {
    const Messages scope(sink_);
    const std::optional<RequirementFile> file = readShownRequirementFile(path);
    if (!file) {
        return std::nullopt;
    }
    return requirementFileListing(*file);
}

bool DesignSession::loadRequirement(const std::filesystem::path& path, int entryIndex) {
    const Messages scope(sink_);
    const std::optional<RequirementFile> file = readShownRequirementFile(path);
    if (!file) {
        return false;
    }
    const std::size_t count = file->entries.size();
    if (entryIndex < 0 || static_cast<std::size_t>(entryIndex) >= count) {
        showRequirementFileError(strprintf("ENTRY %d: the file holds %zu %s", entryIndex + 1, count,
                                           count == 1 ? "entry" : "entries"));
        return false;
    }
    const RequirementFileEntry& entry = file->entries[static_cast<std::size_t>(entryIndex)];
    if (const std::optional<std::string> reason = unloadableReason(entry)) {
        showRequirementFileError(*reason);
        return false;
    }
    // The selection is the last thing that can refuse; it changes only when it succeeds.
    if (const std::optional<std::string> unknown = selectOnly(entry.materials)) {
        showRequirementFileError(strprintf("LINE %d: %s is not a selectable material",
                                           entry.materialsLine, unknown->c_str()));
        return false;
    }
    const Application a = entry.requirement.application;
    parameters_.set(a) = entry.parameters;
    parameters_.setUnitSystem(entry.unitSystem);
    parameters_.setWireSystem(entry.wireSystem);
    requirement_.loadRemembered(entry.requirement);
    return true;
}

} // namespace korvane
