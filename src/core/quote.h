// Texts quoted in messages: a long text is cut to its first characters, so that
// a message stays one short line however long the text the user typed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lc {

// Characters of a text kept in a message.
inline constexpr std::size_t kQuotedCharacters = 40;

struct QuotedText {
    std::string head;           // the text, or its first characters when cut; line breaks and other
                                // control characters, and bytes that are not UTF-8, as \xNN;
                                // invisible characters (see visibleText) as \uXXXX
    std::size_t characters = 0; // the length of the whole text in characters (UTF-8 sequences)
    bool cut = false;           // head holds only the first kQuotedCharacters characters
};

QuotedText quoteText(std::string_view text);

// The whole text as it may reach a terminal or a one-line message: control
// characters (C0, DEL and C1; tabs too unless `keepTabs`) and bytes that are
// not UTF-8 as \xNN; characters that show nothing or reorder the line (zero
// width spaces and joiners, direction marks, bidi embeddings, overrides and
// isolates U+202A–U+202E and U+2066–U+2069, U+2028, U+2029, U+FEFF) as
// \u200B, \u202E, …; every other character as it is.
std::string visibleText(std::string_view text, bool keepTabs = true);

// The program's own quoting in its Chinese messages: “41”, or for a long text
// “1111…”（共99999个字符）.
std::string quoteInMessage(std::string_view text);

}  // namespace lc
