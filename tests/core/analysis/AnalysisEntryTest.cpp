#include "analysis/AnalysisEntry.h"

#include "analysis/AnalysisRows.h"
#include "format/Messages.h"
#include "settings/DesignParameters.h"
#include "support/BuiltInData.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using F = AnalysisField;

TEST(PartNumberTyping, UpperCasesAndReportsTheFirstOddCharacter) {
    struct Case {
        const char* typed;
        const char* shown;
        const char* message; // nullptr: no message
    };
    const Case cases[] = {
        {"t80-275", "T80-275", nullptr},
        {"st106-m702", "ST106-M702", nullptr},
        {"e43-275/b", "E43-275/B", nullptr},
        {"X999-99", "X999-99", "INVALID CHARACTER X999-99"},
        {"t80-27x5", "T80-27X5", "INVALID CHARACTER X5"},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        ScopedMessageSink scoped(sink);
        const PartNumberTyping typed = partNumberTyping(c.typed);
        EXPECT_EQ(typed.text, c.shown);
        EXPECT_EQ(typed.error, c.message != nullptr) << c.typed;
        if (c.message != nullptr) {
            EXPECT_EQ(sink.last(), (Message{c.message, "ERROR"}));
        } else {
            EXPECT_TRUE(sink.empty());
        }
    }
}

TEST(PartNumberCheck, CollectsTheMessagesOfEachMissingPart) {
    struct Case {
        const char* pn;
        const char* messages;
        bool eCore;
        const char* material;
    };
    const Case cases[] = {
        {"T999", "\n MISSING DASH (-) IN CORE PART NUMBER", false, ""},
        {"T999-", "\n MISSING MATERIAL CODE in CORE PART NUMBER", false, ""},
        {"T-99", "\n MISSING SIZE Digits in CORE PART NUMBER", false, "99"},
        {"X999-99", "\n MISSING EST in CORE PART NUMBER", false, "99"},
        {"", "\n MISSING EST in CORE PART NUMBER\n MISSING DASH (-) IN CORE PART NUMBER", false,
         ""},
        {"E43-275", "", true, "275"},
        {"ST106-M702", "", false, "M702"},
    };
    for (const Case& c : cases) {
        const PartNumberCheck check = checkPartNumber(c.pn);
        EXPECT_EQ(check.messages, c.messages) << c.pn;
        EXPECT_EQ(check.accepted(), std::string(c.messages).empty()) << c.pn;
        EXPECT_EQ(check.eCore, c.eCore) << c.pn;
        EXPECT_EQ(check.material, c.material) << c.pn;
    }
}

// An entry filled as a user would for a DC biased choke on a T80-275.
struct Window {
    DesignParameters parameters;
    AnalysisEntry entry{parameters, builtInCatalog(), builtInModel()};
    RecordingSink sink;

    explicit Window(Application a = Application::DcBiased, const char* pn = "T80-275") {
        entry.setApplication(a);
        entry.setText(F::PartNumber, pn);
        entry.setText(F::StackCount, "1");
        entry.setText(F::Wire, "#18");
        entry.setText(F::Strands, "1");
        entry.setText(F::Turns, "30");
        entry.setText(F::Current, "5");
        entry.setText(F::Voltage1, "12");
        entry.setText(F::Voltage2, "5");
        entry.setText(F::Frequency, "100");
        entry.setText(F::Ambient, "25");
    }
    AnalysisOutcome ok() {
        ScopedMessageSink scoped(sink);
        return entry.ok();
    }
};

TEST(AnalysisEntryOk, RefusalsShowTheirMessage) {
    struct Case {
        const char* name;
        F field;
        const char* text;
        Message message;
    };
    const Case cases[] = {
        {"four characters",
         F::PartNumber,
         "T999",
         {"MISSING OR INCOMPLETE CORE PART NUMBER T999 ", "DATA ENTRY ERROR"}},
        {"no size",
         F::PartNumber,
         "T-990",
         {"\n MISSING SIZE Digits in CORE PART NUMBER", "DATA ENTRY ERROR"}},
        {"no shape",
         F::PartNumber,
         "X999-99",
         {"\n MISSING EST in CORE PART NUMBER", "DATA ENTRY ERROR"}},
        {"ambient",
         F::Ambient,
         "2-0",
         {"INVALID CHARACTER in position  2 in Parameter 8.  2-0 ", "DATA ENTRY ERROR"}},
        // a sign after the leading blanks is a sign; a second one is not
        {"ambient blank sign",
         F::Ambient,
         " -2-0",
         {"INVALID CHARACTER in position  4 in Parameter 8.   -2-0 ", "DATA ENTRY ERROR"}},
        {"turns",
         F::Turns,
         "3O",
         {"INVALID CHARACTER in position  2 in Parameter 3.  3O ", "DATA ENTRY ERROR"}},
        {"strands",
         F::Strands,
         "Int",
         {"INVALID CHARACTER in position  1 in Parameter11.  Int ", "DATA ENTRY ERROR"}},
        {"few turns",
         F::Turns,
         "0.4",
         {"CHECK TURNS, STRANDS, STACKED CORES", "ESSENTIAL DATA MISSING"}},
        {"no strands",
         F::Strands,
         "0",
         {"CHECK TURNS, STRANDS, STACKED CORES", "ESSENTIAL DATA MISSING"}},
        // 60 mm passes the wire entry (only AWG above 50 is refused there)
        {"gauge", F::Wire, "60mm", {"WIRE GAGE is OUT OF RANGE", "ESSENTIAL DATA MISSING"}},
    };
    for (const Case& c : cases) {
        Window w;
        w.entry.setText(c.field, c.text);
        EXPECT_EQ(w.ok(), AnalysisOutcome::Refused) << c.name;
        ASSERT_EQ(w.sink.size(), 1U) << c.name;
        EXPECT_EQ(w.sink.last(), c.message) << c.name;
    }

    // Both essential checks fail: the gauge message replaces the turns message.
    Window both;
    both.entry.setText(F::Turns, "0");
    both.entry.setText(F::Wire, "60mm");
    EXPECT_EQ(both.ok(), AnalysisOutcome::Refused);
    ASSERT_EQ(both.sink.size(), 1U);
    EXPECT_EQ(both.sink.last().text, "WIRE GAGE is OUT OF RANGE");
}

TEST(AnalysisEntryOk, RefusedWireStopsAfterItsMessage) {
    struct Case {
        WireSystem system;
        const char* wire;
    };
    // Past the wire message each would go on to a second one: the gauge range, or a table
    // lookup error of the analysis (quoting "nan" for a NaN size).
    const Case cases[] = {
        {WireSystem::Awg, "nan x nan"}, {WireSystem::Awg, "#nan"}, {WireSystem::Metric, "nan"},
        {WireSystem::Metric, "0.04"},   {WireSystem::Awg, "#51"},  {WireSystem::Swg, "1e308"},
        {WireSystem::Swg, "0"},         {WireSystem::Swg, "-2"},   {WireSystem::Awg, "#-5"},
    };
    for (const Case& c : cases) {
        Window w;
        w.entry.wireEntry().system = c.system;
        w.entry.setText(F::Wire, c.wire);
        EXPECT_EQ(w.ok(), AnalysisOutcome::Refused) << c.wire;
        ASSERT_EQ(w.sink.size(), 1U) << c.wire;
        EXPECT_EQ(w.sink.last(), (Message{"Invalid Wire Size", "DATA ENTRY ERROR"})) << c.wire;
        EXPECT_EQ(w.entry.analysisResult(), 0) << c.wire; // never analysed as another wire
        EXPECT_EQ(w.entry.text(F::Wire), c.wire) << c.wire;
    }
}

TEST(AnalysisEntryOk, ResultsThePagesCannotShowAreRefused) {
    struct Case {
        const char* name;
        Application application;
        const char* part;
        const char* wire;
        const char* turns;
        const char* current;
        const char* voltage;
        const char* frequency;
    };
    const Case cases[] = {
        // losses past what a float holds: infinite copper loss and temperature rise
        {"dc", Application::DcBiased, "E125-255", "#22", "9999999999999", "9999999999999", "12",
         "100"},
        // an infinite core loss
        {"resonant", Application::Resonant, "E62-226", "#40", "121976034", "121976034", "121976034",
         "121976034"},
        // finite, but 1.95e24 W has no prefix and 1e13 A magnetises to digits no column holds
        {"huge current", Application::DcBiased, "T80-275", "#18", "1", "10000000000000", "12",
         "100"},
    };
    for (const Case& c : cases) {
        Window w(c.application, c.part);
        w.entry.setText(F::Wire, c.wire);
        w.entry.setText(F::Turns, c.turns);
        w.entry.setText(F::Current, c.current);
        w.entry.setText(F::Voltage1, c.voltage);
        w.entry.setText(F::Frequency, c.frequency);
        EXPECT_EQ(w.ok(), AnalysisOutcome::Failed) << c.name;
        ASSERT_FALSE(w.sink.empty()) << c.name;
        EXPECT_EQ(w.sink.last().caption, "PROGRAM ERROR ") << c.name;
        EXPECT_NE(w.sink.last().text.find("IS OUT OF RANGE AND CANNOT BE SHOWN"), std::string::npos)
            << w.sink.last().text;
        EXPECT_FALSE(w.entry.agingComputed()) << c.name;
        for (const ResultRow& row : w.entry.electricalRows()) {
            EXPECT_EQ(row.value, 0.0F) << c.name << " " << row.label;
        }
        for (const ResultRow& row : w.entry.mechanicalRows()) {
            EXPECT_EQ(row.value, 0.0F) << c.name << " " << row.label;
        }
    }
    // The ordinary design next to them is shown.
    Window fine;
    EXPECT_EQ(fine.ok(), AnalysisOutcome::Analysed);
}

TEST(AnalysisEntryOk, ReadsTheEntriesAsTheWindowDoes) {
    Window cold;
    cold.entry.setText(F::Ambient, "-120");
    cold.entry.setText(F::StackCount, "0");
    ASSERT_EQ(cold.ok(), AnalysisOutcome::Analysed);
    EXPECT_EQ(cold.entry.text(F::Ambient), "-100");
    EXPECT_EQ(cold.entry.conditions().Ta, -100.0F);
    EXPECT_EQ(cold.entry.candidate().stackCount, 1.0F);
    EXPECT_EQ(cold.entry.text(F::Wire), "# 18 AWG");

    Window mild;
    mild.entry.setText(F::Ambient, "-20");
    ASSERT_EQ(mild.ok(), AnalysisOutcome::Analysed);
    EXPECT_EQ(mild.entry.conditions().Ta, -20.0F);
    EXPECT_EQ(mild.entry.conditions().I1peak, 5.0F);
    EXPECT_EQ(mild.entry.conditions().Von, 12.0F);
    EXPECT_EQ(mild.entry.conditions().Voff, 5.0F);
    EXPECT_EQ(mild.entry.conditions().fkHz, 100.0F);

    // 60 Hz: the hidden voltage fields are neither checked nor read; Hz into fHz and fkHz.
    Window line(Application::Line60Hz, "T200-275");
    line.entry.setText(F::Voltage1, "abc");
    line.entry.setText(F::Voltage2, "x");
    line.entry.setText(F::Frequency, "50");
    ASSERT_EQ(line.ok(), AnalysisOutcome::Analysed);
    EXPECT_EQ(line.entry.conditions().I1rms, 5.0F);
    EXPECT_EQ(line.entry.conditions().fHz, 50.0F);
    EXPECT_FLOAT_EQ(line.entry.conditions().fkHz, 0.05F);
    EXPECT_EQ(line.entry.conditions().Von, 0.0F);

    // PFC: row 5 is the peak input voltage, row 6 the output voltage.
    Window pfc(Application::PfcBoost);
    pfc.entry.setText(F::Voltage1, "300");
    pfc.entry.setText(F::Voltage2, "400");
    ASSERT_EQ(pfc.ok(), AnalysisOutcome::Analysed);
    EXPECT_EQ(pfc.entry.conditions().Vpfc2, 300.0F);
    EXPECT_EQ(pfc.entry.conditions().Vpfc1, 400.0F);
    EXPECT_FLOAT_EQ(pfc.entry.candidate().pfcRatio, 0.75F);
}

TEST(AnalysisEntryOk, RowCountsLabelsAndClearing) {
    Window aging; // -275 ages: 15 rows with the aging rows
    ASSERT_EQ(aging.ok(), AnalysisOutcome::Analysed);
    EXPECT_EQ(aging.entry.electricalRowCount(), 15);
    EXPECT_TRUE(aging.entry.agingComputed());
    EXPECT_EQ(aging.entry.electricalRows()[13].label, "Time To 115 % Loss");
    EXPECT_EQ(aging.entry.electricalRows()[13].format, "%8.3g");
    EXPECT_EQ(aging.entry.electricalRows()[1].format, "%5.2f");
    EXPECT_EQ(aging.entry.electricalRows()[5].label, "PEAK AC FLUX DENSITY");
    EXPECT_EQ(aging.entry.mechanicalRows()[0].label, "CORE OD");

    Window stable(Application::DcBiased, "T80-300A"); // -300 does not age: 13 rows
    ASSERT_EQ(stable.ok(), AnalysisOutcome::Analysed);
    EXPECT_EQ(stable.entry.electricalRowCount(), 13);
    EXPECT_FALSE(stable.entry.agingComputed());

    Window pfc(Application::PfcBoost);
    ASSERT_EQ(pfc.ok(), AnalysisOutcome::Analysed);
    EXPECT_EQ(pfc.entry.electricalRows()[5].label, "AVG. AC FLUX DENSITY");

    // An E-core shows its dimensions and no wound OD; a toroid after it gets its labels back.
    Window ecore(Application::DcBiased, "E43-275");
    ecore.entry.setText(F::Wire, "#26");
    ecore.entry.setText(F::Current, "1");
    ASSERT_EQ(ecore.ok(), AnalysisOutcome::Analysed);
    const MechanicalRows& m = ecore.entry.mechanicalRows();
    EXPECT_TRUE(ecore.entry.eCore());
    EXPECT_EQ(m[0].label, "E Core Dimension A");
    EXPECT_EQ(m[1].label, "E Core Dimension B");
    EXPECT_EQ(m[2].label, "E Core Height");
    EXPECT_FLOAT_EQ(m[0].value, 0.43F);
    EXPECT_EQ(m[15].label, "");
    EXPECT_EQ(m[15].units, "");
    EXPECT_EQ(m[15].value, 0.0F);
    ecore.entry.setText(F::PartNumber, "T80-275");
    ecore.entry.setText(F::Wire, "#18");
    ASSERT_EQ(ecore.ok(), AnalysisOutcome::Analysed);
    EXPECT_EQ(ecore.entry.mechanicalRows()[0].label, "CORE OD");
    EXPECT_EQ(ecore.entry.mechanicalRows()[15].label, "WOUND OD");
    EXPECT_EQ(ecore.entry.mechanicalRows()[15].units, "INCH");

    // A part number not in the catalog clears every value of both pages, the last aging and
    // winding rows included.
    aging.entry.setText(F::PartNumber, "T80-999");
    EXPECT_EQ(aging.ok(), AnalysisOutcome::Failed);
    EXPECT_EQ(aging.entry.analysisResult(), -2);
    EXPECT_EQ(aging.entry.electricalRowCount(), 15);
    for (const ResultRow& row : aging.entry.electricalRows()) {
        EXPECT_EQ(row.value, 0.0F) << row.label;
    }
    for (const ResultRow& row : aging.entry.mechanicalRows()) {
        EXPECT_EQ(row.value, 0.0F) << row.label;
    }
}

TEST(AnalysisEntryOk, MechanicalRowsOfAToroid) {
    Window w;
    w.entry.setText(F::StackCount, "2");
    w.entry.setText(F::Strands, "2");
    ASSERT_EQ(w.ok(), AnalysisOutcome::Analysed);
    const MechanicalRows& m = w.entry.mechanicalRows();
    const DesignCandidate& c = w.entry.candidate();
    EXPECT_FLOAT_EQ(m[0].value, 0.8F);
    EXPECT_FLOAT_EQ(m[2].value, 0.544F); // two cores high
    EXPECT_FLOAT_EQ(m[3].value, 2.0F * 0.023271468F);
    // 2 strands * wire length * 3.044e-6 * 1624.09 lb/ft (AWG 18)
    EXPECT_NEAR(m[9].value, 2.0 * c.wireLength * 3.044e-6 * 1624.09, 1e-5);
    // fill: 1624.09 cmil * 100 * 30 turns * 2 strands / (177.241 * 1000) = 54.98 %
    EXPECT_NEAR(m[14].value, 54.98, 0.01);
    EXPECT_FLOAT_EQ(m[11].value, (c.coreLoss + c.copperLoss) / 1000.0F);
}

TEST(AnalysisRows, ValueTextsAsTheWindowDrawsThem) {
    DesignParameters english;
    DesignParameters metric;
    metric.setUnitSystem(UnitSystem::Metric);
    struct Case {
        ResultRow row;
        const DesignParameters* units;
        RowMedium medium;
        const char* value;
        const char* unitsText;
    };
    const Case cases[] = {
        // 3.18e-5 H: log10 = -4.5 truncates to -4, e = -7, 1 decimal, micro: "31.8 u"
        {{"L", "%6.0f", 3.18e-5F, "Henry"}, &english, RowMedium::Window, "31.8 u", "Henry"},
        // 0.0175 ohm: e = -1 - 3 = -4, 3 + 1 - 3 = 1 decimal, milli: "17.5 m"
        {{"R", "%5.2f", 0.0175F, "OHMS"}, &english, RowMedium::Window, "17.5 m", "OHMS"},
        {{"R", "%5.2f", 1e-13F, "OHMS"}, &english, RowMedium::Window, " 0.00", "OHMS"},
        {{"R", "%5.2f", 0.0F, "OHMS"}, &english, RowMedium::Window, "", "OHMS"},
        // 0.223 W: e = 0, 3 - 0 - 1 = 2 decimals, + 1 between 0.1 and 1: "0.223 "
        {{"P", "%6.3f", 0.223F, "WATTS"}, &english, RowMedium::Window, "0.223 ", "WATTS"},
        {{"I", "%6.2f", 0.25F, "AMPS"}, &english, RowMedium::Window, "  0.25", "AMPS"},
        {{"I", "%6.2f", 0.25F, "AMPS"}, &english, RowMedium::Page, "0.250 ", "AMPS"},
        {{"I", "%6.2f", 1e-13F, "AMPS"}, &english, RowMedium::Page, "", "AMPS"},
        {{"OD", "%6.3f", 0.8F, "INCH"}, &english, RowMedium::Window, " 0.800", "in."},
        // 0.8 in * 25.4 = 20.32 mm; 2.7 ft * 0.3048 = 0.823 m; 0.023 lb * 453.6 = 10.433 g
        {{"OD", "%6.3f", 0.8F, "INCH"}, &metric, RowMedium::Window, "20.320", "mm "},
        {{"len", "%6.1f", 2.7F, "Ft"}, &metric, RowMedium::Window, "   0.8", "m "},
        {{"wt", "%6.3f", 0.023F, "Lbs"}, &metric, RowMedium::Window, "10.433", "gm"},
        {{"rise", "%6.1f", -3.0F, "DEG. C"}, &english, RowMedium::Window, "  -3.0", "DEG. C"},
        {{"time", "%8.3g", 300000.0F, "Hours"}, &english, RowMedium::Window, "   3e+05", "Hours"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rowValueText(c.row, *c.units, c.medium), c.value) << c.row.label;
        EXPECT_EQ(rowUnitsText(c.row, *c.units), c.unitsText) << c.row.label;
    }

    // An AC resistance equal to the DC resistance is not drawn.
    DesignCandidate same;
    same.rdc = 0.5F;
    same.rac = 0.5F;
    ElectricalRows rows = storedElectricalRows();
    fillElectricalRows(rows, same);
    EXPECT_EQ(rowValueText(rows[2], english), "");
    same.rac = 0.6F;
    fillElectricalRows(rows, same);
    // 0.6: log10 truncates to 0, 2 decimals + 1 between 0.1 and 1
    EXPECT_EQ(rowValueText(rows[2], english), "0.600 ");
}

TEST(AnalysisEntrySetUp, FromTheSelectedDesign) {
    struct WireCase {
        WireSystem system;
        float size;
        const char* text;
    };
    const WireCase wires[] = {
        {WireSystem::Awg, 18.0F, "#18 AWG"},    {WireSystem::Awg, 0.0F, "#0 AWG"},
        {WireSystem::Awg, -1.0F, "#00 AWG"},    {WireSystem::Awg, -3.0F, "#0000 AWG"},
        {WireSystem::Metric, 0.5F, " 0.50 mm"}, {WireSystem::Swg, 22.0F, "22 SWG"},
    };
    for (const WireCase& w : wires) {
        WireRecord wire;
        wire.system = w.system;
        wire.size = w.size;
        EXPECT_EQ(designWireText(wire), w.text);
        // the text reads back to the same wire
        WireSizeEntry entry;
        entry.system = WireSystem::Awg;
        RecordingSink sink;
        ScopedMessageSink scoped(sink);
        parseWireSize(w.text, entry);
        EXPECT_EQ(entry.system, w.system) << w.text;
        EXPECT_EQ(entry.size, w.size) << w.text;
        EXPECT_TRUE(sink.empty());
    }

    DesignCandidate d;
    d.partNumber = "T80-275";
    d.stackCount = 2.5F;
    d.turns = 30.9F;
    d.strands = 2;
    d.wire.system = WireSystem::Awg;
    d.wire.size = 18.0F;
    Requirement r;
    r.I1peak = 10.0F;
    r.Von = 12.0F;
    r.Voff = 5.0F;
    r.fkHz = 100.0F;
    r.Ta = 25.0F;
    r.fHz = 60.0F;
    r.I1rms = 2.0F;
    DesignParameters parameters;
    AnalysisEntry entry(parameters, builtInCatalog(), builtInModel());
    entry.setUpFromResult(Application::DcBiased, WindingType::SingleLayer, &d, r);
    EXPECT_EQ(entry.application(), Application::DcBiased);
    EXPECT_EQ(entry.windingType(), WindingType::SingleLayer);
    EXPECT_EQ(entry.text(F::PartNumber), "T80-275");
    EXPECT_EQ(entry.text(F::StackCount), "2.5");
    EXPECT_EQ(entry.text(F::Turns), "30");
    EXPECT_EQ(entry.text(F::Strands), "2");
    EXPECT_EQ(entry.text(F::Wire), "#18 AWG");
    EXPECT_EQ(entry.text(F::Current), " 10.00");
    EXPECT_EQ(entry.text(F::Voltage1), " 12.00");
    EXPECT_EQ(entry.text(F::Voltage2), "  5.00");
    EXPECT_EQ(entry.text(F::Frequency), " 100.0");
    EXPECT_EQ(entry.text(F::Ambient), "  25.0");

    entry.setUpFromResult(Application::Line60Hz, WindingType::FullWindow, nullptr, r);
    EXPECT_EQ(entry.text(F::PartNumber), "");
    EXPECT_EQ(entry.text(F::StackCount), "1");
    EXPECT_EQ(entry.text(F::Strands), "1");
    EXPECT_EQ(entry.text(F::Current), "  2.00");
    EXPECT_EQ(entry.text(F::Frequency), " 60.00");
    EXPECT_EQ(entry.wireEntry().system, WireSystem::Awg);
}

// A design opened from the results at a cold ambient: "%6.1f" writes the temperature with
// leading blanks, and the analysis started at once must take it.
TEST(AnalysisEntrySetUp, ColdAmbientOfTheRequirementIsAnalysed) {
    struct Case {
        float ambient;
        const char* shown;   // after the set-up
        const char* afterOk; // after OK
        float analysedAt;
    };
    const Case cases[] = {
        {-20.0F, " -20.0", " -20.0", -20.0F},
        {-5.0F, "  -5.0", "  -5.0", -5.0F},
        {-120.0F, "-120.0", "-100", -100.0F},
    };
    for (const Case& c : cases) {
        DesignCandidate d;
        d.partNumber = "T80-275";
        d.stackCount = 1.0F;
        d.turns = 30.0F;
        d.strands = 1;
        d.wire.system = WireSystem::Awg;
        d.wire.size = 18.0F;
        Requirement r;
        r.I1peak = 5.0F;
        r.Von = 12.0F;
        r.Voff = 5.0F;
        r.fkHz = 100.0F;
        r.Ta = c.ambient;
        DesignParameters parameters;
        AnalysisEntry entry(parameters, builtInCatalog(), builtInModel());
        entry.setUpFromResult(Application::DcBiased, WindingType::FullWindow, &d, r);
        EXPECT_EQ(entry.text(F::Ambient), c.shown);
        RecordingSink sink;
        ScopedMessageSink scoped(sink);
        EXPECT_EQ(entry.ok(), AnalysisOutcome::Analysed) << c.shown;
        EXPECT_TRUE(sink.empty()) << (sink.empty() ? "" : sink.last().text);
        EXPECT_EQ(entry.text(F::Ambient), c.afterOk);
        EXPECT_EQ(entry.conditions().Ta, c.analysedAt);
    }
}

TEST(AnalysisLabels, TitlesAndEntryLabelsByApplication) {
    EXPECT_EQ(analysisTitle(Application::Line60Hz), "POWERLINE REQUENCY INDUCTOR ANALYSIS");
    EXPECT_EQ(analysisTitle(Application::DcBiased), "DC BIASED OUTPUT FILTER INDUCTOR ANALYSIS");
    const auto dc = entryLabels(Application::DcBiased);
    EXPECT_EQ(dc[4].label, "PEAK INDUCTOR VOLTAGE");
    EXPECT_TRUE(dc[5].visible);
    EXPECT_FALSE(dc[8].visible);
    const auto pfc = entryLabels(Application::PfcBoost);
    EXPECT_EQ(pfc[4].label, "PEAK REGULATOR INPUT VOLTAGE  ");
    const auto line = entryLabels(Application::Line60Hz);
    EXPECT_FALSE(line[4].visible);
    EXPECT_FALSE(line[5].visible);
    const auto resonant = entryLabels(Application::Resonant);
    EXPECT_EQ(resonant[3].label, "PEAK CURRENT");
    EXPECT_EQ(resonant[4].label, "PEAK VOLTAGE");
    EXPECT_EQ(resonant[4].units, "VOLTS");
    EXPECT_FALSE(resonant[5].visible);
}

} // namespace
} // namespace korvane
