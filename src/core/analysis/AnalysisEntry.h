#pragma once

#include "analysis/AnalysisLabels.h"
#include "catalog/CoreCatalog.h"
#include "catalog/CoreRecord.h"
#include "engine/DesignCandidate.h"
#include "engine/WireSize.h"
#include "materials/PowderMaterialModel.h"
#include "requirements/Requirement.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

class DesignParameters;

// Entry fields of the analysis window by their parameter number (the number its messages
// give). 9 is the hidden field; 10 and 11 sit beside the part number and the wire.
enum class AnalysisField : std::uint8_t {
    PartNumber = 1,
    Wire = 2,
    Turns = 3,
    Current = 4,
    Voltage1 = 5,
    Voltage2 = 6,
    Frequency = 7,
    Ambient = 8,
    Hidden = 9,
    StackCount = 10,
    Strands = 11,
};
inline constexpr std::size_t kAnalysisFieldCount = 12; // index 0 is not a field
using AnalysisTexts = std::array<std::string, kAnalysisFieldCount>;

// Characters read back from the part-number field and from every other field.
inline constexpr std::size_t kPartNumberReadLength = 31;
inline constexpr std::size_t kAnalysisReadLength = 13;

// Part-number typing: the text upper-cased and whether it holds a character outside
// "ABCDEG HI MTS0123456789-/" (then "INVALID CHARACTER %1s" has been shown, caption "ERROR").
struct PartNumberTyping {
    std::string text;
    bool error = false;
};
PartNumberTyping partNumberTyping(std::string_view text);

// Part-number check: the collected messages (empty when the part number is accepted), the
// E-core flag and the material code (digits and M) after the first dash.
struct PartNumberCheck {
    std::string messages;
    bool eCore = false;
    std::string material;
    bool accepted() const { return messages.empty(); }
};
PartNumberCheck checkPartNumber(std::string_view partNumber);

// The wire entry text of a design: "#%2.0f AWG", "#00 AWG" (gauge -1), "%5.2f mm", "%2.0f SWG".
std::string designWireText(const WireRecord& wire);

// What OK came to.
enum class AnalysisOutcome : std::uint8_t {
    Refused,  // an entry check refused the input (its message has been shown)
    Failed,   // the analysis returned below 1, or results too large to show: values cleared
    Analysed, // the rows hold the results
};

enum class AnalysisPage : std::uint8_t { Electrical, Mechanical };

// The logic of the analysis window, free of any widget: the entry texts and their checks,
// the operating conditions by application, the analysis and aging runs, and the two result
// lists as the window draws them. The window and the command line both drive it.
class AnalysisEntry {
  public:
    // The catalog and material model are the program's, created once; the entry keeps
    // references to all three.
    AnalysisEntry(const DesignParameters& parameters, const CoreCatalog& catalog,
                  const PowderMaterialModel& model);

    Application application() const { return application_; }
    void setApplication(Application a) { application_ = a; }
    WindingType windingType() const { return winding_; }
    void setWindingType(WindingType w) { winding_ = w; }

    // Title label ("... ANALYSIS") and the entry labels of the application.
    std::string title() const { return analysisTitle(application_); }
    std::array<EntryLabel, 9> labels() const { return entryLabels(application_); }

    const AnalysisTexts& texts() const { return texts_; }
    const std::string& text(AnalysisField field) const;
    void setText(AnalysisField field, std::string text);

    // The wire entry's system and rectangular flag: bare numbers typed into the wire field
    // are read in this system.
    WireSizeEntry& wireEntry() { return wire_; }
    const WireSizeEntry& wireEntry() const { return wire_; }

    // Set-up from the results window: the application and winding option, the selected design
    // (or none: empty part number, one core, one strand) and the operating conditions of the
    // requirement entry.
    void setUpFromResult(Application application, WindingType winding,
                         const DesignCandidate* design, const Requirement& requirement);

    // OK: entry checks, reading, the analysis and the aging rows.
    AnalysisOutcome ok();

    void showElectrical() { page_ = AnalysisPage::Electrical; }
    void showMechanical() { page_ = AnalysisPage::Mechanical; }
    AnalysisPage page() const { return page_; }

    const ElectricalRows& electricalRows() const { return electrical_; }
    const MechanicalRows& mechanicalRows() const { return mechanical_; }
    // Rows of the electrical page: 13 after an analysis of a material that does not age,
    // 15 otherwise.
    int electricalRowCount() const { return electricalCount_; }

    bool eCore() const { return eCore_; }
    const std::string& materialCode() const { return material_; }
    const DesignCandidate& candidate() const { return candidate_; }
    const CoreRecord& core() const { return core_; }
    const Requirement& conditions() const { return conditions_; }
    // The last calc_analysis result (0 before any).
    int analysisResult() const { return result_; }
    // True when the aging rows of the last analysis were computed.
    bool agingComputed() const { return agingComputed_; }

  private:
    bool characterCheck() const;
    // False, with its message shown, when a result row cannot be shown truthfully.
    bool resultsShowable() const;
    void readConditions();
    void clearValues();

    const DesignParameters& parameters_;
    const CoreCatalog& catalog_;
    const PowderMaterialModel& model_;
    Application application_ = Application::DcBiased;
    WindingType winding_ = WindingType::FullWindow;
    WireSizeEntry wire_;
    AnalysisTexts texts_;
    bool eCore_ = false;
    std::string material_;
    DesignCandidate candidate_;
    CoreRecord core_;
    Requirement conditions_;
    ElectricalRows electrical_;
    MechanicalRows mechanical_;
    int electricalCount_ = static_cast<int>(kElectricalRows);
    AnalysisPage page_ = AnalysisPage::Electrical;
    int result_ = 0;
    bool agingComputed_ = false;
};

} // namespace korvane
