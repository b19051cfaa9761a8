#include "format/StrPrintf.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace korvane {

namespace {

// One conversion of a template: %[-][width][.precision][l]conversion, from '%' on.
struct Conversion {
    bool left = false;
    int width = 0;
    int precision = -1;
    char kind = 0;             // 's', 'd', 'i', 'f' or '%'
    std::string_view text;     // the whole conversion, for std::snprintf
    const char* end = nullptr; // the character after it
};

constexpr int kMaxField = 256; // width and precision the direct path takes

int digits(const char*& p) {
    int n = 0;
    while (*p >= '0' && *p <= '9' && n <= kMaxField) {
        n = n * 10 + (*p - '0');
        ++p;
    }
    return n;
}

// The conversion at `p` (a '%'), or none when it is not one of the plain kinds composed
// directly: text, int and fixed-point double with a '-' flag, width and precision at most.
bool parseConversion(const char* p, Conversion& c) {
    const char* start = p++;
    if (*p == '%') {
        c = Conversion{};
        c.kind = '%';
        c.end = p + 1;
        c.text = std::string_view(start, static_cast<std::size_t>(c.end - start));
        return true;
    }
    c = Conversion{};
    if (*p == '-') {
        c.left = true;
        ++p;
    }
    if (*p == '0') {
        return false; // zero padding
    }
    c.width = digits(p);
    if (*p == '.') {
        ++p;
        c.precision = digits(p);
    }
    if (c.width > kMaxField || c.precision > kMaxField) {
        return false;
    }
    if (*p == 'l' && p[1] == 'f') {
        ++p; // %lf is %f
    }
    if (*p != 's' && *p != 'd' && *p != 'i' && *p != 'f') {
        return false;
    }
    if ((*p == 'd' || *p == 'i') && c.precision >= 0) {
        return false;
    }
    c.kind = *p;
    c.end = p + 1;
    c.text = std::string_view(start, static_cast<std::size_t>(c.end - start));
    return true;
}

void appendField(std::string& out, const Conversion& c, std::string_view field) {
    const std::size_t width = static_cast<std::size_t>(c.width);
    const std::size_t pad = field.size() < width ? width - field.size() : 0;
    if (!c.left) {
        out.append(pad, ' ');
    }
    out.append(field);
    if (c.left) {
        out.append(pad, ' ');
    }
}

// One conversion through std::snprintf, for the values the direct path leaves to it.
template <typename T>
void appendFormatted(std::string& out, const Conversion& c, T value) {
    const std::string single(c.text);
    const int n = std::snprintf(nullptr, 0, single.c_str(), value);
    if (n > 0) {
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(n));
        std::vector<char> text(static_cast<std::size_t>(n) + 1);
        std::snprintf(text.data(), text.size(), single.c_str(), value);
        std::memcpy(out.data() + at, text.data(), static_cast<std::size_t>(n));
    }
}

// The template composed conversion by conversion: the numbers through std::to_chars, which
// writes the digits printf writes (correctly rounded, ties to even) in a fraction of its time.
// False, at the first conversion of another kind, before its argument is taken.
bool composePlain(std::string& out, const char* format, va_list args) {
    out.reserve(std::strlen(format) + 64);
    // The longest fixed-point double: a sign, 309 digits, the point and the precision.
    std::array<char, 640> buffer; // NOLINT(cppcoreguidelines-pro-type-member-init): written first
    for (const char* p = format; *p != '\0';) {
        if (*p != '%') {
            const char* next = std::strchr(p, '%');
            const std::size_t n =
                next != nullptr ? static_cast<std::size_t>(next - p) : std::strlen(p);
            out.append(p, n);
            p += n;
            continue;
        }
        Conversion c;
        if (!parseConversion(p, c)) {
            return false;
        }
        p = c.end;
        switch (c.kind) {
        case '%':
            out += '%';
            break;
        case 's': {
            const char* text = va_arg(args, const char*);
            if (text == nullptr) {
                appendFormatted(out, c, text);
                break;
            }
            std::size_t length = 0;
            if (c.precision < 0) {
                length = std::strlen(text);
            } else {
                // At most `precision` characters, read no further than that.
                while (length < static_cast<std::size_t>(c.precision) && text[length] != '\0') {
                    ++length;
                }
            }
            appendField(out, c, std::string_view(text, length));
            break;
        }
        case 'd':
        case 'i': {
            const int value = va_arg(args, int);
            const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
            appendField(
                out, c,
                std::string_view(buffer.data(), static_cast<std::size_t>(r.ptr - buffer.data())));
            break;
        }
        case 'f': {
            const double value = va_arg(args, double);
            const auto r =
                std::isfinite(value)
                    ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, c.precision >= 0 ? c.precision : 6)
                    : std::to_chars_result{nullptr, std::errc::value_too_large};
            if (r.ec != std::errc{}) {
                appendFormatted(out, c, value); // infinities and NaN
                break;
            }
            appendField(
                out, c,
                std::string_view(buffer.data(), static_cast<std::size_t>(r.ptr - buffer.data())));
            break;
        }
        default:
            break;
        }
    }
    return true;
}

} // namespace

std::string strprintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string result;
    va_list plain;
    va_copy(plain, args);
    const bool composed = composePlain(result, format, plain);
    va_end(plain);
    if (composed) {
        va_end(args);
        return result;
    }
    // Any other template: std::vsnprintf, once into a stack buffer when the text fits it, else
    // again into a string of its length.
    result.clear();
    std::array<char, 512> stack; // NOLINT(cppcoreguidelines-pro-type-member-init): written first
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(stack.data(), stack.size(), format, copy);
    va_end(copy);
    if (length > 0) {
        const auto size = static_cast<std::size_t>(length);
        if (size < stack.size()) {
            result.assign(stack.data(), size);
        } else {
            result.resize(size);
            std::vsnprintf(result.data(), size + 1, format, args);
        }
    }
    va_end(args);
    return result;
}

} // namespace korvane
