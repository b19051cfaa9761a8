#pragma once

#include "domain/Application.h"
#include "domain/SharedTypes.h"
#include "materials/AcMagLaw.h"
#include "materials/PermPair.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// Interface of the material models: permeability under DC bias, AC flux and frequency, core
// loss, and the per-material constants of the design search. Every operation has a neutral
// default here; PowderMaterialModel gives the Korvane mixes. A model holds no data: one is
// created for a run of the program and passed down. Pair operations return their result by value,
// so every call is independent of the others and results stay valid as long as the caller
// keeps them.
//
// Units: H in oersteds, B in gauss (peak AC), f in hertz unless named fkHz, percent
// permeability 100 = unchanged from mu_i.
class MaterialModel {
  public:
    MaterialModel() = default;
    MaterialModel(const MaterialModel&) = default;
    MaterialModel& operator=(const MaterialModel&) = default;
    virtual ~MaterialModel() = default;

    // Percent permeability under AC flux B, also written with its slope to pct and slope.
    virtual float acPercentPerm(std::string_view material, float& pct, float& slope,
                                double B) const;
    // Reserved slot: always 0, writes nothing.
    virtual float reservedPercentPerm(std::string_view material, double B) const;
    // {percent permeability, d/dB} under AC flux B, or none.
    virtual std::optional<PermPair> calc_ac_mag(std::string_view material, double B) const;
    // calc_ac_mag of one material as a function of B, with the material looked up once:
    // iterations that evaluate one material many times call this instead.
    using AcMagEvaluator = std::function<std::optional<PermPair>(double B)>;
    virtual AcMagEvaluator acMagEvaluator(std::string_view material) const;
    // The AC rows of the built-in tables that calc_ac_mag evaluates for a material, looked up
    // once: the AC flux iterations then evaluate them inline. None (the default) where a model
    // computes otherwise; the iterations then go through acMagEvaluator.
    virtual std::optional<ResolvedAcMag> resolvedAcMag(std::string_view material) const;
    // Percent permeability under DC bias H; slope written.
    virtual float dcPercentPerm(std::string_view material, int reserved, float& slope,
                                double H) const;
    // {percent permeability, d/dH} under DC bias H, or none.
    virtual std::optional<PermPair> dcPercentPermPair(std::string_view material, int reserved,
                                                      double H) const;
    // Effective permeability mu_i %mu / 100 under DC bias H; its slope written.
    virtual float dcPermeability(std::string_view material, float& slope, double H) const;
    // Reserved slot: always 0.
    virtual float reservedValue(std::string_view material, double H) const;
    // {mu_i %mu / 100, mu_i (d%mu/dH) / 100} under DC bias H, or none.
    virtual std::optional<PermPair> dcPermeabilityPair(std::string_view material, int reserved,
                                                       double H) const;
    // Relative permeability at f hertz.
    virtual float permeabilityAtFrequency(std::string_view material, double f) const;
    // Core loss density in mW/cm^3 at f hertz and peak flux B.
    virtual float coreLossDensity(std::string_view material, double f, double B) const;
    // Core loss: the density at fkHz and B times scale, with the composite and PFC boost
    // adjustments. For a composite core `material` is replaced by the code whose loss data
    // stands for it.
    virtual float coreLoss(CoreShape shape, std::string& material, double scale, double fkHz,
                           double B, Application application, double lineArg) const;
    // Material field of a part number into `material`; returns the number of fields read
    // (2 = shape-and-size and material). Below 2 `material` is left as it was.
    virtual int materialFromPartNumber(std::string& material, std::string_view partNumber) const;
    // Upper bound (oersteds), start (oersteds) and step factor of the DC-bias turns iteration.
    virtual float biasSearchMax(std::string_view material) const;
    virtual float biasSearchStart(std::string_view material) const;
    virtual float biasSearchStep(std::string_view material) const;
    // Limits of the fitted AC range: writes Bmax, satFraction and mu_i and returns the row
    // index of the limit table, or -1 for an unknown material.
    virtual int acLimits(std::string_view material, float& Bmax, float& satFraction,
                         float& initialPerm) const;
};

} // namespace korvane
