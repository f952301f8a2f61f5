#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "app/main_window.h"

namespace lc::app {

void openFromCommandLine(MainWindow& main, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8("翎川：弧齿锥齿轮副的计算单。"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QString::fromUtf8("计算文件"), QString::fromUtf8("打开这个计算文件（*.lcjob 或 *.json）"),
                                 QString::fromUtf8("[计算文件]"));
    parser.process(arguments);
    const QStringList jobs = parser.positionalArguments();
    if (jobs.isEmpty()) return;
    // A path relative to the folder the program was started in.
    main.document().openFrom(QFileInfo(jobs.front()).absoluteFilePath());
}

}  // namespace lc::app
