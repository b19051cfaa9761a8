#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The keys the entry windows tell apart. Letters and digits are the keys whose press first
// filters the field; the decimal point, minus and every other key are `Other`.
enum class EntryKey { Enter, Up, Down, LetterOrDigit, Other };

// What a field's key handler lets stand in it. Plain fields take any key and only count
// Enter; the numeric fields drop a foreign last character before a letter or digit lands.
enum class FieldFilter { Plain, Positive, Signed };

// Characters a numeric field keeps: ".0123456789", and the minus sign for a signed field.
std::string_view allowedCharacters(FieldFilter filter);

// The entry-key scheme of the numeric entry windows, free of any widget. The fields form a
// ring in component order; invisible (or disabled) fields are passed over.
//
// Form scheme (requirements and parameters windows): Enter moves on at key press and counts,
// arrows and letters or digits reset the count, arrows move on key release; two Enter presses
// in a row press OK.
// Input scheme (the generic numeric-input window): Enter counts at key press and moves on at
// key release with Down; Plain fields leave the count to the other keys, numeric fields
// reset it on a letter or digit.
//
// In both, the first letter or digit after a field lost the focus replaces the field's text,
// and a letter or digit first drops the text's last character when the text holds a character
// its filter does not allow; the key's own character is inserted after that by the field.
class EntryKeys {
  public:
    enum class Scheme { Form, Input };

    // What a key press asks the window to do, in this order: put `text` back into the focused
    // field (caret at its end) before the key's character is inserted, move the focus to
    // `focus`, press OK.
    struct Press {
        std::optional<std::string> text;
        std::optional<std::size_t> focus;
        bool pressOk = false;
    };

    explicit EntryKeys(Scheme scheme = Scheme::Form) : scheme_(scheme) {}

    // The fields of the ring, in component order; all visible, the first focused.
    void setFields(std::vector<FieldFilter> filters);
    std::size_t fieldCount() const { return fields_.size(); }
    void setVisible(std::size_t field, bool visible);
    bool visible(std::size_t field) const;

    // The field that has the focus (set by the window when a click or tab moves it).
    std::size_t focus() const { return focus_; }
    void setFocus(std::size_t field);

    // The window became active: the first key typed replaces the focused field's text.
    void reset();

    // A key press in the focused field holding `text`.
    Press keyDown(EntryKey key, std::string_view text);
    // A key release in the focused field: where the focus goes, if anywhere.
    std::optional<std::size_t> keyUp(EntryKey key);
    // The focused field lost the focus.
    void focusLost() { firstKeyReplaces_ = true; }

    int enterCount() const { return enterCount_; }
    bool firstKeyReplaces() const { return firstKeyReplaces_; }

  private:
    struct Field {
        FieldFilter filter = FieldFilter::Positive;
        bool visible = true;
    };

    std::optional<std::size_t> step(int direction) const;
    std::optional<std::string> filtered(std::string_view text);

    Scheme scheme_;
    std::vector<Field> fields_;
    std::size_t focus_ = 0;
    int enterCount_ = 0;
    bool firstKeyReplaces_ = true;
};

} // namespace korvane
