#include "ui/sheet_a2_form.h"

#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "ui/plain_text.h"

namespace lc::ui {
namespace {

constexpr FieldKind In = FieldKind::Input;
constexpr FieldKind Res = FieldKind::Result;

// One numbered item: its caption, kind, the top of its field (and of the gear
// row's field for a paired item, else -1) and the field's size.
struct Item {
    int number;
    const char* caption;
    FieldKind kind;
    int top0;
    int top1;
    int width;
    int height;
};

// Item 20 (the spiral hand) is laid out on its own.
const Item kItems[] = {
    {1, "1  小 轮  齿 数Z1", In, 240, -1, 915, 270},
    {2, "2  大 轮  齿 数Z2", In, 701, -1, 915, 270},
    {3, "3  模        数m", In, 1162, -1, 915, 270},
    {4, "4  传   动   比i", Res, 1623, -1, 915, 270},
    {5, "5  螺   旋   角β", In, 2084, -1, 915, 270},
    {6, "6  平面齿轮齿数Zc", Res, 2545, -1, 1425, 270},
    {7, "7  齿 高  系 数f", Res, 3006, -1, 915, 270},
    {8, "8  径向间隙系数Kc", Res, 3467, -1, 915, 270},
    {9, "9  工 作  高 度h3", Res, 3928, -1, 915, 270},
    {10, "10 径 向  间 隙C", Res, 4389, -1, 915, 270},
    {11, "11 周        节t", Res, 4850, -1, 915, 270},
    {12, "12 高度变位系数", In, 5311, -1, 915, 270},
    {13, "13 外   锥   距Le", Res, 5772, -1, 915, 270},
    {14, "14 齿 宽  系 数Kb", Res, 6233, -1, 915, 270},
    {15, "15 齿        宽b", In, 240, -1, 915, 270},
    {16, "16 中 点  锥 距L", Res, 701, -1, 915, 270},
    {17, "17 刀 盘  半 径", In, 1170, -1, 915, 270},
    {18, "18 刀盘公称直径", Res, 1620, -1, 915, 270},
    {19, "19 螺   旋   角β", In, 2084, -1, 915, 270},
    {21, "21 计算 错 刀量W", Res, 2910, -1, 915, 270},
    {22, "22 触区长比齿长F", Res, 3300, -1, 915, 270},
    {23, "23 齿 顶 高(初)h1'", Res, 3690, 3960, 915, 270},
    {24, "24 齿 根 高(初)", Res, 4290, 4530, 915, 270},
    {25, "25 齿 根 角(初)", Res, 4890, 5160, 915, 270},
    {26, "26 理 论  刀 号", In, 5580, -1, 915, 270},
    {27, "27 齿根角修正量", Res, 5910, -1, 915, 270},
    {28, "28 顶根高修正量", Res, 6233, -1, 915, 270},
    {31, "31 齿   全   高", Res, 300, -1, 915, 255},
    {32, "32 齿   根   角", Res, 609, 870, 915, 270},
    {33, "33 齿   顶   高", Res, 1227, 1500, 915, 270},
    {34, "34 齿   根   高", Res, 1845, 2100, 915, 270},
    {35, "35 节 圆  直 径", Res, 2463, 2730, 915, 270},
    {36, "36 节   锥   角", Res, 3081, 3330, 915, 270},
    {38, "38 外   锥   角", Res, 3699, 3960, 915, 270},
    {39, "39 内   锥   角", Res, 4317, 4590, 915, 270},
    {40, "40 外 圆  直 径", Res, 4935, 5190, 915, 270},
    {41, "41 锥顶外径距离", Res, 5553, 5820, 915, 270},
    {42, "42 节圆上弦齿厚", Res, 6171, 6420, 915, 270},
};

// Caption and field columns: items 1 to 14, 15 to 28, 31 to 42.
struct Column {
    int captionLeft;
    int fieldLeft;
};
Column columnOf(int item) {
    if (item <= 14) return {210, 2100};
    if (item <= 28) return {3660, 5520};
    if (item == 36 || item == 40) return {7170, 8910};
    return {7140, 8910};
}

// A caption's room runs from its left to two pixels before its field.
constexpr int kCaptionGapTwips = 2 * kTwipsPerPixel;

QString fieldName(int item, int row) {
    const QString base = QString("Text%1").arg(item);
    return row < 0 ? base : QString("%1(%2)").arg(base).arg(row);
}

// A hand button of item 20: 405 twips square, too small for the style's own
// layout of circle, spacing and caption. It draws the circle no larger than the
// room the caption leaves and the caption one pixel after it, both centred on
// the button's height, on the sheet's grey; the whole square takes the click.
class HandButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        // The caption is shown as its key marks say ("&&" is one "&").
        const int captionWidth = fontMetrics().size(Qt::TextShowMnemonic, text()).width();
        const int gap = 1;
        const int side = std::max(
            0, std::min({style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &opt, this), height(),
                         width() - captionWidth - gap}));
        QStyleOptionButton circle = opt;
        circle.rect = QRect(0, (height() - side) / 2, side, side);
        p.drawPrimitive(QStyle::PE_IndicatorRadioButton, circle);
        const QRect captionRect(side + gap, 0, width() - side - gap, height());
        p.drawItemText(captionRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                       QPalette::WindowText);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = QRect(captionRect.left(), (height() - fontMetrics().height()) / 2, captionWidth,
                               fontMetrics().height());
            p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace

SheetA2Form::SheetA2Form(Session& session, QWidget* parent) : SheetForm(session, SheetId::A2, parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bgrColour(kSheetA2Colour));
    setPalette(pal);

    const QFont fieldFont = formFont("宋体", 9, true);
    const QFont captionFont = formFont("宋体", 10.5);
    const QFont buttonFont = formFont("宋体", 10.5);

    // A caption stands level with its field; a paired item's caption is centred
    // on its two rows. A caption wider than its room is fitted to it.
    for (const Item& it : kItems) {
        const Column col = columnOf(it.number);
        const int bottom = (it.top1 < 0 ? it.top0 : it.top1) + it.height;
        ClickLabel* label = makeLabel(
            this, QString("Label%1").arg(it.number), QString::fromUtf8(it.caption),
            QRect(col.captionLeft, it.top0, col.fieldLeft - col.captionLeft - kCaptionGapTwips, bottom - it.top0),
            captionFont);
        if (it.number == 1) connect(label, &ClickLabel::clicked, this, action("Label1"));
    }
    const Column col2 = columnOf(20);
    makeLabel(this, "Label20", QString::fromUtf8("20 螺旋方向(小大)"),
              QRect(col2.captionLeft, 2490, col2.fieldLeft - col2.captionLeft - kCaptionGapTwips, 405), captionFont);

    for (const Item& it : kItems) {
        const Column col = columnOf(it.number);
        // Result fields only show what the calculation wrote.
        const bool typed = it.kind == In;
        // A paired item has the pinion row (0) above the gear row (1).
        const bool paired = it.top1 >= 0;
        for (int row = 0; row < (paired ? 2 : 1); ++row)
            addField(fieldName(it.number, paired ? row : -1), it.kind,
                     QRect(col.fieldLeft, row == 0 ? it.top0 : it.top1, it.width, it.height), fieldFont, typed);
    }

    // Item 20: two small fields with no function, under the two hand buttons,
    // which cover them.
    addField("Text20(0)", FieldKind::Result, QRect(5520, 2545, 375, 285), fieldFont);
    addField("Text20(1)", FieldKind::Result, QRect(6090, 2550, 345, 285), fieldFont);
    const QFont optionFont = formFont("宋体", 9);
    auto makeOption = [&](const char* name, int left) {
        auto* o = new HandButton(this);
        o->setObjectName(name);
        o->setGeometry(twipsRect(left, 2490, 405, 405));
        o->setFont(optionFont);
        // Opaque, so the small field beneath does not show through the caption.
        o->setBackgroundRole(QPalette::Window);
        o->setAutoFillBackground(true);
        return o;
    };
    option1_ = makeOption("Option1", 5520);
    option2_ = makeOption("Option2", 6030);
    connect(option1_, &QRadioButton::clicked, this, action("Option1"));
    connect(option2_, &QRadioButton::clicked, this, action("Option2"));

    addCheck("Check1", QString(), QRect(6510, 240, 255, 270), captionFont);
    // Check2 carries a caption, but its width leaves room for the box only.
    addCheck("Check2", "Check2", QRect(6510, 2084, 225, 270), captionFont);
    addCheck("Check3", QString(), QRect(6510, 5580, 255, 270), captionFont);

    auto* start = makeButton(this, "Command1", QString::fromUtf8("开始计算"), QRect(1920, 6720, 1365, 375), buttonFont);
    auto* restart =
        makeButton(this, "Command3", QString::fromUtf8("重新开始"), QRect(4455, 6750, 1365, 375), buttonFont);
    auto* next = makeButton(this, "Command2", QString::fromUtf8("下一步"), QRect(6990, 6720, 1365, 375), buttonFont);
    connect(start, &QPushButton::clicked, this, action("Command1"));
    connect(restart, &QPushButton::clicked, this, action("Command3"));
    connect(next, &QPushButton::clicked, this, action("Command2"));

    // Enter moves along the input chain and fills the dependent fields.
    for (const char* name : {"Text1", "Text2", "Text3", "Text5", "Text12", "Text17"})
        connect(findChild<QLineEdit*>(name), &QLineEdit::returnPressed, this,
                action((std::string(name) + ".Enter").c_str()));

    setTabChain({"Text1", "Text3", "Text5", "Text12", "Text17", "Text19", "Text20(0)", "Text26", "Command1",
                 "Command2", "Text2", "Check1", "Check2", "Text15", "Text20(1)", "Option1", "Option2", "Command3",
                 "Check3"});
    refresh();
}

void SheetA2Form::refresh() {
    SheetForm::refresh();
    const Sheet* s = sheet();
    if (!s) return;
    const QSignalBlocker quiet1(option1_);
    const QSignalBlocker quiet2(option2_);
    // A caption from a job is text: no key of its own.
    option1_->setText(menuText(QString::fromStdString(s->option1Caption)));
    option2_->setText(menuText(QString::fromStdString(s->option2Caption)));
    (s->selectedOption == 2 ? option2_ : option1_)->setChecked(true);
}

QWidget* SheetA2Form::firstFocus() const { return control("Text1"); }

}  // namespace lc::ui
