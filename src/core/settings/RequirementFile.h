#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"
#include "settings/DesignParameters.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline constexpr std::string_view kRequirementFileErrorCaption = "REQUIREMENT FILE ERROR";

// The requirement of a saved entry in the requirements window's terms: the values of entry
// fields 0 to 7 as typed (inductances in uH, currents in A or A rms, voltages in V, the
// frequency in kHz or, for 60 HZ, in Hz; fields the application does not use are 0), the
// ambient temperature and the shape line.
struct SavedRequirement {
    Application application = Application::DcBiased;
    std::array<float, 8> values{};
    float Ta = 0.0F;
    CoreShape shape = CoreShape::Toroid;
    WindingType windingType = WindingType::FullWindow;
    float stackCount = 1.0F;
    int strands = 1;
};

// Where a requirement file stops reading: its line (1-based) and what was expected there.
struct RequirementFileError {
    int line = 0;
    std::string what;
    std::string message() const; // "LINE 12: <what>"
};

// One saved requirement: the date line and what follows it up to the next date line.
struct RequirementFileEntry {
    int line = 0;       // the date line
    std::string date;   // "Tue Dec  8 01:05:09 2026"
    bool empty = false; // saved before a requirement was entered: nothing to load
    std::optional<RequirementFileError> error; // the entry does not read

    std::string requirementLine; // the application line, without its trailing blank
    SavedRequirement requirement;
    int materialsLine = 0;
    std::vector<std::string> materials; // codes with their leading dash, as listed
    UnitSystem unitSystem = UnitSystem::English;
    WireSystem wireSystem = WireSystem::Awg;
    ParameterSet parameters; // Cudens in cmil/A; Ta is the requirement's

    bool loadable() const { return !empty && !error; }
};

// A requirement file as read. A file whose header or lines before the first entry do not read
// has the error and no entries; an entry that does not read carries its own error, and the
// entries after it still read.
struct RequirementFile {
    std::vector<RequirementFileEntry> entries;
    std::optional<RequirementFileError> error;
};

RequirementFile readRequirementText(std::string_view content);

// nullopt when the file cannot be read at all (missing, not a regular file, implausibly
// large).
std::optional<RequirementFile> readRequirementFile(const std::filesystem::path& path);

// What a listing of the file shows of one entry.
struct RequirementFileListing {
    int index = 0; // 0-based position in the file
    std::string date;
    std::optional<Application> application; // none when the entry cannot be loaded
    std::string summary; // the application line, or why the entry cannot be loaded
};

std::vector<RequirementFileListing> requirementFileListing(const RequirementFile& file);

// Why an entry cannot be loaded (its read error, or that it holds no requirement); nullopt
// for a loadable entry.
std::optional<std::string> unloadableReason(const RequirementFileEntry& entry);

} // namespace korvane
