#include "settings/MaterialSelection.h"

#include "materials/MaterialLists.h"

#include <algorithm>

namespace korvane {

namespace {

std::vector<std::string> selectableCodes() {
    std::vector<std::string> codes;
    for (const SelectableMaterial& m : selectableMaterials()) {
        codes.emplace_back(m.code);
    }
    return codes;
}

} // namespace

MaterialSelection::MaterialSelection()
    : materials_(selectableCodes()), selected_(materials_), checks_(materials_.size(), false) {}

MaterialSelection::MaterialSelection(std::span<const std::string_view> materials)
    : materials_(materials.begin(), materials.end()), selected_(materials_),
      checks_(materials_.size(), false) {}

bool MaterialSelection::isSelected(std::string_view code) const {
    return !code.empty() && std::find(selected_.begin(), selected_.end(), code) != selected_.end();
}

void MaterialSelection::setChecked(std::size_t i, bool checked) {
    if (i < checks_.size()) {
        checks_[i] = checked;
    }
}

void MaterialSelection::activate() {
    for (std::size_t i = 0; i < materials_.size(); ++i) {
        if (isSelected(materials_[i])) {
            checks_[i] = true;
        }
    }
}

void MaterialSelection::selectAll() {
    std::fill(checks_.begin(), checks_.end(), true);
}

void MaterialSelection::invertSelection() {
    checks_.flip();
}

void MaterialSelection::ok() {
    selected_.clear();
    for (std::size_t i = 0; i < materials_.size(); ++i) {
        if (checks_[i]) {
            selected_.push_back(materials_[i]);
        }
    }
}

std::string MaterialSelection::materialsLine(int* listed) const {
    std::string line = "    Materials: ";
    int count = 0;
    for (const std::string& code : selected_) {
        if (code.size() > 1) {
            line += code.substr(1);
            line += ", ";
            ++count;
        }
    }
    line += "\n";
    if (listed != nullptr) {
        *listed = count;
    }
    return line;
}

} // namespace korvane
