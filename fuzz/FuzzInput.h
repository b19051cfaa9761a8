#pragma once

// Decoding of fuzz bytes shared by every target. An input is a list of items separated by '|':
// texts typed into fields, and choices (application, shape, wire standard, ...) taken from the
// first bytes of an item. Digits stand for their value, so a hand-written input reads
// "0|100|0|10|...": application 0, then the texts of the fields.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::fuzz {

class FuzzInput {
  public:
    static constexpr char kSeparator = '|';

    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return rest_.empty(); }

    // The next item: the bytes up to the next separator, which is consumed; empty at the end.
    std::string text() {
        const std::size_t end = rest_.find(kSeparator);
        std::string item(rest_.substr(0, end));
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
        return item;
    }

    // The next item as a choice among `count` values (see choiceAt).
    int choice(int count) { return choiceAt(text(), 0, count); }

    // Everything not yet read, separators included.
    std::string rest() {
        std::string all(rest_);
        rest_ = {};
        return all;
    }

    // Byte `i` of an item as a value 0 to count - 1: a digit stands for its value, any other
    // byte for its code; 0 when the item is shorter.
    static int choiceAt(std::string_view item, std::size_t i, int count) {
        if (i >= item.size() || count <= 0) {
            return 0;
        }
        const auto byte = static_cast<unsigned char>(item[i]);
        const int value = byte >= '0' && byte <= '9' ? byte - '0' : byte;
        return value % count;
    }

  private:
    std::string_view rest_;
};

} // namespace korvane::fuzz
