#include "settings/SettingsFile.h"

#include "format/Messages.h"
#include "materials/MaterialCoefficients.h"
#include "requirements/Requirement.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"
#include "support/RecordingSink.h"
#include "support/TestFiles.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string_view>
#include <unistd.h>

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

class SettingsFileTest : public ::testing::Test {
  protected:
    fs::path dir;
    RecordingSink sink;
    ScopedMessageSink scoped{sink};

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("korvane-settings-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST(DateStamp, TwentyFourCharactersWithPaddedDay) {
    EXPECT_EQ(dateStamp(localTime(2026, 12, 8, 1, 5, 9)), "Tue Dec  8 01:05:09 2026");
    EXPECT_EQ(dateStamp(localTime(2010, 3, 2, 23, 59, 0)), "Tue Mar  2 23:59:00 2010");
    EXPECT_EQ(dateStamp(localTime(2027, 1, 17, 12, 0, 30)), "Sun Jan 17 12:00:30 2027");
}

const char* const kDefaultBlock = "    Units: ENG, Wire: AWG, \n"
                                  "    Params: Trise_lim: 40, Cudens: 150 cm/Amp, Fill%: 40, "
                                  "Min%mu: 40, LeadL: 0.25in, \n"
                                  "            Rho_f: 1, Trise_ex: 0.833, Trise_f: 1\n";

TEST_F(SettingsFileTest, SettingsFileByteForByte) {
    const DesignParameters p;
    const fs::path path = dir / "KorvaneParams.log";
    ASSERT_TRUE(writeParameterSettings(p, path, localTime(2026, 12, 8, 1, 5, 9)));
    std::string expected = "Parameter settings record \n"
                           "Produced by KORVANE Power Inductor Design Program \n"
                           "\n"
                           "Tue Dec  8 01:05:09 2026 \n";
    for (const char* keyword :
         {"DC BIASED", "CTRLSWNG", "WIDESWNG", "PFCBOOST", "ACINDUCTOR", "RESONANT"}) {
        expected += std::string(keyword) + " \n " + kDefaultBlock + " \n ";
    }
    EXPECT_EQ(fileText(path), expected);
    EXPECT_FALSE(fs::exists(dir / "KorvaneParams.log.tmp"));
    // the first keyword line, then the block whose first line starts with five blanks
    EXPECT_NE(fileText(path).find("DC BIASED \n     Units: ENG"), std::string::npos);
}

TEST_F(SettingsFileTest, MetricSettingsSurviveARun) {
    DesignParameters before;
    before.setUnitSystem(UnitSystem::Metric);
    before.setWireSystem(WireSystem::Swg);
    for (Application a : kAllApplications) {
        before.set(a).Cudens = 200.0F; // written as 987 A/cm^2
    }
    const fs::path path = dir / "KorvaneParams.log";
    ASSERT_TRUE(writeParameterSettings(before, path));
    EXPECT_NE(fileText(path).find("Cudens: 987 cm/Amp"), std::string::npos);

    DesignParameters after;
    readParameterSettings(after, path);
    EXPECT_EQ(after.unitSystem(), UnitSystem::Metric);
    EXPECT_EQ(after.wireSystem(), WireSystem::Swg);
    EXPECT_FLOAT_EQ(after.copperArea(Application::Line60Hz), 200.0F);
    // the shown application ends as the last block's
    EXPECT_EQ(after.shownApplication(), Application::Resonant);
}

TEST_F(SettingsFileTest, MissingOrIncompleteFilesRestoreNothing) {
    DesignParameters p;
    readParameterSettings(p, dir / "absent.log");
    EXPECT_EQ(p.unitSystem(), UnitSystem::English);

    // blocks without a "Params:" line
    const fs::path path = dir / "noparams.log";
    writeFileText(path, "DC BIASED \n     Units: MET, Wire: SWG, \n \nRESONANT \n     Units: MET, "
                        "Wire: SWG, \n");
    readParameterSettings(p, path);
    EXPECT_EQ(p.unitSystem(), UnitSystem::English);
    EXPECT_EQ(p.wireSystem(), WireSystem::Awg);
    EXPECT_FLOAT_EQ(p.copperArea(Application::DcBiased), 150.0F);
}

TEST_F(SettingsFileTest, LongLinesAreReadInPiecesOf255) {
    // The keyword lies beyond the first 255 characters: the second piece finds it.
    DesignParameters source;
    source.setUnitSystem(UnitSystem::MixedEnglish);
    const std::string block = source.parametersText(Application::DcBiased);
    const fs::path path = dir / "long.log";
    writeFileText(path, std::string(300, 'x') + "PFCBOOST \n " + block);
    DesignParameters p;
    readParameterSettings(p, path);
    EXPECT_EQ(p.shownApplication(), Application::PfcBoost);
    EXPECT_EQ(p.unitSystem(), UnitSystem::MixedEnglish);

    // A "Params:" line longer than 255 characters: its tail is taken for the third line,
    // the block then does not read as 23 items and is skipped.
    std::string longParams = block;
    const std::size_t end = longParams.find(", \n            Rho_f");
    longParams.insert(end + 2, std::string(300, ' '));
    DesignParameters q;
    writeFileText(path, "DC BIASED \n " + longParams);
    readParameterSettings(q, path);
    EXPECT_EQ(q.unitSystem(), UnitSystem::English);
}

TEST_F(SettingsFileTest, UnwritableSettingsFileIsSkippedSilently) {
    const DesignParameters p;
    EXPECT_FALSE(writeParameterSettings(p, dir / "no" / "such" / "dir" / "KorvaneParams.log"));
    EXPECT_TRUE(sink.empty());
}

Requirement savedRequirement() {
    Requirement r;
    r.L1 = 0.1F;
    r.I1 = r.I1peak = 10.0F;
    r.Von = 12.0F;
    r.Voff = 5.0F;
    r.fkHz = 100.0F;
    r.Ta = 55.0F;
    return r;
}

TEST_F(SettingsFileTest, RequirementFileHeaderThenEntries) {
    const std::array<std::string_view, 3> codes = {"-275", "-M702", "-"};
    MaterialSelection selection(codes);
    const DesignParameters p;
    const std::string text =
        savedRequirementText(savedRequirement(), Application::DcBiased, selection, p);
    EXPECT_EQ(text,
              "DC BIASED, L1: 100.0 uH, Rs: 0, I1: 10.00 A, Von: 12, Voff: 5, f: 100 k, Ta: 55 C \n"
              "    Shape: T, Stack: 1, Windg: Full, Strands: 1 \n"
              "    Materials: 275, M702, \n" +
                  std::string(kDefaultBlock));

    const fs::path path = dir / "KORVANE_REQTS.REQ";
    ASSERT_TRUE(appendRequirement(path, text, localTime(2026, 12, 8, 1, 5, 9)));
    const std::string header = "    List of Requirements for Various Inductor Designs\n"
                               "    Produced by KORVANE Power Inductor Design Program       "
                               "Tue Dec  8 01:05:09 2026\n\n\n";
    const std::string entry = "\nTue Dec  8 01:05:09 2026 \n" + text + " \n";
    EXPECT_EQ(fileText(path), header + entry);

    // A second save adds only the entry; a save before any requirement adds a blank line.
    ASSERT_TRUE(appendRequirement(path, text, localTime(2026, 12, 8, 1, 5, 9)));
    ASSERT_TRUE(appendRequirement(path, "", localTime(2026, 12, 9, 10, 0, 0)));
    EXPECT_EQ(fileText(path), header + entry + entry + "\nWed Dec  9 10:00:00 2026 \n \n");
    EXPECT_TRUE(sink.empty());
}

TEST_F(SettingsFileTest, NoRequirementTextForAnotherApplication) {
    const std::array<std::string_view, 1> codes = {"-275"};
    const MaterialSelection selection(codes);
    EXPECT_EQ(savedRequirementText(savedRequirement(), Application::Resonant, selection,
                                   DesignParameters()),
              "");
}

TEST_F(SettingsFileTest, UnopenableRequirementFileIsReportedAndNothingWritten) {
    const fs::path path = dir / "missing-dir" / "reqs.REQ";
    EXPECT_FALSE(appendRequirement(path, "text"));
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last().caption, "FILE ERROR");
    EXPECT_NE(sink.last().text.find("reqs.REQ"), std::string::npos);
    EXPECT_FALSE(fs::exists(path));

    // A directory in the file's place opens for reading but not for appending.
    EXPECT_FALSE(appendRequirement(dir, "text"));
    EXPECT_EQ(sink.size(), 2U);
}

TEST_F(SettingsFileTest, UnreadableRequirementFileIsAppendedNotReplaced) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "file permissions do not bind the superuser";
    }
    const fs::path path = dir / "writeonly.REQ";
    writeFileText(path, "earlier entries\n");
    fs::permissions(path, fs::perms::owner_write);
    const bool written = appendRequirement(path, "text", localTime(2026, 12, 8, 1, 5, 9));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(written);
    EXPECT_EQ(fileText(path), "earlier entries\n\nTue Dec  8 01:05:09 2026 \ntext \n");
}

TEST(MaterialSelection, SelectionTakesEffectOnlyThroughOk) {
    const std::array<std::string_view, 4> codes = {"-104", "-226", "-275", "-300"};
    MaterialSelection s(codes);
    EXPECT_EQ(s.selectedCount(), 4U);
    EXPECT_EQ(s.checks(), std::vector<bool>(4, false)); // checked on the first activation
    s.activate();
    EXPECT_EQ(s.checks(), std::vector<bool>(4, true));

    s.setChecked(1, false); // unchecked, window closed without OK
    EXPECT_TRUE(s.isSelected("-226"));
    s.activate();
    EXPECT_TRUE(s.checks()[1]);

    s.invertSelection();
    EXPECT_EQ(s.checks(), std::vector<bool>(4, false));
    s.setChecked(2, true);
    s.ok();
    EXPECT_EQ(s.selected(), std::vector<std::string>{"-275"});
    EXPECT_FALSE(s.isSelected("-226"));
    EXPECT_FALSE(s.isSelected(""));
    EXPECT_FALSE(s.isSelected("-27")); // whole codes only

    s.invertSelection();
    s.invertSelection();
    EXPECT_EQ(s.checks(), (std::vector<bool>{false, false, true, false}));
    s.selectAll();
    s.ok();
    int listed = 0;
    EXPECT_EQ(s.materialsLine(&listed), "    Materials: 104, 226, 275, 300, \n");
    EXPECT_EQ(listed, 4);

    s.invertSelection();
    s.ok();
    EXPECT_EQ(s.selectedCount(), 0U);
    EXPECT_EQ(s.materialsLine(&listed), "    Materials: \n");
    EXPECT_EQ(listed, 0);
}

TEST(MaterialSelection, StartsWithEveryPowerMixSelected) {
    MaterialSelection s;
    ASSERT_EQ(s.materialCount(), initialPermTable().size());
    for (std::size_t i = 0; i < s.materialCount(); ++i) {
        EXPECT_EQ(s.materials()[i], initialPermTable()[i].code);
    }
    EXPECT_EQ(s.selected(), s.materials());
    s.activate();
    EXPECT_EQ(s.checks(), std::vector<bool>(s.materialCount(), true));
}

TEST(MaterialSelection, MaterialsLineSkipsCodesOfOneCharacter) {
    const std::array<std::string_view, 3> codes = {"-", "-275", "-M702"};
    const MaterialSelection s(codes);
    int listed = 0;
    EXPECT_EQ(s.materialsLine(&listed), "    Materials: 275, M702, \n");
    EXPECT_EQ(listed, 2);
}

} // namespace
} // namespace korvane
