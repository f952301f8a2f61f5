// Runs the built lingchuan-calc with a given standard input and captures its
// standard output, standard error and exit status.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace lctest {

using Json = nlohmann::ordered_json;

struct ToolRun {
    int status = -1;  // exit status, or -1 when the tool did not exit normally
    std::string out;
    std::string err;
};

// Where the tool's standard output goes: captured, a full device, or nowhere
// (closed).
enum class Output { Captured, Full, Closed };

ToolRun runTool(const std::vector<std::string>& args, std::string_view input = {}, Output output = Output::Captured);

// `run` on a document that must succeed: the parsed result. A failing run is
// reported as a test failure and gives an empty object.
Json runDocument(const Json& doc);

// The texts of one line-separated output.
std::vector<std::string> lines(const std::string& text);

}  // namespace lctest
