// The user guide (docs/guide.md, built into the program with its pictures) in
// a window of its own, so that it can stay open beside the main window while
// the sheets are filled in.
#pragma once

#include <QMargins>
#include <QRect>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace lc::app {

class GuideWindow : public QWidget {
    Q_OBJECT
public:
    GuideWindow();
    // Shows the window, the first time just right of `beside` (left of it
    // where the screen has no room on the right), and brings it to the front.
    void present(const QWidget& beside);
    // Shows the window alone (`lingchuan --guide`), centred on the screen.
    void presentAlone();
    QTextBrowser* browser() const { return browser_; }
    // Ctrl+F: the find bar under the text; Enter finds the next place (from
    // the top again after the last), Shift+Enter the one before, Esc closes it.
    QLineEdit* findField() const { return find_; }
    bool findNext(bool backward = false);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Every heading becomes a place the table of contents can link to, named
    // as the guide's own links name it: its text in lower case, blanks as
    // hyphens, punctuation left out ("#9-保存打开和复制").
    void nameHeadings();
    // Pictures wider than the text's room are shown narrowed to it.
    void fitPictures();
    // Gives the window the frame `frame`, brought inside the screen's room
    // `avail`; the frame's own widths are taken as `guess` until the window
    // system tells them, and the frame is checked again then.
    void place(const QRect& frame, const QRect& avail, const QMargins& guess);

    QTextBrowser* browser_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLineEdit* find_ = nullptr;
    QLabel* notFound_ = nullptr;
    bool placed_ = false;
    QRect avail_;
    bool refit_ = false;
};

}  // namespace lc::app
