#include "ui/formkit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <limits>

namespace lc::ui {

int px(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QSize twipsSize(int width, int height) { return QSize(px(width), px(height)); }

QColor bgrColour(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

void installFontSubstitutions() {
    // AR PL UMing has SimSun's proportions (half-width Latin, full-width
    // Chinese), so the captions that align their text with blanks stay aligned.
    const QStringList serif{"AR PL UMing CN", "Noto Serif CJK SC", "AR PL UMing TW"};
    const QStringList brush{"AR PL UKai CN", "AR PL UKai TW", "AR PL UMing CN"};
    QFont::insertSubstitutions("宋体", serif);
    QFont::insertSubstitutions("SimSun", serif);
    QFont::insertSubstitutions("隶书", brush);
    QFont::insertSubstitutions("LiSu", brush);
}

QFont formFont(const char* family, double points, bool bold) {
    QFont f(QString::fromUtf8(family));
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(bold);
    return f;
}

Field::Field(QWidget* parent, FieldKind kind) : QLineEdit(parent), kind_(kind) {
    if (kind != FieldKind::Plain) colourField(this, kind == FieldKind::Input ? kInputColour : kResultColour);
    setTextMargins(0, 0, 0, 0);
    // A field keeps every character typed or pasted into it: the toolkit's
    // own limit would cut a long paste without a word.
    setMaxLength(std::numeric_limits<int>::max());
    // Every write, the program's or the user's, renews the tooltip.
    connect(this, &QLineEdit::textChanged, this, &Field::renewToolTip);
}

void Field::showText(const QString& text) {
    if (this->text() == text) return;
    setText(text);
    setCursorPosition(0);
}

void Field::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QLineEdit::mouseDoubleClickEvent(e);
    selectAll();
    holdingWhole_ = true;
    e->accept();
}

void Field::mouseMoveEvent(QMouseEvent* e) {
    if (!holdingWhole_) QLineEdit::mouseMoveEvent(e);
}

void Field::mouseReleaseEvent(QMouseEvent* e) {
    holdingWhole_ = false;
    QLineEdit::mouseReleaseEvent(e);
}

void Field::setNote(const QString& note) {
    note_ = note;
    renewToolTip();
}

void Field::setMistrust(const QString& reason) {
    if (reason == mistrust_) return;
    mistrust_ = reason;
    renewToolTip();
    update();
}

void Field::renewToolTip() {
    // The whole text, or the start of a text too long to show in one.
    constexpr qsizetype kLongest = 1000;
    const QString whole =
        text().size() <= kLongest ? text() : text().left(kLongest) + QString("…（共%1个字符）").arg(text().size());
    QString tip = note_.isEmpty() || whole.isEmpty() ? whole + note_ : whole + '\n' + note_;
    if (!mistrust_.isEmpty()) tip = tip.isEmpty() ? mistrust_ : mistrust_ + '\n' + tip;
    setToolTip(literalToolTip(tip));
}

QString literalToolTip(const QString& text) {
    // A tooltip is shown as rich text whenever it looks like markup: such a
    // text is escaped and marked as rich text, so that it is shown as it is,
    // blanks and line breaks included, and never loads a picture or a link.
    if (!Qt::mightBeRichText(text)) return text;
    return "<qt><p style=\"white-space:pre-wrap\">" + text.toHtmlEscaped() + "</p></qt>";
}

QRect Field::textRoom() const {
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &opt, this).marginsRemoved(textMargins());
    // The line edit keeps two pixels clear left and right, one above and below.
    return contents.adjusted(2, 1, -2, -1);
}

bool Field::textHidden(Edge edge) const {
    const QString shown = displayText();
    if (shown.isEmpty()) return false;
    const QFontMetricsF metrics(font(), this);
    // The cursor is drawn where its position lies in the scrolled line; its
    // rectangle reaches five pixels left of that place. The text starts the
    // width of what stands before the cursor left of it, and ends the width of
    // the rest right of it.
    const int at = cursorPosition();
    const qreal cursorX = cursorRect().left() + 5;
    const QRect room = textRoom();
    if (edge == Edge::Left) return cursorX - metrics.horizontalAdvance(shown.left(at)) < room.left() - 0.5;
    return cursorX + metrics.horizontalAdvance(shown.mid(at)) > room.right() + 1;
}

void Field::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    cutMarkShown_ = textHidden(Edge::Right);
    leftMarkShown_ = textHidden(Edge::Left);
    if (cutMarkShown_) paintCutMark(Edge::Right);
    if (leftMarkShown_) paintCutMark(Edge::Left);
    if (!mistrust_.isEmpty()) {
        QPainter p(this);
        QPen pen(bgrColour(kMistrustColour), 2, Qt::DashLine);
        p.setPen(pen);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void Field::paintCutMark(Edge edge) {
    // The visible text fades into the field's own background towards the
    // edge, and a small arrow stands over the faded part, pointing on past it.
    const QRectF room = textRoom();
    const qreal arrow = std::max(4.0, std::round(room.height() * 0.36));
    const bool left = edge == Edge::Left;
    // The text is drawn up to the inner edge of the frame, two pixels beyond
    // its room: the fade covers those too.
    const qreal outer = left ? room.left() - 2 : room.right() + 3;
    const qreal inner = left ? outer + 3 * arrow + 2 : outer - 3 * arrow - 2;
    const QRectF fade(QPointF(std::min(outer, inner), room.top() - 1),
                      QPointF(std::max(outer, inner), room.bottom() + 1));
    const QPalette::ColorGroup group =
        !isEnabled() ? QPalette::Disabled : (isActiveWindow() ? QPalette::Active : QPalette::Inactive);
    const QColor base = palette().color(group, QPalette::Base);
    QColor clear = base;
    clear.setAlpha(0);
    QLinearGradient gradient(QPointF(inner, 0), QPointF(outer, 0));
    gradient.setColorAt(0, clear);
    gradient.setColorAt(0.45, base);
    gradient.setColorAt(1, base);

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(fade, gradient);
    const qreal middle = room.center().y();
    // The arrow's point one pixel inside the room's edge.
    const qreal tip = left ? room.left() : room.right();
    const qreal back = left ? tip + arrow : tip - arrow;
    QPainterPath head;
    head.moveTo(back, middle - arrow);
    head.lineTo(tip, middle);
    head.lineTo(back, middle + arrow);
    head.closeSubpath();
    p.fillPath(head, bgrColour(kCutMarkColour));
}

void colourField(QLineEdit* field, std::uint32_t bgr) {
    QPalette p = field->palette();
    const QColor back = bgrColour(bgr);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, back);
        p.setColor(group, QPalette::Text, Qt::black);
    }
    field->setPalette(p);
}

void fitCaption(QLabel* label) {
    const QString caption = label->text();
    const qreal room = label->contentsRect().width();
    QFont font = label->font();
    const qreal advance = QFontMetricsF(font, label).horizontalAdvance(caption);
    if (advance <= room || caption.size() < 2) return;
    // The spacing is added after every character; shave a tenth of a pixel more
    // until the metrics agree.
    qreal spacing = -(advance - room) / caption.size();
    for (int i = 0; i < 20; ++i, spacing -= 0.1) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        if (QFontMetricsF(font, label).horizontalAdvance(caption) <= room) break;
    }
    label->setFont(font);
}

void ClickLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pressed_ = true;
    QLabel::mousePressEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(e);
    if (click) emit clicked();
}

FormButton::FormButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    // Outside a dialog an auto-default button takes Enter as a press.
    setAutoDefault(true);
}

namespace {

// Gives a new control its control name, its place (twips) and its font.
template <typename W>
W* place(W* w, const QString& name, const QRect& twips, const QFont& font) {
    w->setObjectName(name);
    w->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    w->setFont(font);
    return w;
}

}  // namespace

Field* makeField(QWidget* parent, const QString& name, FieldKind kind, const QRect& twips, const QFont& font) {
    return place(new Field(parent, kind), name, twips, font);
}

ClickLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                      const QFont& font) {
    auto* l = place(new ClickLabel(caption, parent), name, twips, font);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setTextFormat(Qt::PlainText);
    fitCaption(l);
    return l;
}

FormButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                       const QFont& font) {
    return place(new FormButton(caption, parent), name, twips, font);
}

QCheckBox* makeCheck(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                     const QFont& font) {
    return place(new QCheckBox(caption, parent), name, twips, font);
}

}  // namespace lc::ui
