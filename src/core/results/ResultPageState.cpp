#include "results/ResultPageState.h"

#include "results/TextGrid.h"

#include <algorithm>
#include <array>
#include <utility>

namespace korvane {

ResultPageState::ResultPageState(std::string dateTime) : dateTime_(std::move(dateTime)) {}

void ResultPageState::beginRun(Application application) {
    run_.valid = false;
    run_.application = application;
}

void ResultPageState::finishRun(CoreShape shape, std::string wireSystemName, int rowCount,
                                float I1peak, float I1rms, float Ipk) {
    run_.valid = true;
    run_.shape = shape;
    run_.wireSystemName = std::move(wireSystemName);
    run_.rowCount = std::clamp(rowCount, 0, TextGrid::kRows);
    run_.I1peak = I1peak;
    run_.I1rms = I1rms;
    run_.Ipk = Ipk;
    selectRow(selectedRow_);
}

RequirementBlock ResultPageState::displayedRequirementBlock() const {
    RequirementBlock shown = block_;
    if (shown[0].label.size() < 10) {
        shown[0].label = std::string(kFirstRequirementLabel);
    }
    return shown;
}

ResultGrid ResultPageState::shownGrid() const {
    return page_ == ResultPage::Electrical ? ResultGrid::Electrical : dimensionGrid(run_.shape);
}

int ResultPageState::scrollMaximum() const {
    return std::max(0, run_.rowCount - 2);
}

void ResultPageState::selectRow(int row) {
    selectedRow_ = std::clamp(row, 0, scrollMaximum());
}

void ResultPageState::setVisibleRows(int rows) {
    visibleRows_ = std::clamp(rows, 1, TextGrid::kRows);
}

int ResultPageState::firstVisibleRow() const {
    return std::max(0, selectedRow_ - visibleRows_ + 1);
}

std::string ResultPageState::dateTimeText(std::time_t t) {
    // Everything runs on the one user-interface thread, so localtime's shared buffer is safe.
    const std::tm* local = std::localtime(&t);
    if (local == nullptr) {
        return {};
    }
    std::array<char, 32> buffer{};
    const std::size_t n = std::strftime(buffer.data(), buffer.size(), "%Y-%m-%d %H:%M:%S", local);
    return std::string(buffer.data(), n);
}

const DesignCandidate* selectedDesign(const CandidateTable& table, const ResultPageState& state) {
    const int row = state.selectedRow();
    const int count = std::min(table.count, kCandidateSlots);
    if (!state.run().valid || row < 0 || row >= count) {
        return nullptr;
    }
    return &table.slots[static_cast<std::size_t>(row)];
}

bool graphableDesign(const DesignCandidate& design) {
    return design.turns > 0.0F;
}

float inductanceGraphCurrent(const ResultRunState& run) {
    switch (describe(run.application).current) {
    case OperatingCurrent::LineRms:
        return run.I1rms;
    case OperatingCurrent::ResonantPeak:
        return run.Ipk;
    case OperatingCurrent::Peak:
        break;
    }
    return run.I1peak;
}

double agingGraphFrequency(Application application, float fHz, float fkHz) {
    return describe(application).lineFrequency ? fHz : fkHz * 1000.0;
}

} // namespace korvane
