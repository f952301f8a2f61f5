// The form kit: what every window of the program is built from. Positions and
// sizes come in twips (15 to a pixel), colours as 0x00BBGGRR, fonts by their
// form names and point sizes; the kit turns them into widgets.
#pragma once

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QString>
#include <cstdint>

namespace lc::ui {

inline constexpr int kTwipsPerPixel = 15;
// The program's title, in the title bar of every message box.
inline const char* const kProgramTitle = "翎川";

// Colours in the 0x00BBGGRR form the forms use: red is the last byte.
inline constexpr std::uint32_t kInputColour = 0x00C0FFC0;   // light green
inline constexpr std::uint32_t kResultColour = 0x0080C0FF;  // light orange
inline constexpr std::uint32_t kSheetA2Colour = 0x00C0C0C0; // light grey

// Twips to pixels, to the nearest pixel (halves away from zero).
int px(double twips);
QRect twipsRect(int left, int top, int width, int height);
QSize twipsSize(int width, int height);
QColor bgrColour(std::uint32_t bgr);

// 宋体/SimSun and 隶书/LiSu map to the CJK fonts the set-up installs. Call once
// after the QApplication exists.
void installFontSubstitutions();
// A form font: family as the form names it ("宋体", "隶书"), size in points at
// 96 dots per inch, set as a pixel size. Pixel sizes are device-independent
// like the twips-derived geometry, so text and layout scale together with the
// device pixel ratio, and a screen that reports another dots-per-inch does not
// make the text outgrow its fields.
QFont formFont(const char* family, double points, bool bold = false);

// Input: light green; Result: light orange; Plain: the default background.
enum class FieldKind { Input, Result, Plain };

// A single-line text field of a form. Programmatic writes leave the cursor at
// the start, so a field narrower than its text shows the text's beginning, and
// a text that runs on past the right edge gets a cut-off mark there (the end
// faded out under a small dark-red arrow), so that the visible digits are never
// taken for the whole number; a text scrolled so that its beginning is hidden
// (after End) gets the same mark on the left, pointing back. The tooltip holds the whole text (up to 1000
// characters, then its start and length), so that all the digits of a long
// result can be read by hovering, also over a result field that takes no
// typing, and on a second line what the item is and its unit. No length limit
// cuts what is typed. A double-click selects the whole text, sign, point and
// exponent included: a field holds one number, never words.
class Field : public QLineEdit {
    Q_OBJECT
public:
    Field(QWidget* parent, FieldKind kind);
    FieldKind kind() const { return kind_; }
    // Writes the text as the program does; an unchanged text keeps its cursor.
    void showText(const QString& text);
    // What the item is and its unit, the tooltip's second line.
    void setNote(const QString& note);
    // Why the field's text is not to be trusted ("" when it is): a dashed
    // frame inside the field's edge, dark red, that shows in greyscale too,
    // and the reason first in the tooltip. The field keeps its place and size.
    void setMistrust(const QString& reason);
    const QString& mistrust() const { return mistrust_; }
    enum class Edge { Left, Right };
    // Whether the last painting of the field drew the cut-off mark at that edge.
    bool cutMarkShown(Edge edge = Edge::Right) const { return edge == Edge::Left ? leftMarkShown_ : cutMarkShown_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void renewToolTip();
    // The room the text is laid out in, as the line edit itself computes it.
    QRect textRoom() const;
    // Whether some of the text lies beyond the left or right edge of its room
    // as the field shows it now (scrolled to its cursor).
    bool textHidden(Edge edge) const;
    void paintCutMark(Edge edge);

    FieldKind kind_;
    QString note_;
    QString mistrust_;
    bool cutMarkShown_ = false;
    bool leftMarkShown_ = false;
    // From a double-click to the button's release: the hand's tremor does
    // not shrink the whole selection.
    bool holdingWhole_ = false;
};

// The colour of the cut-off mark: dark red, readable on the input green, the
// result orange and white alike.
inline constexpr std::uint32_t kCutMarkColour = 0x000000A0;
// The colour of the frame of a field whose text is not to be trusted.
inline constexpr std::uint32_t kMistrustColour = 0x000000C0;

// Gives a field its colour; a disabled field keeps black, readable text.
void colourField(QLineEdit* field, std::uint32_t bgr);

// Narrows the letter spacing of a label whose caption is wider than the label,
// so that the caption ends inside its room at its own font size; a caption that
// fits is left alone.
void fitCaption(QLabel* label);

// A tooltip that shows the text literally, whatever it holds.
QString literalToolTip(const QString& text);

// A caption that reports clicks (a press and release over it).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool pressed_ = false;
};

// A button that Enter presses as well as the space bar.
class FormButton : public QPushButton {
    Q_OBJECT
public:
    FormButton(const QString& caption, QWidget* parent);
};

// Builders: each control gets its control name as objectName, its place in
// twips and its font. A label's caption is fitted to its width.
Field* makeField(QWidget* parent, const QString& name, FieldKind kind, const QRect& twips, const QFont& font);
ClickLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                      const QFont& font);
FormButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                       const QFont& font);
QCheckBox* makeCheck(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                     const QFont& font);

}  // namespace lc::ui
