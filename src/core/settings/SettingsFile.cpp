#include "settings/SettingsFile.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "requirements/Requirement.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"

#include <array>
#include <cstdio>
#include <memory>
#include <string_view>
#include <system_error>

namespace korvane {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::filesystem::path& path, const char* mode) {
    return File(std::fopen(path.c_str(), mode));
}

bool writeAll(std::FILE* f, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), f) == text.size();
}

std::string withoutLineEnd(const char* piece) {
    std::string line(piece);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

} // namespace

std::string dateStamp(std::time_t when) {
    static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                         "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) {
        return std::string(24, ' ');
    }
    // English names regardless of the process locale, so the files read the same everywhere.
    return strprintf("%s %s %2d %02d:%02d:%02d %04d",
                     kDays[static_cast<std::size_t>(local.tm_wday % 7)],
                     kMonths[static_cast<std::size_t>(local.tm_mon % 12)], local.tm_mday,
                     local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
}

std::string parameterSettingsText(const DesignParameters& parameters, const std::string& stamp) {
    std::string text = strprintf("%s \n", "Parameter settings record");
    text += strprintf("%s \n", "Produced by KORVANE Power Inductor Design Program");
    text += strprintf("\n%s \n", stamp.c_str());
    for (Application a : kAllApplications) {
        text += strprintf("%s \n ", std::string(applicationKeyword(a)).c_str());
        text += strprintf("%s \n ", parameters.parametersText(a).c_str());
    }
    return text;
}

bool writeParameterSettings(const DesignParameters& parameters, const std::filesystem::path& path,
                            std::time_t now) {
    const std::string text = parameterSettingsText(parameters, dateStamp(now));
    // Written beside the file and moved over it, so a failed write never leaves a truncated file.
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        File file = openFile(temporary, "w");
        if (!file) {
            return false;
        }
        const bool written = writeAll(file.get(), text);
        if (std::fclose(file.release()) != 0 || !written) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

void readParameterSettings(DesignParameters& parameters, const std::filesystem::path& path) {
    File file = openFile(path, "r");
    if (!file) {
        return;
    }
    // Pieces of at most 255 characters, as the lines of the file are read.
    std::array<char, 256> piece{};
    bool keywordSeen = false;
    bool unitsSeen = false;
    std::string block;
    while (std::fgets(piece.data(), static_cast<int>(piece.size()), file.get()) != nullptr) {
        const std::string_view line(piece.data());
        for (Application a : kAllApplications) {
            if (line.find(applicationKeyword(a)) != std::string_view::npos) {
                parameters.setShownApplication(a);
                keywordSeen = true;
                break;
            }
        }
        if (keywordSeen && line.find("Units:") != std::string_view::npos) {
            block = withoutLineEnd(piece.data());
            unitsSeen = true;
            keywordSeen = false;
        }
        if (unitsSeen && line.find("Params:") != std::string_view::npos) {
            block += withoutLineEnd(piece.data());
            if (std::fgets(piece.data(), static_cast<int>(piece.size()), file.get()) != nullptr) {
                block += withoutLineEnd(piece.data());
            }
            unitsSeen = false;
            parameters.applyParametersText(parameters.shownApplication(), block);
        }
    }
}

std::string savedRequirementText(const Requirement& requirement, Application current,
                                 const MaterialSelection& selection,
                                 const DesignParameters& parameters) {
    std::string text = requirementText(requirement, current);
    if (text.empty()) {
        return text;
    }
    return text + selection.materialsLine() + parameters.parametersText(current);
}

bool appendRequirement(const std::filesystem::path& path, const std::string& requirementText,
                       std::time_t now) {
    const std::string stamp = dateStamp(now);
    // A file that exists but cannot be read is appended to as well: creating it anew would
    // wipe the requirements it holds.
    std::error_code ignored;
    const bool exists =
        static_cast<bool>(openFile(path, "r")) || std::filesystem::exists(path, ignored);
    std::string text;
    if (!exists) {
        text = strprintf("    %s\n", "List of Requirements for Various Inductor Designs");
        text += strprintf("    %s       %s\n\n\n",
                          "Produced by KORVANE Power Inductor Design Program", stamp.c_str());
    }
    text += strprintf("\n%s \n", stamp.c_str());
    text += strprintf("%s \n", requirementText.c_str());

    File file = openFile(path, exists ? "a" : "w");
    const bool written = file && writeAll(file.get(), text) && std::fclose(file.release()) == 0;
    if (!written) {
        showMessage(strprintf("Unable to write the requirement file %s. Nothing was saved.",
                              path.string().c_str()),
                    "FILE ERROR");
    }
    return written;
}

} // namespace korvane
