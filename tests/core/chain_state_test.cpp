// The chain's state, sheet by sheet, after the roads a user takes: every
// reason with the items it names.
#include <gtest/gtest.h>

#include <regex>

#include "core/chain_state.h"
#include "core/jobfile.h"
#include "../report/worked_job.h"

using namespace lc;

namespace {

// "copies A2[Text2 Text3]; reads B1": the reasons in order; "never",
// "results[...]", "stops[...]", "copies X[...]", "reads X".
std::string summary(const SheetState& s) {
    static const char* const kinds[] = {"never", "results", "stops", "copies ", "reads "};
    std::string out;
    for (const Reason& r : s.reasons) {
        out += (out.empty() ? "" : "; ") + std::string(kinds[static_cast<int>(r.kind)]);
        if (r.kind == Mistrust::CopiesDiffer || r.kind == Mistrust::SourceNotCurrent) out += sheetKey(r.source);
        for (std::size_t i = 0; i < r.items.size(); ++i)
            out += (i ? " " : "[") + r.items[i].field + (i + 1 == r.items.size() ? "]" : "");
    }
    return out.empty() ? "current" : out;
}

// The road of a changed module after the worked example: A2 recalculated
// with m 2.5, its next button, B1 recalculated, its next button; C left.
const std::vector<std::string> kChangedModule{"A2.Text3=2.5", "A2.Command1", "A2.Command2", "B1.Command1",
                                              "B1.Command3"};

// The worked example's actions, or none ("fresh"), then the row's; "B1.reimport"
// is 重新取值, "tamper" changes a result and a list line in the job file.
Workbook road(bool fresh, std::vector<std::string> actions) {
    Workbook wb;
    if (!fresh) example::perform(wb, example::workedActions());
    for (const std::string& a : actions) {
        if (a.ends_with(".reimport")) {
            reimport(wb, *sheetFromKey(a.substr(0, a.find('.'))));
        } else if (a == "tamper") {
            Json doc = documentJson(wb);
            doc["sheets"]["C"]["Text36"] = "6.4";
            doc["sheets"]["gears"]["List1"][0] = "20 30 40 50";
            wb = readDocument(writeDocument(doc)).workbook;
        } else {
            example::perform(wb, {a});
        }
    }
    return wb;
}

struct Row {
    bool fresh;
    std::vector<std::string> actions;
    const char* expected[4];  // A2, B1, C, gears; "results[*]" takes any items
};

}  // namespace

TEST(ChainState, EachSheetNamesEveryReasonWithItsItems) {
    std::vector<std::string> reimported = kChangedModule;
    reimported.insert(reimported.end(), {"B1.reimport", "C.reimport", "C.Command1"});
    const Row rows[] = {
        {false, {}, {"current", "current", "current", "current"}},
        // m, L, b and h differ from A2 (Z1, Z2, Zc and β do not), both △X
        // from B1's item 53, which B1 recalculated; B1's items 2 and 3 (its
        // item 1 rows hold A2's 18 and 17, unchanged by the module).
        {false, kChangedModule,
         {"current", "copies A2[Text2 Text3]",
          "results[*]; copies A2[Text45 Text47 Text48 Text50]; copies B1[Text56 Text57]; reads B1", "current"}},
        {false, reimported, {"current", "current", "current", "current"}},
        {false, {"A2.Text12=0.5"}, {"results[*]", "reads A2", "reads A2; reads B1", "current"}},
        // Sheet A2 presets β to 35, which C's empty β does not match.
        {true, {"A1", "B1", "C", "Gljs"},
         {"never", "never; reads A2", "never; copies A2[Text46]; reads A2; reads B1", "never"}},
        {false, {"tamper"}, {"current", "current", "results[Text36]", "results[List1]"}},
        {false, {"A2.Command3"},
         {"never", "stops[*]; copies A2[Text1(0) Text1(1) Text2 Text3]; reads A2",
          "stops[*]; copies A2[Text42 Text43 Text44 Text45 Text46 Text47 Text48 Text50]; reads A2; reads B1",
          "current"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.actions));
        const ChainState chain = chainState(road(row.fresh, row.actions));
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
