#pragma once

#include "analysis/AnalysisEntry.h"
#include "catalog/CoreCatalog.h"
#include "format/Messages.h"
#include "graphs/GraphState.h"
#include "materials/PowderMaterialModel.h"
#include "requirements/RequirementEntry.h"
#include "results/DesignRun.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"
#include "settings/RequirementFile.h"
#include "settings/SettingsFile.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvane {

// What the requirements window's OK came to.
enum class DesignOutcome {
    Refused,  // a check refused the requirement (its message shown); the last run is kept
    NoDesign, // the search ran and found no core that meets every limit
    Designed, // the search found at least one design
};

// The state of one run of the program and the operations its windows and commands perform:
// the design parameters, the material selection, the requirement entry, the last design run
// with its selected row, the analysis entry and the graph state, over the built-in catalog
// and material model created once. Every operation shows its messages in the session's
// sink, so two sessions (or one on a worker thread) never mix their messages.
class DesignSession {
  public:
    // `sink` receives the messages of every operation; nullptr: whatever sink the calling
    // thread has installed.
    explicit DesignSession(MessageSink* sink = nullptr);
    DesignSession(const DesignSession&) = delete;
    DesignSession& operator=(const DesignSession&) = delete;

    // The built-in catalog and material model, created once for the session and handed to
    // every search, analysis and graph.
    const CoreCatalog& catalog() const { return catalog_; }
    const PowderMaterialModel& materialModel() const { return model_; }

    DesignParameters& parameters() { return parameters_; }
    const DesignParameters& parameters() const { return parameters_; }
    MaterialSelection& selection() { return selection_; }
    const MaterialSelection& selection() const { return selection_; }
    RequirementEntry& requirementEntry() { return requirement_; }
    const RequirementEntry& requirementEntry() const { return requirement_; }
    AnalysisEntry& analysis() { return analysis_; }
    const AnalysisEntry& analysis() const { return analysis_; }
    GraphState& graph() { return graph_; }
    const GraphState& graph() const { return graph_; }

    // The settings file: read when the parameters are created, written at close.
    bool readSettings(const std::filesystem::path& path = kParameterSettingsFile);
    bool writeSettings(const std::filesystem::path& path = kParameterSettingsFile,
                       std::time_t now = std::time(nullptr));

    // Only these codes selected (as the material window's OK leaves them); returns the first
    // code that is no selectable material, leaving the selection as it was.
    std::optional<std::string> selectOnly(std::span<const std::string> codes);

    // The requirements window's OK: the texts are checked and, when accepted, the search runs
    // over the selected materials and becomes the last run, its first row selected. A refused
    // requirement leaves the last run as it was.
    DesignOutcome acceptRequirement(const RequirementTexts& texts, bool collectTrace = false);

    // True when the last run found designs (the results window shows them); a run that found
    // none is kept for its messages and trace but leaves no results.
    bool resultsAvailable() const { return lastRun_ && lastRun_->search.accepted > 0; }
    const DesignRunOutput* lastRun() const { return lastRun_ ? &*lastRun_ : nullptr; }
    DesignRunOutput* lastRun() { return lastRun_ ? &*lastRun_ : nullptr; }

    // The results window's selected row (0 = first design).
    void selectRow(int row);
    int selectedRow() const;
    // The design of the selected row; nullptr without a run or on the END OF CATALOG row.
    const DesignCandidate* selectedDesign() const;

    // ANALYSIS from the results window: the entries set up from the selected design (or
    // none) and the accepted requirement; then OK.
    void setUpAnalysisFromSelectedRow();
    AnalysisOutcome analyse();

    // The graph commands. Each fills the graph state; false when there is nothing to draw
    // (no design, a design without turns, an aging graph refused with its message).
    void showMaterialGraph(int kind);
    void showMaterialGraph(int kind, std::span<const std::string> materials);
    bool showPermeabilityGraphOfSelectedRow(int kind);
    bool showInductanceGraphOfSelectedRow();
    bool showPermeabilityGraphOfAnalysis(int kind);
    bool showInductanceGraphOfAnalysis();
    bool showAgingGraphOfSelectedRow();
    bool showAgingGraphOfAnalysis();

    // The SPICE subcircuit of the analysed design (spice/SpiceModel.h); nothing, with its
    // message, without an analysed design or an inductance curve.
    std::optional<std::string> spiceModelOfAnalysis(std::time_t now = std::time(nullptr)) const;

    // FILES, SAVE REQUIREMENT TO FILE: the requirement with its materials and parameters
    // appended to the file.
    bool saveRequirement(const std::filesystem::path& path, std::time_t now = std::time(nullptr));
    // The same for the main window's current application: the entry's requirement part is
    // empty when the requirements window shows another application.
    bool saveRequirement(const std::filesystem::path& path, Application current,
                         std::time_t now = std::time(nullptr));

    // The entries of a requirement file, in file order; nullopt, with the message under
    // "REQUIREMENT FILE ERROR", for a file that cannot be read or does not read as one.
    std::optional<std::vector<RequirementFileListing>>
    requirementFileEntries(const std::filesystem::path& path);
    // Loads entry `entryIndex` (0 = first) of a requirement file: the requirement into the
    // requirement entry (application, remembered values, ambient temperature, shape, winding,
    // stack count, strands; shown at the requirements window's next activation, not yet
    // accepted), the material selection, and the application's design parameters with the
    // unit system and the wire standard. All or nothing: a file, an entry or a material that
    // does not load leaves the session as it was and shows why; returns whether it loaded.
    bool loadRequirement(const std::filesystem::path& path, int entryIndex);

  private:
    // Installs the session's sink for the duration of one operation.
    class Messages {
      public:
        explicit Messages(MessageSink* sink);
        ~Messages();
        Messages(const Messages&) = delete;
        Messages& operator=(const Messages&) = delete;

      private:
        MessageSink* previous_ = nullptr;
        bool installed_ = false;
    };

    bool showAgingGraph(Application application, const DesignCandidate& design, double frequencyHz,
                        float ambient);
    // Fills a fresh graph state and keeps it when `fill` says the graph is shown; a refused
    // graph leaves the one on screen as it was.
    template <typename Fill>
    bool keepGraphIf(Fill fill) {
        GraphState graph;
        if (!fill(graph)) {
            return false;
        }
        graph_ = std::move(graph);
        return true;
    }

    MessageSink* sink_;
    // The results window's date and time: when the session, and so the window, was created.
    std::string createdAt_;
    const CoreCatalog catalog_;
    const PowderMaterialModel model_;
    DesignParameters parameters_;
    MaterialSelection selection_;
    RequirementEntry requirement_{parameters_};
    std::optional<DesignRunOutput> lastRun_;
    AnalysisEntry analysis_{parameters_, catalog_, model_};
    GraphState graph_;
};

} // namespace korvane
