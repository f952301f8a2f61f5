// Job files and copying through the main window: the worked example saved,
// opened and saved again to the same bytes; bad files refused with one
// message and nothing changed; a failed save leaving the old file; a sheet
// copied as a table; the sheet menu on every control and the shortcuts from
// every sheet window.
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

#include "app/command_line.h"
#include "core/actions.h"
#include "core/chain_state.h"
#include "core/items.h"
#include "core/jobfile.h"
#include "support.h"
#include "../common/a2_worked_example.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Cells of tab-separated lines as a spreadsheet reads them: a cell in quote
// marks may hold tabs and line breaks, its doubled quote marks are one.
std::vector<std::vector<std::string>> parseTable(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string& cell = rows.back().back();
        if (cell.empty() && text[i] == '"') {
            for (++i; i < text.size() && !(text[i] == '"' && (i + 1 == text.size() || text[i + 1] != '"')); ++i) {
                if (text[i] == '"') ++i;
                cell += text[i];
            }
        } else if (text[i] == '\t') {
            rows.back().emplace_back();
        } else if (text[i] == '\n') {
            rows.emplace_back(1);
        } else {
            cell += text[i];
        }
    }
    rows.pop_back();  // after the last line break
    return rows;
}

class JobFiles : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    // Actions reach the core as the windows hand them on; typing writes the
    // field as a user's typing does.
    void act(const char* name) {
        const ActionDef* a = findAction(name);
        ASSERT_NE(a, nullptr) << name;
        main->session().run(a->sheet, a->run);
        settle();
    }
    void typeText(SheetId id, const char* field, const std::string& text) {
        wb().sheet(id).setText(field, text);
        main->session().refreshAll();
    }
    // Sheet A2's worked example, B1 and C after it, and a change-gear search
    // whose window is then put away with 退出.
    void workedExample() {
        act("A1");
        for (const auto& [f, t] : example::a2Inputs()) typeText(SheetId::A2, f.c_str(), t);
        typeText(SheetId::A2, "Text17", example::kA2CutterRadius);
        act("A2.Option2");
        act("A2.Command1");
        act("A2.Command2");
        typeText(SheetId::B1, "Text16", "0.9");
        act("B1.Command1");
        act("B1.Command3");
        for (const auto& [f, t] : {std::pair{"Text52", "25"}, {"Text53", "20"}, {"Text54", "28"}, {"Text55", "22"}})
            typeText(SheetId::C, f, t);
        act("C.Command1");
        act("Gljs");
        typeText(SheetId::Gears, "Text1", "0.5");
        act("gears.Command1");
        act("gears.Command2");
        // A box ticked after the calculation is part of what is saved.
        wb().sheet(SheetId::A2).setCheck("Check2", 1);
        main->session().refreshAll();
        ASSERT_TRUE(messages.entries.empty()) << messages.entries.front().text.toStdString();
        ASSERT_EQ(wb().flags.b1Done, kTrue);
        ASSERT_EQ(wb().flags.pinionRightHand, kTrue);
        ASSERT_FALSE(wb().sheet(SheetId::Gears).list.empty());
    }
    // What the windows show, field by field, against a sheet of the workbook.
    void expectWindowsShow(const Workbook& expected) {
        for (SheetId id : kAllSheets) {
            const Sheet* s = expected.find(id);
            ASSERT_EQ(main->windowOf(id) != nullptr, s != nullptr) << sheetKey(id);
            if (!s) continue;
            EXPECT_EQ(main->windowOf(id)->isVisible(), s->visible) << sheetKey(id);
            for (const auto& f : s->fieldNames())
                EXPECT_EQ(text(id, f.c_str()).toStdString(), s->text(f)) << sheetKey(id) << "." << f;
            for (const auto& c : s->checkNames())
                EXPECT_EQ(form(id)->findChild<QCheckBox*>(c.c_str())->isChecked(), s->check(c) != 0) << c;
        }
        const Sheet* gears = expected.find(SheetId::Gears);
        if (!gears) return;
        EXPECT_EQ(form(SheetId::Gears)->windowTitle().toStdString(), gears->caption);
        auto* list = form(SheetId::Gears)->findChild<QListWidget*>("List1");
        ASSERT_EQ(list->count(), static_cast<int>(gears->list.size()));
        for (int i = 0; i < list->count(); ++i) EXPECT_EQ(list->item(i)->text().toStdString(), gears->list[i]);
    }
    QString path(const char* name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(JobFiles, TheWorkedExampleComesBackByteForByte) {
    ASSERT_NO_FATAL_FAILURE(workedExample());
    ASSERT_TRUE(main->document().saveTo(path("example.json")));
    const QByteArray saved = readAll(path("example.json"));
    const Document expected = readDocument(saved.toStdString());
    EXPECT_EQ(expected.workbook.find(SheetId::A2)->text("Text40(0)"), "22.7541513438883");

    // Typing after saving is lost only if the user agrees.
    typeText(SheetId::A2, "Text1", "99");
    messages.saveAnswer = ui::SaveAnswer::Cancel;
    EXPECT_FALSE(main->document().openFrom(path("example.json")));
    EXPECT_EQ(text(SheetId::A2, "Text1"), "99");
    messages.saveAnswer = ui::SaveAnswer::Discard;
    ASSERT_TRUE(main->document().openFrom(path("example.json")));
    EXPECT_EQ(messages.questions.size(), 2u);
    EXPECT_TRUE(messages.entries.empty());
    ASSERT_NO_FATAL_FAILURE(expectWindowsShow(expected.workbook));
    EXPECT_FALSE(main->windowOf(SheetId::Gears)->isVisible()) << "put away before saving";
    EXPECT_EQ(main->document().path(), path("example.json"));

    // Ctrl+S saves to the same file again, byte for byte, once 覆盖 is the
    // answer to its removal by another program.
    QFile::remove(path("example.json"));
    messages.choice = 0;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(messages.questions.back().contains("已被其他程序删除或移走")) << messages.questions.back().toStdString();
    EXPECT_EQ(readAll(path("example.json")), saved);
    // The opened sheets go on calculating: 退出 hid the change gears, the menu brings them back.
    act("Gljs");
    EXPECT_TRUE(main->windowOf(SheetId::Gears)->isVisible());
    EXPECT_EQ(text(SheetId::Gears, "Text1"), "0.5");
}

TEST_F(JobFiles, ABadFileIsRefusedWithOneMessageAndChangesNothing) {
    act("A1");
    typeText(SheetId::A2, "Text1", "10");
    act("A2.Text1.Enter");
    ASSERT_TRUE(main->document().saveTo(path("good.json")));
    const QByteArray good = readAll(path("good.json"));
    const std::string before = writeDocument(wb());
    const QMdiSubWindow* window = main->windowOf(SheetId::A2);

    struct Bad {
        const char* what;
        QByteArray bytes;
        std::vector<const char*> said;  // what the message must name, besides the file
    };
    const Bad cases[] = {
        {"empty", "", {"文件是空的"}},
        {"truncated", good.left(good.size() / 2), {"位置：第", "行第", "文件已损坏、不完整"}},
        {"not JSON", "PK\x03\x04 not a job", {"位置：第1行第1列", "不是JSON文档"}},
        {"another format", R"({"format": "lingchuan-report", "sheets": {}})", {"位置：format", "不是翎川的计算文件"}},
        {"a newer version", R"({"format": "lingchuan-workbook", "version": 3, "sheets": {"A2": {"Text99": 1}}})",
         {"位置：version", "较新的程序"}},
        {"unknown field", R"({"sheets": {"A2": {"Text99": "1"}}})", {"位置：计算单A2 Text99", "没有这个字段"}},
        {"number for a text", R"({"sheets": {"B1": {"Text16": 0.9}}})", {"位置：计算单B1 第54项（Text16）", "应为文本"}},
        {"100 000 characters in a field", "{\"sheets\": {\"C\": {\"Text5\": \"" + QByteArray(100000, '7') + "\"}}}",
         {"位置：计算单C 第5项（Text5）", "超过计算文件中一栏文字的上限"}},
        {"a batch document", R"({"actions": ["A1"]})", {"位置：actions", "lingchuan-calc run"}},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.what);
        messages.entries.clear();
        writeAll(path("bad.json"), c.bytes);
        EXPECT_FALSE(main->document().openFrom(path("bad.json")));
        ASSERT_EQ(messages.entries.size(), 1u);
        const QString& said = messages.entries.front().text;
        EXPECT_TRUE(said.startsWith("无法打开文件“" + QDir::toNativeSeparators(path("bad.json")) + "”")) << said.toStdString();
        for (const char* part : c.said) EXPECT_TRUE(said.contains(QString::fromUtf8(part))) << said.toStdString();
        EXPECT_LT(said.size(), 400) << "the message quotes no more than a beginning";
        EXPECT_EQ(writeDocument(wb()), before);
        EXPECT_EQ(main->windowOf(SheetId::A2), window);
        EXPECT_EQ(text(SheetId::A2, "Text1"), "10");
    }
    EXPECT_TRUE(messages.questions.empty()) << "a bad file is refused before anything is asked";
    EXPECT_EQ(main->document().path(), path("good.json"));
}

// A path that is no regular file is refused at once (a pipe would block: the
// writer that frees it would leave an empty file); a text the file could not
// hold is refused on saving, the longest it holds is saved.
TEST_F(JobFiles, WhatCannotBeOpenedAgainIsNotSavedAndNoDeviceIsRead) {
    const QByteArray fifo = path("fifo").toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const auto freeIt = std::async(std::launch::async, [&] { QThread::sleep(3), ::close(::open(fifo, O_WRONLY | O_NONBLOCK)); });
    for (const QString& bad : {path("fifo"), QString("/dev/zero"), dir.path()}) {
        EXPECT_FALSE(main->document().openFrom(bad));
        ASSERT_FALSE(messages.entries.empty());
        EXPECT_TRUE(messages.entries.back().text.contains("不是普通文件")) << bad.toStdString();
    }
    act("A1");
    for (const int length : {1500000, 10000}) {
        typeText(SheetId::A2, "Text2", std::string(static_cast<std::size_t>(length), '4'));
        EXPECT_EQ(main->document().saveTo(path("long.json")) && QFile::exists(path("long.json")), length == 10000);
    }
    ASSERT_FALSE(messages.entries.empty());
    EXPECT_TRUE(messages.entries.back().text.contains("第2项（Text2）\n文字长达1500000个字符"));
}

// `lingchuan JOB` with a job that cannot be read, or none there: one message,
// no question, the workbook left empty.
TEST_F(JobFiles, ABadOrMissingJobOnTheCommandLineLeavesTheWorkbookEmpty) {
    writeAll(path("bad.lcjob"), R"({"sheets": {"A2": {"Text1": 10}}})");
    for (const char* job : {"bad.lcjob", "none.lcjob"}) {
        app::openFromCommandLine(*main, app::readCommandLine({"lingchuan", path(job)}));
        EXPECT_EQ(messages.entries.size(), job[0] == 'b' ? 1u : 2u);
        EXPECT_TRUE(messages.questions.empty() && !wb().exists(SheetId::A2)) << job;
    }
}

// A save that cannot be made (no room for the temporary file beside the
// target: its name would be too long; a folder without write permission for
// those who are not root) says why and leaves the old file as it was.
TEST_F(JobFiles, AFailedSaveLeavesTheOldFileIntact) {
    act("A1");
    const QString target = path((std::string(250, 'j') + ".json").c_str());
    writeAll(target, "old\n");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(main->document().saveTo(target));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(messages.entries.front().text.startsWith("无法保存文件“")) << messages.entries.front().text.toStdString();
    EXPECT_TRUE(messages.entries.front().text.contains("原来的文件没有改动")) << messages.entries.front().text.toStdString();
    EXPECT_EQ(readAll(target), "old\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left behind";
    EXPECT_EQ(main->document().path(), "");
}

// 复制本页数据 from the keyboard in any sheet window gives that sheet as a
// table with a header and rows of equal length; the table of sheet A2 after
// the worked example reads back to its texts, a text with a tab and quote
// marks included, captions without padding.
TEST_F(JobFiles, CopyingASheetGivesATableOfItsWholeTexts) {
    ASSERT_NO_FATAL_FAILURE(workedExample());
    typeText(SheetId::A2, "Text19", "a\t\"b\"");
    act("Gljs");
    for (SheetId id : kAllSheets) {
        SCOPED_TRACE(sheetKey(id));
        QApplication::clipboard()->clear();
        main->formOf(id)->focusControl(id == SheetId::Gears ? "Text1" : "Command1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        auto rows = parseTable(QApplication::clipboard()->text().toStdString());
        // Item 19 typed after the calculation: the tables of A2, and of B1
        // and C which read it, say so first, a line a reason.
        const auto notices = noticeLines(*chainState(wb()).of(id));
        EXPECT_EQ(notices.empty(), id == SheetId::Gears);
        for (const std::string& line : notices) {
            ASSERT_EQ(rows.front(), std::vector<std::string>{line});
            rows.erase(rows.begin());
        }
        // A header, then a row of six cells an item; the change-gear list
        // under its own header.
        ASSERT_EQ(rows.front(), (std::vector<std::string>{"项目", "名称", "类别", "小轮/数值", "大轮", "单位"}));
        const Sheet& sheet = wb().sheet(id);
        EXPECT_EQ(rows.size(), tableOf(sheet).size() + 1 + (sheet.list.empty() ? 0 : 1));
        for (const auto& row : rows) ASSERT_EQ(row.size(), 6u);
        if (id != SheetId::A2) continue;
        int items = 0;
        for (const auto& row : rows) {
            const Item* item = nullptr;
            for (const Item& i : itemsOf(SheetId::A2))
                if (std::to_string(i.number) == row[0]) item = &i;
            if (!item) continue;
            ++items;
            EXPECT_EQ(row[1].find(' '), std::string::npos) << row[1];
            if (item->field.empty()) {
                EXPECT_EQ(row[3] + row[4], sheet.option1Caption + sheet.option2Caption);
                continue;
            }
            EXPECT_EQ(row[3], sheet.text(item->field)) << item->field;
            EXPECT_EQ(row[4], item->gearField.empty() ? "" : sheet.text(item->gearField)) << item->gearField;
        }
        EXPECT_EQ(items, static_cast<int>(itemsOf(SheetId::A2).size()));
        EXPECT_EQ(rows[3], (std::vector<std::string>{"3", "模数m", "输入", sheet.text("Text3"), "", "mm"}));
        ASSERT_EQ(rows[15][0], "15");  // and its check box after it
        EXPECT_EQ(rows[16], (std::vector<std::string>{"", "勾选：保留输入的齿宽", "输入", sheet.check("Check1") ? "是" : "否", "", ""}));
    }
}

// The sheet menu opens over every control of every sheet window, result
// fields included, and lists the commands; the menu bar keeps its five.
TEST_F(JobFiles, EveryControlOfEverySheetOpensTheSheetMenu) {
    for (const char* command : {"A1", "B1", "C", "Gljs"}) act(command);
    for (SheetId id : kAllSheets) {
        ui::SheetForm* form = main->formOf(id);
        std::vector<QWidget*> targets{form};
        for (QWidget* w : form->findChildren<QWidget*>()) targets.push_back(w);
        for (QWidget* w : targets) {
            if (!w->isVisible()) continue;
            SCOPED_TRACE(std::string(sheetKey(id)) + "." + w->objectName().toStdString());
            // A field is what the mouse meets at its corner unless a control
            // lies over it (item 20's hand buttons); a click selects in it.
            const QPoint corner = w->mapToGlobal(QPoint(1, 1));
            auto* field = form->childAt(form->mapFromGlobal(corner)) == w ? qobject_cast<QLineEdit*>(w) : nullptr;
            if (field) field->selectAll();
            QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(1, 1), corner);
            QApplication::sendEvent(w, &e);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(menu->objectName(), "SheetMenu");
            QStringList captions;
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) captions << a->text();
            for (const char* c : {"保存", "另存为…", "打开…", "复制本页数据", "用户指南"})
                EXPECT_TRUE(captions.contains(QString::fromUtf8(c))) << c;
            if (field) {
                // The field's own copy and select all first; copy takes the selection.
                const qsizetype copy = captions.indexOf(QRegularExpression(".*\tCtrl\\+C"));
                const qsizetype all = captions.indexOf(QRegularExpression(".*\tCtrl\\+A"));
                ASSERT_TRUE(copy >= 0 && all >= 0 && std::max(copy, all) < captions.indexOf(QString::fromUtf8("保存")));
                QApplication::clipboard()->clear();
                for (QAction* a : menu->actions()) if (a->text() == captions[copy]) a->trigger();
                EXPECT_EQ(QApplication::clipboard()->text(), field->text());
            }
            menu->close();
            settle();
        }
        EXPECT_EQ(main->activeSheet(), id) << "the menu acts on its own window";
    }
    EXPECT_EQ(main->menuBar()->actions().size(), 5);
}


// 最近打开: newest first, one entry a file; a file gone since is dropped with
// a message when chosen.
TEST_F(JobFiles, RecentJobsListTheLastUsedFirstAndDropAMissingOne) {
    act("A1");
    ASSERT_TRUE(main->document().saveTo(path("a.lcjob")) && main->document().saveTo(path("b.lcjob")) && main->document().saveTo(path("c.lcjob")));
    ASSERT_TRUE(main->document().openFrom(dir.path() + "/./a.lcjob"));
    EXPECT_EQ(main->document().recentJobs(), QStringList({path("a.lcjob"), path("c.lcjob"), path("b.lcjob")}));
    QMenu* menu = main->popUpSheetMenu(SheetId::A2, QPoint(0, 0));
    EXPECT_EQ(menu->findChild<QMenu*>("RecentJobs")->actions().front()->text(), "&1 a.lcjob\t" + dir.path());
    menu->close();

    QFile::remove(path("c.lcjob"));
    EXPECT_FALSE(main->document().openRecent(path("c.lcjob")));
    ASSERT_FALSE(messages.entries.empty());
    EXPECT_TRUE(messages.entries.back().text.contains("已从“最近打开”中去掉"));
    EXPECT_EQ(main->document().recentJobs(), QStringList({path("a.lcjob"), path("b.lcjob")}));
}
