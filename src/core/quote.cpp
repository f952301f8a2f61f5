#include "core/quote.h"

namespace lc {
namespace {

// The length of the UTF-8 sequence starting at s[i], or 0 for a byte that
// does not start a well-formed one.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    if (b(i + 1) < lo || b(i + 1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (b(i + k) < 0x80 || b(i + k) > 0xBF) return 0;
    return n;
}

// \x or \u and the value in `digits` hexadecimal digits.
void appendEscape(std::string& out, char kind, char32_t value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    out += '\\';
    out += kind;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out.push_back(hex[(value >> shift) & 15]);
}

void appendByte(std::string& out, unsigned char c) { appendEscape(out, 'x', c, 2); }

// Characters that show nothing or change how the text around them is
// ordered or broken: zero-width characters, direction marks, embeddings,
// overrides and isolates, the line and paragraph separators, the byte order
// mark.
bool invisible(char32_t c) {
    return c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2064) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

// The code point of the well-formed sequence of 2 or 3 bytes at text[i].
char32_t codePoint(std::string_view text, std::size_t i, std::size_t n) {
    char32_t c = static_cast<unsigned char>(text[i]) & (n == 2 ? 0x1F : 0x0F);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return c;
}

// Appends the character at text[i] (of `n` bytes, 0 for a stray byte) as
// visibleText shows it.
void appendVisible(std::string& out, std::string_view text, std::size_t i, std::size_t n, bool keepTabs) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool control = n == 1 && ((c < 0x20 && !(c == '\t' && keepTabs)) || c == 0x7F);
    // U+0080 to U+009F: terminals take some of them (CSI) for escapes too.
    const bool c1 = n == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    if ((n == 2 || n == 3) && invisible(codePoint(text, i, n))) {
        appendEscape(out, 'u', codePoint(text, i, n), 4);
    } else if (n == 0 || control) {
        appendByte(out, c);
    } else if (c1) {
        appendByte(out, c);
        appendByte(out, static_cast<unsigned char>(text[i + 1]));
    } else {
        out.append(text.substr(i, n));
    }
}

}  // namespace

QuotedText quoteText(std::string_view text) {
    QuotedText q;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceLength(text, i);
        if (q.characters < kQuotedCharacters) appendVisible(q.head, text, i, n, true);
        ++q.characters;
        i += n == 0 ? 1 : n;
    }
    q.cut = q.characters > kQuotedCharacters;
    return q;
}

std::string visibleText(std::string_view text, bool keepTabs) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceLength(text, i);
        appendVisible(out, text, i, n, keepTabs);
        i += n == 0 ? 1 : n;
    }
    return out;
}

std::string quoteInMessage(std::string_view text) {
    const QuotedText q = quoteText(text);
    if (!q.cut) return "“" + q.head + "”";
    return "“" + q.head + "…”（共" + std::to_string(q.characters) + "个字符）";
}

}  // namespace lc
