// The change-gear search on its own: a fresh window with the target and
// tolerance typed in, and its start button.
#include "cli/batch.h"
#include "core/change_gears.h"

namespace lc::cli {

GearsRun runGears(const std::string& target, const std::string& tolerance) {
    Workbook wb;
    Sheet& window = wb.sheet(SheetId::Gears);
    window.setText("Text1", target);
    window.setText("Text2", tolerance);
    GearsRun run;
    run.outcome = gearsCommand1(wb);
    const Sheet& after = wb.sheet(SheetId::Gears);
    run.list = after.list;
    run.caption = after.caption;
    return run;
}

}  // namespace lc::cli
