// Fuzz target for the batch tool's document: arbitrary bytes are either
// refused with one short line naming the place, and nothing written, or run to
// an output that is itself a document the tool accepts and that, fed back in,
// gives the same sheets again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli/batch.h"
#include "core/json_input.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property broken: %s\n%.2000s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ostringstream out;
    try {
        lc::cli::runDocument(std::string(reinterpret_cast<const char*>(data), size), out);
    } catch (const lc::DocumentError& e) {
        const std::string line = e.what();
        if (!out.str().empty()) fail("a refused document wrote output", out.str());
        if (line.empty() || line.find('\n') != std::string::npos || line.size() > 700)
            fail("the refusal is not one short line", line);
        return 0;
    }
    const std::string first = out.str();
    if (first.empty() || first.back() != '\n') fail("the output does not end in a newline", first);
    lc::Json result;
    try {
        result = lc::parseJsonDocument(first);
    } catch (const lc::DocumentError& e) {
        fail("the output is not a document", e.what());
    }
    std::ostringstream again;
    try {
        lc::cli::runDocument(first, again);
    } catch (const lc::DocumentError& e) {
        fail("the output is refused as input", e.what());
    }
    const lc::Json second = lc::parseJsonDocument(again.str());
    if (second["flags"] != result["flags"] || second["sheets"] != result["sheets"])
        fail("the output fed back in gives other sheets", again.str());
    return 0;
}
