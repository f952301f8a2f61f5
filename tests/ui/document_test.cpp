// The workbook as a document, driven as a user drives it: the title names the
// job file and marks unsaved work; every way of setting the work aside asks
// 保存/不保存/取消 and does what the answer says; nothing is asked when
// nothing changed.
#include <QFile>
#include <QTemporaryDir>

#include "core/jobfile.h"
#include "support.h"

using namespace lc;

namespace {

using Exit = std::pair<const char*, ui::SaveAnswer>;  // how the work is set aside, the answer

class Document : public test::WindowTest, public testing::WithParamInterface<Exit> {
protected:
    QTemporaryDir dir;
};

TEST_P(Document, SettingUnsavedWorkAsideAsksAndDoesWhatTheAnswerSays) {
    const auto [how, answer] = GetParam();
    const QString job = dir.filePath("pairA.lcjob"), other = dir.filePath("other.json");
    files.save = [&](const QString&) { return dir.filePath("pairA"); };
    menu("A1");
    type(SheetId::A2, "Text1", "10");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);  // untitled: 另存为, .lcjob added
    ASSERT_TRUE(QFile::copy(job, other));
    // Nothing changed since the save; a sheet window closed asks nothing.
    ASSERT_TRUE(main->document().openFrom(job));
    menu("Gljs");
    main->windowOf(SheetId::Gears)->close();
    EXPECT_TRUE(messages.questions.empty());
    EXPECT_FALSE(main->isWindowModified());
    type(SheetId::A2, "Text17", "50");
    EXPECT_TRUE(main->isWindowModified());

    messages.saveAnswer = answer;
    const std::string exit = how;  // each way the work is set aside
    if (exit == "Tc") menu("Tc");
    if (exit == "close") main->close();
    if (exit == "open") main->document().openFrom(other);
    if (exit == "new") QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(messages.questions, std::vector<QString>{"“pairA.lcjob”有未保存的改动。\n是否先保存？"});
    QFile saved(job);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(readDocument(saved.readAll().toStdString()).workbook.sheet(SheetId::A2).text("Text17"),
              answer == ui::SaveAnswer::Save ? "50" : "");

    // Gone on: the program ended (its windows still hold what they held), or
    // the other file or a fresh start is in place.
    const bool goneOn = answer != ui::SaveAnswer::Cancel, ends = exit == "Tc" || exit == "close",
               replaced = goneOn && !ends;
    EXPECT_EQ(main->isVisible(), !goneOn || !ends);
    EXPECT_EQ(main->windowTitle(), !replaced ? "pairA.lcjob[*] - 翎川" : exit == "open" ? "other.json[*] - 翎川" : "翎川");
    EXPECT_EQ(text(SheetId::A2, "Text17"), !replaced ? "50" : exit == "open" ? "" : "<no field Text17>");
    if (!ends || !goneOn) {
        EXPECT_EQ(main->isWindowModified(), !goneOn);
    }
}

using enum ui::SaveAnswer;
INSTANTIATE_TEST_SUITE_P(EveryExitEveryAnswer, Document, testing::Values(
    Exit{"Tc", Save}, Exit{"Tc", Discard}, Exit{"Tc", Cancel}, Exit{"close", Save}, Exit{"close", Discard},
    Exit{"close", Cancel}, Exit{"open", Save}, Exit{"open", Discard}, Exit{"open", Cancel}, Exit{"new", Save},
    Exit{"new", Discard}, Exit{"new", Cancel}),
    [](const auto& info) { return info.param.first + std::to_string(int(info.param.second)); });

}  // namespace
