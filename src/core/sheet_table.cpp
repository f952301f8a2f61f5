#include "core/sheet_table.h"

#include <array>
#include <vector>

#include "core/chain_state.h"
#include "core/items.h"
#include "core/numtext.h"

namespace lc {
namespace {

using Row = std::array<std::string, 6>;

// "3  模        数m" → "模数m": the number has its own column, and the
// blanks only spread the caption over the form's label.
std::string plainCaption(const TableRow& row) {
    std::string caption = row.caption;
    if (!row.number.empty() && caption.rfind(row.number, 0) == 0) caption.erase(0, row.number.size());
    std::erase(caption, ' ');
    return caption;
}

std::vector<Row> rowsOf(const Sheet& sheet) {
    std::vector<Row> rows{{"项目", "名称", "类别", "小轮/数值", "大轮", "单位"}};
    for (const TableRow& r : tableOf(sheet)) {
        // The change-gear window's list lines carry no caption; they follow
        // under their own header.
        if (r.caption.empty()) continue;
        rows.push_back(
            {r.number, plainCaption(r), r.input ? "输入" : "计算", r.first, r.second, std::string(unitText(r.unit))});
    }
    if (sheet.id() == SheetId::Gears && !sheet.list.empty()) {
        rows.push_back({"挂轮组合"});
        for (const std::string& line : sheet.list) rows.push_back({line});
    }
    return rows;
}

// A text a spreadsheet would take for a formula (=, +, -, @; a tab or CR
// before one): any cell so beginning that is not a number by the program's
// own grammar, as -0.5 and -2 are.
bool formulaLike(const std::string& cell) {
    if (cell.empty()) return false;
    const char c = cell.front();
    if (c == '\t' || c == '\r') return true;
    return (c == '=' || c == '+' || c == '-' || c == '@') && readDouble(cell).status == ReadStatus::NotANumber;
}

void appendCell(std::string& out, const std::string& text, const char* special, bool quoteLeadingQuote) {
    // Cells are data: a formula-like text is written after an apostrophe, so
    // that the spreadsheet shows it as text.
    const std::string cell = formulaLike(text) ? "'" + text : text;
    const bool quote = cell.find_first_of(special) != std::string::npos ||
                       (quoteLeadingQuote && !cell.empty() && cell.front() == '"');
    if (!quote) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string joined(const std::vector<Row>& rows, char separator, const char* lineEnd, const char* special,
                   bool quoteLeadingQuote) {
    std::string out;
    for (const Row& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) out += separator;
            appendCell(out, row[c], special, quoteLeadingQuote);
        }
        out += lineEnd;
    }
    return out;
}

// The chain's notices of the sheet, one a line; none when it is current.
std::vector<std::string> notices(const Workbook& wb, SheetId id) { return noticeLines(*chainState(wb).of(id)); }

// The job's properties (all of them once one is filled in, so that each keeps
// its row), then the sheet.
std::vector<Row> workbookRows(const Workbook& wb, SheetId id) {
    std::vector<Row> rows;
    if (!wb.properties.empty())
        for (Property p : kAllProperties) rows.push_back(Row{propertyLabel(p), wb.properties[p]});
    for (Row& row : rowsOf(*wb.find(id))) rows.push_back(std::move(row));
    return rows;
}

}  // namespace

std::string tabSeparated(const Sheet& sheet) { return joined(rowsOf(sheet), '\t', "\n", "\t\r\n", true); }

std::string tabSeparated(const Workbook& wb, SheetId id) {
    std::string out;
    for (const std::string& line : notices(wb, id)) {
        appendCell(out, line, "\t\r\n", true);
        out += "\n";
    }
    return out + joined(workbookRows(wb, id), '\t', "\n", "\t\r\n", true);
}

std::string commaSeparated(const Workbook& wb, SheetId id) {
    std::vector<Row> rows;
    for (const std::string& line : notices(wb, id)) rows.push_back(Row{line});
    const std::vector<Row> table = workbookRows(wb, id);
    rows.insert(rows.end(), table.begin(), table.end());
    return "\xEF\xBB\xBF" + joined(rows, ',', "\r\n", ",\"\r\n", false);
}

}  // namespace lc
