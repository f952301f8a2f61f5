// What the window tests share: the real main window with a message recorder in
// place of the message boxes, and short ways to reach its controls.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace lc::test {

// Records every message instead of showing a box, with the control that had
// the focus while it was shown.
class MessageRecorder : public ui::MessageService {
public:
    struct Entry {
        QString text;
        QString focusWhileShown;
    };
    void show(const QString& text) override {
        QWidget* f = QApplication::focusWidget();
        entries.push_back({text, f ? f->objectName() : QString()});
    }
    // Questions are recorded and answered with `answer`.
    bool ask(const QString& text) override {
        questions.push_back(text);
        return answer;
    }
    ui::SaveAnswer askToSave(const QString& text) override {
        questions.push_back(text);
        return saveAnswer;
    }
    qsizetype choose(const QString& text, const QStringList&) override {
        questions.push_back(text);
        return choice;
    }
    std::vector<Entry> entries;
    std::vector<QString> questions;
    bool answer = true;
    ui::SaveAnswer saveAnswer = ui::SaveAnswer::Discard;
    qsizetype choice = 2;  // 取消
};

// Answers the file dialogs at once: `save` gets the suggested path and gives
// the chosen one ("" cancels), `open` the same for opening.
class FileChooser : public ui::FileDialogService {
public:
    FileChooser() : FileDialogService(nullptr) {}
    QString openFile(const QString&, const QString& folder, const QString&) override { return open ? open(folder) : ""; }
    std::function<QString(const QString&)> save, open;

protected:
    QString chooseSaveFile(const QString&, const QString& suggested, const QString&, const QString&, QWidget*) override {
        return save ? save(suggested) : "";
    }
};

// Runs `act` on the message box shown next; a box still open after it (an
// assertion returned before its button) is closed: the test fails, not hangs.
inline void onMessageBox(std::function<void(QMessageBox*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            act(box);
        else
            ADD_FAILURE() << "no message box open";
        while (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) open->done(QDialog::Rejected);
    });
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        // Every test starts from a first run: the design size.
        QSettings().clear();
        main = std::make_unique<app::MainWindow>();
        main->setMessageService(messages);
        main->setFileDialogs(files);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        // Without a window manager (Xvfb) nothing activates the window for us.
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        // A run at another scale names it, so that it cannot pass at scale 1
        // unnoticed.
        const QByteArray scale = qgetenv("LC_EXPECT_DEVICE_PIXEL_RATIO");
        if (!scale.isEmpty()) {
            ASSERT_EQ(main->devicePixelRatioF(), scale.toDouble());
        }
    }
    void TearDown() override {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Workbook& wb() { return main->workbook(); }
    void menu(const char* name) {
        auto* a = main->findChild<QAction*>(name);
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    ui::SheetForm* form(SheetId id) { return main->formOf(id); }
    QLineEdit* field(SheetId id, const char* name) {
        ui::SheetForm* f = form(id);
        return f ? f->findChild<QLineEdit*>(name) : nullptr;
    }
    QString text(SheetId id, const char* name) {
        QLineEdit* f = field(id, name);
        return f ? f->text() : QString("<no field %1>").arg(name);
    }
    QPushButton* button(SheetId id, const char* name) {
        ui::SheetForm* f = form(id);
        return f ? f->findChild<QPushButton*>(name) : nullptr;
    }
    void click(SheetId id, const char* name) {
        QPushButton* b = button(id, name);
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Types into a field as the user does: focus, then the keys.
    void type(SheetId id, const char* name, const QString& keys) {
        QLineEdit* f = field(id, name);
        ASSERT_NE(f, nullptr) << name;
        f->setFocus();
        QTest::keyClicks(f, keys);
    }
    QString focusName() {
        QWidget* f = QApplication::focusWidget();
        return f ? f->objectName() : QString("<none>");
    }
    // Sheet A2's worked example along the Enter chain, then its start button.
    void calculateA2() {
        menu("A1");
        for (const char* keys : {"10", "41", "2", "", "0.4", "44.45"}) {
            QTest::keyClicks(QApplication::focusWidget(), keys);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        click(SheetId::A2, "Command1");
    }
    // Then B1 with cosβe 0.9, C with its four angles, and the change-gear
    // search for 0.5.
    void fillEveryWindow() {
        calculateA2();
        click(SheetId::A2, "Command2");
        type(SheetId::B1, "Text16", "0.9");
        click(SheetId::B1, "Command1");
        click(SheetId::B1, "Command3");
        type(SheetId::C, "Text52", "25");
        type(SheetId::C, "Text53", "20");
        type(SheetId::C, "Text54", "28");
        type(SheetId::C, "Text55", "22");
        click(SheetId::C, "Command1");
        menu("Gljs");
        type(SheetId::Gears, "Text1", "0.5");
        click(SheetId::Gears, "Command1");
        ASSERT_TRUE(messages.entries.empty()) << messages.entries.front().text.toStdString();
    }
    // The child windows the user closed go away at the next turn of the loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    MessageRecorder messages;
    FileChooser files;
    std::unique_ptr<app::MainWindow> main;
};

}  // namespace lc::test

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const QString& s : l) *os << " \"" << s.toStdString() << '"';
    *os << " }";
}
