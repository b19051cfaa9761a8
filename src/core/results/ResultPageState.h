#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"
#include "engine/DesignCandidate.h"
#include "requirements/RequirementEntry.h"
#include "results/ResultHeadings.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::string_view kResultsTitle = "KORVANE INDUCTORS FOR POWER FILTER APPLICATIONS";
inline constexpr std::string_view kResultsDesignCaption = "TOROID / E CORE DESIGN DATA";
// Shown in place of a first requirement label shorter than 10 characters.
inline constexpr std::string_view kFirstRequirementLabel = "Inductance At Max Current:";

// The two pages the results window offers.
enum class ResultPage : std::uint8_t { Electrical = 0, Dimension = 1 };

// What the design search hands the results window.
struct ResultRunState {
    bool valid = false;
    Application application = Application::DcBiased;
    CoreShape shape = CoreShape::Toroid;
    std::string wireSystemName; // systemName of the accepted designs' wire
    int rowCount = 0;           // accepted designs + 1
    float I1peak = 0.0F;
    float I1rms = 0.0F;
    float Ipk = 0.0F;
};

// The results window's state apart from the grids: the run it shows, the requirement block,
// the page and the selected row.
class ResultPageState {
  public:
    static constexpr int kInitialVisibleRows = 10;

    // The date and time text is taken once, when the window is created.
    explicit ResultPageState(std::string dateTime = dateTimeText(std::time(nullptr)));

    // Start of a search: the data are not valid and belong to `application`.
    void beginRun(Application application);
    // End of a search that accepted designs. The row count is kept within the grid rows and
    // the selected row within the new scroll range.
    void finishRun(CoreShape shape, std::string wireSystemName, int rowCount, float I1peak,
                   float I1rms, float Ipk);
    const ResultRunState& run() const { return run_; }

    void setRequirementBlock(const RequirementBlock& block) { block_ = block; }
    const RequirementBlock& requirementBlock() const { return block_; }
    // The block as drawn: a first label shorter than 10 characters reads
    // "Inductance At Max Current:".
    RequirementBlock displayedRequirementBlock() const;

    // DISPLAY ELECTRICAL and DISPLAY DIMENSIONS.
    void showElectrical() { page_ = ResultPage::Electrical; }
    void showDimensions() { page_ = ResultPage::Dimension; }
    ResultPage page() const { return page_; }
    // The grid shown: E, or the DIMENSION grid of the run's core shape (so a DIMENSION page
    // always fits the run shown).
    ResultGrid shownGrid() const;
    int columnCount() const { return korvane::columnCount(shownGrid()); }
    // The window caption at run time: the page shown.
    std::string_view caption() const { return pageCaption(shownGrid()); }

    // The selected row is the scroll position, 0 to row count - 2; it persists across pages.
    int selectedRow() const { return selectedRow_; }
    void selectRow(int row);
    int scrollMaximum() const;

    int visibleRows() const { return visibleRows_; }
    void setVisibleRows(int rows);
    // The first row drawn: the window of visible rows follows the selected row.
    int firstVisibleRow() const;

    const std::string& dateTime() const { return dateTime_; }

    // Local date and time as "YYYY-MM-DD HH:MM:SS".
    static std::string dateTimeText(std::time_t t);

  private:
    ResultRunState run_;
    RequirementBlock block_{};
    ResultPage page_ = ResultPage::Electrical;
    int selectedRow_ = 0;
    int visibleRows_ = kInitialVisibleRows;
    std::string dateTime_;
};

// The design of the selected row: none when the run is not valid or the row holds no design
// of the table.
const DesignCandidate* selectedDesign(const CandidateTable& table, const ResultPageState& state);

// The permeability and inductance graphs draw a design only when its turns are positive.
bool graphableDesign(const DesignCandidate& design);

// The current the inductance graph takes: I1peak for applications 0 to 3, I1rms for 60 HZ,
// Ipk for RESONANT.
float inductanceGraphCurrent(const ResultRunState& run);

// The frequency in hertz the aging graph takes: fHz for 60 HZ, fkHz x 1000 otherwise.
double agingGraphFrequency(Application application, float fHz, float fkHz);

} // namespace korvane
