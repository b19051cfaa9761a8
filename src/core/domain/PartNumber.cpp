#include "domain/PartNumber.h"

#include <cctype>

namespace korvane {

namespace {

bool inSizeSet(char c) {
    return c == 'E' || c == 'S' || c == 'T' || (c >= '0' && c <= '9');
}
bool inMaterialSet(char c) {
    return c == '-' || c == 'M' || (c >= '0' && c <= '9');
}
bool inVariantSet(char c) {
    return c == 'A' || c == 'B' || c == 'C' || c == 'D' || c == 'E' || c == 'H';
}

void skipSpace(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])) != 0) {
        ++pos;
    }
}

template <typename Pred>
std::string takeRun(std::string_view text, std::size_t& pos, Pred inSet) {
    const std::size_t start = pos;
    while (pos < text.size() && inSet(text[pos])) {
        ++pos;
    }
    return std::string(text.substr(start, pos - start));
}

} // namespace

PartNumberFields parsePartNumber(std::string_view partNumber) {
    PartNumberFields fields;
    std::size_t pos = 0;
    fields.sizeField = takeRun(partNumber, pos, inSizeSet);
    if (fields.sizeField.empty()) {
        return fields;
    }
    fields.fieldsRead = 1;
    skipSpace(partNumber, pos);
    fields.material = takeRun(partNumber, pos, inMaterialSet);
    if (fields.material.empty()) {
        return fields;
    }
    fields.fieldsRead = 2;
    skipSpace(partNumber, pos);
    fields.variant = takeRun(partNumber, pos, inVariantSet);
    if (!fields.variant.empty()) {
        fields.fieldsRead = 3;
    }
    return fields;
}

std::string sizeKey(const PartNumberFields& fields) {
    std::string key = fields.sizeField;
    if (fields.fieldsRead == 3) {
        key += fields.variant;
    }
    return key.empty() ? key : key.substr(1);
}

CoreShape shapeFromPartNumber(std::string_view partNumber) {
    if (partNumber.starts_with("E")) {
        return CoreShape::ECore;
    }
    if (partNumber.starts_with("ST")) {
        return CoreShape::Composite;
    }
    return CoreShape::Toroid;
}

} // namespace korvane
