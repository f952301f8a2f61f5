// The printed calculation sheet as a user gets it: the batch tool's result
// piped into lingchuan-report, the PDF read back with pdftotext.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "worked_job.h"

namespace {

using Json = nlohmann::ordered_json;

struct ToolRun {
    int status = -1;
    std::string out, err;
};

ToolRun run(const QString& program, const QStringList& args, const std::string& input = {}) {
    QProcess p;
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

// The text of each page of the PDF.
std::vector<std::string> pages(const QString& pdf) {
    const ToolRun r = run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t ff; (ff = r.out.find('\f', start)) != std::string::npos; start = ff + 1)
        out.push_back(squeeze(r.out.substr(start, ff - start)));
    return out;
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
        EXPECT_FALSE(QFile::exists(pdf)) << what;
    }
    const ToolRun missing = run(kReport, {dir.filePath("missing.json"), "-o", pdf});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
}

}  // namespace

// What is not a regular file is refused at once (a device never ends); the
// output is never the job itself, a device is written to and not replaced, "-"
// is standard output; a job with actions is refused as the program refuses it.
TEST(PrintedSheet, PathsAndJobsTheToolMustNotTake) {
    QTemporaryDir dir;
    const QString job = dir.filePath("j.json"), pdf = dir.filePath("a.pdf");
    const std::string sheet = R"({"sheets": {"A2": {"Text1": "10"}}})";
    QFile f(job);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(sheet.data()) > 0 && f.flush());
    for (const auto& [args, input, err] : std::vector<std::tuple<QStringList, std::string, std::string>>{
             {{"/dev/zero", "-o", pdf}, "", "not a regular file\n"},
             {{job, "-o", dir.path() + "/../" + QDir(dir.path()).dirName() + "/j.json"}, "", "the output is the job file itself\n"},
             {{"-", "-o", pdf}, R"({"sheets": {"A2": {}}, "actions": ["A1"]})", "run it through lingchuan-calc run first\n"},
             {{job, "-o", "/dev/null"}, "", ""},
             {{job, "-o", "-"}, "", ""}}) {
        const ToolRun r = run(kReport, args, input);
        EXPECT_TRUE(r.status == (err.empty() ? 0 : 2) && r.err.ends_with(err) && std::count(r.err.begin(), r.err.end(), '\n') == !err.empty()) << r.err;
        EXPECT_EQ(r.out.rfind("%PDF-", 0) == 0, args.back() == "-");
    }
    EXPECT_EQ(QFileInfo(job).size(), static_cast<qint64>(sheet.size())) << "the job is intact";
    EXPECT_FALSE(QFile::exists(pdf) || QFileInfo("/dev/null").isFile()) << "no PDF, and the device still a device";
}
