#include "app/menu_keys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <algorithm>

namespace lc::app {
namespace {

class MenuBarKeys : public QObject {
public:
    explicit MenuBarKeys(QMenuBar* bar) : QObject(bar), bar_(bar) {
        bar->installEventFilter(this);
        auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
        connect(f10, &QShortcut::activated, this, &MenuBarKeys::enter);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != bar_ || !active_) return false;
        if (e->type() == QEvent::FocusOut) {
            active_ = false;
            bar_->setActiveAction(nullptr);
            return false;
        }
        if (e->type() != QEvent::KeyPress) return false;
        const QList<QAction*> all = reachable();
        QAction* lit = bar_->activeAction();
        switch (static_cast<QKeyEvent*>(e)->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right: {
                if (all.isEmpty()) return true;
                const qsizetype step = static_cast<QKeyEvent*>(e)->key() == Qt::Key_Left ? -1 : 1;
                const qsizetype at = all.indexOf(lit);
                bar_->setActiveAction(all[(std::max<qsizetype>(at, 0) + step + all.size()) % all.size()]);
                return true;
            }
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
            case Qt::Key_Down:
                leave();
                // The command may end the program or open a window that takes
                // the focus; it runs last.
                if (lit) lit->trigger();
                return true;
            case Qt::Key_Escape:
                leave();
                return true;
            default:
                return false;
        }
    }

private:
    QList<QAction*> reachable() const {
        QList<QAction*> all;
        for (QAction* a : bar_->actions())
            if (a->isVisible() && a->isEnabled() && !a->isSeparator()) all << a;
        return all;
    }
    void enter() {
        const QList<QAction*> all = reachable();
        if (all.isEmpty()) return;
        if (!active_) previous_ = QApplication::focusWidget();
        active_ = true;
        bar_->setFocus(Qt::MenuBarFocusReason);
        bar_->setActiveAction(all.front());
    }
    void leave() {
        active_ = false;
        bar_->setActiveAction(nullptr);
        if (previous_ && previous_->isVisible())
            previous_->setFocus(Qt::MenuBarFocusReason);
        else
            bar_->clearFocus();
    }

    QMenuBar* bar_;
    QPointer<QWidget> previous_;
    bool active_ = false;
};

}  // namespace

void addMenuBarKeys(QMenuBar* bar) {
    static const std::pair<const char*, const char*> keys[] = {
        {"A1", "Ctrl+1"}, {"B1", "Ctrl+2"}, {"C", "Ctrl+3"}, {"Gljs", "Ctrl+4"}, {"Tc", "Ctrl+Q"}};
    for (const auto& [name, sequence] : keys)
        for (QAction* a : bar->actions())
            if (a->objectName() == QLatin1String(name))
                a->setShortcut(QKeySequence(QString::fromLatin1(sequence), QKeySequence::PortableText));
    new MenuBarKeys(bar);
}

}  // namespace lc::app
