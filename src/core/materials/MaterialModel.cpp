#include "materials/MaterialModel.h"

namespace korvane {

float MaterialModel::acPercentPerm(std::string_view /*material*/, float& /*pct*/, float& /*slope*/,
                                   double /*B*/) const {
    return 0.0F;
}

float MaterialModel::reservedPercentPerm(std::string_view /*material*/, double /*B*/) const {
    return 0.0F;
}

std::optional<PermPair> MaterialModel::calc_ac_mag(std::string_view /*material*/,
                                                   double /*B*/) const {
    return std::nullopt;
}

MaterialModel::AcMagEvaluator MaterialModel::acMagEvaluator(std::string_view material) const {
    return [this, code = std::string(material)](double B) { return calc_ac_mag(code, B); };
}

std::optional<ResolvedAcMag> MaterialModel::resolvedAcMag(std::string_view /*material*/) const {
    return std::nullopt;
}

float MaterialModel::dcPercentPerm(std::string_view /*material*/, int /*reserved*/,
                                   float& /*slope*/, double /*H*/) const {
    return 33.0F;
}

std::optional<PermPair> MaterialModel::dcPercentPermPair(std::string_view /*material*/,
                                                         int /*reserved*/, double /*H*/) const {
    return std::nullopt;
}

float MaterialModel::dcPermeability(std::string_view /*material*/, float& /*slope*/,
                                    double /*H*/) const {
    return 0.0F;
}

float MaterialModel::reservedValue(std::string_view /*material*/, double /*H*/) const {
    return 0.0F;
}

std::optional<PermPair> MaterialModel::dcPermeabilityPair(std::string_view /*material*/,
                                                          int /*reserved*/, double /*H*/) const {
    return std::nullopt;
}

float MaterialModel::permeabilityAtFrequency(std::string_view /*material*/, double /*f*/) const {
    return 0.0F;
}

float MaterialModel::coreLossDensity(std::string_view /*material*/, double /*f*/,
                                     double /*B*/) const {
    return 0.0F;
}

float MaterialModel::coreLoss(CoreShape /*shape*/, std::string& /*material*/, double /*scale*/,
                              double /*fkHz*/, double /*B*/, Application /*application*/,
                              double /*lineArg*/) const {
    return 0.0F;
}

int MaterialModel::materialFromPartNumber(std::string& /*material*/,
                                          std::string_view /*partNumber*/) const {
    return 0;
}

float MaterialModel::biasSearchMax(std::string_view /*material*/) const {
    return 300.0F;
}

float MaterialModel::biasSearchStart(std::string_view /*material*/) const {
    return 100.0F;
}

float MaterialModel::biasSearchStep(std::string_view /*material*/) const {
    return 0.5F;
}

int MaterialModel::acLimits(std::string_view /*material*/, float& /*Bmax*/, float& /*satFraction*/,
                            float& /*initialPerm*/) const {
    return 2000;
}

} // namespace korvane
