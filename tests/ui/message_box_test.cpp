// The real message service: a modal box titled 翎川 with the text, one OK
// button and no icon, closed here by pressing its OK button.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include "support.h"
#include "ui/messages.h"

TEST(MessageBoxService, ShowsAModalBoxWithTitleTextAndOneOkButton) {
    QWidget owner;
    owner.show();
    lc::ui::MessageBoxService service(&owner);
    QString title, text;
    int buttons = -1;
    bool modal = false, noIcon = false, ownedByProgram = false;
    lc::test::onMessageBox([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        buttons = static_cast<int>(box->buttons().size());
        modal = box->isModal();
        noIcon = box->icon() == QMessageBox::NoIcon;
        ownedByProgram = box->parentWidget() == &owner;
        box->button(QMessageBox::Ok)->click();
    });
    service.show("请输入刀盘半径 ！");
    EXPECT_EQ(title, "翎川");
    EXPECT_EQ(text, "请输入刀盘半径 ！");
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(noIcon);
    EXPECT_TRUE(ownedByProgram);
}

// A question: 是 and 否, 否 taken by Enter and Escape, so that nothing is
// given up by a hasty key; Alt+Y and Alt+N answer; each answer is told back.
TEST(MessageBoxService, AsksWithYesAndNoAndTellsTheAnswer) {
    QWidget owner;
    owner.show();
    lc::ui::MessageBoxService service(&owner);
    for (const bool yes : {true, false}) {
        QStringList captions;
        QString byDefault, byEscape;
        lc::test::onMessageBox([&](QMessageBox* box) {
            for (QAbstractButton* b : box->buttons()) captions << b->text();
            byDefault = box->defaultButton()->text();
            byEscape = box->escapeButton()->text();
            ASSERT_TRUE(QTest::qWaitForWindowActive(box));
            QTest::keyClick(box, yes ? Qt::Key_Y : Qt::Key_N, Qt::AltModifier);
            // The key presses its button the way a click shows, a moment later.
            EXPECT_TRUE(QTest::qWaitFor([box] { return !box->isVisible(); }, 2000));
        });
        EXPECT_EQ(service.ask("是否继续？"), yes);
        captions.sort();
        EXPECT_EQ(captions, (QStringList{"否(&N)", "是(&Y)"}));
        EXPECT_EQ(byDefault, "否(&N)");
        EXPECT_EQ(byEscape, "否(&N)");
    }
}

// The question before work is set aside: Alt+N, shown on its button, answers
// 不保存.
TEST(MessageBoxService, AltNAnswersDoNotSave) {
    QWidget owner;
    owner.show();
    lc::test::onMessageBox([&](QMessageBox* box) {
        EXPECT_EQ(box->button(QMessageBox::Discard)->text(), "不保存(&N)");
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        QTest::keyClick(box, Qt::Key_N, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([box] { return !box->isVisible(); }, 2000));
    });
    EXPECT_EQ(lc::ui::MessageBoxService(&owner).askToSave("是否先保存？"), lc::ui::SaveAnswer::Discard);
}
