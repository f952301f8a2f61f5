#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace lc::app {

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8("翎川：弧齿锥齿轮副的计算单。"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption guide("guide", QString::fromUtf8("只打开用户指南（翎川 用户指南）"));
    parser.addOption(guide);
    parser.addPositionalArgument(QString::fromUtf8("计算文件"), QString::fromUtf8("打开这个计算文件（*.lcjob 或 *.json）"),
                                 QString::fromUtf8("[计算文件]"));
    parser.process(arguments);
    CommandLine line;
    line.guide = parser.isSet(guide);
    const QStringList jobs = parser.positionalArguments();
    // A path relative to the folder the program was started in.
    if (!jobs.isEmpty()) line.job = QFileInfo(jobs.front()).absoluteFilePath();
    return line;
}

}  // namespace lc::app
