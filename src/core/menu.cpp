#include "core/menu.h"

namespace lc {

Outcome menuA1(Workbook& wb) {
    wb.show(SheetId::A2);
    return Outcome::done();
}

Outcome menuB1(Workbook& wb) {
    wb.show(SheetId::B1);
    if (wb.flags.a2Done == kTrue) importA2IntoB1(wb);
    return Outcome::done();
}

Outcome menuC(Workbook& wb) {
    wb.show(SheetId::C);
    return Outcome::done();
}

Outcome menuGljs(Workbook& wb) {
    wb.show(SheetId::Gears);
    return Outcome::done();
}

}  // namespace lc
