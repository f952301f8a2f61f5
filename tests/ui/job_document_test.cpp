// The job document without any window: every kind of step undone and redone,
// compared as whole workbooks; the mark of an untitled workbook; the recent
// list; saving over a file another program changed or removed; the file
// watched when the program comes back to the front.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <sstream>

#include "core/actions.h"
#include "core/jobfile.h"
#include "support.h"

using namespace lc;

namespace {

// The document and the session the windows would hand their actions to.
struct Job {
    Job(ui::MessageService& messages, ui::FileDialogService& files) : doc(messages, files), session(doc.workbook(), messages) {
        session.setHistory(&doc);
    }
    app::JobDocument doc;
    ui::Session session;
};

class JobDocumentTest : public testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        ASSERT_TRUE(dir.isValid());
    }
    void fresh() { job = std::make_unique<Job>(messages, files); }
    app::JobDocument& doc() { return job->doc; }
    Workbook& wb() { return job->doc.workbook(); }
    // Actions by the batch tool's names; "A2.Text1=10" types into a field,
    // "A2.Check1=1" ticks a box. Typing ends with the list unless `open`.
    void run(const std::string& actions, bool open = false) {
        std::istringstream words(actions);
        for (std::string a; words >> a;) {
            const std::size_t eq = a.find('='), dot = a.find('.');
            if (eq == std::string::npos) {
                const ActionDef* def = findAction(a);
                ASSERT_NE(def, nullptr) << a;
                job->session.run(def->sheet, def->run, ui::stepName(a));
                continue;
            }
            const SheetId id = *sheetFromKey(a.substr(0, dot));
            const std::string control = a.substr(dot + 1, eq - dot - 1), value = a.substr(eq + 1);
            if (control.starts_with("Check"))
                job->session.run(
                    id, [&](Workbook& w) { return w.sheet(id).setCheck(control, std::stoi(value)), Outcome::done(); },
                    ui::checkStepName(id, control));
            else
                job->session.type(id, control, value);
        }
        if (!open) doc().typingDone();
    }
    QString path(const char* name) const { return dir.filePath(name); }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
    }

    QTemporaryDir dir;
    test::MessageRecorder messages;
    test::FileChooser files;
    std::unique_ptr<Job> job = std::make_unique<Job>(messages, files);
};

const std::string kTyped = "A1 A2.Text1=10 A2.Text2=41 A2.Text3=2 A2.Text12=0.4 A2.Option2 ";
const std::string kCalculated = kTyped + "A2.Text17=44.45 A2.Command1 ";

struct Row {
    std::string before;  // what is done first
    std::string step;    // the actions of the one step
    const char* name;    // what 撤销 names it
};

// Each step taken back restores the whole workbook as it stood before it
// (texts, list, captions, which sheets exist and are shown, the flags), and
// 重做 the workbook after it.
TEST_F(JobDocumentTest, EveryStepIsUndoneAndRedoneWhole) {
    const Row rows[] = {
        {kTyped + "A2.Text17=44.45", "A2.Command1", "开始计算"},           // a2Done, pinionRightHand, every result
        {kTyped, "A2.Command1", "开始计算"},                               // stopped by its message after the first stretch
        {kCalculated, "A2.Command3", "重新开始"},                          // every field of A2 cleared, a2Done
        {kCalculated + "A2.Command2 B1.Text1(0)=99", "B1", "计算单B1"},      // the import overwrites what was typed
        {kCalculated + "A2.Command2 B1.Text16=0.9 B1.Command1", "B1.Command3", "下一步"},  // C created, imports
        {kCalculated + "A2.Command2 B1.Text16=0.9 B1.Command1 B1.Command3", "C.Command3", "结束"},  // hidden
        {kCalculated, "A2.close", "关闭计算单A2"},                          // the sheet with its texts
        {kCalculated + "A2.close", "A1", "计算单A2"},                       // created anew, the flags cleared
        {"Gljs gears.Text1=0.5", "gears.Command1", "开始计算"},            // list and caption
        {kCalculated, "A2.Option1", "螺旋方向"},
        {"A1", "A2.Check1=1", "勾选：保留输入的齿宽"},
        {"A1", "A2.Text3=2 A2.Text3=2.5", "输入第3项"},                     // one field's typing, key by key
        {"A1 A2.Text1=10 A2.Text1.Enter", "A2.Text2=41 A2.Text2.Enter", "输入第2项"},  // Enter joins its typing
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.before + "| " + row.step);
        fresh();
        run(row.before);
        const Workbook before = wb();
        run(row.step, true);  // Enter ends the typing, if anything
        const Workbook after = wb();
        ASSERT_FALSE(after == before);
        EXPECT_EQ(doc().undoText(), QString::fromUtf8(row.name));
        doc().undo();
        EXPECT_TRUE(wb() == before) << writeDocument(wb());
        doc().redo();
        EXPECT_TRUE(wb() == after) << writeDocument(wb());
    }
}

// Untitled, sheets that hold only what their creation put there are no work:
// nothing is asked before they are set aside. Saved, undoing back to the file
// clears the mark; the mark follows typing key by key.
TEST_F(JobDocumentTest, TheMarkFollowsTheWorkbookAgainstItsFile) {
    run("A1 Gljs A2.Text1=1 A2.Text1=");
    EXPECT_FALSE(doc().isModified());
    EXPECT_TRUE(doc().settleUnsavedWork());
    run("A2.Text1=10");
    EXPECT_TRUE(doc().isModified());
    files.save = [&](const QString&) { return path("j"); };
    ASSERT_TRUE(doc().saveAs());
    EXPECT_EQ(doc().path(), path("j.lcjob"));
    EXPECT_TRUE(messages.questions.empty());
    for (const char* typed : {"1", "10", "109", "10"}) {
        run(std::string("A2.Text1=") + typed, true);
        EXPECT_EQ(doc().isModified(), std::string(typed) != "10") << typed;
    }
    run("A2.Command3");
    EXPECT_TRUE(doc().isModified());
    doc().undo();
    EXPECT_FALSE(doc().isModified());
}

// 最近打开: eight, newest first, one entry a file; one gone is dropped when
// chosen.
TEST_F(JobDocumentTest, TheRecentListKeepsTheEightLastUsed) {
    run("A1");
    QStringList expected;
    for (const char* name : {"0", "1", "2", "3", "4", "5", "6", "7", "8"}) {
        ASSERT_TRUE(doc().saveTo(path(name)));
        expected.prepend(path(name));
    }
    ASSERT_TRUE(doc().openFrom(dir.path() + "/./3"));
    expected.move(expected.indexOf(path("3")), 0);
    EXPECT_EQ(doc().recentJobs(), expected.mid(0, 8));
    QFile::remove(path("5"));
    EXPECT_FALSE(doc().openRecent(path("5")));
    expected.removeAll(path("5"));
    EXPECT_EQ(doc().recentJobs(), expected.mid(0, 7));
}

// Saving over the job file after another program rewrote or removed it asks
// first: 覆盖 writes, 另存为… writes elsewhere, 取消 leaves both files as they
// were; a file touched without a change is saved over unasked.
TEST_F(JobDocumentTest, AFileChangedByAnotherProgramIsNotOverwrittenUnasked) {
    struct Case {
        const char* other;  // what the other program does
        qsizetype answer;   // 覆盖, 另存为…, 取消
    };
    for (const Case c : {Case{"rewrite", 0}, {"rewrite", 1}, {"rewrite", 2}, {"remove", 0}, {"remove", 2}, {"touch", 2}}) {
        SCOPED_TRACE(std::string(c.other) + " " + std::to_string(c.answer));
        fresh();
        messages.questions.clear();
        messages.choice = c.answer;
        files.save = [&](const QString&) { return path("elsewhere.lcjob"); };
        QFile::remove(path("elsewhere.lcjob"));
        run("A1 A2.Text1=101");
        ASSERT_TRUE(doc().saveTo(path("job.lcjob")));
        const QByteArray ours = bytesOf(path("job.lcjob"));
        QByteArray theirs = ours;
        theirs.replace("101", "102");
        const std::string other = c.other;
        if (other == "rewrite") write(path("job.lcjob"), theirs);
        if (other == "remove") QFile::remove(path("job.lcjob")), theirs = "<none>";
        if (other == "touch") {
            QFile f(path("job.lcjob"));
            ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
            theirs = ours;
        }
        run("A2.Text2=7");
        const bool saved = doc().save();
        const bool asked = other != "touch";
        ASSERT_EQ(messages.questions.size(), asked ? 1u : 0u);
        if (asked)
            EXPECT_TRUE(messages.questions[0].contains(other == "remove" ? "已被其他程序删除或移走" : "已被其他程序修改"))
                << messages.questions[0].toStdString();
        EXPECT_EQ(saved, c.answer != 2 || !asked);
        const bool over = !asked || c.answer == 0;
        EXPECT_EQ(bytesOf(path("job.lcjob")) == theirs, !over);
        EXPECT_EQ(QFile::exists(path("elsewhere.lcjob")), c.answer == 1 && asked);
        EXPECT_EQ(doc().path(), path(c.answer == 1 && asked ? "elsewhere.lcjob" : "job.lcjob"));
        EXPECT_EQ(doc().isModified(), !saved);
    }
}

// Back at the front after another program changed the job file: an unchanged
// workbook offers to read it again, unsaved work is kept and the user told;
// each change on disk is asked about or told once.
TEST_F(JobDocumentTest, TheProgramComingToTheFrontLooksAtItsFile) {
    for (const bool unsaved : {false, true}) {
        for (const bool readAgain : {true, false}) {
            SCOPED_TRACE(std::to_string(unsaved) + std::to_string(readAgain));
            fresh();
            messages.entries.clear();
            messages.questions.clear();
            messages.answer = readAgain;
            run("A1 A2.Text1=101");
            ASSERT_TRUE(doc().saveTo(path("job.lcjob")));
            if (unsaved) run("A2.Text2=7");
            doc().checkDisk();
            QByteArray theirs = bytesOf(path("job.lcjob"));
            write(path("job.lcjob"), theirs.replace("101", "102"));
            doc().checkDisk();
            doc().checkDisk();
            EXPECT_EQ(messages.questions.size(), unsaved ? 0u : 1u);
            EXPECT_EQ(messages.entries.size(), unsaved ? 1u : 0u);
            const bool read = !unsaved && readAgain;
            EXPECT_EQ(wb().sheet(SheetId::A2).text("Text1"), read ? "102" : "101");
            EXPECT_EQ(doc().isModified(), unsaved);
            EXPECT_EQ(doc().canUndo(), !read) << "a file read again starts a new history";
        }
    }
}

}  // namespace
