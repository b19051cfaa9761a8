// Saving requirements: every save leaves the requirement file either unchanged (after a
// message) or grown by exactly one whole entry, the header first when the file is new or empty.
//
// Input: a choice item (where the file is: 0 new, 1 an existing file with the given content,
// 2 a directory, 3 in a folder that does not exist, 4 the full device; then the number of
// saves, 1 to 4), the existing content, and one requirement per save: a choice item
// (application, shape, winding; text source 0 the requirement entry, 1 the typed text as it
// stands) and then either the eleven field texts or the text.

#include "FuzzChecks.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "format/StrPrintf.h"
#include "requirements/Requirement.h"
#include "requirements/RequirementEntry.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <filesystem>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

constexpr std::time_t kFirstStamp = 1'796'000'000;

std::string header(const std::string& stamp) {
    return strprintf("    %s\n", "List of Requirements for Various Inductor Designs") +
           strprintf("    %s       %s\n\n\n", "Produced by KORVANE Power Inductor Design Program",
                     stamp.c_str());
}

std::string entry(const std::string& stamp, const std::string& text) {
    return "\n" + stamp + " \n" + text + " \n";
}

// The text of one save: the requirement entry's saved text, or a typed text without the
// terminator the program's texts never hold.
std::string requirementTextOf(FuzzInput& in, DesignParameters& parameters, Echo& echo) {
    const std::string choices = in.text();
    const Application app = applicationFromIndex(FuzzInput::choiceAt(choices, 0, 6));
    if (FuzzInput::choiceAt(choices, 3, 2) == 1) {
        std::string text = in.text();
        std::erase(text, '\0');
        echo.add(text);
        return text;
    }
    RequirementEntry requirements(parameters);
    requirements.activate(app);
    requirements.setShape(static_cast<CoreShape>(FuzzInput::choiceAt(choices, 1, 3)));
    requirements.setWindingType(static_cast<WindingType>(FuzzInput::choiceAt(choices, 2, 2)));
    RequirementTexts texts;
    for (std::string& t : texts) {
        t = in.text();
        echo.add(t);
    }
    RecordingSink quiet;
    {
        ScopedMessageSink scoped(quiet);
        requirements.accept(texts);
    }
    checkMessages(quiet, echo);
    const std::string text =
        savedRequirementText(requirements.requirement(), app, MaterialSelection(), parameters);
    checkNumberText(text, "the saved requirement text");
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string choices = in.text();
    const int place = FuzzInput::choiceAt(choices, 0, 5);
    const int saves = 1 + FuzzInput::choiceAt(choices, 1, 4);
    const std::string existing = in.text();

    std::filesystem::path file = scratch().freshPath("requirements.req");
    switch (place) {
    case 1:
        writeFile(file, existing);
        break;
    case 2:
        std::filesystem::create_directory(file);
        break;
    case 3:
        file = scratch().freshPath("no-such-folder") / "requirements.req";
        break;
    case 4:
        file = "/dev/full";
        break;
    default:
        break;
    }
    const bool regular = place <= 1;

    DesignParameters parameters;
    Echo echo;
    RecordingSink sink;
    for (int i = 0; i < saves; ++i) {
        const std::string text = requirementTextOf(in, parameters, echo);
        const std::string stamp = dateStamp(kFirstStamp + i);
        const std::optional<std::string> before = regular ? readFile(file) : std::nullopt;
        sink.clear();
        bool written = false;
        {
            ScopedMessageSink scoped(sink);
            written = appendRequirement(file, text, kFirstStamp + i);
        }
        checkMessages(sink, echo);
        const std::optional<std::string> after = regular ? readFile(file) : std::nullopt;
        if (written) {
            KORVANE_FUZZ_CHECK(sink.empty(), "a saved requirement showed a message");
            KORVANE_FUZZ_CHECK(regular, "a save into a place that holds no file succeeded");
            // An empty file is a new one: the header goes first.
            const std::string old = before.value_or("");
            const std::string expected = (old.empty() ? header(stamp) : old) + entry(stamp, text);
            KORVANE_FUZZ_CHECK(after && *after == expected,
                               "the file did not grow by exactly one whole entry");
        } else {
            KORVANE_FUZZ_CHECK(sink.size() == 1, "a failed save shows one message");
            KORVANE_FUZZ_CHECK(before == after, "a failed save changed the file");
        }
        if (place == 2) {
            KORVANE_FUZZ_CHECK(std::filesystem::is_directory(file), "the directory was replaced");
        }
    }
    return 0;
}
