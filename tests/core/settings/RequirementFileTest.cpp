#include "settings/RequirementFile.h"

#include "session/DesignSession.h"
#include "support/RecordingSink.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvane {
namespace {

namespace fs = std::filesystem;

// Any instant: the two saves of a round trip use the same one.
constexpr std::time_t kSavedAt = 1796000000;

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Realistic requirements of every application, as typed into the requirements window.
RequirementTexts typed(Application a) {
    switch (a) {
    case Application::DcBiased: // 100 uH buck choke, 10 A, 12 V in / 5 V out at 100 kHz
        return {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"};
    case Application::ControlledSwing: // 100 uH at 10 A, at most 150 uH at 1 A
        return {"100", "0.05", "10", "150", "1", "12", "5", "100", "25", "2", "3"};
    case Application::WideSwing: // 100 uH at 10 A rising to 500 uH at 1 A
        return {"100", "0", "10", "500", "1", "12", "5", "100", "40", "1", "1"};
    case Application::PfcBoost: // 400 uH, 6 A peak, 375 V peak in, 400 V out, 65 kHz
        return {"400", "0", "6", "", "", "375", "400", "65", "25", "1", "1"};
    case Application::Line60Hz: // 10 mH at 2 A rms, 8 mH at 0.5 A rms
        return {"10000", "0", "2", "8000", "0.5", "", "", "60", "-20", "1", "1"};
    case Application::Resonant: // 10 uH, 2 A peak, 50 V peak: 397.9 kHz
        return {"10", "0", "2", "", "", "50", "", "397.9", "25", "1", "1"};
    }
    return {};
}

struct SavedCase {
    Application app;
    CoreShape shape;
    UnitSystem units;
    WireSystem wire;
    std::vector<std::string> materials; // empty: every material
    bool changedParameters;
};

void expectSameRequirement(const Requirement& a, const Requirement& b) {
    EXPECT_EQ(a.application, b.application);
    EXPECT_EQ(a.shape, b.shape);
    EXPECT_EQ(a.windingType, b.windingType);
    EXPECT_EQ(a.stackCount, b.stackCount);
    EXPECT_EQ(a.strands, b.strands);
    const float Requirement::*fields[] = {
        &Requirement::L1,     &Requirement::L2,    &Requirement::I1,    &Requirement::I2,
        &Requirement::I1peak, &Requirement::I1rms, &Requirement::I2rms, &Requirement::Ipk,
        &Requirement::fHz,    &Requirement::fkHz,  &Requirement::Rs,    &Requirement::Ta,
        &Requirement::Von,    &Requirement::Voff,  &Requirement::Vpk,   &Requirement::Vpfc1,
        &Requirement::Vpfc2};
    for (const auto field : fields) {
        EXPECT_EQ(a.*field, b.*field);
    }
}

// Everything a load sets, to compare two sessions.
struct SessionState {
    Application application;
    std::vector<float> remembered; // fields 0 to 7 of every application
    Requirement requirement;
    std::vector<ParameterSet> sets;
    UnitSystem units;
    WireSystem wire;
    std::vector<std::string> selected;

    explicit SessionState(const DesignSession& s)
        : application(s.requirementEntry().application()),
          requirement(s.requirementEntry().requirement()), units(s.parameters().unitSystem()),
          wire(s.parameters().wireSystem()), selected(s.selection().selected()) {
        for (Application a : kAllApplications) {
            sets.push_back(s.parameters().set(a));
            for (int field = 0; field < 8; ++field) {
                remembered.push_back(s.requirementEntry().rememberedValue(a, field));
            }
        }
    }
};

void expectSameState(const SessionState& a, const SessionState& b) {
    EXPECT_EQ(a.application, b.application);
    EXPECT_EQ(a.remembered, b.remembered);
    expectSameRequirement(a.requirement, b.requirement);
    EXPECT_EQ(a.units, b.units);
    EXPECT_EQ(a.wire, b.wire);
    EXPECT_EQ(a.selected, b.selected);
    for (std::size_t i = 0; i < a.sets.size(); ++i) {
        for (int position = 0; position < ParameterSet::kCount; ++position) {
            EXPECT_EQ(a.sets[i].at(position), b.sets[i].at(position)) << i << " " << position;
        }
    }
}

class RequirementFileTest : public ::testing::Test {
  protected:
    fs::path dir;
    RecordingSink sink;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("korvane-reqfile-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // A session with the case's parameters and materials, the requirement accepted.
    void enter(DesignSession& session, const SavedCase& c) {
        DesignParameters& p = session.parameters();
        p.setUnitSystem(c.units);
        p.setWireSystem(c.wire);
        if (c.changedParameters) {
            ParameterSet& set = p.set(c.app);
            set = {30.0F, 200.0F, 35.0F, 50.0F, 1.05F, 1.2F, 0.9F, 0.5F, 55.0F};
        }
        if (!c.materials.empty()) {
            ASSERT_EQ(session.selectOnly(c.materials), std::nullopt);
        }
        RequirementEntry& entry = session.requirementEntry();
        entry.activate(c.app);
        entry.setShape(c.shape);
        ASSERT_TRUE(entry.accept(typed(c.app))) << sink.last().text;
    }
};

TEST_F(RequirementFileTest, SavedRequirementLoadsBackAndSavesTheSameText) {
    const SavedCase cases[] = {
        {Application::DcBiased, CoreShape::Toroid, UnitSystem::English, WireSystem::Awg, {}, false},
        {Application::DcBiased, CoreShape::ECore, UnitSystem::Metric, WireSystem::Metric, {}, true},
        {Application::ControlledSwing,
         CoreShape::Toroid,
         UnitSystem::MixedEnglish,
         WireSystem::Swg,
         {},
         false},
        {Application::WideSwing, CoreShape::Toroid, UnitSystem::Metric, WireSystem::Awg, {}, false},
        {Application::PfcBoost,
         CoreShape::Toroid,
         UnitSystem::English,
         WireSystem::Metric,
         {"-226", "-240", "-300"},
         false},
        {Application::Line60Hz,
         CoreShape::ECore,
         UnitSystem::MixedEnglish,
         WireSystem::Awg,
         {},
         true},
        {Application::Resonant, CoreShape::Toroid, UnitSystem::English, WireSystem::Swg, {}, false},
    };
    int n = 0;
    for (const SavedCase& c : cases) {
        SCOPED_TRACE(n);
        const fs::path first = dir / ("first-" + std::to_string(n) + ".REQ");
        const fs::path second = dir / ("second-" + std::to_string(n++) + ".REQ");
        DesignSession saving(&sink);
        enter(saving, c);
        ASSERT_TRUE(saving.saveRequirement(first, kSavedAt));

        DesignSession loading(&sink);
        ASSERT_TRUE(loading.loadRequirement(first, 0)) << sink.last().text;
        ASSERT_TRUE(loading.saveRequirement(second, kSavedAt));
        EXPECT_EQ(fileText(second), fileText(first));

        // The loaded session holds what was entered, not yet accepted: the same remembered
        // values, requirement, parameters and mixes.
        EXPECT_EQ(loading.requirementEntry().application(), c.app);
        EXPECT_FALSE(loading.requirementEntry().requirement().accepted);
        expectSameState(SessionState(saving), SessionState(loading));
        EXPECT_TRUE(sink.empty());
    }
}

TEST_F(RequirementFileTest, ListsEveryEntryAndRefusesToLoadAnEmptyOne) {
    const fs::path path = dir / "three.REQ";
    DesignSession saving(&sink);
    enter(saving, {Application::PfcBoost,
                   CoreShape::Toroid,
                   UnitSystem::English,
                   WireSystem::Awg,
                   {},
                   false});
    ASSERT_TRUE(saving.saveRequirement(path, kSavedAt));
    // The main window shows another application: the entry's requirement part is empty.
    ASSERT_TRUE(saving.saveRequirement(path, Application::DcBiased, kSavedAt + 60));
    enter(saving, {Application::Resonant,
                   CoreShape::Toroid,
                   UnitSystem::English,
                   WireSystem::Awg,
                   {},
                   false});
    ASSERT_TRUE(saving.saveRequirement(path, kSavedAt + 120));
    // Text-mode line ends of another platform read the same.
    std::string crlf;
    for (char ch : fileText(path)) {
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    }
    writeFileText(path, crlf);

    DesignSession loading(&sink);
    const auto entries = loading.requirementFileEntries(path);
    ASSERT_TRUE(entries.has_value()) << sink.last().text;
    ASSERT_EQ(entries->size(), 3U);
    EXPECT_EQ((*entries)[0].index, 0);
    EXPECT_EQ((*entries)[0].application, Application::PfcBoost);
    EXPECT_EQ((*entries)[0].summary, "PFCBOOST, L1: 400.0 uH, Rs: 0, I1: 6.000 A, Vpfc1: 400, "
                                     "Vpfc2: 375, f: 65 k, Ta: 25 C");
    EXPECT_EQ((*entries)[0].date, dateStamp(kSavedAt));
    EXPECT_EQ((*entries)[1].application, std::nullopt);
    EXPECT_EQ((*entries)[1].summary, "no requirement entered");
    EXPECT_EQ((*entries)[1].date, dateStamp(kSavedAt + 60));
    EXPECT_EQ((*entries)[2].index, 2);
    EXPECT_EQ((*entries)[2].application, Application::Resonant);
    EXPECT_TRUE(sink.empty());

    // Header (1, 2), two empty lines, then each entry: an empty line, its date line and, for
    // the empty entry, one blank line. The second entry's date is on line 15.
    EXPECT_FALSE(loading.loadRequirement(path, 1));
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last(), (Message{"LINE 15: the entry saved " + dateStamp(kSavedAt + 60) +
                                        " holds no requirement",
                                    "REQUIREMENT FILE ERROR"}));
    EXPECT_EQ(loading.requirementEntry().requirement().L1, 0.0F);
    EXPECT_TRUE(loading.loadRequirement(path, 2));
    EXPECT_EQ(loading.requirementEntry().application(), Application::Resonant);
}

TEST_F(RequirementFileTest, EntryTornInTheMiddleLeavesTheNextLoadable) {
    const fs::path path = dir / "torn.REQ";
    DesignSession saving(&sink);
    enter(saving, {Application::DcBiased,
                   CoreShape::Toroid,
                   UnitSystem::English,
                   WireSystem::Awg,
                   {},
                   false});
    ASSERT_TRUE(saving.saveRequirement(path, kSavedAt));
    // A save that stopped inside the materials line, then a complete one.
    std::string text = fileText(path);
    text = text.substr(0, text.find("    Materials: ") + 22);
    writeFileText(path, text);
    ASSERT_TRUE(saving.saveRequirement(path, kSavedAt));

    DesignSession loading(&sink);
    const auto entries = loading.requirementFileEntries(path);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2U);
    EXPECT_EQ((*entries)[0].application, std::nullopt);
    EXPECT_EQ((*entries)[0].summary,
              "LINE 10: expected the line \"    Units: ...\", found the end of the entry");
    EXPECT_EQ((*entries)[1].application, Application::DcBiased);
    EXPECT_TRUE(loading.loadRequirement(path, 1));
    EXPECT_TRUE(sink.empty());
}

TEST_F(RequirementFileTest, RefusedFileOrEntryNamesTheLineAndChangesNothing) {
    const fs::path good = dir / "good.REQ";
    {
        DesignSession saving(&sink);
        enter(saving, {Application::Line60Hz,
                       CoreShape::Toroid,
                       UnitSystem::English,
                       WireSystem::Awg,
                       {"-226", "-240"},
                       false});
        ASSERT_TRUE(saving.saveRequirement(good, kSavedAt));
    }
    // Line 5 is the empty line before the entry, 6 its date, 7 the application line, 8 the
    // shape, 9 the materials, 10 to 12 the parameters, 13 the blank that ends the entry.
    const std::string text = fileText(good);
    ASSERT_NE(text.find("ACINDUCTOR, L1: 10.000 mH, Rs: 0, I1: 2.000 A rms, L2: 8.000 mH, "
                        "I2: 0.5000 A rms, f: 60 Hz, Ta: -20 C \n"),
              std::string::npos);
    struct Refusal {
        const char* name;
        std::string content; // empty: no file at all
        int entry;
        std::string message;
    };
    const Refusal refusals[] = {
        {"missing file", "", 0,
         "Unable to read the requirement file " + (dir / "case.REQ").string() + "."},
        {"no header", text.substr(text.find('\n') + 1), 0,
         "LINE 1: expected \"    List of Requirements for Various Inductor Designs\""},
        {"garbage before the first entry", replaced(text, "\n\n\n\n", "\n\n\nsome notes\n\n"), 0,
         "LINE 5: expected an empty line or the date of an entry"},
        {"garbage shape line", replaced(text, "    Shape: T,", "    Shapes: T,"), 0,
         "LINE 8: expected \"Shape: \" at column 5"},
        {"blank shape line",
         replaced(text, "    Shape: T, Stack: 1, Windg: Full, Strands: 1 ", "   "), 0,
         "LINE 8: expected \"Shape: \" at column 4"},
        {"truncated entry", text.substr(0, text.find("    Units: ")), 0,
         "LINE 10: expected the line \"    Units: ...\", found the end of the entry"},
        {"line after the parameters", replaced(text, "Trise_f: 1\n", "Trise_f: 1\nmore\n"), 0,
         "LINE 13: expected the end of the entry (a line holding one blank)"},
        {"unknown application", replaced(text, "ACINDUCTOR,", "LINEFILTER,"), 0,
         "LINE 7: expected an application keyword (DC BIASED, CTRLSWNG, WIDESWNG, PFCBOOST, "
         "ACINDUCTOR, RESONANT) at column 1"},
        {"current without its unit", replaced(text, "I1: 2.000 A rms", "I1: 2.000 A"), 0,
         "LINE 7: expected a current such as \"2.000 A rms\" at column 39"},
        {"number that is none", replaced(text, "Rs: 0,", "Rs: none,"), 0,
         "LINE 7: expected a number for Rs at column 32"},
        {"unknown material", replaced(text, "Materials: 226, 240,", "Materials: 226, 999,"), 0,
         "LINE 9: -999 is not a selectable material"},
        {"parameter out of range", replaced(text, "Trise_lim: 40,", "Trise_lim: 500,"), 0,
         "LINE 11: Trise_lim 500 is outside its range 0 to 200"},
        {"entry out of range", text, 1, "ENTRY 2: the file holds 1 entry"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        const fs::path path = dir / "case.REQ";
        fs::remove(path);
        if (!r.content.empty()) {
            writeFileText(path, r.content);
        }
        // A session whose state differs from the file's in every part a load sets.
        DesignSession session(&sink);
        enter(session, {Application::DcBiased,
                        CoreShape::ECore,
                        UnitSystem::Metric,
                        WireSystem::Swg,
                        {"-275"},
                        true});
        const SessionState before(session);
        sink.clear();
        EXPECT_FALSE(session.loadRequirement(path, r.entry));
        ASSERT_EQ(sink.size(), 1U);
        EXPECT_EQ(sink.last(), (Message{r.message, "REQUIREMENT FILE ERROR"}));
        expectSameState(before, SessionState(session));
        sink.clear();
    }
    // The listing refuses the same files, and only those; a bad entry is listed with why.
    writeFileText(dir / "case.REQ", replaced(text, "Shape: T,", "Shape: X,"));
    DesignSession session(&sink);
    const auto entries = session.requirementFileEntries(dir / "case.REQ");
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(entries->at(0).summary, "LINE 8: expected a shape (T, E, CM) at column 12");
    writeFileText(dir / "case.REQ", "my notes\n");
    EXPECT_EQ(session.requirementFileEntries(dir / "case.REQ"), std::nullopt);
    EXPECT_EQ(sink.last().text,
              "LINE 1: expected \"    List of Requirements for Various Inductor Designs\"");
}

} // namespace
} // namespace korvane
