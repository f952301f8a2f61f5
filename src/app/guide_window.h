// The user guide (docs/guide.md, built into the program with its pictures) in
// a window of its own, so that it can stay open beside the main window while
// the sheets are filled in.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace lc::app {

class GuideWindow : public QWidget {
    Q_OBJECT
public:
    GuideWindow();
    // Shows the window, the first time just right of `beside` (left of it
    // where the screen has no room on the right), and brings it to the front.
    void present(const QWidget& beside);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
    bool placed_ = false;
};

}  // namespace lc::app
