#include "cli/table.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "core/items.h"
#include "core/quote.h"

namespace lc::cli {
namespace {

// Code point ranges of the Unicode East Asian Width classes W and F, and of
// the characters a terminal draws over the previous one or not at all
// (combining marks, joiners, direction marks, variation selectors).
struct Range { char32_t first, last; };
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x23E9, 0x23EC},   {0x2614, 0x2615},   {0x2648, 0x2653},
    {0x26A1, 0x26A1},   {0x26BD, 0x26BE},   {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},
    {0x274C, 0x274C},   {0x2753, 0x2757},   {0x2795, 0x2797},   {0x2B1B, 0x2B1C},   {0x2B50, 0x2B55},
    {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},
    {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x18CFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004},
    {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F251}, {0x1F300, 0x1F64F},
    {0x1F680, 0x1F6FF}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F9FF}, {0x1FA70, 0x1FAFF}, {0x20000, 0x3FFFD},
};
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F},
    {0x0900, 0x0903}, {0x093A, 0x094F}, {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E},
    {0x1160, 0x11FF}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F}, {0x202A, 0x202E},
    {0x2060, 0x2064}, {0x20D0, 0x20FF}, {0x302A, 0x302F}, {0x3099, 0x309A}, {0xFE00, 0xFE0F},
    {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0x1F3FB, 0x1F3FF}, {0xE0000, 0xE0FFF},
};

bool inRanges(char32_t c, const auto& ranges) {
    return std::any_of(std::begin(ranges), std::end(ranges), [c](const Range& r) { return c >= r.first && c <= r.last; });
}

std::string withoutNumber(std::string caption, const std::string& number) {
    if (!number.empty() && caption.rfind(number, 0) == 0) caption.erase(0, number.size());
    const auto start = caption.find_first_not_of(' ');
    caption.erase(0, start == std::string::npos ? caption.size() : start);
    return caption;
}

}  // namespace

int displayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += static_cast<std::size_t>(length);
        width += inRanges(c, kZeroWidth) ? 0 : inRanges(c, kWide) ? 2 : 1;
    }
    return width;
}

void writeSheetTable(const Sheet& sheet, std::ostream& out) {
    // A single item's text stands in the pinion's column; tabs would break
    // the alignment and are shown as \x09 like the other control characters.
    using Line = std::array<std::string, 6>;
    const auto shown = [](std::string_view text) { return visibleText(text, false); };
    std::vector<Line> lines{{"项", "名称", "数值（小轮）", "大轮", "单位", "类别"}};
    for (const TableRow& row : tableOf(sheet))
        lines.push_back({shown(row.number), shown(withoutNumber(row.caption, row.number)), shown(row.first),
                         shown(row.second), std::string(unitText(row.unit)), row.input ? "输入" : "计算"});
    std::array<int, 6> widths{};
    for (const Line& line : lines)
        for (std::size_t c = 0; c < line.size(); ++c)
            widths[c] = std::min(kWidestColumn, std::max(widths[c], displayWidth(line[c])));

    out << sheetTitle(sheet.id()) << "\n";
    for (const Line& line : lines) {
        // The item number stands right-aligned, every other column left-aligned.
        std::size_t blanks = 0;  // owed to the line, written only before a further cell
        for (std::size_t c = 0; c < line.size(); ++c) {
            const std::size_t pad = static_cast<std::size_t>(std::max(0, widths[c] - displayWidth(line[c])));
            if (c == 0) {
                out << std::string(pad, ' ') << line[c];
            } else if (!line[c].empty()) {
                out << std::string(blanks, ' ') << line[c];
                blanks = 0;
            }
            blanks += (c == 0 ? 0 : pad) + 2;
        }
        out << "\n";
    }
}

}  // namespace lc::cli
