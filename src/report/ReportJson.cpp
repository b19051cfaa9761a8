#include "report/ReportJson.h"

#include <array>
#include <charconv>
#include <cstdlib>

namespace korvane::report {

double jsonNumber(float value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::strtod(std::string(buffer.data(), result.ptr).c_str(), nullptr);
}

std::string jsonText(const Json& document) {
    return document.dump(2, ' ', false, Json::error_handler_t::replace);
}

Json messagesJson(const std::vector<Message>& messages) {
    Json list = Json::array();
    for (const Message& m : messages) {
        list.push_back({{"caption", m.caption}, {"text", m.text}});
    }
    return list;
}

} // namespace korvane::report
