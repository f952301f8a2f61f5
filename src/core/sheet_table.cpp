#include "core/sheet_table.h"

#include "core/freshness.h"
#include "core/items.h"

namespace lc {
namespace {

void appendCell(std::string& out, const std::string& cell) {
    const bool quote = cell.find_first_of("\t\r\n") != std::string::npos || (!cell.empty() && cell.front() == '"');
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

}  // namespace

std::string tabSeparated(const Sheet& sheet) {
    std::string out;
    for (const TableRow& row : tableOf(sheet)) {
        appendCell(out, row.number);
        out += '\t';
        appendCell(out, row.caption);
        out += '\t';
        appendCell(out, row.first);
        out += '\t';
        appendCell(out, row.second);
        out += '\n';
    }
    return out;
}

std::string tabSeparated(const Workbook& wb, SheetId id) {
    const std::string warning = staleWarning(wb, id);
    return (warning.empty() ? std::string() : warning + "\n") + tabSeparated(*wb.find(id));
}

}  // namespace lc
