// lingchuan-replay: batch documents replayed through the program's windows.
//   lingchuan-replay < DOC                 the result document on standard output
//   lingchuan-replay --out DIR DOC...      each result into DIR under its document's name
//   lingchuan-replay --write COMMAND JOB [OUT]   the job saved or exported as the user does
//                                          (see replayWrite); its messages on standard error
// Exit status: 0 replayed (written without a message); 2 a document the batch
// tool refuses; 1 a window that did not behave, or a message (named on
// standard error).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "tools/replay.h"
#include "cli/batch.h"
#include "report/file_write.h"
#include "ui/formkit.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw lc::app::ReplayError("cannot read " + path.toStdString());
    return f.readAll();
}

void writeAll(const QString& path, const std::string& text) {
    const lc::report::WriteResult r = lc::report::writeFileWhole(path, text);
    if (!r.written) throw lc::app::ReplayError("cannot write " + path.toStdString() + ": " + r.explanation().toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lc::ui::installFontSubstitutions();
    app.setFont(lc::ui::formFont("宋体", 9));
    const QStringList args = QApplication::arguments().mid(1);
    QString current = "standard input";
    try {
        if (args.isEmpty()) {
            const std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
            std::cout << lc::app::replayDocument(input) << std::flush;
            return 0;
        }
        if (args.size() >= 3 && args[0] == "--write") {
            // The settings of a run of its own, never the user's.
            const QTemporaryDir settings;
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
            current = args[2];
            const QStringList said = lc::app::replayWrite(args[1], args[2], args.value(3));
            if (!said.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(said.join('\n')));
            return said.isEmpty() ? 0 : 1;
        }
        if (args.size() < 2 || args[0] != "--out") {
            std::fprintf(stderr, "usage: lingchuan-replay < DOC | --out DIR DOC... | --write COMMAND JOB [OUT]\n");
            return 2;
        }
        const QDir out(args[1]);
        if (!QDir().mkpath(out.path())) throw lc::app::ReplayError("cannot create " + out.path().toStdString());
        for (const QString& path : args.mid(2)) {
            current = path;
            const QByteArray input = readAll(path);
            writeAll(out.filePath(QFileInfo(path).fileName()),
                     lc::app::replayDocument(std::string_view(input.constData(), static_cast<std::size_t>(input.size()))));
        }
        return 0;
    } catch (const lc::cli::InputError& e) {
        std::fprintf(stderr, "lingchuan-replay: %s: %s\n", qPrintable(current), e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lingchuan-replay: %s: %s\n", qPrintable(current), e.what());
        return 1;
    }
}
