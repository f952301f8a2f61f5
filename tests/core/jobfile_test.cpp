// Job files: any workbook the program can reach is written, read back and
// written again to the same bytes, with every text, check box, caption,
// selection, list line, flag and hidden window back in its place.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/actions.h"
#include "core/jobfile.h"

using namespace lc;

namespace {

// Texts a user might type or paste, and texts that probe the writer: quote
// marks, backslashes, control characters, tabs, CJK, a character beyond the
// basic plane, a long text.
const std::vector<std::string>& texts() {
    static const std::vector<std::string> t{
        "",       " ",      "10",         "41",       "0.4",     "44.45",        "1E+308", "-0",
        "abc",    "三十五", "\"quoted\"", "back\\slash", "tab\there", "line\nbreak", "\x01\x1f", "𝛽 = 35°",
        "  25.4", "1,5",    std::string(3000, '7'),
    };
    return t;
}

// A workbook after a random walk through the program's actions, with typing,
// ticking and renamed hand buttons between them.
Workbook randomWorkbook(std::mt19937& rng) {
    auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    Workbook wb;
    const auto actions = allActions();
    for (int step = 0; step < 40; ++step) {
        const SheetId id = kAllSheets[below(kAllSheets.size())];
        Sheet* s = wb.find(id);
        switch (below(5)) {
            case 0:
                if (s) s->setText(s->fieldNames()[below(s->fieldNames().size())], texts()[below(texts().size())]);
                break;
            case 1:
                if (s && !s->checkNames().empty()) s->setCheck(s->checkNames()[below(s->checkNames().size())], below(2));
                break;
            case 2:
                if (s && id == SheetId::A2) s->option1Caption = texts()[below(texts().size())];
                break;
            default: {
                const ActionDef& a = actions[below(actions.size())];
                if (a.reach != ActionReach::Control || wb.exists(a.sheet)) a.run(wb);
            }
        }
    }
    wb.flags.pinionRightHand = below(2) ? kTrue : kFalse;
    if (below(2)) wb.properties[kAllProperties[below(kAllProperties.size())]] = texts()[below(texts().size())];
    return wb;
}

void expectSameSheets(const Workbook& a, const Workbook& b) {
    EXPECT_EQ(a.flags.a2Done, b.flags.a2Done);
    EXPECT_EQ(a.flags.b1Done, b.flags.b1Done);
    EXPECT_EQ(a.flags.pinionRightHand, b.flags.pinionRightHand);
    EXPECT_EQ(a.properties, b.properties);
    for (SheetId id : kAllSheets) {
        const Sheet* x = a.find(id);
        const Sheet* y = b.find(id);
        ASSERT_EQ(x != nullptr, y != nullptr) << sheetKey(id);
        if (!x) continue;
        for (const auto& f : x->fieldNames()) EXPECT_EQ(x->text(f), y->text(f)) << sheetKey(id) << "." << f;
        for (const auto& c : x->checkNames()) EXPECT_EQ(x->check(c), y->check(c)) << sheetKey(id) << "." << c;
        EXPECT_EQ(x->option1Caption, y->option1Caption);
        EXPECT_EQ(x->option2Caption, y->option2Caption);
        EXPECT_EQ(x->selectedOption, y->selectedOption);
        EXPECT_EQ(x->list, y->list);
        EXPECT_EQ(x->caption, y->caption);
        EXPECT_EQ(x->visible, y->visible) << sheetKey(id);
    }
}

}  // namespace

TEST(JobFile, EveryReachableWorkbookComesBackWhole) {
    std::mt19937 rng(20261207);
    int hidden = 0, sheets = 0;
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const Workbook wb = randomWorkbook(rng);
        const std::string saved = writeDocument(wb);
        ASSERT_EQ(saved.back(), '\n');
        const Document back = readDocument(saved);
        EXPECT_TRUE(back.actions.empty());
        ASSERT_NO_FATAL_FAILURE(expectSameSheets(wb, back.workbook));
        EXPECT_EQ(writeDocument(back.workbook), saved);
        for (SheetId id : kAllSheets)
            if (const Sheet* s = wb.find(id)) {
                ++sheets;
                hidden += !s->visible;
            }
    }
    // The walk reaches hidden windows and many sheets, or the test proves little.
    EXPECT_GT(hidden, 20);
    EXPECT_GT(sheets, 400);
}

// Opening reads only what it checked: a document refused late (its last sheet
// bad) gives no workbook at all, and the place named is that sheet's field.
TEST(JobFile, ARefusalNamesThePlaceInTheProgramsWords) {
    const std::string bad =
        R"({"format": "lingchuan-workbook", "version": 1, "sheets": {"A2": {"Text1": "10"}, "C": {"Text5": 5}}})";
    try {
        readDocument(bad);
        FAIL() << "accepted";
    } catch (const DocumentError& e) {
        EXPECT_EQ(e.where, "sheets.C.Text5");
        EXPECT_EQ(documentErrorMessage(e), "位置：计算单C 第5项（Text5）\n应为文本（带引号的字符串），却是数字。");
    }
    // A text is held to the limit, counted as a field counts its characters.
    const std::string longText = R"J({"sheets": {"A2": {"Text23(1)": ")J" + std::string(9, 'x') + "𝛽" + R"J("}}})J";
    EXPECT_NO_THROW(readDocument(longText, JobLimits{1000, 11, 1}));
    try {
        readDocument(longText, JobLimits{1000, 10, 1});
        FAIL() << "accepted";
    } catch (const DocumentError& e) {
        EXPECT_EQ(documentErrorMessage(e),
                  "位置：计算单A2 第23项大轮（Text23(1)）\n文字长达11个字符，超过计算文件中一栏文字的上限（10个字符）。");
    }
}

// Properties: a job without them is the version-1 file it always was; with
// them it is version 2, which a version-1 program refuses as newer; they are
// texts under a field's limits.
TEST(JobFile, PropertiesKeepVersionOneFilesAndAreTextsUnderTheLimits) {
    // A version-1 file as the program wrote it before properties existed.
    const std::string v1 = R"({
  "format": "lingchuan-workbook",
  "version": 1,
  "flags": {
    "a2Done": false,
    "b1Done": false,
    "pinionRightHand": false
  },
  "sheets": {
    "gears": {
      "Text1": "0.5",
      "Text2": "0.000001",
      "List1": [
        "24X24/24X48=0.5"
      ],
      "Caption": "计算结束，请挑选数据！",
      "visible": true
    }
  }
}
)";
    Workbook wb = readJobFile(v1).workbook;
    EXPECT_TRUE(wb.properties.empty());
    EXPECT_EQ(writeJobFile(wb), v1);

    const char* const filled[] = {"GP-01-1", "GP-01-2", "主减速器 \"A\" <b>&amp;</b>", "20CrMnTi", "张三", "李四",
                                  "2024-05-06", "渗碳淬火\n第二行\t𝛽"};
    for (Property p : kAllProperties) wb.properties[p] = filled[static_cast<int>(p)];
    const std::string v2 = writeJobFile(wb);
    EXPECT_NE(v2.find("\"version\": 2"), std::string::npos);
    const Workbook back = readJobFile(v2).workbook;
    EXPECT_EQ(back.properties, wb.properties);
    EXPECT_EQ(writeJobFile(back), v2);

    // What a version-1 program meets: a version beyond its own, named before
    // the key it does not know.
    const auto message = [](const std::string& doc) {
        try {
            readJobFile(doc);
        } catch (const DocumentError& e) {
            return documentErrorMessage(e);
        }
        return std::string("accepted");
    };
    std::string newer = v2;
    newer.replace(newer.find("\"version\": 2"), 12, "\"version\": 3");
    EXPECT_EQ(message(newer), "位置：version\n文件由较新的程序写成（版本3，本程序只能读到版本2），请用较新的程序打开。");

    const struct {
        const char* properties;
        const char* expected;
    } refused[] = {
        {R"({"name": 5})", "位置：属性 名称\n应为文本（带引号的字符串），却是数字。"},
        {R"({"drawing": "x"})", "位置：properties.drawing\n没有这项属性"},
        {R"([])", "位置：properties\n应为对象"},
    };
    for (const auto& r : refused)
        EXPECT_EQ(message(std::string(R"({"properties": )") + r.properties + "}").rfind(r.expected, 0), 0u)
            << r.properties;

    // A property longer than a field may be is neither opened nor saved.
    wb.properties[Property::Remarks] = std::string(kJobFileLimits.textLength + 1, 'x');
    const std::string tooLong = "位置：属性 备注\n文字长达10001个字符";
    EXPECT_EQ(message(R"({"properties": {"remarks": ")" + wb.properties[Property::Remarks] + "\"}}").rfind(tooLong, 0), 0u);
    try {
        writeJobFile(wb);
        ADD_FAILURE() << "saved";
    } catch (const DocumentError& e) {
        EXPECT_EQ(documentErrorMessage(e).rfind(tooLong, 0), 0u);
    }
}
