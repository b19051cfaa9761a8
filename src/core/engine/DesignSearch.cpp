#include "engine/DesignSearch.h"

#include "engine/ApplicationModels.h"
#include "engine/Stacking.h"
#include "engine/TemperatureRise.h"
#include "engine/Winding.h"
#include "engine/WireSelection.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/MaterialModel.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// Whole turns for L1 (mH) on AL (nH/turn^2) at `percentPerm`.
float turnsFor(double L1, double AL, double percentPerm) {
    return static_cast<float>(std::floor(1000.0 * std::sqrt(L1 / AL / (percentPerm * 0.01)) + 0.5));
}

} // namespace

std::string wireResultMeaning(int code) {
    switch (code) {
    case 1:
        return "wire found";
    case 0:
        return "fewer than 0.5 turns";
    case -1:
        return "no wire for the full-window area";
    case -2:
        return "no wire for the single-layer or skin-depth diameter";
    case -4:
        return "no wire in the fit loop";
    case -8:
        return "current density not met";
    case -16:
        return "winding does not fit the bobbin";
    case -32:
        return "DC resistance above the maximum";
    case -64:
        return "resonant frequency missing";
    default:
        return "unknown result";
    }
}

std::string describeTraceEvent(const TraceEvent& e) {
    std::string text = strprintf("%4d %-15s ", e.line, e.partNumber.c_str());
    switch (e.outcome) {
    case TraceOutcome::MaterialNotSelected:
        return text + "material not selected";
    case TraceOutcome::NoOperatingPoint:
        return text + "no operating point (" + e.model + ")";
    case TraceOutcome::BelowMinimumPerm:
        return text + strprintf("%%perm %.1f below the minimum %.1f",
                                static_cast<double>(e.percentPerm),
                                static_cast<double>(e.minPercentPerm));
    case TraceOutcome::WireRejected:
        return text +
               strprintf("%.0f turns: wire selection %d, ", static_cast<double>(e.turns),
                         e.wireCode) +
               wireResultMeaning(e.wireCode);
    case TraceOutcome::TemperatureRise:
        return text + strprintf("%.0f turns: temperature rise %.1f C above the limit %.1f C",
                                static_cast<double>(e.turns), static_cast<double>(e.tempRise),
                                static_cast<double>(e.tempRiseLimit));
    case TraceOutcome::Accepted:
        return text + strprintf("%.0f turns, %%perm %.1f, rise %.1f C: accepted into slot %d",
                                static_cast<double>(e.turns), static_cast<double>(e.percentPerm),
                                static_cast<double>(e.tempRise), e.slot);
    case TraceOutcome::SearchStopped:
        return text + strprintf("wire selection %d, ", e.wireCode) + wireResultMeaning(e.wireCode) +
               ": search stopped";
    }
    return text;
}

CoreSelector::CoreSelector(const DesignPFE& design, const CoreCatalog& catalog,
                           const MaterialModel& model, const MaterialSelection& selection,
                           float minPercentPerm)
    : design_(design), catalog_(catalog), model_(model), selection_(selection),
      minPercentPerm_(minPercentPerm) {}

void CoreSelector::trace(const CoreRecord& core, TraceOutcome outcome, const std::string& model,
                         float percentPerm) {
    if (trace_) {
        TraceEvent e;
        e.line = line_ - 1;
        e.partNumber = core.partNumber;
        e.outcome = outcome;
        e.model = model;
        e.percentPerm = percentPerm;
        e.minPercentPerm = minPercentPerm_;
        trace_(e);
    }
}

void CoreSelector::prepareLineOutcomes() {
    const DesignPFE& d = design_;
    lookahead_.reset();
    lookaheadLines_.clear();
    lookaheadMaterials_.clear();
    std::vector<LineListing> listings;
    {
        // The walk shows the listings' own messages when it reaches them, not here.
        CollectingSink quiet(false);
        ScopedMessageSink scoped(quiet);
        CoreRecord core;
        for (int line = 0; catalog_.readCatalogLine(core, line, d.shape) > 0; ++line) {
            if (d.shape != CoreShape::Composite && !selection_.isSelected(core.material)) {
                continue;
            }
            if (d.stackCount != 1.0F) {
                stackCore(core, d.stackCount);
            }
            lookaheadMaterials_.push_back(core.material);
            listings.push_back({lookaheadMaterials_.back(), core.Ae, core.AL});
            lookaheadLines_.push_back(line);
        }
    }
    lookahead_ =
        std::make_unique<LineLookahead>(std::move(listings), d.L1, d.I1rms, d.L2, d.I2rms, model_);
}

std::optional<LineOperatingPoint> CoreSelector::lineOperatingPoint(const CoreRecord& core,
                                                                   int line) {
    if (!lookahead_) {
        prepareLineOutcomes();
    }
    const auto it = std::lower_bound(lookaheadLines_.begin(), lookaheadLines_.end(), line);
    if (it != lookaheadLines_.end() && *it == line) {
        const LineOutcome& outcome =
            lookahead_->outcome(static_cast<std::size_t>(it - lookaheadLines_.begin()));
        for (const Message& m : outcome.messages) {
            showMessage(m.text, m.caption);
        }
        return outcome.point;
    }
    const DesignPFE& d = design_;
    return line60HzOperatingPoint(core.material, d.L1, d.I1rms, d.L2, d.I2rms, core.Ae, core.AL,
                                  model_);
}

int CoreSelector::Select_Core(CoreRecord& core, bool firstCall, float& turns, float& percentPerm) {
    if (firstCall) {
        line_ = 0;
        delivered_ = false;
        lookahead_.reset();
    }
    const DesignPFE& d = design_;
    while (true) {
        const int remaining = catalog_.readCatalogLine(core, line_, d.shape);
        if (remaining <= 0) {
            return delivered_ ? kSelectCatalogExhausted : kSelectNothingFound;
        }
        ++line_;
        if (d.shape != CoreShape::Composite && !selection_.isSelected(core.material)) {
            trace(core, TraceOutcome::MaterialNotSelected, "");
            continue;
        }
        if (d.stackCount != 1.0F) {
            stackCore(core, d.stackCount);
        }
        float pct = 0.0F;
        float n = 0.0F;
        const std::string model(describe(d.application).searchModel);
        switch (d.application) {
        case Application::DcBiased:
        case Application::PfcBoost: {
            const auto mu =
                dcBiasPercentPerm(core.material, d.L1, d.I1peak, core.AL, core.le, model_);
            if (!mu) {
                trace(core, TraceOutcome::NoOperatingPoint, model);
                continue;
            }
            if (!(*mu >= minPercentPerm_)) {
                trace(core, TraceOutcome::BelowMinimumPerm, model, *mu);
                continue;
            }
            pct = *mu;
            break;
        }
        case Application::ControlledSwing:
        case Application::WideSwing:
            pct = swingPercentPerm(d.application, core.material, d.shape, core.AL, core.le, d.L1,
                                   d.I1peak, d.L2, d.I2, model_);
            break;
        case Application::Line60Hz: {
            const auto point = lineOperatingPoint(core, line_ - 1);
            if (point) {
                pct = static_cast<float>(point->permFraction * 100.0);
                n = static_cast<float>(point->turns);
            }
            break;
        }
        case Application::Resonant:
            pct =
                resonantCoreAccepted(core.material, core.AL, d.L1, d.Ipk, core.Ae) ? 100.0F : 0.0F;
            break;
        default:
            showMessage("Application Not Identified", "<< Error in Select_Core >>");
            return kSelectUnknownApplication;
        }
        if (!(pct > 0.0F) || !std::isfinite(pct)) {
            trace(core, TraceOutcome::NoOperatingPoint, model);
            continue;
        }
        if (d.application != Application::Line60Hz) {
            n = turnsFor(d.L1, core.AL, pct);
        }
        if (!std::isfinite(n)) {
            trace(core, TraceOutcome::NoOperatingPoint, model);
            continue;
        }
        turns = n;
        percentPerm = pct;
        delivered_ = true;
        return remaining;
    }
}

SearchResult runDesignSearch(DesignPFE& d, const DesignParameters& parameters,
                             const MaterialSelection& selection, const CoreCatalog& catalog,
                             const MaterialModel& model, SearchRowSink* rows,
                             const SearchTrace& trace) {
    const Application app = d.application;
    const float riseLimit = parameters.temperatureRiseLimit(app);
    const double riseFactor = parameters.riseFactor(app);
    const double riseExponent = parameters.riseExponent(app);
    const float minMu = parameters.minimumPercentPerm(app);

    SearchResult result;
    d.valid = false;
    if (rows != nullptr) {
        rows->prepareTables(d.stackCount);
    }
    CoreSelector selector(d, catalog, model, selection, minMu);
    selector.setTrace(trace);

    auto emit = [&trace](TraceEvent e) {
        if (trace) {
            trace(e);
        }
    };

    CoreRecord core;
    int i = 0;
    bool stopped = false;
    for (bool first = true; i < kCandidateSlots; first = false) {
        float turns = 0.0F;
        float percentPerm = 0.0F;
        result.selectStatus = selector.Select_Core(core, first, turns, percentPerm);
        if (result.selectStatus < 1) {
            break;
        }
        if (d.shape == CoreShape::Toroid &&
            !(static_cast<double>(core.Aw) * core.ID * core.OD * core.Ht >= 0.001)) {
            showMessage(strprintf("Core %s Dimension: Aw = %4.0f kcm, ID = %4.3f, oD = %4.3f, Ht = "
                                  "%4.3f",
                                  core.partNumber.c_str(), static_cast<double>(core.Aw) * 1000.0,
                                  static_cast<double>(core.ID), static_cast<double>(core.OD),
                                  static_cast<double>(core.Ht)),
                        "DESIGN CORE DIMENSIONS: ");
        }
        const CandidateQuantities q = candidateQuantities(d, core, turns, percentPerm);

        DesignCandidate& slot = result.table.slots[static_cast<std::size_t>(i)];
        slot = DesignCandidate{};
        slot.partNumber = core.partNumber; // so a wire-selection message names this core
        std::string material;
        if (model.materialFromPartNumber(material, core.partNumber) >= 2) {
            slot.coreLoss = model.coreLoss(core.shape, material, core.volume, q.lossFrequencyKHz,
                                           q.lossFlux, app, q.pfcRatio.value_or(0.0));
        }
        slot.wire.system = d.wireSystem;
        slot.turns = turns;
        slot.strands = d.minStrands;
        slot.stackCount = d.stackCount;
        slot.frequency = d.fkHz;

        BobbinRecord bobbin;
        const double current = std::sqrt(q.currentSquared);
        result.lastWireCode = select_wire(d, app, slot.wire, slot, current, d.Ta, d.Rs, d.shape,
                                          d.windingType, catalog, core, bobbin, parameters);
        TraceEvent event;
        event.line = selector.lastLine();
        event.partNumber = core.partNumber;
        event.turns = turns;
        event.percentPerm = percentPerm;
        event.wireCode = result.lastWireCode;
        event.tempRiseLimit = riseLimit;
        if (result.lastWireCode == 0 || result.lastWireCode == -64) {
            event.outcome = TraceOutcome::SearchStopped;
            emit(event);
            stopped = true;
            break;
        }
        if (result.lastWireCode < 1) {
            event.outcome = TraceOutcome::WireRejected;
            emit(event);
            continue;
        }
        slot.copperLoss = static_cast<float>(copperLossMilliwatts(q.currentSquared, slot.rac));
        slot.surfaceArea = static_cast<float>(
            calcSurfaceArea(d.windingType, static_cast<int>(slot.turns), slot.strands,
                            slot.wire.areaCmil, slot.wire.insulatedDiameter, core));
        slot.coreVolume = core.volume;
        slot.tempRise =
            static_cast<float>(temperatureRise(static_cast<double>(slot.coreLoss) + slot.copperLoss,
                                               slot.surfaceArea, riseFactor, riseExponent));
        event.tempRise = slot.tempRise;
        if (!withinTemperatureRiseLimit(slot.tempRise, riseLimit)) {
            event.outcome = TraceOutcome::TemperatureRise;
            emit(event);
            continue;
        }
        slot.ae = core.Ae;
        slot.al = core.AL;
        slot.percentPerm = percentPerm;
        slot.lineFrequency = d.fHz;
        slot.acFlux = static_cast<float>(q.acFlux);
        slot.biasScale = static_cast<float>(q.biasScale);
        if (q.pfcRatio) {
            slot.pfcRatio = static_cast<float>(*q.pfcRatio);
        }
        result.cores[static_cast<std::size_t>(i)] = core;
        if (d.shape == CoreShape::ECore) {
            result.bobbins[static_cast<std::size_t>(i)] = bobbin;
        }
        if (rows != nullptr) {
            rows->writeRow(i, core, slot, result.bobbins[static_cast<std::size_t>(i)]);
        }
        event.outcome = TraceOutcome::Accepted;
        event.slot = i;
        emit(event);
        ++i;
    }
    result.accepted = i;
    result.table.count = i;

    if (!stopped && i < kCandidateSlots) {
        result.endOfCatalog = true;
        if (i < kCandidateSlots && result.lastWireCode < 0 && static_cast<double>(d.L1) > 0.1) {
            const DesignCandidate& held = result.table.slots[static_cast<std::size_t>(i)];
            showMessage(strprintf("L Required: %6.0f, CORE: %s code:%4d, %4.0f turns wire #%5.2f "
                                  "Trise:%3.1f Trise_limit:%3.1f",
                                  static_cast<double>(d.L1) * 1000.0, held.partNumber.c_str(),
                                  result.lastWireCode, static_cast<double>(held.turns),
                                  static_cast<double>(held.wire.size),
                                  static_cast<double>(held.tempRise),
                                  static_cast<double>(riseLimit)),
                        "WIRE SELECTION FAILED");
        }
        if (i > 0) {
            showMessage(strprintf("%3d Cores meeting requirements have been found", i),
                        "  ...END OF CATALOG REACHED...");
        } else if (result.selectStatus == kSelectNothingFound) {
            showMessage("Energy Product Requirement exceeds capacity of largest core in catalog. "
                        "Consider stacking two or more cores",
                        "  ...END OF CATALOG REACHED ...");
        } else if (result.selectStatus == kSelectCatalogExhausted) {
            showMessage(strprintf("No Cores satisfying the %2.0f degree C. Temp Rise Limit have "
                                  "been found",
                                  static_cast<double>(riseLimit)),
                        "  ...END OF CATALOG REACHED ...");
        }
        CoreRecord end;
        end.partNumber = "END OF CATALOG";
        result.table.slots[static_cast<std::size_t>(i)] = DesignCandidate{};
        result.table.slots[static_cast<std::size_t>(i)].partNumber = end.partNumber;
        if (rows != nullptr) {
            rows->writeRow(i, end, result.table.slots[static_cast<std::size_t>(i)], std::nullopt);
        }
    }

    if (i > 0) {
        d.valid = true;
        result.valid = true;
        result.wireSystemName = result.table.slots[0].wire.systemName;
        result.rowCount = i + 1;
        result.I1peak = d.I1peak;
        result.I1rms = d.I1rms;
        result.Ipk = d.Ipk;
    }
    return result;
}

} // namespace korvane
