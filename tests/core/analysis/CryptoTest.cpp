#include "analysis/Crypto.h"

#include "analysis/AnalysisLabels.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Crypto, UnscrambleWorkedByHand) {
    struct Case {
        std::string source;
        int a, b;
        std::string plain;
    };
    const Case cases[] = {
        // 'N' (78) - 11 - 3*0 = 67 'C'; 'U' (85) - 11 - 3 = 71 'G'
        {"NU", 3, 11, "CG"},
        // '$' counts as 0: (0 - 11) % 256 = -11, low byte 0xF5; 'A' 65 - 11 - 3 = 51 '3'
        {"$A", 3, 11,
         "\xF5"
         "3"},
        // 0xF0 is -16 as a signed byte: (-16 - 11) % 256 = -27, low byte 0xE5
        {"\xF0", 3, 11, "\xE5"},
        // step and offset 0 leave a format as it is
        {"%6.3f", 0, 0, "%6.3f"},
    };
    for (const Case& c : cases) {
        std::string out = "previous text";
        EXPECT_EQ(unscramble_text(out, c.source, c.a, 99, c.b, 256), c.source.size());
        EXPECT_EQ(out, c.plain) << c.source;
    }
}

TEST(Crypto, ScrambleRefusesTextsThatWouldReadAsDollar) {
    bool ok = true;
    // 25 + 11 = 36 is '$', which reads back as 0
    scramble_text(std::string(1, '\x19'), 0, 11, ok);
    EXPECT_FALSE(ok);
    // 245 + 11 = 256: byte 0 is stored as '$' and reads back
    const std::string stored = scramble_text("\xF5", 0, 11, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(stored, "$");
    std::string back;
    unscramble_text(back, stored, 0, 0, 11, 256);
    EXPECT_EQ(back, "\xF5");
}

// The label tables as the window shows them; the stored tables hold them scrambled with
// step 3 and offset 11.
const char* const kEntryPlain[kEntryLabelRows][2] = {
    {"CORE PART NUMBER", ""},
    {"WIRE SIZE", ""},
    {"NUMBER OF TURNS", "TURNS"},
    {"DC CURRENT", "AMPERES"},
    {"FIRST INDUCTOR VOLTAGE", "VOLTS"},
    {"SECOND INDUCTOR VOLTAGE", "VOLTS"},
    {"SWITCHING FREQUENCY", "kHz"},
    {"AMBIENT TEMPERATURE", "DEG. C"},
    {"PEAK CURRENT", "AMPERES"},
    {"PEAK INPUT VOLTAGE", "VOLTS PEAK"},
    {"OUTPUT VOLTAGE", "VOLTS DC"},
    {"RMS CURRENT", "AMPERES RMS"},
    {"LINE FREQUENCY", "Hz"},
    {"RESONANT FREQUENCY", "kHz"},
    {"PEAK CURRENT", "AMPERES PEAK"},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
};
const char* const kElectricalPlain[kElectricalRows][3] = {
    {"INDUCTANCE", "%6.0f", "Henry"},
    {"DC RESISTANCE", "%6.3f", "OHMS"},
    {"AC RESISTANCE", "%6.3f", "OHMS"},
    {"RIPPLE CURRENT P-P", "%6.2f", "AMPS"},
    {"DC MAGNETIZING FORCE", "%6.1f", "OERSTEDS"},
    {"PEAK AC FLUX DENSITY", "%6.0f", "GAUSS"},
    {"PERCENT PERM", "%6.0f", "PCT"},
    {"INDUCTANCE INDEX AL", "%6.0f", "nH/N^2"},
    {"CORE LOSS", "%6.3f", "WATTS"},
    {"COPPER LOSS", "%6.3f", "WATTS"},
    {"WINDING BUILD", "%6.3f", "INCH"},
    {"SURFACE AREA", "%6.1f", "Sq cm"},
    {"TEMPERATURE RISE", "%6.1f", "DEG. C"},
    {"Time To 115 % Loss", "%9.3g", "Hours"},
    {"Life Limit", "%9.3g", "Hours"},
};

TEST(Crypto, StoredLabelTablesRoundTrip) {
    auto roundTrip = [](std::string_view stored, const char* plain) {
        bool ok = false;
        EXPECT_EQ(scramble_text(plain, kLabelStep, kLabelOffset, ok), stored) << plain;
        EXPECT_TRUE(ok) << plain;
        std::string back;
        unscramble_text(back, stored, kLabelStep, 0, kLabelOffset, 256);
        EXPECT_EQ(back, plain);
    };
    for (std::size_t i = 0; i < kEntryLabelRows; ++i) {
        roundTrip(kStoredEntryLabels[i].label, kEntryPlain[i][0]);
        roundTrip(kStoredEntryLabels[i].units, kEntryPlain[i][1]);
    }
    const ElectricalRows rows = storedElectricalRows();
    for (std::size_t i = 0; i < kElectricalRows; ++i) {
        roundTrip(kStoredElectricalRows[i].label, kElectricalPlain[i][0]);
        roundTrip(kStoredElectricalRows[i].units, kElectricalPlain[i][2]);
        EXPECT_EQ(rows[i].label, kElectricalPlain[i][0]);
        EXPECT_EQ(rows[i].format, kElectricalPlain[i][1]);
        EXPECT_EQ(rows[i].units, kElectricalPlain[i][2]);
        // labels fit 24 characters and units 12, with the terminator
        EXPECT_LT(rows[i].label.size(), 24U);
        EXPECT_LT(rows[i].units.size(), 12U);
        EXPECT_NE(kStoredElectricalRows[i].label, rows[i].label); // really stored scrambled
    }
}

} // namespace
} // namespace korvane
