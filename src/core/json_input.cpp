// The document is built through the parser's event interface rather than its
// own tree builder: the reader counts the depth as containers open and refuses
// the 65th level before it exists, checks every object's keys as it closes,
// and words every refusal itself, naming the place.
#include "core/json_input.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <vector>

#include "core/quote.h"

namespace lc {
namespace {

// A part of a message as one short line: control characters (a key may hold
// an escaped line break) as \xNN, and cut to a bounded length at a character
// boundary.
std::string bounded(const std::string& s) {
    constexpr std::size_t kMax = 300;
    std::string out;
    for (const char c : s) {
        if (out.size() >= kMax && (static_cast<unsigned char>(c) & 0xC0) != 0x80) return out + "…";
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out.push_back(hex[u >> 4]);
            out.push_back(hex[u & 15]);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string lineColumn(std::string_view bytes, std::size_t offset) {
    const std::string_view before = bytes.substr(0, offset);
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const auto lastBreak = before.rfind('\n');
    const std::size_t column = lastBreak == std::string_view::npos ? offset + 1 : offset - lastBreak;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

bool plainKey(std::string_view key) {
    if (key.empty() || key.size() > kQuotedCharacters) return false;
    return std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '(' ||
               c == ')';
    });
}

using Members = Json::object_t::Container;

// The parser keeps every blank of a run between two values until the next
// value begins: the input reaches it with each such run cut to kBlankRun
// blanks, the rest counted in `skipped` so that places are still named in the
// whole input.
constexpr std::size_t kBlankRun = 4096;

struct Scan {
    const char* end;
    bool inText = false, escaped = false;
    std::size_t run = 0;      // blanks just read outside a text
    std::size_t skipped = 0;  // blanks passed over so far
};

bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

class ScanIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    ScanIterator(const char* at, Scan* scan) : at_(at), scan_(scan) {}
    const char& operator*() const { return *at_; }
    bool operator==(const ScanIterator& o) const { return at_ == o.at_; }
    bool operator!=(const ScanIterator& o) const { return at_ != o.at_; }
    ScanIterator operator++(int) {
        ScanIterator before = *this;
        ++*this;
        return before;
    }
    ScanIterator& operator++() {
        Scan& s = *scan_;
        const char c = *at_++;
        if (s.inText) {
            s.inText = s.escaped || c != '"';
            s.escaped = !s.escaped && c == '\\';
        } else if (blank(c)) {
            if (++s.run >= kBlankRun)
                for (; at_ != s.end && blank(*at_); ++at_) ++s.skipped;
        } else {
            s.run = 0;
            s.inText = c == '"';
        }
        return *this;
    }

private:
    const char* at_;
    Scan* scan_;
};

Members& members(Json& object) { return object.get_ref<Json::object_t&>(); }

// One open container: in the tree, or read through without being kept (a
// top-level value the caller does not keep, and everything in it), of which
// only the count of elements and the keys are held, to name places and find
// a repeated key.
struct Level {
    Json* value = nullptr;  // null while read through
    bool array = false;
    std::size_t count = 0;          // elements read of an array read through
    std::vector<std::string> keys;  // keys read of an object read through
    std::size_t size() const { return value ? value->size() : array ? count : keys.size(); }
    const std::string& lastKey() const { return value ? members(*value).back().first : keys.back(); }
};

class Reader final : public nlohmann::json_sax<Json> {
public:
    Reader(std::string_view bytes, std::size_t nulAt, const Scan& scan, TextArray* compact, const TopLevelKeys& topLevel)
        : bytes_(bytes), nulAt_(nulAt), scan_(scan), compact_(compact), topLevel_(topLevel) {}

    Json root;

    bool null() override { return put(Json(nullptr)); }
    bool boolean(bool v) override { return put(Json(v)); }
    bool number_integer(number_integer_t v) override { return put(Json(v)); }
    bool number_unsigned(number_unsigned_t v) override { return put(Json(v)); }
    bool number_float(number_float_t v, const string_t&) override { return put(Json(v)); }
    bool string(string_t& v) override {
        if (inList()) {
            compact_->texts.push_back(v);
            ++listSeen_;
            return true;
        }
        return put(Json(std::move(v)));
    }
    bool binary(binary_t&) override { return false; }  // JSON text has no binary values

    bool start_object(std::size_t) override { return open(Json::value_t::object); }
    bool start_array(std::size_t) override {
        const bool list = compact_ && open_.size() == 1 && open_[0].value && open_[0].value->is_object() &&
                          open_[0].lastKey() == compact_->key;
        if (!open(Json::value_t::array)) return false;
        if (list) list_ = open_.back().value;
        return true;
    }
    bool key(string_t& k) override {
        Level& top = open_.back();
        if (!top.value) {
            top.keys.push_back(k);
            return true;
        }
        members(*top.value).emplace_back(k, Json());
        // The caller judges each top-level key as it comes.
        if (open_.size() == 1 && topLevel_) readThrough_ = !topLevel_(root, k);
        return true;
    }
    bool end_object() override {
        const Level& top = open_.back();
        checkKeys(top.size(), [&top](std::size_t i) -> const std::string& {
            return top.value ? members(*top.value)[i].first : top.keys[i];
        });
        open_.pop_back();
        return true;
    }
    bool end_array() override {
        if (open_.back().value && open_.back().value == list_) list_ = nullptr;
        open_.pop_back();
        return true;
    }

    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& e) override {
        std::string what = e.what();
        // The parser counts what it was given; blanks passed over are before
        // the place it names.
        position += scan_.skipped;
        if (const auto at = what.find("at line "); scan_.skipped > 0 && at != std::string::npos)
            what.replace(at + 3, what.find(':', at) - at - 3, lineColumn(bytes_, position - 1));
        if (e.id == 406)  // a number literal whose value no double holds
            throw DocumentError(path(open_.size(), true),
                                "the number " + shortQuote(lastToken) + " is beyond the range of a double");
        if (nulAt_ != std::string_view::npos && position >= nulAt_)
            throw DocumentError("document", "a NUL byte inside the document at " + lineColumn(bytes_, nulAt_));
        const auto at = what.find("at line ");
        const std::string place = at == std::string::npos ? std::string() : what.substr(at + 3, what.find(':', at) - at - 3);
        if (started_ && open_.empty())
            throw DocumentError("document", "more text after the end of the document at " + place);
        // The parser's own description, its last token cut short.
        std::string problem = what.substr(what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2);
        const std::string token = "last read: '" + lastToken + "'";
        if (const auto t = problem.find(token); t != std::string::npos)
            problem.replace(t, token.size(), "last read: " + shortQuote(lastToken));
        throw DocumentError("document", "malformed JSON: " + problem);
    }

private:
    // Places a value: the document itself, the next element of the open array,
    // or the value of the open object's last key. Null for a value read
    // through: only counted.
    Json* place(Json&& v) {
        const bool through = readThrough_ || (!open_.empty() && !open_.back().value);
        readThrough_ = false;
        if (through) {
            if (open_.back().array) ++open_.back().count;
            return nullptr;
        }
        if (++kept_ > kMaxJsonValues)
            throw DocumentError(path(open_.size(), true), "more than " + std::to_string(kMaxJsonValues) +
                                                              " values, far more than a workbook holds");
        if (inList()) {
            // Only the list's first element that is not a text is kept; the
            // later ones are read into a scratch value and dropped.
            const std::size_t at = listSeen_++;
            if (compact_->otherAt) {
                scratch_ = std::move(v);
                return &scratch_;
            }
            compact_->otherAt = at;
        }
        if (open_.empty()) {
            root = std::move(v);
            started_ = true;
            return &root;
        }
        Json& top = *open_.back().value;
        if (top.is_array()) {
            auto& elements = top.get_ref<Json::array_t&>();
            elements.push_back(std::move(v));
            return &elements.back();
        }
        Json& slot = members(top).back().second;
        slot = std::move(v);
        return &slot;
    }

    bool put(Json&& v) {
        place(std::move(v));
        return true;
    }

    bool open(Json::value_t kind) {
        if (open_.size() >= static_cast<std::size_t>(kMaxJsonDepth))
            throw DocumentError(path(open_.size(), true),
                                "nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        Json* value = place(Json(kind));
        open_.push_back(Level{value, kind == Json::value_t::array, 0, {}});
        return true;
    }

    // The place of the value the first `levels` open containers lead to:
    // "sheets.A2.Check1[0]". `pending`: the innermost value is still being read
    // (an array's next element rather than its last).
    std::string path(std::size_t levels, bool pending) const {
        constexpr std::size_t kShown = 6;
        std::string out;
        for (std::size_t i = 0; i < levels && i < kShown; ++i) {
            const Level& c = open_[i];
            if (c.array) {
                const std::size_t n = c.value && c.value == list_ ? listSeen_ : c.size();
                out += "[" + std::to_string(pending && i + 1 == levels ? n : n - 1) + "]";
            } else {
                appendKey(out, c.lastKey());
            }
        }
        if (levels > kShown) out += "…";
        return out.empty() ? "document" : out;
    }

    static void appendKey(std::string& out, const std::string& key) {
        if (!out.empty()) out += ".";
        out += plainKey(key) ? key : shortQuote(key);
    }

    // Keys are checked when their object closes: a short object pair by pair,
    // a long one through its keys in sorted order.
    template <class KeyAt>
    void checkKeys(std::size_t n, KeyAt keyAt) const {
        const std::string* twice = nullptr;
        if (n <= 8) {
            for (std::size_t i = 0; i < n && !twice; ++i)
                for (std::size_t j = i + 1; j < n && !twice; ++j)
                    if (keyAt(i) == keyAt(j)) twice = &keyAt(i);
        } else {
            std::vector<std::uint32_t> order(n);
            std::iota(order.begin(), order.end(), 0u);
            std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return keyAt(a) < keyAt(b); });
            for (std::size_t i = 1; i < order.size() && !twice; ++i)
                if (keyAt(order[i - 1]) == keyAt(order[i])) twice = &keyAt(order[i]);
        }
        if (!twice) return;
        std::string where = path(open_.size() - 1, false);
        if (where == "document") where.clear();
        appendKey(where, *twice);
        throw DocumentError(where, "the key appears more than once in its object");
    }

    std::string_view bytes_;
    std::size_t nulAt_;
    const Scan& scan_;
    bool inList() const { return list_ && open_.back().value == list_; }

    std::vector<Level> open_;
    bool started_ = false;
    TextArray* compact_;
    const TopLevelKeys& topLevel_;
    bool readThrough_ = false;  // the next value is the value of a top-level key not kept
    std::size_t kept_ = 0;      // values placed in the tree so far
    Json* list_ = nullptr;      // the open array read into compact_
    std::size_t listSeen_ = 0;
    Json scratch_;
};

}  // namespace

DocumentError::DocumentError(std::string where_, std::string problem_)
    : std::runtime_error(bounded(where_) + ": " + bounded(problem_)), where(bounded(where_)), problem(bounded(problem_)) {}

Json parseJsonDocument(std::string_view bytes, TextArray* compact, const TopLevelKeys& topLevel) {
    // The parser takes a NUL byte for the end of its input; the document is
    // read up to the first one, and the byte itself refused below.
    const std::size_t nul = bytes.find('\0');
    const std::string_view body = bytes.substr(0, nul);
    Scan scan{body.data() + body.size()};
    Reader reader(bytes, nul == std::string_view::npos ? nul : body.size(), scan, compact, topLevel);
    Json::sax_parse(ScanIterator(body.data(), &scan), ScanIterator(scan.end, &scan), &reader,
                    nlohmann::detail::input_format_t::json, true, false);
    if (nul != std::string_view::npos)
        throw DocumentError("document", "a NUL byte after the end of the document at " + lineColumn(bytes, nul));
    return std::move(reader.root);
}

std::string keyInMessage(std::string_view key) {
    const QuotedText q = quoteText(key);
    return q.cut ? shortQuote(key) : q.head;
}

std::string shortQuote(std::string_view text) {
    const QuotedText q = quoteText(text);
    std::string out = "\"" + q.head;
    if (!q.cut) return out + "\"";
    return out + "…\" (" + std::to_string(q.characters) + " characters)";
}

}  // namespace lc
