#include "core/actions.h"

#include "core/change_gears.h"
#include "core/menu.h"
#include "core/sheet_a2.h"
#include "core/sheet_b1.h"
#include "core/sheet_c.h"

namespace lc {
namespace {

template <SheetId id>
Outcome closeWindow(Workbook& wb) {
    wb.close(id);
    return Outcome::done();
}

constexpr SheetId A2 = SheetId::A2;
constexpr SheetId B1 = SheetId::B1;
constexpr SheetId C = SheetId::C;
constexpr SheetId G = SheetId::Gears;
constexpr ActionReach Menu = ActionReach::Menu;
constexpr ActionReach Control = ActionReach::Control;
constexpr ActionReach Close = ActionReach::Close;

const ActionDef kActions[] = {
    {"A1", Menu, A2, menuA1},
    {"B1", Menu, B1, menuB1},
    {"C", Menu, C, menuC},
    {"Gljs", Menu, G, menuGljs},
    {"A2.Command1", Control, A2, a2Command1},
    {"A2.Command2", Control, A2, a2Command2},
    {"A2.Command3", Control, A2, a2Command3},
    {"A2.Label1", Control, A2, a2Label1Click},
    {"A2.Option1", Control, A2, a2Option1Click},
    {"A2.Option2", Control, A2, a2Option2Click},
    {"A2.Text1.Enter", Control, A2, [](Workbook& wb) { return a2Enter(wb, "Text1"); }},
    {"A2.Text2.Enter", Control, A2, [](Workbook& wb) { return a2Enter(wb, "Text2"); }},
    {"A2.Text3.Enter", Control, A2, [](Workbook& wb) { return a2Enter(wb, "Text3"); }},
    {"A2.Text5.Enter", Control, A2, [](Workbook& wb) { return a2Enter(wb, "Text5"); }},
    {"A2.Text12.Enter", Control, A2, [](Workbook& wb) { return a2Enter(wb, "Text12"); }},
    {"A2.Text17.Enter", Control, A2, [](Workbook& wb) { return a2Enter(wb, "Text17"); }},
    {"B1.Command1", Control, B1, b1Command1},
    {"B1.Command3", Control, B1, b1Command3},
    {"C.Command1", Control, C, cCommand1},
    {"C.Command3", Control, C, cCommand3},
    {"gears.Command1", Control, G, [](Workbook& wb) { return gearsCommand1(wb); }},
    {"gears.Command2", Control, G, gearsCommand2},
    {"A2.close", Close, A2, closeWindow<A2>},
    {"B1.close", Close, B1, closeWindow<B1>},
    {"C.close", Close, C, closeWindow<C>},
    {"gears.close", Close, G, closeWindow<G>},
};

}  // namespace

std::span<const ActionDef> allActions() { return kActions; }

const ActionDef* findAction(std::string_view name) {
    for (const ActionDef& a : kActions)
        if (a.name == name) return &a;
    return nullptr;
}

}  // namespace lc
