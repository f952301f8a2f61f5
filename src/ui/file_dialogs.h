// Every file the program asks the user for goes through one service: the
// system's file dialogs, or in the tests a stand-in that answers at once.
#pragma once

#include <QString>

class QWidget;

namespace lc::ui {

class FileDialogService {
public:
    explicit FileDialogService(QWidget* owner) : owner_(owner) {}
    virtual ~FileDialogService() = default;

    // The file to write, chosen starting at `suggested`; a name chosen without
    // an extension gets `suffix` (the dialog's own default, so its question
    // before replacing a file covers such a name). "" when cancelled. The
    // dialog stands over `over`, else over the owner.
    QString saveFile(const QString& title, const QString& suggested, const QString& filter, const QString& suffix,
                     QWidget* over = nullptr);
    // The file to read, chosen starting in `folder`; "" when cancelled.
    virtual QString openFile(const QString& title, const QString& folder, const QString& filter);

protected:
    virtual QString chooseSaveFile(const QString& title, const QString& suggested, const QString& filter,
                                   const QString& suffix, QWidget* over);

private:
    QWidget* owner_;
};

}  // namespace lc::ui
