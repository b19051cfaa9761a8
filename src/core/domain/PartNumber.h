#pragma once

#include "domain/SharedTypes.h"

#include <string>
#include <string_view>

namespace korvane {

// A core part number read as shape-and-size field, material field and size-variant letter,
// with the scanf semantics of "%[EST0-9] %[-0-9M] %[ABCDEH] ": each field is the longest run
// of its characters, white space may separate them, and reading stops at the first field
// that is empty. Anything after the variant (a "/" qualifier, say) is not read.
struct PartNumberFields {
    std::string sizeField; // "T80", "E187", "ST150"
    std::string material;  // "-275", "-M702"
    std::string variant;   // "" or one of A B C D E H
    int fieldsRead = 0;    // 0 to 3
};

PartNumberFields parsePartNumber(std::string_view partNumber);

// Key of the size tables: the size field with the variant appended when all three fields
// were read, without its first character ("T80" + "A" -> "80A", "E187" -> "187").
std::string sizeKey(const PartNumberFields& fields);

// Shape by the leading letters: "E" an E-core, "ST" a composite toroid, anything else a toroid.
CoreShape shapeFromPartNumber(std::string_view partNumber);

} // namespace korvane
