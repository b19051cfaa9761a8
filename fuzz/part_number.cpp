// Part numbers and the catalog lookup: the three-field reader against the C library's scanf of
// the same pattern, the size key, the shape letters, the analysis window's typing and entry
// checks, and the lookup by part number with the bobbin of a found E-core.
//
// Input: a choice item (source of the part number 0 typed / 1 a catalog listing, the shape of
// the listing, the stack count of the bobbin), then the typed text (or the listing's line),
// then a suffix appended to a listing's part number.

#include "FuzzChecks.h"
#include "FuzzInput.h"
#include "analysis/AnalysisEntry.h"
#include "catalog/CoreCatalog.h"
#include "domain/PartNumber.h"
#include "format/NumberReader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

// The reader's reference: the C library's scanf of "%[EST0-9] %[-0-9M] %[ABCDEH] ".
void checkAgainstScanf(const std::string& pn) {
    if (pn.find('\0') != std::string::npos) {
        return; // scanf would stop at the terminator
    }
    std::vector<char> size(pn.size() + 1), material(pn.size() + 1), variant(pn.size() + 1);
    int read = std::sscanf(pn.c_str(), "%[EST0-9] %[-0-9M] %[ABCDEH] ", size.data(),
                           material.data(), variant.data());
    read = std::max(read, 0); // EOF: nothing converted
    const PartNumberFields fields = parsePartNumber(pn);
    KORVANE_FUZZ_CHECK(fields.fieldsRead == read, "fields read " +
                                                      std::to_string(fields.fieldsRead) +
                                                      ", scanf " + std::to_string(read));
    if (read >= 1) {
        KORVANE_FUZZ_CHECK(fields.sizeField == size.data(), "size field " + fields.sizeField);
    }
    if (read >= 2) {
        KORVANE_FUZZ_CHECK(fields.material == material.data(), "material " + fields.material);
    }
    if (read >= 3) {
        KORVANE_FUZZ_CHECK(fields.variant == variant.data(), "variant " + fields.variant);
    }
    std::string key = fields.sizeField + (fields.fieldsRead == 3 ? fields.variant : "");
    key = key.empty() ? key : key.substr(1);
    KORVANE_FUZZ_CHECK(sizeKey(fields) == key, "size key " + sizeKey(fields));
}

void checkShape(const std::string& pn) {
    const CoreShape shape = shapeFromPartNumber(pn);
    const CoreShape expected = pn.starts_with("E")    ? CoreShape::ECore
                               : pn.starts_with("ST") ? CoreShape::Composite
                                                      : CoreShape::Toroid;
    KORVANE_FUZZ_CHECK(shape == expected, "shape of " + pn);
}

void checkTypingAndEntryCheck(const std::string& pn, const Echo& echo) {
    RecordingSink sink;
    {
        ScopedMessageSink scoped(sink);
        const PartNumberTyping typed = partNumberTyping(pn);
        KORVANE_FUZZ_CHECK(typed.text.size() == pn.size(), "typing changed the length");
        bool foreign = false;
        for (std::size_t i = 0; i < pn.size(); ++i) {
            const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(pn[i])));
            KORVANE_FUZZ_CHECK(typed.text[i] == upper, "typing did not upper-case");
            foreign = foreign || std::string_view("ABCDEG HI MTS0123456789-/").find(upper) ==
                                     std::string_view::npos;
        }
        KORVANE_FUZZ_CHECK(typed.error == foreign, "typing error flag");
        KORVANE_FUZZ_CHECK(sink.size() == (foreign ? 1U : 0U), "typing messages");

        const PartNumberCheck check = checkPartNumber(pn);
        KORVANE_FUZZ_CHECK(sink.size() == (foreign ? 1U : 0U),
                           "the part-number check shows its messages itself");
        if (check.accepted()) {
            KORVANE_FUZZ_CHECK(!pn.empty() && std::string_view("EST").find(pn.front()) !=
                                                  std::string_view::npos,
                               "accepted without a shape letter: " + pn);
            KORVANE_FUZZ_CHECK(pn.find('-') != std::string::npos, "accepted without a dash");
            KORVANE_FUZZ_CHECK(!check.material.empty(), "accepted without a material");
        }
        for (char c : check.material) {
            KORVANE_FUZZ_CHECK(c == 'M' || std::isdigit(static_cast<unsigned char>(c)) != 0,
                               "material code " + check.material);
        }
        checkQuotingText(check.messages, echo, "part-number check");
    }
    checkMessages(sink, echo);
}

void checkCore(const CoreRecord& r, const std::string& pn) {
    const float numbers[] = {r.AL,   r.OD,   r.ID,     r.Ht,     r.dimA,        r.dimB,
                             r.dimC, r.dimD, r.dimE,   r.dimF,   r.Ae,          r.le,
                             r.Aw,   r.MLT,  r.volume, r.weight, r.initialPerm, r.price};
    for (float v : numbers) {
        checkFinite(v, "a figure of core " + pn);
    }
    KORVANE_FUZZ_CHECK(r.AL > 0.0F && r.Ae > 0.0F && r.le > 0.0F && r.volume > 0.0F &&
                           r.weight > 0.0F && r.MLT > 0.0F && r.Aw > 0.0F,
                       "incomplete record of core " + pn);
    if (r.shape == CoreShape::ECore) {
        KORVANE_FUZZ_CHECK(r.dimA > 0.0F && r.dimB > 0.0F && r.dimC > 0.0F && r.dimD > 0.0F &&
                               r.dimE > 0.0F && r.dimF > r.dimE,
                           "E-core dimensions of " + pn);
    } else {
        KORVANE_FUZZ_CHECK(r.OD > r.ID && r.ID > 0.0F && r.Ht > 0.0F, "toroid sizes of " + pn);
    }
}

void checkLookup(const std::string& pn, bool listed, int stack, const Echo& echo) {
    RecordingSink sink;
    CoreCatalog catalog;
    {
        ScopedMessageSink scoped(sink);
        CoreRecord record;
        const int result = catalog.lookupPartNumber(record, pn);
        KORVANE_FUZZ_CHECK(result == 1 || result == -2, "lookup result " + std::to_string(result));
        KORVANE_FUZZ_CHECK(!listed || result == 1, "a listed part number was not found: " + pn);
        if (result == 1) {
            KORVANE_FUZZ_CHECK(sink.empty(), "a found core showed a message");
            KORVANE_FUZZ_CHECK(record.partNumber == pn, "found " + record.partNumber);
            KORVANE_FUZZ_CHECK(record.shape == shapeFromPartNumber(pn), "shape of " + pn);
            checkCore(record, pn);
        } else {
            KORVANE_FUZZ_CHECK(sink.size() == 1, "not found: one message");
            KORVANE_FUZZ_CHECK(sink.last().caption == "KORVANE CATALOG LOOKUP ERROR ",
                               sink.last().caption);
            KORVANE_FUZZ_CHECK(sink.last().text.starts_with("Core P/N "), sink.last().text);
        }

        BobbinRecord bobbin;
        const int bobbinResult = catalog.get_Bobbin_data(bobbin, pn, stack);
        KORVANE_FUZZ_CHECK(bobbinResult == result, "bobbin result differs from the lookup");
        if (result == 1 && record.shape == CoreShape::ECore) {
            const float figures[] = {
                bobbin.flangeHeight,    bobbin.flangeWidth,  bobbin.tubeDepth,
                bobbin.tubeWidth,       bobbin.innerWidth,   bobbin.innerHeight,
                bobbin.flangeThickness, bobbin.bobbinLength, bobbin.windingWidth,
                bobbin.windingDepth,    bobbin.tubePerimeter};
            for (float v : figures) {
                checkFinite(v, "a bobbin figure of " + pn);
            }
            KORVANE_FUZZ_CHECK(bobbin.windingWidth > 0.0F && bobbin.windingDepth > 0.0F &&
                                   bobbin.tubePerimeter > 0.0F,
                               "bobbin of " + pn + " leaves no room for a winding");
        }
    }
    checkMessages(sink, echo);
}

// Past the last listing nothing is read and the record stays as it was.
void checkPastTheEnd(CoreShape shape) {
    CoreCatalog catalog;
    CoreRecord record;
    record.partNumber = "untouched";
    const int count = catalog.listingCount(shape);
    KORVANE_FUZZ_CHECK(catalog.readCatalogLine(record, count, shape) == 0, "past the end");
    KORVANE_FUZZ_CHECK(record.partNumber == "untouched", "past the end wrote the record");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string choices = in.text();
    const std::string typed = in.text();
    const std::string suffix = in.text();
    const bool fromListing = FuzzInput::choiceAt(choices, 0, 2) == 1;
    const auto shape = static_cast<CoreShape>(FuzzInput::choiceAt(choices, 1, 3));
    const int stack = 1 + FuzzInput::choiceAt(choices, 2, 4);

    std::string pn = typed;
    bool listed = false;
    if (fromListing) {
        CoreCatalog catalog;
        const int count = catalog.listingCount(shape);
        int line = 0;
        scanInt(typed, line);
        line = ((line % count) + count) % count;
        CoreRecord record;
        RecordingSink quiet;
        ScopedMessageSink scoped(quiet);
        KORVANE_FUZZ_CHECK(catalog.readCatalogLine(record, line, shape) == count - line,
                           "listings left from line " + std::to_string(line));
        pn = record.partNumber + suffix;
        listed = suffix.empty();
        checkPastTheEnd(shape);
    }

    Echo echo;
    echo.add(pn);
    checkAgainstScanf(pn);
    checkShape(pn);
    checkTypingAndEntryCheck(pn, echo);
    checkLookup(pn, listed, stack, echo);
    return 0;
}
