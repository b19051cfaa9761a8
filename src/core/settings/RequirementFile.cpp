#include "settings/RequirementFile.h"

#include "format/NumberFormat.h"
#include "format/StrPrintf.h"
#include "format/Trimmed.h"
#include "settings/FileAccess.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace korvane {

namespace {

// An entry is about 600 bytes: room for some thousands of them.
constexpr std::size_t kRequirementFileMaxBytes = std::size_t{8} << 20;

constexpr std::string_view kTitle = "List of Requirements for Various Inductor Designs";
constexpr std::string_view kProducedBy = "Produced by KORVANE Power Inductor Design Program";
constexpr std::string_view kBlanks = " \t";

struct Line {
    int number = 0;
    std::string_view text;
};

std::vector<Line> splitLines(std::string_view content) {
    std::vector<Line> lines;
    int number = 0;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view text = content.substr(0, end);
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        lines.push_back({++number, text});
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    }
    return lines;
}

bool blank(std::string_view text) {
    return trimmed(text, kBlanks).empty();
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Reads one line from left to right; the first thing that is not where the format puts it
// stops the reading with what was expected there.
class LineReader {
  public:
    explicit LineReader(const Line& line)
        : number_(line.number), text_(line.text), rest_(trimmed(line.text, kBlanks)) {
        if (rest_.empty()) {
            rest_ = text_.substr(text_.size()); // columns count from the same line
        }
    }

    const std::optional<RequirementFileError>& error() const { return error_; }
    std::string_view rest() const { return rest_; }

    bool expect(std::string_view literal) {
        if (error_) {
            return false;
        }
        if (!rest_.starts_with(literal)) {
            return fail("expected " + quoted(literal) + at());
        }
        rest_.remove_prefix(literal.size());
        return true;
    }

    // A number as "%g" writes it.
    bool number(float& value, std::string_view name) {
        if (error_) {
            return false;
        }
        float v = 0.0F;
        const auto [stop, status] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), v);
        if (status != std::errc() || !std::isfinite(v)) {
            return fail("expected a number for " + std::string(name) + at());
        }
        value = v;
        rest_.remove_prefix(static_cast<std::size_t>(stop - rest_.data()));
        return true;
    }

    bool whole(int& value, std::string_view name) {
        if (error_) {
            return false;
        }
        int v = 0;
        const auto [stop, status] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), v);
        if (status != std::errc() || v < 0) {
            return fail("expected a whole number for " + std::string(name) + at());
        }
        value = v;
        rest_.remove_prefix(static_cast<std::size_t>(stop - rest_.data()));
        return true;
    }

    // An engineering-format value up to the next comma, times `scale`.
    bool engineering(float& value, std::string_view unit, double scale, std::string_view example,
                     std::string_view name) {
        if (error_) {
            return false;
        }
        const std::string where = at();
        const std::optional<double> v = readEngineering(word(), unit);
        const auto scaled = static_cast<float>(v.value_or(0.0) * scale);
        if (!v || !std::isfinite(scaled)) {
            return fail("expected " + std::string(name) + " such as " + quoted(example) + where);
        }
        value = scaled;
        return true;
    }

    // One of `words`, up to the next comma; its position in the list.
    bool choice(int& index, std::initializer_list<std::string_view> words, std::string_view name) {
        if (error_) {
            return false;
        }
        const std::string where = at();
        const std::string_view w = word();
        const auto it = std::find(words.begin(), words.end(), w);
        if (it == words.end()) {
            std::string list;
            for (std::string_view option : words) {
                list += (list.empty() ? "" : ", ") + std::string(option);
            }
            return fail("expected " + std::string(name) + " (" + list + ")" + where);
        }
        index = static_cast<int>(it - words.begin());
        return true;
    }

    bool end() {
        if (error_) {
            return false;
        }
        if (!rest_.empty()) {
            return fail("expected the end of the line" + at());
        }
        return true;
    }

    bool fail(std::string what) {
        error_ = RequirementFileError{number_, std::move(what)};
        return false;
    }

    // " at column N" of what is read next.
    std::string at() const {
        return " at column " + std::to_string(rest_.data() - text_.data() + 1);
    }

  private:
    std::string_view word() {
        const std::string_view w = rest_.substr(0, rest_.find(','));
        rest_.remove_prefix(w.size());
        return w;
    }

    int number_;
    std::string_view text_;
    std::string_view rest_;
    std::optional<RequirementFileError> error_;
};

// The application line: after the keyword, ", label: value" items in the order written.
enum class ValueKind : std::uint8_t { Number, Inductance, Current, LineCurrent };

struct LineItem {
    std::string_view label;
    ValueKind kind;
    int field; // entry field 0 to 7, 8 the ambient temperature
    std::string_view after;
};

using enum ValueKind;

constexpr LineItem kDcItems[] = {{"L1", Inductance, 0, ""}, {"Rs", Number, 1, ""},
                                 {"I1", Current, 2, ""},    {"Von", Number, 5, ""},
                                 {"Voff", Number, 6, ""},   {"f", Number, 7, " k"},
                                 {"Ta", Number, 8, " C"}};
constexpr LineItem kSwingItems[] = {
    {"L1", Inductance, 0, ""}, {"Rs", Number, 1, ""},  {"I1", Current, 2, ""},
    {"L2", Inductance, 3, ""}, {"I2", Current, 4, ""}, {"Von", Number, 5, ""},
    {"Voff", Number, 6, ""},   {"f k", Number, 7, ""}, {"Ta", Number, 8, " C"}};
// The regulator's DC output (Vpfc1) is entry field 6, its peak input (Vpfc2) field 5.
constexpr LineItem kPfcItems[] = {{"L1", Inductance, 0, ""}, {"Rs", Number, 1, ""},
                                  {"I1", Current, 2, ""},    {"Vpfc1", Number, 6, ""},
                                  {"Vpfc2", Number, 5, ""},  {"f", Number, 7, " k"},
                                  {"Ta", Number, 8, " C"}};
constexpr LineItem kLineItems[] = {{"L1", Inductance, 0, ""},  {"Rs", Number, 1, ""},
                                   {"I1", LineCurrent, 2, ""}, {"L2", Inductance, 3, ""},
                                   {"I2", LineCurrent, 4, ""}, {"f", Number, 7, " Hz"},
                                   {"Ta", Number, 8, " C"}};
constexpr LineItem kResonantItems[] = {{"L1", Inductance, 0, ""}, {"Rs", Number, 1, ""},
                                       {"Ipk", Current, 2, ""},   {"Vpk", Number, 5, ""},
                                       {"f", Number, 7, " k"},    {"Ta", Number, 8, " C"}};

std::span<const LineItem> lineItems(Application a) {
    switch (a) {
    case Application::DcBiased:
        return kDcItems;
    case Application::ControlledSwing:
    case Application::WideSwing:
        return kSwingItems;
    case Application::PfcBoost:
        return kPfcItems;
    case Application::Line60Hz:
        return kLineItems;
    case Application::Resonant:
        break;
    }
    return kResonantItems;
}

bool readValue(LineReader& reader, const LineItem& item, SavedRequirement& r) {
    float& target = item.field == 8 ? r.Ta : r.values[static_cast<std::size_t>(item.field)];
    switch (item.kind) {
    case Number:
        return reader.number(target, item.label) && reader.expect(item.after);
    case Inductance:
        return reader.engineering(target, "H", 1e6, "100.0 uH", "an inductance");
    case Current:
        return reader.engineering(target, "A", 1.0, "10.00 A", "a current");
    case LineCurrent:
        return reader.engineering(target, "A rms", 1.0, "2.000 A rms", "a current");
    }
    return false;
}

// The application line. Both swing applications write the WIDESWNG keyword; `keyword`
// receives the one the line starts with.
std::optional<RequirementFileError>
readApplicationLine(const Line& line, RequirementFileEntry& entry, Application& keyword) {
    LineReader reader(line);
    std::optional<Application> found;
    for (Application a : kAllApplications) {
        const std::string_view k = applicationKeyword(a);
        if (reader.rest().starts_with(k) && reader.rest().substr(k.size()).starts_with(',')) {
            found = a;
            break;
        }
    }
    if (!found) {
        std::string list;
        for (Application a : kAllApplications) {
            list += (list.empty() ? "" : ", ") + std::string(applicationKeyword(a));
        }
        reader.fail("expected an application keyword (" + list + ")" + reader.at());
        return reader.error();
    }
    keyword = *found;
    reader.expect(applicationKeyword(keyword));
    for (const LineItem& item : lineItems(keyword)) {
        reader.expect(", ");
        reader.expect(item.label);
        reader.expect(": ");
        readValue(reader, item, entry.requirement);
    }
    reader.end();
    entry.requirementLine = std::string(trimmed(line.text, kBlanks));
    return reader.error();
}

std::optional<RequirementFileError> readShapeLine(const Line& line, SavedRequirement& r) {
    LineReader reader(line);
    int shape = 0;
    int stack = 0;
    int winding = 0;
    reader.expect("Shape: ");
    reader.choice(shape, {"T", "E", "CM"}, "a shape");
    reader.expect(", Stack: ");
    reader.whole(stack, "Stack");
    reader.expect(", Windg: ");
    reader.choice(winding, {"Full", "Singl"}, "a winding");
    reader.expect(", Strands: ");
    reader.whole(r.strands, "Strands");
    reader.end();
    r.shape = static_cast<CoreShape>(shape);
    r.windingType = static_cast<WindingType>(winding);
    r.stackCount = static_cast<float>(stack);
    return reader.error();
}

std::optional<RequirementFileError> readMaterialsLine(const Line& line,
                                                      RequirementFileEntry& entry) {
    LineReader reader(line);
    if (!reader.expect("Materials:")) {
        return reader.error();
    }
    // Each code is listed without its leading dash and followed by ", ".
    std::string_view rest = reader.rest();
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view code = trimmed(rest.substr(0, comma), kBlanks);
        if (!code.empty()) {
            entry.materials.push_back("-" + std::string(code));
        }
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
    }
    entry.materialsLine = line.number;
    return std::nullopt;
}

// Position 1 (Cudens) is allowed what the settings file reader allows: the window's range on
// the copper area or on the current density it was entered as.
ParameterRange loadableRange(int position) {
    const ParameterRange range = parameterRanges()[static_cast<std::size_t>(position)];
    if (position != 1) {
        return range;
    }
    const auto density = [](float x) {
        return static_cast<float>(kCurrentDensityConstant / static_cast<double>(x));
    };
    return {std::min(range.minimum, density(range.maximum)),
            std::max(range.maximum, density(range.minimum))};
}

// The three lines of the parameters text, then the ranges the parameters window allows.
std::optional<RequirementFileError> readParameterLines(std::span<const Line, 3> lines,
                                                       RequirementFileEntry& entry) {
    int units = 0;
    int wire = 0;
    LineReader first(lines[0]);
    first.expect("Units: ");
    first.choice(units, {"MET", "ENG", "MIXED"}, "a unit system");
    first.expect(", Wire: ");
    first.choice(wire, {"METRIC", "AWG", "SWG"}, "a wire standard");
    first.expect(",");
    if (!first.end()) {
        return first.error();
    }
    entry.unitSystem = static_cast<UnitSystem>(units);
    entry.wireSystem = static_cast<WireSystem>(wire);
    // The copper label and unit follow the wire standard, the number the unit system.
    const bool metricWire = entry.wireSystem == WireSystem::Metric;
    ParameterSet& p = entry.parameters;
    float copper = 0.0F;
    LineReader second(lines[1]);
    second.expect("Params: Trise_lim: ");
    second.number(p.Trise_lim, "Trise_lim");
    second.expect(metricWire ? ", I_dens: " : ", Cudens: ");
    second.number(copper, metricWire ? "I_dens" : "Cudens");
    second.expect(metricWire ? " A/sqcm, Fill%: " : " cm/Amp, Fill%: ");
    second.number(p.Fill, "Fill%");
    second.expect(", Min%mu: ");
    second.number(p.Min_mu, "Min%mu");
    second.expect(", LeadL: ");
    second.number(p.LeadL, "LeadL");
    second.expect("in,");
    if (!second.end()) {
        return second.error();
    }
    LineReader third(lines[2]);
    third.expect("Rho_f: ");
    third.number(p.Rho_f, "Rho_f");
    third.expect(", Trise_ex: ");
    third.number(p.Trise_ex, "Trise_ex");
    third.expect(", Trise_f: ");
    third.number(p.Trise_f, "Trise_f");
    if (!third.end()) {
        return third.error();
    }
    p.Cudens = static_cast<float>(entry.unitSystem == UnitSystem::Metric
                                      ? kCurrentDensityConstant / static_cast<double>(copper)
                                      : static_cast<double>(copper));

    // Positions 0 to 7 as the parameters window numbers them.
    static constexpr std::array<std::string_view, 8> kNames = {
        "Trise_lim", "Cudens", "Fill%", "Min%mu", "Rho_f", "Trise_f", "Trise_ex", "LeadL"};
    for (int position = 0; position < 8; ++position) {
        const ParameterRange range = loadableRange(position);
        const float value = p.at(position);
        if (!(value >= range.minimum && value <= range.maximum)) {
            const bool onThirdLine = position >= 4 && position <= 6;
            return RequirementFileError{
                (onThirdLine ? lines[2] : lines[1]).number,
                strprintf("%s %g is outside its range %g to %g",
                          std::string(kNames[static_cast<std::size_t>(position)]).c_str(),
                          static_cast<double>(value), static_cast<double>(range.minimum),
                          static_cast<double>(range.maximum))};
        }
    }
    return std::nullopt;
}

// The lines of one entry after its date line, trailing blank lines left out.
void readEntry(std::span<const Line> body, RequirementFileEntry& entry) {
    if (body.empty()) {
        entry.empty = true;
        return;
    }
    static constexpr std::array<std::string_view, 6> kLineNames = {
        "the application line",
        "the shape line \"    Shape: ...\"",
        "the materials line \"    Materials: ...\"",
        "the line \"    Units: ...\"",
        "the line \"    Params: ...\"",
        "the line \"            Rho_f: ...\""};
    // The entry ends after its first `count` lines: expected is the next one.
    auto missing = [&body](std::size_t count) -> std::optional<RequirementFileError> {
        if (body.size() >= count) {
            return std::nullopt;
        }
        return RequirementFileError{body.back().number + 1,
                                    "expected " + std::string(kLineNames[body.size()]) +
                                        ", found the end of the entry"};
    };
    Application keyword = Application::DcBiased;
    SavedRequirement& r = entry.requirement;
    if ((entry.error = readApplicationLine(body[0], entry, keyword))) {
        return;
    }
    if ((entry.error = missing(2)) || (entry.error = readShapeLine(body[1], r))) {
        return;
    }
    if ((entry.error = missing(3)) || (entry.error = readMaterialsLine(body[2], entry))) {
        return;
    }
    if ((entry.error = missing(6)) ||
        (entry.error = readParameterLines(body.subspan<3, 3>(), entry))) {
        return;
    }
    if (body.size() > kLineNames.size()) {
        entry.error =
            RequirementFileError{body[kLineNames.size()].number,
                                 "expected the end of the entry (a line holding one blank)"};
        return;
    }
    // A WIDE SWING requirement is always COMPOSITE (the requirements window forces it), so a
    // WIDESWNG line of another shape is a CONTROLLED SWING requirement.
    if (keyword == Application::WideSwing && r.shape != CoreShape::Composite) {
        keyword = Application::ControlledSwing;
    }
    r.application = keyword;
    entry.parameters.Ta = r.Ta;
}

} // namespace

std::string RequirementFileError::message() const {
    return strprintf("LINE %d: %s", line, what.c_str());
}

RequirementFile readRequirementText(std::string_view content) {
    RequirementFile file;
    const std::vector<Line> lines = splitLines(content);
    if (lines.empty() || trimmed(lines[0].text, kBlanks) != kTitle) {
        file.error = RequirementFileError{1, "expected \"    " + std::string(kTitle) + "\""};
        return file;
    }
    if (lines.size() < 2 || !trimmed(lines[1].text, kBlanks).starts_with(kProducedBy)) {
        file.error = RequirementFileError{2, "expected \"    " + std::string(kProducedBy) +
                                                 "\" and the date"};
        return file;
    }
    // Every date line after the header starts an entry; the entry runs to the next one. (The
    // empty line before a date is not required, so an entry torn in the middle of a line
    // does not swallow the next one.)
    std::vector<std::size_t> starts;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        if (isDateStamp(trimmed(lines[i].text, kBlanks))) {
            starts.push_back(i);
        } else if (starts.empty() && !blank(lines[i].text)) {
            file.error = RequirementFileError{lines[i].number,
                                              "expected an empty line or the date of an entry"};
            return file;
        }
    }
    const std::span<const Line> all(lines);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t first = starts[k] + 1;
        std::size_t last = k + 1 < starts.size() ? starts[k + 1] : lines.size();
        while (last > first && blank(lines[last - 1].text)) {
            --last;
        }
        RequirementFileEntry entry;
        entry.line = lines[starts[k]].number;
        entry.date = std::string(trimmed(lines[starts[k]].text, kBlanks));
        readEntry(all.subspan(first, last - first), entry);
        file.entries.push_back(std::move(entry));
    }
    return file;
}

std::optional<RequirementFile> readRequirementFile(const std::filesystem::path& path) {
    const std::optional<std::string> content = readSmallRegularFile(path, kRequirementFileMaxBytes);
    if (!content) {
        return std::nullopt;
    }
    return readRequirementText(*content);
}

std::optional<std::string> unloadableReason(const RequirementFileEntry& entry) {
    if (entry.error) {
        return entry.error->message();
    }
    if (entry.empty) {
        return strprintf("LINE %d: the entry saved %s holds no requirement", entry.line,
                         entry.date.c_str());
    }
    return std::nullopt;
}

std::vector<RequirementFileListing> requirementFileListing(const RequirementFile& file) {
    std::vector<RequirementFileListing> listing;
    for (std::size_t i = 0; i < file.entries.size(); ++i) {
        const RequirementFileEntry& entry = file.entries[i];
        RequirementFileListing item;
        item.index = static_cast<int>(i);
        item.date = entry.date;
        if (entry.loadable()) {
            item.application = entry.requirement.application;
            item.summary = entry.requirementLine;
        } else {
            item.summary = entry.empty ? "no requirement entered" : entry.error->message();
        }
        listing.push_back(std::move(item));
    }
    return listing;
}

} // namespace korvane
