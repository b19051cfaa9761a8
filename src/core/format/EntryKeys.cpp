#include "format/EntryKeys.h"

#include <utility>

namespace korvane {

std::string_view allowedCharacters(FieldFilter filter) {
    switch (filter) {
    case FieldFilter::Signed:
        return "-.0123456789";
    case FieldFilter::Positive:
        return ".0123456789";
    case FieldFilter::Plain:
        break;
    }
    return {};
}

void EntryKeys::setFields(std::vector<FieldFilter> filters) {
    fields_.clear();
    for (FieldFilter filter : filters) {
        fields_.push_back({filter, true});
    }
    focus_ = 0;
    reset();
}

void EntryKeys::setVisible(std::size_t field, bool visible) {
    if (field < fields_.size()) {
        fields_[field].visible = visible;
    }
}

bool EntryKeys::visible(std::size_t field) const {
    return field < fields_.size() && fields_[field].visible;
}

void EntryKeys::setFocus(std::size_t field) {
    if (field < fields_.size()) {
        focus_ = field;
    }
}

void EntryKeys::reset() {
    enterCount_ = 0;
    firstKeyReplaces_ = true;
}

std::optional<std::size_t> EntryKeys::step(int direction) const {
    const std::size_t n = fields_.size();
    for (std::size_t k = 1; k <= n; ++k) {
        const std::size_t i = direction > 0 ? (focus_ + k) % n : (focus_ + n - k % n) % n;
        if (fields_[i].visible) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> EntryKeys::filtered(std::string_view text) {
    const FieldFilter filter =
        focus_ < fields_.size() ? fields_[focus_].filter : FieldFilter::Plain;
    if (filter == FieldFilter::Plain) {
        return std::nullopt;
    }
    std::string result(text);
    if (firstKeyReplaces_) {
        result.clear();
        firstKeyReplaces_ = false;
    }
    if (result.find_first_not_of(allowedCharacters(filter)) != std::string::npos) {
        result.pop_back();
    }
    return result;
}

EntryKeys::Press EntryKeys::keyDown(EntryKey key, std::string_view text) {
    Press press;
    switch (key) {
    case EntryKey::Up:
    case EntryKey::Down:
        enterCount_ = 0;
        break;
    case EntryKey::Enter:
        ++enterCount_;
        if (scheme_ == Scheme::Form) {
            press.focus = step(+1);
        }
        break;
    case EntryKey::LetterOrDigit:
        if (scheme_ == Scheme::Form ||
            (focus_ < fields_.size() && fields_[focus_].filter != FieldFilter::Plain)) {
            enterCount_ = 0;
            press.text = filtered(text);
        }
        break;
    case EntryKey::Other:
        break;
    }
    if (enterCount_ > 1) {
        enterCount_ = 0;
        press.pressOk = true;
    }
    if (press.focus) {
        focus_ = *press.focus;
        firstKeyReplaces_ = true;
    }
    return press;
}

std::optional<std::size_t> EntryKeys::keyUp(EntryKey key) {
    std::optional<std::size_t> to;
    if (key == EntryKey::Up) {
        to = step(-1);
    } else if (key == EntryKey::Down || (key == EntryKey::Enter && scheme_ == Scheme::Input)) {
        to = step(+1);
    }
    if (to) {
        focus_ = *to;
        firstKeyReplaces_ = true;
    }
    return to;
}

} // namespace korvane
