// Every message of the program goes through one service: a modal box titled
// "翎川" with the text and a single OK button, no icon; a question has 是 and
// 否 instead, the question before work is set aside 保存, 不保存 (Alt+N) and
// 取消. Tests put a recorder in its place so that nothing waits for a click.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace lc::ui {

enum class SaveAnswer { Save, Discard, Cancel };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Returns when the user has pressed OK.
    virtual void show(const QString& text) = 0;
    // Returns true when the user answered 是. A service that cannot ask
    // answers 否, so that nothing is given up unasked.
    virtual bool ask(const QString& text) {
        (void)text;
        return false;
    }
    // Whether to save unsaved work first: 保存, 不保存 or 取消. A service that
    // cannot ask answers 取消, so that nothing is lost unasked.
    virtual SaveAnswer askToSave(const QString& text) {
        (void)text;
        return SaveAnswer::Cancel;
    }
    // A question with buttons of its own: the index of the one pressed. The
    // last is the one that gives nothing up (Enter and Esc press it); a
    // service that cannot ask answers it.
    virtual qsizetype choose(const QString& text, const QStringList& buttons) {
        (void)text;
        return buttons.size() - 1;
    }
};

class MessageBoxService : public MessageService {
public:
    explicit MessageBoxService(QWidget* owner) : owner_(owner) {}
    void show(const QString& text) override;
    bool ask(const QString& text) override;
    SaveAnswer askToSave(const QString& text) override;
    qsizetype choose(const QString& text, const QStringList& buttons) override;

private:
    QWidget* owner_;
};

}  // namespace lc::ui
