// The one reader of JSON documents (the batch tool's workbooks, job files): the
// whole input as one document, refused with a short message naming the place
// when it is nested too deep, repeats a key, goes on after its end, holds a
// number no double can hold or more values than a workbook, each refused as it
// is read. Nothing of a refused document is copied or destroyed deeper than
// the limit, so no input can exhaust the stack.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

// Texts kept end to end in one buffer: a few bytes each beyond their own,
// where a tree of values takes some fifty. A document may hold millions.
class TextList {
public:
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(bytes_).substr(begin, ends_[i] - begin);
    }
    void push_back(std::string_view text) {
        bytes_.append(text);
        ends_.push_back(bytes_.size());
    }

private:
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

// The array under one key of the document, read as it is parsed into a
// TextList instead of the tree. In the tree that key holds an array of at
// most one element: the array's first element that is not a text.
struct TextArray {
    explicit TextArray(std::string key) : key(std::move(key)) {}
    std::string key;
    TextList texts;
    std::optional<std::size_t> otherAt;  // the index of that element
};

// Values kept in the tree at most: a workbook holds some hundreds, and ten
// thousand list lines. A refused document costs no more than a few times its
// own size, however its values nest.
inline constexpr std::size_t kMaxJsonValues = 100000;

// Judges each key of the document's top level as it is read, given the values
// of the keys before it: true keeps its value; false reads it through without
// keeping it (the key stays, its value null), still refusing depth, repeated
// keys and numbers as anywhere else. It may throw to refuse the document there.
using TopLevelKeys = std::function<bool(const Json& readSoFar, const std::string& key)>;

// The whole of `bytes` as one JSON document: depth beyond 64, duplicate keys,
// bytes after the document (NUL included; whitespace is fine), numbers beyond
// the double range and more than kMaxJsonValues values kept are errors, each
// as it is read. With `compact`, the array under its key at the document's top
// level is read into it; with `topLevel`, the top-level keys are judged by it.
Json parseJsonDocument(std::string_view bytes, TextArray* compact = nullptr, const TopLevelKeys& topLevel = {});

// A key as a place in a message shows it: as it is, control and invisible
// characters escaped (see visibleText); a long one quoted by its first 40
// characters, "…" and its length.
std::string keyInMessage(std::string_view key);

// A text quoted for a message, quote marks included: "41" whole when short,
// else its first 40 characters, "…" and the length: "1111…" (99999 characters).
std::string shortQuote(std::string_view text);

}  // namespace lc
