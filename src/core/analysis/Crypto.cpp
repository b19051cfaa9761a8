#include "analysis/Crypto.h"

#include <cstdint>

namespace korvane {

namespace {

// The character as the routine reads it: a signed byte, '$' counting as 0.
std::int16_t storedCode(char ch) {
    if (ch == '$') {
        return 0;
    }
    return static_cast<std::int16_t>(static_cast<std::int8_t>(static_cast<unsigned char>(ch)));
}

char lowByte(long value) {
    return static_cast<char>(static_cast<unsigned char>(static_cast<unsigned long>(value) & 0xFFU));
}

} // namespace

std::size_t unscramble_text(std::string& destination, std::string_view source, int a, int /*spare*/,
                            int b, int c) {
    destination.assign(source);
    if (c == 0) {
        return source.size();
    }
    for (std::size_t i = 0; i < destination.size(); ++i) {
        const long code = storedCode(destination[i]);
        const long shifted = code - b - static_cast<long>(a) * static_cast<long>(i);
        destination[i] = lowByte(shifted % c);
    }
    return source.size();
}

std::string scramble_text(std::string_view plain, int a, int b, bool& ok) {
    ok = true;
    std::string stored(plain.size(), '\0');
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const long value = static_cast<long>(static_cast<unsigned char>(plain[i])) + b +
                           static_cast<long>(a) * static_cast<long>(i);
        const auto byte = static_cast<unsigned char>(((value % 256) + 256) % 256);
        if (byte == '$') {
            ok = false;
        }
        stored[i] = byte == 0 ? '$' : static_cast<char>(byte);
    }
    return stored;
}

} // namespace korvane
