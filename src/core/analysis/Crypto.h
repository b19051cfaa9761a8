#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The label tables of the analysis window are kept scrambled in the program image.
//
// unscramble_text copies `source` into `destination` and replaces the character at each
// position i (from 0) by the low byte of (code - b - a i) % c, where code is the character
// as a signed byte and '$' stands for code 0; % is the signed remainder. Returns the
// length of `source`. `spare` is accepted and not used.
std::size_t unscramble_text(std::string& destination, std::string_view source, int a, int spare,
                            int b, int c);

// The inverse for modulus 256: the stored form of a plain text, a scrambled byte of 0
// written as '$'. `ok` becomes false when a scrambled byte would be '$' itself, which reads
// back as 0: that text cannot be stored with this step and offset.
std::string scramble_text(std::string_view plain, int a, int b, bool& ok);

} // namespace korvane
