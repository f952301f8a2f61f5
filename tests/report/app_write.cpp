// The program's own writes as the user makes them, onto whatever disk the
// caller prepared: the job JOB opened in the main window, a digit typed into
// sheet A2's first field, then the command ACTION (Save, ExportPdf,
// ExportTable), an export's file dialog answered with OUT. Exit 0 when nothing
// was said, else 1 with the messages on standard error, and "仍未保存" after
// them while the window still marks the job unsaved.
//   app_write ACTION JOB [OUT]
#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <iostream>

#include "app/main_window.h"

struct Said : lc::ui::MessageService {
    void show(const QString& text) override { std::cerr << text.toStdString() << "\n", ++count; }
    int count = 0;
};

struct Answer : lc::ui::FileDialogService {
    Answer() : FileDialogService(nullptr) {}
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&, QWidget*) override {
        return QCoreApplication::arguments().value(3);
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    Said said;
    Answer files;
    lc::app::MainWindow main;
    main.setMessageService(said);
    main.setFileDialogs(files);
    main.show();
    auto* action = main.findChild<QAction*>(app.arguments().value(1));
    if (!action || !main.document().openFrom(app.arguments().value(2))) return 2;
    main.document().type(lc::SheetId::A2, "Text1", "7");
    action->trigger();
    if (main.isWindowModified()) std::cerr << "仍未保存\n";
    return said.count == 0 ? 0 : 1;
}
