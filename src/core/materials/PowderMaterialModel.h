#pragma once

#include "materials/AcMagLaw.h"
#include "materials/MaterialModel.h"

namespace korvane {

// The material model of the Korvane powder mixes and composite materials, over the built-in
// coefficient tables (MaterialCoefficients.h). Stateless: every call stands on its own.
class PowderMaterialModel final : public MaterialModel {
  public:
    float acPercentPerm(std::string_view material, float& pct, float& slope,
                        double B) const override;
    float reservedPercentPerm(std::string_view material, double B) const override;
    std::optional<PermPair> calc_ac_mag(std::string_view material, double B) const override;
    AcMagEvaluator acMagEvaluator(std::string_view material) const override;
    std::optional<ResolvedAcMag> resolvedAcMag(std::string_view material) const override;
    float dcPercentPerm(std::string_view material, int reserved, float& slope,
                        double H) const override;
    std::optional<PermPair> dcPercentPermPair(std::string_view material, int reserved,
                                              double H) const override;
    float dcPermeability(std::string_view material, float& slope, double H) const override;
    float reservedValue(std::string_view material, double H) const override;
    std::optional<PermPair> dcPermeabilityPair(std::string_view material, int reserved,
                                               double H) const override;
    float permeabilityAtFrequency(std::string_view material, double f) const override;
    float coreLossDensity(std::string_view material, double f, double B) const override;
    float coreLoss(CoreShape shape, std::string& material, double scale, double fkHz, double B,
                   Application application, double lineArg) const override;
    int materialFromPartNumber(std::string& material, std::string_view partNumber) const override;
    float biasSearchMax(std::string_view material) const override;
    float biasSearchStart(std::string_view material) const override;
    float biasSearchStep(std::string_view material) const override;
    int acLimits(std::string_view material, float& Bmax, float& satFraction,
                 float& initialPerm) const override;

    // 0 when the material of the part number is one of the negligible-aging mixes, else 1.
    int agingMatters(std::string_view partNumber) const;
    // 1 when the aging display may proceed; otherwise shows why not (caption
    // " UNABLE TO DISPLAY AGING ") and returns 0. coreLoss in mW.
    int checkAgingDisplay(std::string_view partNumber, double coreLoss) const;
};

} // namespace korvane
