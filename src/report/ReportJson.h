#pragma once

#include "format/Messages.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace korvane::report {

using Json = nlohmann::ordered_json;

// A stored 32-bit value as the shortest decimal that reads back to it (795.8, not 795.79998779).
double jsonNumber(float value);

// The document as text, indented by two. Texts typed by the user, and texts cut to a field's
// length inside a multi-byte character, need not be UTF-8: such bytes become U+FFFD, so the
// text is always valid JSON.
std::string jsonText(const Json& document);

// Every message shown, as [{"caption": ..., "text": ...}].
Json messagesJson(const std::vector<Message>& messages);

} // namespace korvane::report
