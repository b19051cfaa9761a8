#include "settings/SettingsFile.h"

#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "settings/DesignParameters.h"
#include "settings/FileAccess.h"
#include "settings/MaterialSelection.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace korvane {

namespace {

// A settings file is about 1 kB; anything far larger is not one.
constexpr std::size_t kSettingsFileMaxBytes = 1 << 20;
// Lines are read in pieces of at most 255 characters.
constexpr std::size_t kLinePieceLength = 255;

// English names regardless of the process locale, so the files read the same everywhere.
constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string withoutLineEnd(std::string_view piece) {
    std::string line(piece);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

} // namespace

std::string dateStamp(std::time_t when) {
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) {
        return std::string(24, ' ');
    }
    return strprintf("%s %s %2d %02d:%02d:%02d %04d",
                     kDays[static_cast<std::size_t>(local.tm_wday % 7)],
                     kMonths[static_cast<std::size_t>(local.tm_mon % 12)], local.tm_mday,
                     local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
}

bool isDateStamp(std::string_view text) {
    if (text.size() != 24) {
        return false;
    }
    auto named = [&text](std::size_t at, std::span<const char* const> names) {
        return std::find(names.begin(), names.end(), text.substr(at, 3)) != names.end();
    };
    auto digits = [&text](std::size_t at, std::size_t count) {
        return text.substr(at, count).find_first_not_of("0123456789") == std::string_view::npos;
    };
    return named(0, kDays) && text[3] == ' ' && named(4, kMonths) && text[7] == ' ' &&
           (text[8] == ' ' || digits(8, 1)) && digits(9, 1) && text[10] == ' ' && digits(11, 2) &&
           text[13] == ':' && digits(14, 2) && text[16] == ':' && digits(17, 2) &&
           text[19] == ' ' && digits(20, 4);
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
    // A unique temporary file renamed over the old one: a reader, another program closing at
    // the same moment or a crash never leaves a torn or empty settings file.
    return replaceFileAtomically(path, parameterSettingsText(parameters, dateStamp(now)));
}

bool readParameterSettings(DesignParameters& parameters, const std::filesystem::path& path) {
    const std::optional<std::string> content = readSmallRegularFile(path, kSettingsFileMaxBytes);
    if (!content) {
        return false;
    }
    std::string_view rest(*content);
    // The next line as fgets gives it: up to and including its line end, at most 255
    // characters; a longer line comes in several pieces.
    auto nextPiece = [&rest](std::string_view& piece) {
        if (rest.empty()) {
            return false;
        }
        const std::size_t end = rest.find('\n');
        const std::size_t length =
            std::min(end == std::string_view::npos ? rest.size() : end + 1, kLinePieceLength);
        piece = rest.substr(0, length);
        rest.remove_prefix(length);
        return true;
    };
    bool keywordSeen = false;
    bool unitsSeen = false;
    std::string block;
    std::string_view line;
    while (nextPiece(line)) {
        for (Application a : kAllApplications) {
            if (line.find(applicationKeyword(a)) != std::string_view::npos) {
                parameters.setShownApplication(a);
                keywordSeen = true;
                break;
            }
        }
        if (keywordSeen && line.find("Units:") != std::string_view::npos) {
            block = withoutLineEnd(line);
            unitsSeen = true;
            keywordSeen = false;
        }
        if (unitsSeen && line.find("Params:") != std::string_view::npos) {
            block += withoutLineEnd(line);
            if (nextPiece(line)) {
                block += withoutLineEnd(line);
            }
            unitsSeen = false;
            parameters.applyParametersText(parameters.shownApplication(), block);
        }
    }
    return true;
}

bool appendRequirement(const std::filesystem::path& path, const std::string& requirementText,
                       std::time_t now) {
    const std::string stamp = dateStamp(now);
    std::string header = strprintf("    %s\n", "List of Requirements for Various Inductor Designs");
    header += strprintf("    %s       %s\n\n\n",
                        "Produced by KORVANE Power Inductor Design Program", stamp.c_str());
    std::string entry = strprintf("\n%s \n", stamp.c_str());
    entry += strprintf("%s \n", requirementText.c_str());

    // Appended whole or not at all, under a lock, so programs saving at the same moment keep
    // every entry; the header is written by whichever finds the file empty.
    const AppendResult result = appendLocked(path, header, entry);
    const std::string name = path.string();
    switch (result.outcome) {
    case AppendOutcome::Written:
        return true;
    case AppendOutcome::NotOpened:
        showMessage(strprintf("Unable to open the requirement file %s (%s). Nothing was saved.",
                              name.c_str(), result.reason.c_str()),
                    "FILE ERROR");
        break;
    case AppendOutcome::NotWritten:
        showMessage(strprintf("Unable to write the requirement file %s (%s). Nothing was saved; "
                              "the file is as it was.",
                              name.c_str(), result.reason.c_str()),
                    "FILE ERROR");
        break;
    case AppendOutcome::Incomplete:
        showMessage(strprintf("Unable to write the requirement file %s (%s). The file may now end "
                              "in an incomplete entry.",
                              name.c_str(), result.reason.c_str()),
                    "FILE ERROR");
        break;
    }
    return false;
}

} // namespace korvane
