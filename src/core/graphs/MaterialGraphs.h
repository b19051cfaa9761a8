#pragma once

#include "engine/DesignCandidate.h"
#include "graphs/GraphState.h"
#include "materials/MaterialModel.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr std::string_view kCurveLimitCaption =
    "Number of Materials Selected Exceeds Number of Graphs Limit";

// Fixed texts and ranges of one material graph kind (1 to 6).
struct MaterialGraphSettings {
    std::string_view title; // window caption and print title
    std::string_view xLabel;
    std::string_view yLabel;
    float xStart = 1.0F;
    int xDecades = 3;
    float yMin = 0.0F;
    float yMax = 100.0F;
    int yDecades = 0;
    float reference = 1.0F;
    int anchorPoint = 0;      // point whose position carries the curve's name
    float anchorRaise = 0.0F; // added to that point's y
};

// The settings of a kind; kind 2 starts at 0.1 oersted when the first material of the list is
// a composite. Nothing for a kind outside 1 to 6.
std::optional<MaterialGraphSettings> materialGraphSettings(int kind,
                                                           std::string_view firstMaterial = {});

// Sample sequences, point i of 0 to 59.
// DC bias in oersteds: floor(2.5 * 1.27045^i) up to 350; floor(1.27045^i) up to 250 for the
// mixes with the lower range; 0.1 * (280^(1/59))^i up to 100 for the composite materials.
double dcBiasSample(std::string_view material, int i);
// Peak AC flux density of the permeability curves: floor(10 * 1.12421^i + 0.5), up to 12000,
// or 6000 for the mixes limited there.
double acFluxSample(std::string_view material, int i);
// Peak AC flux density of the core-loss curves: 10 * floor(1.12421^i + 0.5).
double coreLossFluxSample(int i);
// Frequency in hertz: 1000 * 1.2154^i, the factor as stored in single precision.
double frequencySample(int i);

// Fills the kind's captions, labels and ranges, then for each named material of the state's
// curves its points, curve reference value and name anchor. The permeability-versus-AC-flux
// graph draws no curve for a composite material: its reference value is set to 0, which the
// drawing skips together with the name.
void compute_graph_curves(GraphState& state, int kind, int pointsPerCurve,
                          const MaterialModel& model);

// A materials graph of `kind` for the materials of `list`. The caller has set the state's
// curve count to the number of materials. More than the curve limit shows the notice and keeps
// the first 16; an empty name (or the end of the list) ends the curves there.
void show_material_graph(GraphState& state, const MaterialModel& model, int kind,
                         std::span<const std::string> list);

// The DC PERM (kind 2) and AC PERM (kind 3) graphs of one design's material: nothing (false)
// unless the turns are above 0 and the part number names a material.
bool showDesignPermeabilityGraph(GraphState& state, const MaterialModel& model, int kind,
                                 const DesignCandidate& design);

} // namespace korvane
