// The job as a document of its own: the workbook, the job file it belongs to
// and that file's state on disk at the last open or save, whether the
// workbook differs from the file, open/save/save-as with their limits and
// reasons, the recent list, and the history of workbook steps behind 撤销 and
// 重做. The main window wires its actions and windows to it; the tests drive it
// without any window.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <string>

#include "core/workbook.h"
#include "ui/session.h"

namespace lc::ui {
class FileDialogService;
class MessageService;
}  // namespace lc::ui

namespace lc::app {

class JobDocument : public QObject, public ui::History {
    Q_OBJECT
public:
    // Questions and messages go to `messages`, file choices to `files`.
    JobDocument(ui::MessageService& messages, ui::FileDialogService& files, QObject* parent = nullptr);
    ~JobDocument() override;

    Workbook& workbook() { return wb_; }
    ui::MessageService& messages() { return *messages_; }
    ui::FileDialogService& files() { return *files_; }
    void setMessages(ui::MessageService& messages) { messages_ = &messages; }
    void setFiles(ui::FileDialogService& files) { files_ = &files; }

    // The job file, "" while the workbook is untitled.
    const QString& path() const { return path_; }
    // Whether the workbook differs from its job file; untitled, whether any
    // sheet holds more than its creation put there (an empty sheet opened and
    // left is no work to lose).
    bool isModified() const { return modified_; }

    // The history. Every change of the workbook is a step: a handler run
    // through the session, a field's typing, a change made outside (joined as
    // 更改 at the next step). Undo restores the whole workbook as it was before
    // the step (texts, lists, captions, which sheets exist and are shown, the
    // flags); it never calculates. The typing under way is a step already.
    void step(const QString& name, const std::function<void()>& change) override;
    void type(SheetId sheet, const std::string& field, const std::string& text) override;
    void typingDone() override;
    void undo();
    void redo();
    bool canUndo() const { return typing_.has_value() || stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    // The name of the step 撤销 and 重做 would take.
    QString undoText() const { return typing_ ? typing_->name : stack_.undoText(); }
    QString redoText() const { return stack_.redoText(); }
    // After the workbook changed outside any step (a tool, a test): the change
    // becomes a step of its own and the mark follows. Nothing while a step or
    // typing is under way.
    void noteChanges();

    // 保存: to the job file, else as 另存为…; 另存为… asks for the file. A
    // save to the job's own file first checks that no other program changed
    // or removed it since it was opened or saved, and asks if one did. A
    // failed save is told with its reason; true when saved.
    bool save();
    bool saveAs();
    bool saveTo(const QString& path);
    // 打开…, 新建 and 最近打开: each begins a new history. A file is read and
    // checked whole before unsaved work is asked about; a refused file is
    // told and changes nothing.
    void open();
    bool openFrom(const QString& path);
    void newJob();
    // The jobs last opened or saved, newest first, at most eight, kept in the
    // settings. One that is gone when chosen is dropped with a message.
    QStringList recentJobs() const;
    bool openRecent(const QString& path);
    // Unsaved work before it is set aside: true when saved, or the user lets
    // it go, or there is none; false when it must stay.
    bool settleUnsavedWork();
    // The program came to the front: when another program changed or removed
    // the job file meanwhile, an unchanged workbook offers to read it again;
    // unsaved work is kept and the user told, once for each change on disk.
    void checkDisk();

    // Where the file dialogs start: the folder used last, if it still exists.
    QString lastFolder() const;
    void rememberFolder(const QString& path);

signals:
    // The file or the mark changed (the title follows).
    void stateChanged();
    // What 撤销 and 重做 would take changed.
    void historyChanged();
    // The workbook was replaced (opened, new): its windows are made anew.
    void replaced();
    // Undo or redo put a former workbook in place: the windows follow it.
    void restored();

private:
    using Snapshot = std::shared_ptr<const Workbook>;
    // The file as it stands on disk: what the program last read or wrote, and
    // what it finds when it looks again.
    struct DiskState {
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        QByteArray hash;  // of its content
    };
    struct Typing {
        SheetId sheet;
        std::string field;
        QString name;
        // The field's text in the job file (none: the file has no such
        // sheet), and whether anything else differs from the file: while one
        // field is typed into, the mark follows from that field alone.
        std::optional<std::string> fileText;
        bool restDiffers;
    };

    void commit(const QString& name);
    void endTyping();
    void absorbOutsideChanges();
    void restore(const Snapshot& snapshot);
    void replace(Workbook&& wb);
    bool differsFromFile() const;
    void setModified(bool modified);
    // The one place the job's bytes are written; a failure is told.
    bool writeJob(const QString& path, const std::string& bytes);
    static DiskState onDisk(const QString& path, bool withContent);
    static DiskState stateOf(const QString& path, const QByteArray& content);
    static bool sameContent(const DiskState& a, const DiskState& b);
    bool changedOnDisk() const;
    bool isJobFile(const QString& path) const;
    void rememberRecentJob(const QString& path);
    void setRecentJobs(const QStringList& paths);

    ui::MessageService* messages_;
    ui::FileDialogService* files_;
    Workbook wb_;
    Snapshot current_;  // the workbook after the last step
    Snapshot saved_;    // the job file's workbook; none while untitled
    QUndoStack stack_;
    std::optional<Typing> typing_;
    bool inStep_ = false;
    bool modified_ = false;
    QString path_;
    DiskState disk_;
    std::optional<DiskState> told_;  // the change on disk the user was told of
    bool checking_ = false;
};

}  // namespace lc::app
