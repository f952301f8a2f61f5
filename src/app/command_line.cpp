#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "app/about.h"
#include "app/main_window.h"

namespace lc::app {

void openFromCommandLine(MainWindow& main, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8("翎川：弧齿锥齿轮副的计算单。"));
    parser.addHelpOption();
    // The version and the licence line.
    const QCommandLineOption version({"v", "version"}, QString::fromUtf8("显示版本和许可证。"));
    parser.addOption(version);
    parser.addPositionalArgument(QString::fromUtf8("计算文件"), QString::fromUtf8("打开这个计算文件（*.lcjob 或 *.json）"),
                                 QString::fromUtf8("[计算文件]"));
    parser.process(arguments);
    if (parser.isSet(version)) {
        std::fputs((versionText() + "\n").toUtf8().constData(), stdout);
        std::exit(0);
    }
    const QStringList jobs = parser.positionalArguments();
    if (jobs.isEmpty()) return;
    // A path relative to the folder the program was started in.
    main.openJobFrom(QFileInfo(jobs.front()).absoluteFilePath());
}

}  // namespace lc::app
