// The chain's state, sheet by sheet, after the roads a user takes: every
// reason with the items it names.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/chain_state.h"
#include "core/jobfile.h"
#include "../report/worked_job.h"

using namespace lc;

namespace {

// "copies A2[Text2 Text3]; reads B1": the reasons in order; "never",
// "results[...]", "stops[...]", "copies X[...]", "reads X".
std::string summary(const SheetState& s) {
    std::string out;
    for (const Reason& r : s.reasons) {
        static const char* const kinds[] = {"never", "results", "stops", "copies ", "reads "};
        out += (out.empty() ? "" : "; ") + std::string(kinds[static_cast<int>(r.kind)]);
        if (r.kind == Mistrust::CopiesDiffer || r.kind == Mistrust::SourceNotCurrent) out += sheetKey(r.source);
        if (r.kind == Mistrust::NeverCalculated || r.kind == Mistrust::SourceNotCurrent) continue;
        std::string items;
        for (const MistrustedItem& i : r.items) items += (items.empty() ? "" : " ") + i.field;
        out += "[" + items + "]";
    }
    return out.empty() ? "current" : out;
}

// The road of a changed module: A2 recalculated with m 2.5, its next button,
// B1 recalculated, its next button; C left as it was.
std::vector<std::string> changedModule() {
    std::vector<std::string> a = example::workedActions();
    for (const char* s : {"A2.Text3=2.5", "A2.Command1", "A2.Command2", "B1.Command1", "B1.Command3"}) a.push_back(s);
    return a;
}

struct Row {
    const char* road;
    std::vector<std::string> actions;
    void (*then)(Workbook&);
    // A2, B1, C, gears; "results[*]" takes any items.
    const char* expected[4];
};

}  // namespace

TEST(ChainState, EachSheetNamesEveryReasonWithItsItems) {
    const std::vector<std::string> worked = example::workedActions();
    std::vector<std::string> edited = worked;
    edited.push_back("A2.Text12=0.5");
    const Row rows[] = {
        {"worked example", worked, nullptr, {"current", "current", "current", "current"}},
        // m, L, b and h differ from A2 (Z1, Z2, Zc and β do not), both △X
        // from B1's item 53, which B1 recalculated; B1's items 2 and 3 (its
        // item 1 rows hold A2's 18 and 17, unchanged by the module).
        {"module changed",
         changedModule(),
         nullptr,
         {"current", "copies A2[Text2 Text3]",
          "results[*]; copies A2[Text45 Text47 Text48 Text50]; copies B1[Text56 Text57]; reads B1", "current"}},
        {"重新取值 then 开  始",
         changedModule(),
         [](Workbook& wb) {
             reimport(wb, SheetId::B1);
             reimport(wb, SheetId::C);
             findAction("C.Command1")->run(wb);
         },
         {"current", "current", "current", "current"}},
        {"A2 input edited", edited, nullptr, {"results[*]", "reads A2", "reads A2; reads B1", "current"}},
        // Sheet A2 presets β to 35, which C's empty β does not match.
        {"never calculated",
         {"A1", "B1", "C", "Gljs"},
         nullptr,
         {"never", "never; reads A2", "never; copies A2[Text46]; reads A2; reads B1", "never"}},
        {"job file with a changed result and list line",
         worked,
         [](Workbook& wb) {
             Json doc = documentJson(wb);
             doc["sheets"]["C"]["Text36"] = "6.4";
             doc["sheets"]["gears"]["List1"][0] = "20 30 40 50";
             wb = readDocument(writeDocument(doc)).workbook;
         },
         {"current", "current", "results[Text36]", "results[List1]"}},
        {"A2 restarted",
         worked,
         [](Workbook& wb) { findAction("A2.Command3")->run(wb); },
         {"never", "stops[*]; copies A2[Text1(0) Text1(1) Text2 Text3]; reads A2",
          "stops[*]; copies A2[Text42 Text43 Text44 Text45 Text46 Text47 Text48 Text50]; reads A2; reads B1",
          "current"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.road);
        Workbook wb;
        example::perform(wb, row.actions);
        if (row.then) row.then(wb);
        const ChainState chain = chainState(wb);
        bool all = true;
        for (SheetId id : kAllSheets) {
            const std::string want = row.expected[static_cast<int>(id)];
            std::string got = summary(*chain.of(id));
            if (want.find("[*]") != std::string::npos) got = std::regex_replace(got, std::regex(R"((results|stops)\[[^\]]+\])"), "$1[*]");
            EXPECT_EQ(got, want) << sheetKey(id);
            all = all && want == "current";
        }
        EXPECT_EQ(chain.allCurrent(), all);
    }
}

// 重新取值 is offered only while it would change a copy, and copies exactly
// what the creation copies, results untouched.
TEST(ChainState, ReimportRunsTheCreationImportOnly) {
    Workbook wb;
    example::perform(wb, changedModule());
    const std::string item1 = wb.sheet(SheetId::C).text("Text1");
    ASSERT_TRUE(canReimport(wb, SheetId::C));
    reimport(wb, SheetId::C);
    EXPECT_EQ(wb.sheet(SheetId::C).text("Text56"), wb.sheet(SheetId::B1).text("Text15"));
    EXPECT_EQ(wb.sheet(SheetId::C).text("Text1"), item1);
    EXPECT_FALSE(canReimport(wb, SheetId::C));
    // Restarted, A2 lets nothing be copied: nothing to offer.
    findAction("A2.Command3")->run(wb);
    EXPECT_FALSE(canReimport(wb, SheetId::B1));
}
