#include "engine/DesignSearch.h"

#include "catalog/CoreCatalog.h"
#include "engine/ApplicationModels.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/AcPermeability.h"
#include "materials/MaterialLists.h"
#include "materials/PowderMaterialModel.h"
#include "requirements/RequirementEntry.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"
#include "support/BuiltInData.h"
#include "support/RecordingSink.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {
namespace {

// A realistic requirement of each application, as the requirements window's eleven texts.
RequirementTexts requirementTexts(Application a) {
    switch (a) {
    case Application::DcBiased: // 100 uH buck choke, 10 A, 12 V in / 5 V out at 100 kHz
        return {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"};
    case Application::ControlledSwing: // 100 uH at 10 A, at most 150 uH at 1 A
        return {"100", "0", "10", "150", "1", "12", "5", "100", "25", "1", "1"};
    case Application::WideSwing: // 100 uH at 10 A rising to 500 uH at 1 A
        return {"100", "0", "10", "500", "1", "12", "5", "100", "25", "1", "1"};
    case Application::PfcBoost: // 400 uH, 6 A peak, 375 V peak in, 400 V out, 65 kHz
        return {"400", "0", "6", "", "", "375", "400", "65", "25", "1", "1"};
    case Application::Line60Hz: // 10 mH at 2 A rms, 8 mH at 0.5 A rms (lower flux, lower mu)
        return {"10000", "0", "2", "8000", "0.5", "", "", "60", "25", "1", "1"};
    case Application::Resonant: // 10 uH, 2 A peak, 50 V peak: 397.9 kHz
        return {"10", "0", "2", "", "", "50", "", "397.9", "25", "1", "1"};
    }
    return {};
}

struct SearchRun {
    DesignParameters parameters;
    MaterialSelection selection;
    RecordingSink sink;
    DesignPFE design;
    SearchResult result;
    std::vector<TraceEvent> trace;
};

void runSearch(SearchRun& run, Application a, CoreShape shape, const RequirementTexts& texts) {
    ScopedMessageSink scoped(run.sink);
    RequirementEntry entry(run.parameters);
    entry.activate(a);
    entry.setShape(shape);
    ASSERT_TRUE(entry.accept(texts)) << (run.sink.empty() ? "" : run.sink.last().text);
    run.design = makeDesignRun(entry.requirement(), run.parameters.wireSystem());
    run.result =
        runDesignSearch(run.design, run.parameters, run.selection, builtInCatalog(), builtInModel(),
                        nullptr, [&run](const TraceEvent& e) { run.trace.push_back(e); });
}

// Checks every accepted design against the requirement and the limits, from its own fields.
void checkDesigns(const SearchRun& run) {
    const DesignPFE& d = run.design;
    const Application a = d.application;
    const ParameterSet& p = run.parameters.set(a);
    CoreCatalog catalog;
    for (int i = 0; i < run.result.accepted; ++i) {
        const DesignCandidate& c = run.result.table.slots[static_cast<std::size_t>(i)];
        const CoreRecord& core = run.result.cores[static_cast<std::size_t>(i)];
        SCOPED_TRACE(c.partNumber);
        ASSERT_GT(c.turns, 0.0F);
        EXPECT_EQ(c.turns, std::floor(c.turns));

        // Stacked core values in the candidate.
        CoreRecord single;
        ASSERT_EQ(catalog.lookupPartNumber(single, c.partNumber), 1);
        EXPECT_FLOAT_EQ(c.al, single.AL * d.stackCount);
        EXPECT_FLOAT_EQ(c.ae, single.Ae * d.stackCount);

        // Inductance at the operating point: AL N^2 %mu / 100 meets L1 within one turn.
        const double mu = c.percentPerm * 0.01;
        auto inductance = [&](double n) { return c.al * n * n * mu * 1e-6; }; // mH
        if (a == Application::Line60Hz) {
            EXPECT_GE(inductance(c.turns + 0.5), d.L1 * (1 - 1e-6));
        } else {
            EXPECT_GE(inductance(c.turns + 0.5), d.L1 * (1 - 1e-6));
            EXPECT_LE(inductance(c.turns - 0.5), d.L1 * (1 + 1e-6));
        }
        if (a == Application::DcBiased || a == Application::PfcBoost) {
            EXPECT_GE(c.percentPerm, p.Min_mu);
            EXPECT_LE(c.percentPerm, 100.0F);
        }

        // Copper: the current density is met and the winding fits the window.
        const double current = a == Application::Line60Hz   ? std::max(d.I1rms, d.I2rms)
                               : a == Application::Resonant ? d.Ipk / std::sqrt(2.0)
                               : a == Application::PfcBoost ? d.I1peak / std::sqrt(2.0)
                                                            : d.I1peak;
        const double copper = static_cast<double>(c.wire.areaCmil) * c.strands;
        EXPECT_GE(copper * (1 + 1e-6), p.Cudens * current);
        const double window = static_cast<double>(core.Aw) * 1000.0;
        if (d.shape != CoreShape::ECore && d.windingType == WindingType::FullWindow) {
            // the fit loop keeps the copper within sqrt(0.218) of the window
            EXPECT_LE(copper * c.turns, std::sqrt(0.218) * window * (1 + 1e-6));
        }

        // DC resistance of the wire length at the ambient temperature.
        const double ohmsPerFoot = ((d.Ta - 20.0) / 254.4 + 1.0) * 10.3713 / c.wire.areaCmil;
        EXPECT_NEAR(c.rdc, c.wireLength * ohmsPerFoot / c.strands, 1e-4 * c.rdc + 1e-7);
        if (a != Application::Resonant) {
            EXPECT_FLOAT_EQ(c.rac, c.rdc);
        } else {
            EXPECT_GE(c.rac, c.rdc);
        }

        // Losses and temperature rise, recomputed.
        const double currentSquared = current * current;
        EXPECT_NEAR(c.copperLoss, currentSquared * c.rac * 1000.0, 1e-3 * c.copperLoss + 1e-6);
        const double rise =
            std::pow((static_cast<double>(c.coreLoss) + c.copperLoss) * p.Trise_f / c.surfaceArea,
                     static_cast<double>(p.Trise_ex));
        EXPECT_NEAR(c.tempRise, rise, 1e-3 * rise + 1e-6);
        EXPECT_LE(c.tempRise, p.Trise_lim);
        EXPECT_GT(c.coreLoss, 0.0F);
        EXPECT_FLOAT_EQ(c.coreVolume, core.volume);
    }
}

struct SearchCase {
    Application application;
    CoreShape shape;
    int minimumDesigns;
};

// A catalog holding only the listed cores, in this order, for every shape.
class ListedCatalog : public CoreCatalog {
  public:
    explicit ListedCatalog(std::vector<std::string> partNumbers)
        : partNumbers_(std::move(partNumbers)) {}
    int readCatalogLine(CoreRecord& record, int line, CoreShape /*shape*/) const override {
        const int count = static_cast<int>(partNumbers_.size());
        if (line < 0 || line >= count) {
            return 0;
        }
        CoreCatalog full;
        full.lookupPartNumber(record, partNumbers_[static_cast<std::size_t>(line)]);
        return count - line;
    }

  private:
    std::vector<std::string> partNumbers_;
};

MaterialSelection allBut(std::string_view code) {
    MaterialSelection selection;
    for (std::size_t i = 0; i < selection.materialCount(); ++i) {
        selection.setChecked(i, selection.materials()[i] != code);
    }
    selection.ok();
    return selection;
}

TEST(SelectCore, WalkStatusesAndTheLastListing) {
    const PowderMaterialModel model;
    const MaterialSelection no275 = allBut("-275");
    DesignPFE d;
    d.application = Application::DcBiased;
    d.L1 = 0.1F; // 100 uH at 1 A: a light load on either core
    d.I1 = d.I1peak = 1.0F;

    // The selected core is delivered with the listings left from it on; the deselected last
    // listing is passed over and the walk ends with 0.
    ListedCatalog two({"T106-226", "T106-275"});
    CoreSelector selector(d, two, model, no275, 0.0F);
    CoreRecord core;
    float turns = 0.0F;
    float pct = 0.0F;
    ASSERT_EQ(selector.Select_Core(core, true, turns, pct), 2);
    EXPECT_EQ(core.partNumber, "T106-226");
    EXPECT_EQ(turns, std::floor(1000.0 * std::sqrt(0.1 / core.AL / (pct * 0.01)) + 0.5));
    EXPECT_EQ(selector.Select_Core(core, false, turns, pct), kSelectCatalogExhausted);

    // The last listing itself can be delivered (one listing left from it on).
    ListedCatalog last({"T106-275", "T106-226"});
    CoreSelector lastSelector(d, last, model, no275, 0.0F);
    ASSERT_EQ(lastSelector.Select_Core(core, true, turns, pct), 1);
    EXPECT_EQ(core.partNumber, "T106-226");

    // A first call that finds nothing at all.
    ListedCatalog none({"T106-275"});
    CoreSelector empty(d, none, model, no275, 0.0F);
    EXPECT_EQ(empty.Select_Core(core, true, turns, pct), kSelectNothingFound);
    // A new first call starts the walk again.
    ASSERT_EQ(selector.Select_Core(core, true, turns, pct), 2);
    EXPECT_EQ(core.partNumber, "T106-226");

    // Below the minimum percent permeability every core is passed over without a word.
    RecordingSink sink;
    ScopedMessageSink scoped(sink);
    CoreSelector strict(d, two, model, no275, 101.0F);
    EXPECT_EQ(strict.Select_Core(core, true, turns, pct), kSelectNothingFound);
    EXPECT_TRUE(sink.empty());
}

TEST(SelectCore, LineWalkEndingAtItsFirstCoreLeavesTheLookaheadSafely) {
    // The walk is dropped while the lookahead's helper thread is still evaluating listings
    // ahead of it: the materials those listings view must outlive the helper. Repeated, so
    // the address sanitizer sees the helper mid-listing at least once.
    SearchRun run;
    ScopedMessageSink scoped(run.sink);
    RequirementEntry entry(run.parameters);
    entry.activate(Application::Line60Hz);
    entry.setShape(CoreShape::Toroid);
    ASSERT_TRUE(entry.accept(requirementTexts(Application::Line60Hz)));
    run.design = makeDesignRun(entry.requirement(), run.parameters.wireSystem());
    std::string first;
    for (int round = 0; round < 300; ++round) {
        CoreSelector selector(run.design, builtInCatalog(), builtInModel(), run.selection, 0.0F);
        CoreRecord core;
        float turns = 0.0F;
        float pct = 0.0F;
        ASSERT_GT(selector.Select_Core(core, true, turns, pct), 0);
        ASSERT_GT(turns, 0.0F);
        if (round == 0) {
            first = core.partNumber;
        }
        EXPECT_EQ(core.partNumber, first);
    }
}

TEST(DesignSearch, EveryAcceptedDesignMeetsTheRequirementAndTheLimits) {
    const SearchCase cases[] = {
        {Application::DcBiased, CoreShape::Toroid, 40},
        {Application::DcBiased, CoreShape::ECore, 40},
        {Application::ControlledSwing, CoreShape::Toroid, 40},
        {Application::ControlledSwing, CoreShape::ECore, 40},
        {Application::WideSwing, CoreShape::Composite, 1},
        {Application::PfcBoost, CoreShape::Toroid, 40},
        {Application::PfcBoost, CoreShape::ECore, 40},
        {Application::Line60Hz, CoreShape::Toroid, 40},
        {Application::Line60Hz, CoreShape::ECore, 1},
        {Application::Resonant, CoreShape::Toroid, 1},
        {Application::Resonant, CoreShape::ECore, 1},
    };
    for (const SearchCase& sc : cases) {
        SCOPED_TRACE(toIndex(sc.application) * 10 + toIndex(sc.shape));
        SearchRun run;
        runSearch(run, sc.application, sc.shape, requirementTexts(sc.application));
        EXPECT_GE(run.result.accepted, sc.minimumDesigns);
        EXPECT_TRUE(run.result.valid);
        EXPECT_TRUE(run.design.valid);
        EXPECT_EQ(run.result.rowCount, run.result.accepted + 1);
        checkDesigns(run);
    }
}

TEST(DesignSearch, FortyDesignsEndWithoutMessageOrEndRow) {
    SearchRun run;
    runSearch(run, Application::DcBiased, CoreShape::Toroid,
              requirementTexts(Application::DcBiased));
    ASSERT_EQ(run.result.accepted, 40);
    EXPECT_FALSE(run.result.endOfCatalog);
    EXPECT_TRUE(run.sink.empty());
}

TEST(DesignSearch, EndOfCatalogCountsTheDesignsAndWritesTheEndRow) {
    SearchRun run;
    runSearch(run, Application::Resonant, CoreShape::Toroid,
              requirementTexts(Application::Resonant));
    ASSERT_GT(run.result.accepted, 0);
    ASSERT_LT(run.result.accepted, 40);
    EXPECT_TRUE(run.result.endOfCatalog);
    const std::size_t end = static_cast<std::size_t>(run.result.accepted);
    EXPECT_EQ(run.result.table.slots[end].partNumber, "END OF CATALOG");
    ASSERT_FALSE(run.sink.empty());
    EXPECT_EQ(run.sink.last(), (Message{strprintf("%3d Cores meeting requirements have been found",
                                                  run.result.accepted),
                                        "  ...END OF CATALOG REACHED..."}));
}

TEST(DesignSearch, StackingAdviceWhenNoCoreHasAnOperatingPoint) {
    // 100 mH at 50 A: no single core stores that energy.
    SearchRun run;
    runSearch(run, Application::DcBiased, CoreShape::Toroid,
              {"100000", "0", "50", "", "", "12", "5", "100", "25", "1", "1"});
    EXPECT_EQ(run.result.accepted, 0);
    EXPECT_FALSE(run.result.valid);
    EXPECT_EQ(run.result.selectStatus, kSelectNothingFound);
    ASSERT_FALSE(run.sink.empty());
    EXPECT_EQ(run.sink.last(),
              (Message{"Energy Product Requirement exceeds capacity of largest core in catalog. "
                       "Consider stacking two or more cores",
                       "  ...END OF CATALOG REACHED ..."}));
    // every listing visited was reported, none accepted
    EXPECT_EQ(run.trace.size(), 536U);
}

TEST(DesignSearch, TemperatureMessageWhenCoresAreFoundButAllRejected) {
    SearchRun run;
    run.parameters.set(Application::DcBiased).Trise_lim = 0.0F;
    runSearch(run, Application::DcBiased, CoreShape::Toroid,
              requirementTexts(Application::DcBiased));
    EXPECT_EQ(run.result.accepted, 0);
    EXPECT_EQ(run.result.selectStatus, kSelectCatalogExhausted);
    ASSERT_FALSE(run.sink.empty());
    EXPECT_EQ(run.sink.last(),
              (Message{"No Cores satisfying the  0 degree C. Temp Rise Limit have been found",
                       "  ...END OF CATALOG REACHED ..."}));
    bool rejectedForRise = false;
    for (const TraceEvent& e : run.trace) {
        rejectedForRise = rejectedForRise || e.outcome == TraceOutcome::TemperatureRise;
    }
    EXPECT_TRUE(rejectedForRise);
}

TEST(DesignSearch, CompositeCoresAreNeverFilteredByTheMaterialSelection) {
    SearchRun run;
    for (std::size_t i = 0; i < run.selection.materialCount(); ++i) {
        run.selection.setChecked(i, false);
    }
    run.selection.ok();
    ASSERT_EQ(run.selection.selectedCount(), 0U);
    runSearch(run, Application::WideSwing, CoreShape::Composite,
              requirementTexts(Application::WideSwing));
    EXPECT_GT(run.result.accepted, 0);

    // the same empty selection leaves a toroid search nothing
    SearchRun toroids;
    toroids.selection = run.selection;
    runSearch(toroids, Application::DcBiased, CoreShape::Toroid,
              requirementTexts(Application::DcBiased));
    EXPECT_EQ(toroids.result.accepted, 0);
    for (const TraceEvent& e : toroids.trace) {
        EXPECT_EQ(e.outcome, TraceOutcome::MaterialNotSelected);
    }
}

TEST(DesignSearch, StackedCoresDoubleTheCoreAndTheTraceFollowsEveryListing) {
    SearchRun run;
    runSearch(run, Application::DcBiased, CoreShape::Toroid,
              {"100", "0", "10", "", "", "12", "5", "100", "25", "2", "1"});
    ASSERT_GT(run.result.accepted, 0);
    checkDesigns(run); // AL and Ae of the candidates are twice the catalog's
    const CoreRecord& stacked = run.result.cores[0];
    CoreRecord single;
    CoreCatalog catalog;
    ASSERT_EQ(catalog.lookupPartNumber(single, stacked.partNumber), 1);
    EXPECT_FLOAT_EQ(stacked.Ht, 2 * single.Ht);
    EXPECT_FLOAT_EQ(stacked.volume, 2 * single.volume);
    EXPECT_NEAR(stacked.MLT, single.MLT + 2 * single.Ht / 12.0, 1e-6);

    // the trace reports each accepted slot once, in order
    int slot = 0;
    for (const TraceEvent& e : run.trace) {
        if (e.outcome == TraceOutcome::Accepted) {
            EXPECT_EQ(e.slot, slot++);
        }
    }
    EXPECT_EQ(slot, run.result.accepted);
}

// The 60 Hz operating point with its calc_pct_perm_ac calls made one after the other: at B1,
// then at B2 unless B1 had no answer. The permeability fraction at I1, or none.
std::optional<LineOperatingPoint> lineInTurn(std::string_view material, double L1, double I1,
                                             double L2, double I2, double Ae, double AL,
                                             const MaterialModel& model) {
    constexpr double Bmax = 10000.0;
    const double P1 = std::sqrt(2.0) * I1;
    const double P2 = std::sqrt(2.0) * I2;
    if (L1 * L2 == 0.0) {
        L1 = L2 = L1 != 0.0 ? L1 : L2;
    }
    const bool second = std::sqrt(L2) * I2 >= std::sqrt(L1) * I1;
    double r = 100.0 * std::sqrt(AL * (second ? L2 : L1)) * (second ? I2 : I1) / Ae;
    if (r > Bmax) {
        return std::nullopt;
    }
    if (isInLine60HzFullPermList(material)) {
        return LineOperatingPoint{std::floor(1000.0 * std::sqrt(L1 / AL) + 0.5), 1.0};
    }
    double s = 1000.0 * std::sqrt(L1 / AL) + 0.5;
    if (L1 * I1 / (s * Ae) * 1e5 > Bmax) {
        s = L1 * I1 / (Bmax * Ae) * 1e5;
    }
    double q = 0.0;
    double mu1 = 0.0;
    double mu2 = 0.0;
    for (int pass = 0; 2.0 * Bmax > r && std::fabs((1.0 - q) * s) > 0.5 && pass < 20; ++pass) {
        const auto p1 = calc_pct_perm_ac(s * P1 * AL / Ae * 0.1, material, model);
        if (!p1) {
            return std::nullopt;
        }
        const auto p2 = calc_pct_perm_ac(s * P2 * AL / Ae * 0.1, material, model);
        if (!p2) {
            return std::nullopt;
        }
        mu1 = p1->value / 100.0;
        mu2 = p2->value / 100.0;
        const double d1 = p1->slope / 100.0;
        const double d2 = p2->slope / 100.0;
        r = s * P1 * mu1 * AL / Ae * 0.1;
        if (I1 * I1 * mu1 * d1 + I2 * I2 * mu2 * d2 >= 0.0 || 1.2 * Bmax <= r) {
            q = 0.9;
        } else {
            const double M = -40.0 * Ae / (AL * (I1 * d1 + I2 * d2));
            q = 2.0 * s < M ? 1.1 : (M > 0.0 && r < Bmax ? std::sqrt(M / s) : 0.9);
        }
        if (!(AL * (q * s) * (q * s) * mu1 * 1e-6 >= L1 &&
              AL * (q * s) * (q * s) * mu2 * 1e-6 >= L2)) {
            break;
        }
        s = q * s;
        r = s * P1 * mu1 * AL / Ae * 0.1;
    }
    if (!(AL * s * s * mu1 * 1e-6 >= L1 && AL * s * s * mu2 * 1e-6 >= L2 && r <= 1.25 * Bmax)) {
        return std::nullopt;
    }
    return LineOperatingPoint{std::floor(s + 0.5), mu1};
}

TEST(DesignSearch, LineModelShowsTheMessagesOfItsCallsInTurnForEachListing) {
    // The high-flux mixes report their AC iteration above 10000 G, and the composite mixes
    // have no AC limits: each listing shows what its calls made in turn show, in their order.
    struct Case {
        CoreShape shape;
        RequirementTexts texts;
        std::size_t messages; // the search's own, end of catalog included
    };
    const Case cases[] = {
        {CoreShape::Toroid, {"5000", "0", "2", "", "", "", "", "60", "25", "1", "1"}, 171},
        {CoreShape::ECore, {"5000", "0", "2", "", "", "", "", "60", "25", "1", "1"}, 148},
        {CoreShape::Composite, {"5000", "0", "2", "", "", "", "", "60", "25", "1", "1"}, 11},
        {CoreShape::Toroid, {"5000", "0", "2", "4500", "1.9", "", "", "60", "25", "1", "1"}, 748},
        {CoreShape::ECore, {"10000", "0", "2", "8000", "0.5", "", "", "60", "25", "1", "1"}, 165},
    };
    for (const Case& c : cases) {
        SearchRun run;
        ScopedMessageSink scoped(run.sink);
        RequirementEntry entry(run.parameters);
        entry.activate(Application::Line60Hz);
        entry.setShape(c.shape);
        ASSERT_TRUE(entry.accept(c.texts)) << (run.sink.empty() ? "" : run.sink.last().text);
        run.design = makeDesignRun(entry.requirement(), run.parameters.wireSystem());
        run.sink.clear();
        std::vector<std::size_t> shownBy; // messages shown up to each trace event
        run.result = runDesignSearch(run.design, run.parameters, run.selection, builtInCatalog(),
                                     builtInModel(), nullptr, [&](const TraceEvent& e) {
                                         run.trace.push_back(e);
                                         shownBy.push_back(run.sink.size());
                                     });
        const DesignPFE& d = run.design;
        CoreCatalog catalog;
        const PowderMaterialModel model;
        std::size_t from = 0;
        int visited = 0;
        for (std::size_t k = 0; k < run.trace.size(); ++k) {
            const TraceEvent& e = run.trace[k];
            const std::vector<Message> shown(
                run.sink.messages().begin() + static_cast<std::ptrdiff_t>(from),
                run.sink.messages().begin() + static_cast<std::ptrdiff_t>(shownBy[k]));
            from = shownBy[k];
            if (e.outcome == TraceOutcome::MaterialNotSelected) {
                EXPECT_TRUE(shown.empty()) << e.partNumber;
                continue;
            }
            CoreRecord core;
            ASSERT_GT(catalog.readCatalogLine(core, e.line, c.shape), 0);
            ASSERT_EQ(core.partNumber, e.partNumber);
            RecordingSink reference;
            std::optional<LineOperatingPoint> point;
            {
                ScopedMessageSink inTurn(reference);
                point = lineInTurn(core.material, d.L1, d.I1rms, d.L2, d.I2rms, core.Ae, core.AL,
                                   model);
            }
            EXPECT_EQ(shown, reference.messages()) << e.partNumber;
            EXPECT_EQ(point.has_value(), e.outcome != TraceOutcome::NoOperatingPoint)
                << e.partNumber;
            if (point && e.outcome != TraceOutcome::NoOperatingPoint) {
                EXPECT_EQ(e.turns, static_cast<float>(point->turns)) << e.partNumber;
                EXPECT_EQ(e.percentPerm, static_cast<float>(point->permFraction * 100.0))
                    << e.partNumber;
            }
            ++visited;
        }
        EXPECT_GT(visited, 9);
        std::size_t fromSearch = 0;
        for (const Message& m : run.sink.messages()) {
            fromSearch += m.caption.find("END OF CATALOG") == std::string::npos;
        }
        EXPECT_EQ(fromSearch + (run.result.endOfCatalog ? 1U : 0U), run.sink.size());
        EXPECT_EQ(run.sink.size(), c.messages) << static_cast<int>(c.shape);
    }
}

TEST(DesignSearch, TraceDescribesEachOutcome) {
    TraceEvent e;
    e.line = 12;
    e.partNumber = "T80-275";
    e.outcome = TraceOutcome::WireRejected;
    e.turns = 40;
    e.wireCode = -8;
    EXPECT_EQ(describeTraceEvent(e),
              "  12 T80-275         40 turns: wire selection -8, current density not met");
    e.outcome = TraceOutcome::TemperatureRise;
    e.tempRise = 52.25F;
    e.tempRiseLimit = 40;
    EXPECT_EQ(describeTraceEvent(e),
              "  12 T80-275         40 turns: temperature rise 52.2 C above the limit 40.0 C");
    e.outcome = TraceOutcome::MaterialNotSelected;
    EXPECT_EQ(describeTraceEvent(e), "  12 T80-275         material not selected");
}

} // namespace
} // namespace korvane
