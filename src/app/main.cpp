// 翎川: calculation sheets for spiral bevel gear pairs.
#include <QApplication>

#include "app/command_line.h"
#include "app/guide_window.h"
#include "app/main_window.h"
#include "app/places.h"
#include "app/program_icon.h"
#include "ui/qt_translation.h"

int main(int argc, char** argv) {
    // --help and --version need no display: answered before the toolkit starts.
    if (const std::optional<int> status = lc::app::answerWithoutWindows(argc, argv, LC_VERSION)) return *status;
    QApplication app(argc, argv);
    // Where the settings are kept, per user: the main window's size and place,
    // the last folder of a job file.
    app.setOrganizationName("lingchuan");
    app.setApplicationName("lingchuan");
    app.setApplicationVersion(QStringLiteral(LC_VERSION));
    lc::app::keepSettingsBesideProgram();
    lc::ui::installQtTranslation();
    lc::app::dressApplication(app);
    const lc::app::CommandLine line = lc::app::readCommandLine(app.arguments());
    if (line.guide) {
        lc::app::GuideWindow guide;
        guide.presentAlone();
        return app.exec();
    }
    lc::app::MainWindow w;
    w.show();
    // `lingchuan JOB`: the job opened in the window just shown.
    lc::app::openFromCommandLine(w, line);
    return app.exec();
}
