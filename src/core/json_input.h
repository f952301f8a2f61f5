// Stand-in for the safe JSON reader until it arrives from its own branch.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace lc {

using Json = nlohmann::ordered_json;

struct DocumentError : std::runtime_error {
    DocumentError(std::string where, std::string problem)
        : std::runtime_error(where + ": " + problem), where(std::move(where)), problem(std::move(problem)) {}
    std::string where, problem;
};

Json parseJsonDocument(std::string_view bytes);
std::string shortQuote(std::string_view text);

}  // namespace lc
