#include "materials/MaterialSheet.h"

namespace korvane {

std::optional<MaterialSheet> materialSheet(std::string_view code) {
    const MaterialRecord* record = findMaterial(code);
    if (record == nullptr) {
        return std::nullopt;
    }
    return MaterialSheet{
        .record = *record,
        .selection = findSelectableMaterial(code),
        .acMag = findAcMagRow(code),
        .acLimit = findAcLimitRow(code),
        .dcBias = findDcBiasRow(code),
        .compositeDcBias = findCompositeDcBiasRow(code),
        .initialPerm = findInitialPermRow(code),
        .frequency = findFrequencyRow(code),
        .coreLoss = findCoreLossRow(code),
        .aging = findAgingRow(code),
        .composite = findCompositeMaterial(code),
        .biasSearch = findBiasSearchRow(code),
        .discontinued = isDiscontinuedMaterial(code),
        .negligibleAging = isNegligibleAgingMaterial(code),
        .highFlux = isHighFluxMaterial(code),
        .line60HzFullPerm = isInLine60HzFullPermList(code),
        .resonant = isInResonantList(code),
        .lowDcBiasRange = hasLowDcBiasRange(code),
        .acGraph6000Gauss = hasAcGraph6000GaussLimit(code),
    };
}

std::vector<MaterialSheet> allMaterialSheets() {
    std::vector<MaterialSheet> sheets;
    for (const MaterialRecord& row : materialTable()) {
        if (auto sheet = materialSheet(row.code)) {
            sheets.push_back(*sheet);
        }
    }
    return sheets;
}

} // namespace korvane
