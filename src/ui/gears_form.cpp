#include "ui/gears_form.h"

#include <QListWidget>

#include "core/change_gears.h"
#include "ui/plain_text.h"
#include "ui/session.h"

namespace lc::ui {

GearsForm::GearsForm(Session& session, QWidget* parent) : SheetForm(session, SheetId::Gears, parent) {
    const QFont font = formFont("宋体", 12);
    list_ = new QListWidget(this);
    list_->setObjectName("List1");
    list_->setGeometry(twipsRect(30, 120, 3585, 4560));
    list_->setFont(formFont("宋体", 9));

    makeLabel(this, "Label3", QString::fromUtf8("挂轮计算公式"), QRect(3720, 210, 1905, 300),
              formFont("隶书", 15, true));
    makeLabel(this, "Label1", QString::fromUtf8("请输入结果:"), QRect(3750, 960, 1320, 240), font);
    addField("Text1", FieldKind::Plain, QRect(3750, 1332, 1725, 375), font);
    makeLabel(this, "Label2", QString::fromUtf8("精度:"), QRect(3750, 2130, 600, 240), font);
    addField("Text2", FieldKind::Plain, QRect(3750, 2514, 1725, 375), font);

    auto* start = makeButton(this, "Command1", QString::fromUtf8("开始计算"), QRect(3870, 3105, 1515, 375), font);
    // 说    明 has no action.
    makeButton(this, "Command3", QString::fromUtf8("说    明"), QRect(3870, 3696, 1515, 375), font);
    auto* quit = makeButton(this, "Command2", QString::fromUtf8("退    出"), QRect(3870, 4290, 1575, 375), font);
    // The window shows every caption of the search as it is set.
    connect(start, &QPushButton::clicked, this, [this] {
        run([this](Workbook& wb) { return gearsCommand1(wb, [this](const std::string& c) { showCaption(c); }); },
            stepName("gears.Command1"));
    });
    connect(quit, &QPushButton::clicked, this, action("Command2"));

    setTabChain({"Command1", "List1", "Text1", "Text2", "Command2", "Command3"});
    refresh();
}

void GearsForm::showCaption(const std::string& caption) {
    setWindowTitle(titleText(QString::fromStdString(caption)));
    // The search holds the event loop for its whole run: paint the title bar now.
    if (QWidget* frame = parentWidget()) frame->repaint();
}

void GearsForm::refresh() {
    SheetForm::refresh();
    const Sheet* s = sheet();
    if (!s) return;
    setWindowTitle(titleText(QString::fromStdString(s->caption)));
    QStringList lines;
    for (const auto& line : s->list) lines << QString::fromStdString(line);
    QStringList shown;
    for (int i = 0; i < list_->count(); ++i) shown << list_->item(i)->text();
    if (shown != lines) {
        list_->clear();
        list_->addItems(lines);
    }
}

QWidget* GearsForm::firstFocus() const { return control("Command1"); }

}  // namespace lc::ui
