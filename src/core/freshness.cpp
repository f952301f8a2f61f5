#include "core/freshness.h"

#include "core/change_gears.h"
#include "core/sheet_a2.h"
#include "core/sheet_b1.h"
#include "core/sheet_c.h"

namespace lc {

bool resultsCurrent(const Workbook& wb, SheetId id) {
    const Sheet* before = wb.find(id);
    if (!before) return false;
    Workbook trial(wb);
    Outcome out;
    switch (id) {
        case SheetId::A2: out = a2Command1(trial); break;
        case SheetId::B1: out = b1Command1(trial); break;
        case SheetId::C: out = cCommand1(trial); break;
        case SheetId::Gears: out = gearsCommand1(trial); break;
    }
    const Sheet* after = trial.find(id);
    return out.kind == Outcome::Kind::Done && after && after->texts() == before->texts() &&
           after->list == before->list && after->caption == before->caption;
}

std::string staleWarning(const Workbook& wb, SheetId id) {
    if (!wb.exists(id) || resultsCurrent(wb, id)) return {};
    return std::string(sheetTitle(id)) + "：注意：输入已改动，结果未按当前输入重新计算";
}

}  // namespace lc
