#pragma once

#include "domain/Application.h"

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace korvane {

class DesignParameters;

inline constexpr const char* kParameterSettingsFile = "KorvaneParams.log";

// Local date and time as "Tue Dec  8 01:05:09 2026" (24 characters, English names).
std::string dateStamp(std::time_t when);
// True for a text of that form (any weekday, month and digits in their places).
bool isDateStamp(std::string_view text);

// The settings file's content: two title lines, the stamp, and for every application its
// keyword and its parameters text.
std::string parameterSettingsText(const DesignParameters& parameters, const std::string& stamp);

// Overwrites the settings file. A file that cannot be written is left as it was, silently;
// returns whether the file was written.
bool writeParameterSettings(const DesignParameters& parameters,
                            const std::filesystem::path& path = kParameterSettingsFile,
                            std::time_t now = std::time(nullptr));

// Applies every complete block of the settings file (unit system, wire standard, Cudens);
// a missing file changes nothing. Lines are read in pieces of at most 255 characters. Only a
// regular file of plausible size is read (never a device or a kernel file, which could
// block); returns whether the file was read.
bool readParameterSettings(DesignParameters& parameters,
                           const std::filesystem::path& path = kParameterSettingsFile);

// Appends one entry (date line and requirement text) to a requirement file, writing the
// two header lines first when the file is new. A file that cannot be opened gets a message
// and nothing is written; returns whether the entry was written.
bool appendRequirement(const std::filesystem::path& path, const std::string& requirementText,
                       std::time_t now = std::time(nullptr));

} // namespace korvane
