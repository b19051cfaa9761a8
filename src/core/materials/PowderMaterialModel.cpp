#include "materials/PowderMaterialModel.h"

#include "domain/PartNumber.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/CoreLoss.h"
#include "materials/MaterialCoefficients.h"
#include "materials/MaterialLists.h"
#include "materials/PermeabilityFits.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

constexpr float kPowderBiasSearchMax = 350.0F;
constexpr float kPowderBiasSearchStart = 116.666664F;
constexpr float kPowderBiasSearchStep = 1.0F;

// Leading run of the material code characters "-", "0"-"9", "M".
std::string_view materialField(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() &&
           (text[n] == '-' || text[n] == 'M' || (text[n] >= '0' && text[n] <= '9'))) {
        ++n;
    }
    return text.substr(0, n);
}

// The fit of a DC-bias row by its kind. The rational fits are reported as at most 100 %
// (slope as fitted); kind 7999 is never capped. Other kinds give none.
std::optional<PermPair> biasFit(std::int32_t kind, std::span<const float> c, double H) {
    if (kind == kDcKindReciprocalPower) {
        return reciprocalPowerBiasFit(c, H);
    }
    auto pair = rationalBiasFit(kind, c, H);
    if (pair && pair->value >= 100.0F) {
        pair->value = 100.0F;
    }
    return pair;
}

// " -390, -300, -385, -106, -104, and -280  MATERIALS EXHIBIT NEGLIGABLE AGING"
std::string negligibleAgingSentence() {
    const auto codes = negligibleAgingMaterials();
    std::string list;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const bool last = i + 1 == codes.size();
        list.append(i == 0 ? "" : (last ? ", and " : ", "));
        list.append(codes[i]);
    }
    return strprintf(" %s  MATERIALS EXHIBIT NEGLIGABLE AGING", list.c_str());
}

std::string materialOf(const MaterialModel& model, std::string_view partNumber) {
    std::string material;
    if (model.materialFromPartNumber(material, partNumber) < 2) {
        material.clear();
    }
    return material;
}

} // namespace

float PowderMaterialModel::acPercentPerm(std::string_view material, float& pct, float& slope,
                                         double B) const {
    const auto pair = calc_ac_mag(material, B);
    pct = pair ? pair->value : 0.0F;
    slope = pair ? pair->slope : 0.0F;
    return pct;
}

float PowderMaterialModel::reservedPercentPerm(std::string_view /*material*/, double /*B*/) const {
    return 0.0F;
}

std::optional<PermPair> PowderMaterialModel::calc_ac_mag(std::string_view material,
                                                         double B) const {
    if (!(B >= 0.0)) {
        return std::nullopt;
    }
    const auto index = acMagIndex(material);
    if (!index || *index >= acLimitTable().size()) {
        return std::nullopt;
    }
    return acMagAt(acMagTable()[*index], acLimitTable()[*index], isHighFluxMaterial(material), B);
}

std::optional<ResolvedAcMag> resolveAcMag(std::string_view material) {
    const auto index = acMagIndex(material);
    if (!index || *index >= acLimitTable().size()) {
        return std::nullopt;
    }
    return ResolvedAcMag{&acMagTable()[*index], &acLimitTable()[*index],
                         isHighFluxMaterial(material)};
}

std::optional<ResolvedAcMag> PowderMaterialModel::resolvedAcMag(std::string_view material) const {
    return resolveAcMag(material);
}

MaterialModel::AcMagEvaluator PowderMaterialModel::acMagEvaluator(std::string_view material) const {
    if (const auto resolved = resolveAcMag(material)) {
        return *resolved;
    }
    return [](double) { return std::optional<PermPair>(); };
}

float PowderMaterialModel::dcPercentPerm(std::string_view material, int reserved, float& slope,
                                         double H) const {
    const auto pair = dcPercentPermPair(material, reserved, H);
    slope = pair ? pair->slope : 0.0F;
    return pair ? pair->value : 0.0F;
}

std::optional<PermPair> PowderMaterialModel::dcPercentPermPair(std::string_view material,
                                                               int /*reserved*/, double H) const {
    if (!(H >= 0.0)) {
        return std::nullopt;
    }
    const std::string_view code = materialField(material);
    if (code.empty()) {
        return std::nullopt;
    }
    const double h = std::max(H, kLowestArgument);
    if (findCompositeMaterial(code)) {
        const auto row = findCompositeDcBiasRow(code);
        return row ? biasFit(row->kind, row->c, h) : std::nullopt;
    }
    const auto row = findDcBiasRow(code);
    return row ? biasFit(row->kind, row->c, h) : std::nullopt;
}

float PowderMaterialModel::dcPermeability(std::string_view material, float& slope, double H) const {
    const auto pair = dcPermeabilityPair(material, 0, H);
    slope = pair ? pair->slope : 0.0F;
    return pair ? pair->value : 0.0F;
}

float PowderMaterialModel::reservedValue(std::string_view /*material*/, double /*H*/) const {
    return 0.0F;
}

std::optional<PermPair> PowderMaterialModel::dcPermeabilityPair(std::string_view material,
                                                                int reserved, double H) const {
    const auto row = findInitialPermRow(material);
    if (!row) {
        return std::nullopt;
    }
    auto pair = dcPercentPermPair(material, reserved, H);
    if (!pair) {
        return std::nullopt;
    }
    const double scale = row->initialPerm / 100.0;
    return PermPair{static_cast<float>(pair->value * scale),
                    static_cast<float>(pair->slope * scale)};
}

float PowderMaterialModel::permeabilityAtFrequency(std::string_view material, double f) const {
    const auto row = findFrequencyRow(material);
    if (!row) {
        return 0.0F;
    }
    return static_cast<float>(frequencyFit(*row, f).value_or(0.0));
}

float PowderMaterialModel::coreLossDensity(std::string_view material, double f, double B) const {
    const auto row = findCoreLossRow(material);
    return row ? static_cast<float>(coreLossFit(*row, f, B)) : 0.0F;
}

float PowderMaterialModel::coreLoss(CoreShape shape, std::string& material, double scale,
                                    double fkHz, double B, Application application,
                                    double lineArg) const {
    if (fkHz == 0.0 || B == 0.0) {
        return 0.0F;
    }
    if (shape == CoreShape::Composite) {
        if (const auto composite = findCompositeMaterial(material)) {
            scale *= composite->lossFactor;
        }
        material = std::string(compositeBaseMaterial());
    }
    double lineFactor = 1.0;
    if (application == Application::PfcBoost) {
        // The boost inductor sees the switching ripple modulated over the line half-cycle.
        B *= 0.5;
        const auto row = findCoreLossRow(material);
        if (!row) {
            return 0.0F;
        }
        lineFactor = pfcLineAverage(lineArg, row->lineExponent, 12);
    }
    return static_cast<float>(coreLossDensity(material, fkHz * 1000.0, B) * lineFactor * scale);
}

int PowderMaterialModel::materialFromPartNumber(std::string& material,
                                                std::string_view partNumber) const {
    const PartNumberFields fields = parsePartNumber(partNumber);
    const int count = std::min(fields.fieldsRead, 2);
    if (count == 2) {
        material = fields.material;
    }
    return count;
}

float PowderMaterialModel::biasSearchMax(std::string_view material) const {
    const auto row = findBiasSearchRow(material);
    return row ? row->biasSearchMax : kPowderBiasSearchMax;
}

float PowderMaterialModel::biasSearchStart(std::string_view material) const {
    const auto row = findBiasSearchRow(material);
    return row ? row->biasSearchStart : kPowderBiasSearchStart;
}

float PowderMaterialModel::biasSearchStep(std::string_view material) const {
    const auto row = findBiasSearchRow(material);
    return row ? row->biasSearchStep : kPowderBiasSearchStep;
}

int PowderMaterialModel::acLimits(std::string_view material, float& Bmax, float& satFraction,
                                  float& initialPerm) const {
    const auto table = acLimitTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == material) {
            Bmax = table[i].Bmax;
            satFraction = table[i].satFraction;
            initialPerm = table[i].initialPerm;
            return static_cast<int>(i);
        }
    }
    const std::string text =
        strprintf("Error. unrecognized material %s\n index jm=%2d last material in Table %s ..",
                  std::string(material).c_str(), static_cast<int>(table.size()),
                  table.empty() ? "" : std::string(table.back().code).c_str());
    showMessage(text, "ERROR in  calc_ac_mag Limits Table");
    return -1;
}

int PowderMaterialModel::agingMatters(std::string_view partNumber) const {
    return isNegligibleAgingMaterial(materialOf(*this, partNumber)) ? 0 : 1;
}

int PowderMaterialModel::checkAgingDisplay(std::string_view partNumber, double coreLoss) const {
    const std::string material = materialOf(*this, partNumber);
    std::string notice;
    if (material.size() < 2) {
        notice = strprintf("No Aging Data Available , Core P/N %s, Material %s",
                           std::string(partNumber).c_str(), material.c_str());
    }
    if (isNegligibleAgingMaterial(material)) {
        notice = negligibleAgingSentence();
    }
    if (coreLoss < 0.001) {
        notice = strprintf("Design Exhibits Negligable Core Loss, %7.2e", coreLoss);
    }
    if (notice.size() < 2) {
        return 1;
    }
    showMessage(notice, " UNABLE TO DISPLAY AGING ");
    return 0;
}

} // namespace korvane
