#include "app/guide_window.h"

#include "app/about.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace lc::app {
namespace {

// The guide as the resource file of src/app/CMakeLists.txt places it; its
// pictures lie beside it and are found by their relative names.
const char* const kGuideUrl = "qrc:/guide/guide.md";
constexpr int kGuideWidth = 760;
constexpr int kGuideMinWidth = 480;

QString headingName(const QString& heading) {
    QString name;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == '-' || c == '_')
            name += c;
        else if (c.isSpace())
            name += '-';
    }
    return name;
}

// The find field: Enter and Shift+Enter search, Esc hands back to the text.
class FindField : public QLineEdit {
public:
    FindField(QWidget* parent, std::function<void(bool)> find, std::function<void()> close)
        : QLineEdit(parent), find_(std::move(find)), close_(std::move(close)) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
            find_(e->modifiers() & Qt::ShiftModifier);
        else if (e->key() == Qt::Key_Escape)
            close_();
        else
            QLineEdit::keyPressEvent(e);
    }

private:
    std::function<void(bool)> find_;
    std::function<void()> close_;
};

// The frame's widths around the window's inside; none until the window
// system has framed it.
QMargins frameMargins(const QWidget& w) {
    const QRect frame = w.frameGeometry(), inside = w.geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

// A frame no larger than the room and moved inside it.
QRect within(QRect frame, const QRect& room) {
    frame.setSize(frame.size().boundedTo(room.size()));
    frame.moveLeft(std::clamp(frame.left(), room.left(), room.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), room.top(), room.bottom() + 1 - frame.height()));
    return frame;
}

}  // namespace

GuideWindow::GuideWindow() : QWidget(nullptr, Qt::Window) {
    setObjectName("GuideWindow");
    setWindowTitle(QString::fromUtf8("翎川 用户指南"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("GuideText");
    // The browser would load the guide anew for a link into it, losing the
    // headings' names: links within the guide scroll, others go to the desktop.
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.adjusted(QUrl::RemoveFragment) == browser_->source().adjusted(QUrl::RemoveFragment))
            browser_->scrollToAnchor(url.fragment(QUrl::FullyDecoded));
        else
            QDesktopServices::openUrl(url);
    });
    browser_->setSource(QUrl(QString::fromLatin1(kGuideUrl)), QTextDocument::MarkdownResource);
    nameHeadings();
    browser_->viewport()->installEventFilter(this);
    // The text's own menu (copy, select all) and 关于翎川.
    browser_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(browser_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = browser_->createStandardContextMenu(pos);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        QAction* about = menu->addAction("关于翎川");
        about->setObjectName("About");
        connect(about, &QAction::triggered, this, [this] { AboutDialog(this).exec(); });
        menu->popup(browser_->viewport()->mapToGlobal(pos));
    });

    findBar_ = new QWidget(this);
    find_ = new FindField(
        findBar_, [this](bool backward) { findNext(backward); },
        [this] {
            findBar_->hide();
            browser_->setFocus();
        });
    find_->setObjectName("GuideFind");
    find_->setClearButtonEnabled(true);
    notFound_ = new QLabel(QString::fromUtf8("找不到"), findBar_);
    notFound_->setStyleSheet("color: #a00000");
    notFound_->hide();
    auto* bar = new QHBoxLayout(findBar_);
    bar->setContentsMargins(6, 3, 6, 3);
    bar->addWidget(new QLabel(QString::fromUtf8("查找："), findBar_));
    bar->addWidget(find_, 1);
    bar->addWidget(notFound_);
    findBar_->hide();
    connect(find_, &QLineEdit::textEdited, this, [this] {
        // Typing searches on from where the last find began.
        QTextCursor c = browser_->textCursor();
        c.setPosition(c.selectionStart());
        browser_->setTextCursor(c);
        findNext();
    });
    auto* openFind = new QShortcut(QKeySequence::Find, this);
    connect(openFind, &QShortcut::activated, this, [this] {
        findBar_->show();
        find_->setFocus();
        find_->selectAll();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(browser_, 1);
    layout->addWidget(findBar_);
    resize(kGuideWidth, 700);
}

bool GuideWindow::findNext(bool backward) {
    const QString wanted = find_->text();
    bool found = wanted.isEmpty();
    if (!found) {
        const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
        found = browser_->find(wanted, flags);
        if (!found) {
            // Round again from the other end.
            QTextCursor c = browser_->textCursor();
            c.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
            browser_->setTextCursor(c);
            found = browser_->find(wanted, flags);
        }
    }
    notFound_->setVisible(!found);
    return found;
}

void GuideWindow::nameHeadings() {
    QTextDocument* doc = browser_->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() == 0) continue;
        QTextCursor c(b);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setAnchor(true);
        f.setAnchorNames({headingName(b.text())});
        c.mergeCharFormat(f);
    }
}

void GuideWindow::fitPictures() {
    QTextDocument* doc = browser_->document();
    const qreal room = browser_->viewport()->width() - 2 * doc->documentMargin() - 4;
    std::vector<std::pair<QTextFragment, QTextImageFormat>> pictures;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                pictures.emplace_back(it.fragment(), it.fragment().charFormat().toImageFormat());
    for (auto& [fragment, picture] : pictures) {
        // The pictures lie beside the guide among the resources.
        const QUrl at = browser_->source().resolved(QUrl(picture.name()));
        const QSize natural = QImageReader(':' + at.path()).size();
        if (!natural.isValid() || room <= 0) continue;
        const qreal width = std::min<qreal>(natural.width(), room);
        if (picture.width() == width) continue;
        picture.setWidth(width);
        picture.setHeight(natural.height() * width / natural.width());
        QTextCursor c(doc);
        c.setPosition(fragment.position());
        c.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        c.setCharFormat(picture);
    }
}

bool GuideWindow::eventFilter(QObject* watched, QEvent* e) {
    // The text's room changes with the window and with its scroll bar.
    if (watched == browser_->viewport() && e->type() == QEvent::Resize) fitPictures();
    return QWidget::eventFilter(watched, e);
}

void GuideWindow::present(const QWidget& beside) {
    if (!placed_) {
        placed_ = true;
        const QRect main = beside.frameGeometry();
        const QScreen* screen = beside.screen() ? beside.screen() : QGuiApplication::primaryScreen();
        const QRect avail = screen ? screen->availableGeometry() : main.adjusted(0, 0, kGuideWidth, 0);
        // Beside the main window on the side with more room, narrowed to that
        // room; where neither side has enough, against the screen's right
        // edge, over part of the main window. All of it frame measures.
        const int roomRight = avail.right() - main.right();
        const int roomLeft = main.left() - avail.left();
        int left = 0, width = kGuideWidth;
        if (std::max(roomRight, roomLeft) >= kGuideMinWidth) {
            width = std::min(kGuideWidth, std::max(roomRight, roomLeft));
            left = roomRight >= roomLeft ? main.right() + 1 : main.left() - width;
        } else {
            width = std::min(kGuideWidth, avail.width());
            left = avail.right() + 1 - width;
        }
        // The main window's frame stands for the guide's until the window
        // system has framed the guide itself.
        place(QRect(left, main.top(), width, std::max(main.height(), 600)), avail, frameMargins(beside));
    }
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void GuideWindow::presentAlone() {
    placed_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        QRect frame(0, 0, std::min(kGuideWidth, avail.width()), std::min(800, avail.height() * 9 / 10));
        frame.moveCenter(avail.center());
        place(frame, avail, {});
    }
    show();
}

void GuideWindow::place(const QRect& frame, const QRect& avail, const QMargins& guess) {
    avail_ = avail;
    refit_ = true;
    setGeometry(within(frame, avail).marginsRemoved(guess));
}

bool GuideWindow::event(QEvent* e) {
    // On X11 the frame is known only once the window manager has put it
    // around the shown window, by its first paint: the frame, find bar at its
    // foot, is then brought inside the screen's room, once.
    const QEvent::Type type = e->type();
    if (refit_ && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Paint) &&
        !frameMargins(*this).isNull()) {
        refit_ = false;
        QMetaObject::invokeMethod(
            this,
            [this] {
                const QRect inside = within(frameGeometry(), avail_);
                if (inside != frameGeometry()) setGeometry(inside.marginsRemoved(frameMargins(*this)));
            },
            Qt::QueuedConnection);
    }
    return QWidget::event(e);
}

}  // namespace lc::app
