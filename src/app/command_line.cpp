#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "app/about.h"
#include "app/main_window.h"

namespace lc::app {
namespace {

const char* const kJob = "计算文件";
const char* const kJobHelp = "打开这个计算文件（*.lcjob 或 *.json）";
const char* const kGuideHelp = "只打开用户指南（翎川 用户指南），不打开计算单";

// Columns in a terminal: Chinese characters take two.
int columns(const QString& text) {
    int n = 0;
    for (const QChar c : text) n += c.unicode() >= 0x1100 ? 2 : 1;
    return n;
}

QString helpText() {
    const std::pair<QString, QString> rows[] = {
        {"选项：", ""}, {"  -h, --help", "显示本帮助并退出"}, {"  -v, --version", "显示版本和许可证并退出"},
        {"  --guide", kGuideHelp},
        {"参数：", ""}, {QString("  ") + kJob, kJobHelp}, {"  --", "其后都是文件名（文件名以“-”开头时：-- -x.lcjob）"}};
    int width = 0;
    for (const auto& [name, help] : rows) width = std::max(width, columns(name));
    QString text = QString("用法：lingchuan [选项] [%1]\n翎川：弧齿锥齿轮副的计算单。\n").arg(kJob);
    // Every description starts in the same column, Chinese names or not.
    for (const auto& [name, help] : rows)
        text += help.isEmpty() ? "\n" + name + "\n" : name + QString(width + 2 - columns(name), ' ') + help + "\n";
    return text;
}

}  // namespace

std::optional<int> answerWithoutWindows(int argc, char** argv, const char* version) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--") break;
        QString answer;
        if (a == "-h" || a == "--help" || a == "-?" || a == "--help-all") answer = helpText();
        if (a == "-v" || a == "--version") answer = QString("lingchuan %1\n%2\n").arg(version, licenceLine());
        if (answer.isEmpty()) continue;
        std::fputs(answer.toLocal8Bit().constData(), stdout);
        return 0;
    }
    return std::nullopt;
}

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption guide("guide", kGuideHelp);
    parser.addOption(guide);
    parser.addPositionalArgument(kJob, kJobHelp, QString("[%1]").arg(kJob));
    parser.process(arguments);
    CommandLine line;
    line.guide = parser.isSet(guide);
    const QStringList jobs = parser.positionalArguments();
    // A path relative to the folder the program was started in.
    if (!jobs.isEmpty()) line.job = QFileInfo(jobs.front()).absoluteFilePath();
    return line;
}

void openFromCommandLine(MainWindow& main, const CommandLine& line) {
    if (!line.job.isEmpty()) main.document().openFrom(line.job);
}

}  // namespace lc::app
