// Stand-in for the safe JSON reader until it arrives from its own branch.
#include "core/json_input.h"

namespace lc {

Json parseJsonDocument(std::string_view bytes) {
    try {
        return Json::parse(bytes.begin(), bytes.end());
    } catch (const Json::parse_error& e) {
        std::string why = e.what();
        if (const auto close = why.find("] "); close != std::string::npos) why.erase(0, close + 2);
        throw DocumentError("standard input", "malformed JSON: " + why);
    }
}

std::string shortQuote(std::string_view text) {
    if (text.size() <= 40) return std::string(text);
    return std::string(text.substr(0, 40)) + "…(" + std::to_string(text.size()) + ")";
}

}  // namespace lc
