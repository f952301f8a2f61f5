// The one reader of JSON documents (the batch tool's workbooks, job files): the
// whole input as one document, refused with a short message naming the place
// when it is nested too deep, repeats a key, goes on after its end or holds a
// number no double can hold. Nothing of a refused document is copied or
// destroyed deeper than the limit, so no input can exhaust the stack.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace lc {

using Json = nlohmann::ordered_json;

// Containers nested deeper than this are refused.
inline constexpr int kMaxJsonDepth = 64;

// Bad input: `where` names the place ("sheets.A2.Text99"), `problem` what is
// wrong, with at most a short, clearly cut quote of the offending value.
// what() is "where: problem"; either part is cut to a few hundred characters
// should a caller pass a longer one.
struct DocumentError : std::runtime_error {
    DocumentError(std::string where, std::string problem);
    std::string where, problem;
};

// The whole of `bytes` as one JSON document: depth beyond 64, duplicate keys,
// bytes after the document (NUL included; whitespace is fine) and numbers
// beyond the double range are errors.
Json parseJsonDocument(std::string_view bytes);

// A text quoted for a message, quote marks included: "41" whole when short,
// else its first 40 characters, "…" and the length: "1111…" (99999 characters).
std::string shortQuote(std::string_view text);

}  // namespace lc
