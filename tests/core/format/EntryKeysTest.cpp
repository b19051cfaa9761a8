#include "format/EntryKeys.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvane {
namespace {

// A window's fields driven by key strokes as the widgets deliver them: the press, the
// character landing at the end of the focused field, the release.
struct Fields {
    EntryKeys keys;
    std::vector<std::string> texts;
    int oks = 0;

    Fields(EntryKeys::Scheme scheme, std::vector<FieldFilter> filters,
           std::vector<std::string> initial)
        : keys(scheme), texts(std::move(initial)) {
        keys.setFields(std::move(filters));
    }

    void stroke(EntryKey key, char c = 0) {
        const std::size_t at = keys.focus();
        const EntryKeys::Press press = keys.keyDown(key, texts[at]);
        if (press.text) {
            texts[at] = *press.text;
        }
        if (c != 0) {
            texts[at] += c;
        }
        oks += press.pressOk ? 1 : 0;
        keys.keyUp(key);
    }

    // Characters typed in turn; '\n' is Enter, '^' and 'v' the arrows.
    void type(const std::string& strokes) {
        for (char c : strokes) {
            if (c == '\n') {
                stroke(EntryKey::Enter);
            } else if (c == '^') {
                stroke(EntryKey::Up);
            } else if (c == 'v') {
                stroke(EntryKey::Down);
            } else if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
                stroke(EntryKey::LetterOrDigit, c);
            } else {
                stroke(EntryKey::Other, c);
            }
        }
    }
};

TEST(EntryKeys, TypingIntoTheFormFields) {
    using S = EntryKeys::Scheme;
    const auto P = FieldFilter::Positive;
    const auto N = FieldFilter::Signed;
    struct Case {
        const char* name;
        std::string strokes;
        std::vector<std::string> texts; // after the strokes
        std::size_t focus;
        int oks;
    };
    // Three fields: positive, positive, signed; shown texts "1", "2", "3".
    const Case cases[] = {
        {"first key replaces", "45", {"45", "2", "3"}, 0, 0},
        {"a foreign last character goes at the next key", "12a3", {"123", "2", "3"}, 0, 0},
        {"point typed first appends", ".", {"1.", "2", "3"}, 0, 0},
        {"the digit after it still replaces", ".5", {"5", "2", "3"}, 0, 0},
        {"minus typed first appends", "-", {"1-", "2", "3"}, 0, 0},
        {"minus is foreign in a positive field", "7-8", {"78", "2", "3"}, 0, 0},
        {"minus stays in the signed field", "vv7-8", {"1", "2", "7-8"}, 2, 0},
        {"Enter moves on and the next field is replaced", "9\n8", {"9", "8", "3"}, 1, 0},
        {"two Enters run OK", "\n\n", {"1", "2", "3"}, 2, 1},
        {"an arrow between Enters resets the count", "\nv\n", {"1", "2", "3"}, 0, 0},
        {"a digit between Enters resets the count", "\n5\n", {"1", "5", "3"}, 2, 0},
        {"the ring wraps both ways", "^", {"1", "2", "3"}, 2, 0},
        {"down wraps to the first", "vvv", {"1", "2", "3"}, 0, 0},
        {"three Enters: OK once", "\n\n\n", {"1", "2", "3"}, 0, 1},
        {"four Enters: OK twice", "\n\n\n\n", {"1", "2", "3"}, 1, 2},
    };
    for (const Case& c : cases) {
        Fields f(S::Form, {P, P, N}, {"1", "2", "3"});
        f.type(c.strokes);
        EXPECT_EQ(f.texts, c.texts) << c.name;
        EXPECT_EQ(f.keys.focus(), c.focus) << c.name;
        EXPECT_EQ(f.oks, c.oks) << c.name;
    }
}

TEST(EntryKeys, HiddenFieldsLeaveTheRing) {
    Fields f(EntryKeys::Scheme::Form, std::vector<FieldFilter>(4, FieldFilter::Positive),
             {"1", "2", "3", "4"});
    f.keys.setVisible(1, false);
    f.keys.setVisible(2, false);
    f.type("\n");
    EXPECT_EQ(f.keys.focus(), 3U);
    f.type("v");
    EXPECT_EQ(f.keys.focus(), 0U);
    f.type("^");
    EXPECT_EQ(f.keys.focus(), 3U);
    f.type("\n"); // one Enter after the arrow: no OK yet
    EXPECT_EQ(f.oks, 0);
    f.type("\n");
    EXPECT_EQ(f.oks, 1);
}

TEST(EntryKeys, LosingTheFocusMakesTheFirstKeyReplace) {
    Fields f(EntryKeys::Scheme::Form, {FieldFilter::Positive, FieldFilter::Positive}, {"10", "20"});
    f.type("5"); // replaces
    f.type("6"); // appends
    EXPECT_EQ(f.texts[0], "56");
    f.keys.setFocus(1); // a click elsewhere
    f.keys.focusLost();
    f.type("7");
    EXPECT_EQ(f.texts[1], "7");
    f.keys.setFocus(0);
    f.keys.reset(); // the window activated again
    f.type("8");
    EXPECT_EQ(f.texts[0], "8");
}

TEST(EntryKeys, InputSchemePlainAndNumericFields) {
    using S = EntryKeys::Scheme;
    const auto L = FieldFilter::Plain;
    const auto P = FieldFilter::Positive;
    struct Case {
        const char* name;
        std::string strokes;
        std::vector<std::string> texts;
        std::size_t focus;
        int oks;
    };
    // A plain part-number field, then two positive fields.
    const Case cases[] = {
        {"plain field keeps its text and letters", "X2", {"T80X2", "2", "3"}, 0, 0},
        {"a letter in a plain field leaves the count", "^\na\n", {"T80a", "2", "3"}, 1, 1},
        {"Enter moves on at release", "\n", {"T80", "2", "3"}, 1, 0},
        {"second Enter runs OK", "\n\n", {"T80", "2", "3"}, 2, 1},
        {"a digit in a numeric field resets the count", "\n4\n", {"T80", "4", "3"}, 2, 0},
        {"a numeric field drops a foreign last character", "\n1x2", {"T80", "12", "3"}, 1, 0},
        {"a plain field lets a foreign character stand", "x\n\n", {"T80x", "2", "3"}, 2, 1},
        {"up wraps", "^", {"T80", "2", "3"}, 2, 0},
    };
    for (const Case& c : cases) {
        Fields f(S::Input, {L, P, P}, {"T80", "2", "3"});
        f.type(c.strokes);
        EXPECT_EQ(f.texts, c.texts) << c.name;
        EXPECT_EQ(f.keys.focus(), c.focus) << c.name;
        EXPECT_EQ(f.oks, c.oks) << c.name;
    }
}

TEST(EntryKeys, NoFieldsNoFocusMoves) {
    EntryKeys keys;
    keys.setFields({});
    const EntryKeys::Press press = keys.keyDown(EntryKey::Enter, "");
    EXPECT_FALSE(press.focus.has_value());
    EXPECT_FALSE(keys.keyUp(EntryKey::Down).has_value());
    EXPECT_FALSE(keys.keyDown(EntryKey::LetterOrDigit, "x").text.has_value());
}

} // namespace
} // namespace korvane
