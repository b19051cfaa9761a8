#pragma once

#include "catalog/CoreCatalog.h"
#include "catalog/CoreRecord.h"
#include "engine/DesignCandidate.h"
#include "engine/LineOperatingPoint.h"

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

class DesignParameters;
class MaterialModel;
class MaterialSelection;

// What became of one catalog listing the search visited.
enum class TraceOutcome {
    MaterialNotSelected, // the listing's material is deselected
    NoOperatingPoint,    // the application model found no operating point on this core
    BelowMinimumPerm,    // DC-bias permeability at the operating point under Min_mu
    WireRejected,        // select_wire refused the core (wireCode says why)
    TemperatureRise,     // temperature rise above the limit (tempRise holds it)
    Accepted,            // accepted into `slot`
    SearchStopped,       // select_wire stopped the search (wireCode 0 or -64)
};

struct TraceEvent {
    int line = 0; // catalog line of the listing, from 0
    std::string partNumber;
    TraceOutcome outcome = TraceOutcome::NoOperatingPoint;
    std::string model;        // the operating-point model that was asked
    float percentPerm = 0.0F; // at the operating point, when one was found
    float turns = 0.0F;
    int wireCode = 1;      // select_wire result
    float tempRise = 0.0F; // degrees C
    float tempRiseLimit = 0.0F;
    float minPercentPerm = 0.0F;
    int slot = -1; // accepted slot
};

// One line of text for a trace event, e.g. "T80-275: accepted into slot 3".
std::string describeTraceEvent(const TraceEvent& event);
// Meaning of a select_wire result code.
std::string wireResultMeaning(int code);

using SearchTrace = std::function<void(const TraceEvent&)>;

// Where the search writes the result table rows as it accepts designs.
class SearchRowSink {
  public:
    virtual ~SearchRowSink() = default;
    virtual void prepareTables(float stackCount) = 0;
    virtual void writeRow(int slot, const CoreRecord& core, const DesignCandidate& candidate,
                          const std::optional<BobbinRecord>& bobbin) = 0;
};

// Select_Core status codes.
inline constexpr int kSelectCatalogExhausted = 0;
inline constexpr int kSelectNothingFound = -2;
inline constexpr int kSelectUnknownApplication = -256;

// The walk over the catalog listings of one shape: each call delivers the next listing that
// is selected and has an operating point for the application, stacked, with its turns and
// percent permeability.
class CoreSelector {
  public:
    CoreSelector(const DesignPFE& design, const CoreCatalog& catalog, const MaterialModel& model,
                 const MaterialSelection& selection, float minPercentPerm);

    void setTrace(SearchTrace trace) { trace_ = std::move(trace); }

    // Select_Core: a positive count of listings left when a core was delivered into `core`,
    // 0 when the catalog is exhausted, -2 when the very first call finds no core at all.
    int Select_Core(CoreRecord& core, bool firstCall, float& turns, float& percentPerm);

    int lastLine() const { return line_ - 1; }

  private:
    void trace(const CoreRecord& core, TraceOutcome outcome, const std::string& model,
               float percentPerm = 0.0F);
    // The 60 Hz operating points of every listing the walk may reach, evaluated ahead of it
    // (LineLookahead); each is taken, with its messages, when the walk reaches its line.
    void prepareLineOutcomes();
    std::optional<LineOperatingPoint> lineOperatingPoint(const CoreRecord& core, int line);

    const DesignPFE& design_;
    const CoreCatalog& catalog_;
    const MaterialModel& model_;
    const MaterialSelection& selection_;
    float minPercentPerm_;
    int line_ = 0;
    bool delivered_ = false;
    SearchTrace trace_;
    // The listings view these materials and the lookahead's helper thread reads them until
    // the lookahead joins it, so they are declared first and outlive it.
    std::deque<std::string> lookaheadMaterials_;
    std::vector<int> lookaheadLines_; // the catalog line of each listing, ascending
    std::unique_ptr<LineLookahead> lookahead_;
};

// What a search leaves for the results window, besides the candidate table.
struct SearchResult {
    CandidateTable table;
    std::array<CoreRecord, kCandidateSlots> cores{}; // stacked core of each accepted slot
    std::array<std::optional<BobbinRecord>, kCandidateSlots> bobbins{};
    int accepted = 0;
    bool valid = false;
    bool endOfCatalog = false;  // the walk ran out of listings (END OF CATALOG row written)
    int selectStatus = 0;       // last Select_Core status
    int lastWireCode = 1;       // last select_wire result
    std::string wireSystemName; // of the accepted designs' wire
    int rowCount = 0;           // accepted designs + 1
    float I1peak = 0.0F;
    float I1rms = 0.0F;
    float Ipk = 0.0F;
};

// The automatic design: walks the catalog of the run's shape and keeps every core that meets
// all limits, up to 40, writing each accepted design's row as it goes. The catalog and the
// material model are the program's, created once.
SearchResult runDesignSearch(DesignPFE& design, const DesignParameters& parameters,
                             const MaterialSelection& selection, const CoreCatalog& catalog,
                             const MaterialModel& model, SearchRowSink* rows = nullptr,
                             const SearchTrace& trace = {});

} // namespace korvane
