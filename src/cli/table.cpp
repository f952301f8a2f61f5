#include "cli/table.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "core/items.h"

namespace lc::cli {
namespace {

// Code point ranges a terminal draws two columns wide (East Asian Wide and
// Fullwidth), and the combining marks it draws over the previous character.
struct Range { char32_t first, last; };
constexpr Range kWide[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
};
constexpr Range kCombining[] = {{0x0300, 0x036F}, {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}};

bool inRanges(char32_t c, const auto& ranges) {
    return std::any_of(std::begin(ranges), std::end(ranges), [c](const Range& r) { return c >= r.first && c <= r.last; });
}

std::string withoutNumber(std::string caption, const std::string& number) {
    if (!number.empty() && caption.rfind(number, 0) == 0) caption.erase(0, number.size());
    const auto start = caption.find_first_not_of(' ');
    caption.erase(0, start == std::string::npos ? caption.size() : start);
    return caption;
}

// Columns a terminal gives the UTF-8 text: two for each wide East Asian
// character (汉字, fullwidth forms), none for combining marks, one otherwise.
int displayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += static_cast<std::size_t>(length);
        width += inRanges(c, kWide) ? 2 : inRanges(c, kCombining) ? 0 : 1;
    }
    return width;
}

}  // namespace

std::string sheetTable(const Sheet& sheet) {
    // A single item's text stands in the pinion's column.
    using Line = std::array<std::string, 6>;
    std::vector<Line> lines{{"项", "名称", "数值（小轮）", "大轮", "单位", "类别"}};
    for (const TableRow& row : tableOf(sheet))
        lines.push_back({row.number, withoutNumber(row.caption, row.number), row.first, row.second,
                         std::string(unitText(row.unit)), row.input ? "输入" : "计算"});
    std::array<int, 6> widths{};
    for (const Line& line : lines)
        for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], displayWidth(line[c]));

    std::string out = std::string(sheetTitle(sheet.id())) + "\n";
    for (const Line& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            // The item number stands right-aligned, every other column left-aligned.
            const std::string pad(static_cast<std::size_t>(widths[c] - displayWidth(line[c])), ' ');
            text += c == 0 ? pad + line[c] : line[c] + pad;
            if (c + 1 < line.size()) text += "  ";
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out += text + "\n";
    }
    return out;
}

}  // namespace lc::cli
