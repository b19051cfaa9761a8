#include "format/ScanFormat.h"

#include <bitset>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

namespace korvane {

namespace {

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

void skipSpace(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isSpace(text[pos])) {
        ++pos;
    }
}

// Parses the set of a %[ conversion starting after the '['; moves `f` past the closing ']'.
// As the C library reads it: a ']' or '-' right after '[' or '[^' belongs to the set, a '-'
// between two characters in rising order spans them (the first one may itself end a span),
// any other '-' stands for itself. A set without its closing ']' converts nothing.
std::optional<std::bitset<256>> parseScanSet(std::string_view format, std::size_t& f) {
    std::bitset<256> set;
    bool negate = false;
    if (f < format.size() && format[f] == '^') {
        negate = true;
        ++f;
    }
    if (f < format.size() && (format[f] == ']' || format[f] == '-')) {
        set.set(static_cast<unsigned char>(format[f]));
        ++f;
    }
    while (f < format.size() && format[f] != ']') {
        const auto c = static_cast<unsigned char>(format[f]);
        const bool span =
            c == '-' && f > 0 && f + 1 < format.size() && format[f + 1] != ']' &&
            static_cast<unsigned char>(format[f - 1]) <= static_cast<unsigned char>(format[f + 1]);
        if (span) {
            // From the character before the '-' up to the next one, which its own turn adds.
            const auto last = static_cast<unsigned char>(format[f + 1]);
            for (unsigned v = static_cast<unsigned char>(format[f - 1]); v < last; ++v) {
                set.set(v);
            }
        } else {
            set.set(c);
        }
        ++f;
    }
    if (f >= format.size()) {
        return std::nullopt;
    }
    ++f; // the closing ']'
    return negate ? ~set : set;
}

} // namespace

int scanFormat(std::string_view text, std::string_view format, std::vector<ScanValue>& items) {
    const std::string input(text); // zero-terminated for the strto* readers
    std::size_t pos = 0;
    int count = 0;
    std::size_t f = 0;
    while (f < format.size()) {
        const char fc = format[f];
        if (isSpace(fc)) {
            skipSpace(input, pos);
            ++f;
            continue;
        }
        if (fc != '%' || (f + 1 < format.size() && format[f + 1] == '%')) {
            if (fc == '%') {
                ++f; // "%%" matches one '%'
            }
            if (pos >= input.size() || input[pos] != format[f]) {
                return count;
            }
            ++pos;
            ++f;
            continue;
        }
        ++f;
        if (f >= format.size()) {
            return count;
        }
        const char conversion = format[f++];
        if (conversion == '[') {
            const std::optional<std::bitset<256>> set = parseScanSet(format, f);
            if (!set) {
                return count;
            }
            const std::size_t start = pos;
            while (pos < input.size() && set->test(static_cast<unsigned char>(input[pos]))) {
                ++pos;
            }
            if (pos == start) {
                return count;
            }
            items.emplace_back(input.substr(start, pos - start));
            ++count;
            continue;
        }
        skipSpace(input, pos);
        if (pos >= input.size()) {
            return count;
        }
        const char* begin = input.c_str() + pos;
        char* end = nullptr;
        switch (conversion) {
        case 's': {
            const std::size_t start = pos;
            while (pos < input.size() && !isSpace(input[pos])) {
                ++pos;
            }
            items.emplace_back(input.substr(start, pos - start));
            break;
        }
        case 'f':
        case 'g':
        case 'e': {
            const float value = std::strtof(begin, &end);
            if (end == begin) {
                return count;
            }
            items.emplace_back(value);
            pos += static_cast<std::size_t>(end - begin);
            break;
        }
        case 'd': {
            errno = 0;
            long value = std::strtol(begin, &end, 10);
            if (end == begin) {
                return count;
            }
            if (errno == ERANGE || value > INT_MAX || value < INT_MIN) {
                value = value < 0 ? INT_MIN : INT_MAX;
            }
            items.emplace_back(value);
            pos += static_cast<std::size_t>(end - begin);
            break;
        }
        default:
            return count;
        }
        ++count;
    }
    return count;
}

} // namespace korvane
