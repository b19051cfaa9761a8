#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The materials the automatic design may use and the materials graphs draw. The material
// list is fixed; the selected list holds the selected codes in list order. Check boxes belong
// to the window and take effect only through ok().
class MaterialSelection {
  public:
    // A selection over the maker's selectable materials, all selected.
    MaterialSelection();
    // A selection over `materials` (in list order), all selected.
    explicit MaterialSelection(std::span<const std::string_view> materials);

    std::size_t materialCount() const { return materials_.size(); }
    const std::vector<std::string>& materials() const { return materials_; }

    // Selected codes, in material-list order.
    const std::vector<std::string>& selected() const { return selected_; }
    std::size_t selectedCount() const { return selected_.size(); }

    // True when the code is not empty and equals a selected code.
    bool isSelected(std::string_view code) const;

    // Check boxes, one per material.
    const std::vector<bool>& checks() const { return checks_; }
    void setChecked(std::size_t i, bool checked);
    // Activation: checks the box of every selected material (others stay as they are).
    void activate();
    void selectAll();
    void invertSelection();
    // The checked boxes become the selection.
    void ok();

    // "    Materials: " and every selected code without its leading dash followed by ", ",
    // then a line end. `listed` receives the number of codes listed.
    std::string materialsLine(int* listed = nullptr) const;

  private:
    std::vector<std::string> materials_;
    std::vector<std::string> selected_;
    std::vector<bool> checks_;
};

} // namespace korvane
