#include "app/job_document.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <exception>
#include <new>

#include "app/places.h"
#include "core/jobfile.h"
#include "report/file_write.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace lc::app {

using report::shownPath;

namespace {

// Jobs are saved as *.lcjob, the type the package registers with the desktop;
// jobs saved earlier as *.json open as well.
const char* const kFilter = "翎川计算文件 (*.lcjob *.json);;所有文件 (*)";

const char* const kRecentKey = "jobs/recent";
constexpr qsizetype kRecentCount = 8;
// Each step keeps a whole workbook: at most this many steps are kept.
constexpr int kUndoLimit = 100;

// One step of the history: the whole workbook before and after it. The step
// is made before it is kept, so the first redo has nothing to do.
class Step : public QUndoCommand {
public:
    using Snapshot = std::shared_ptr<const Workbook>;
    Step(const QString& name, Snapshot before, Snapshot after, std::function<void(const Snapshot&)> restore)
        : QUndoCommand(name), before_(std::move(before)), after_(std::move(after)), restore_(std::move(restore)) {}
    void undo() override { restore_(before_); }
    void redo() override {
        if (made_) restore_(after_);
        made_ = true;
    }

private:
    Snapshot before_, after_;
    std::function<void(const Snapshot&)> restore_;
    bool made_ = false;
};

}  // namespace

JobDocument::JobDocument(ui::MessageService& messages, ui::FileDialogService& files, QObject* parent)
    : QObject(parent), messages_(&messages), files_(&files), current_(std::make_shared<const Workbook>()) {
    stack_.setUndoLimit(kUndoLimit);
    connect(&stack_, &QUndoStack::indexChanged, this, &JobDocument::historyChanged);
}

JobDocument::~JobDocument() = default;

// ---- The history ----

void JobDocument::step(const QString& name, const std::function<void()>& change) {
    // Enter in the field typed into ends its typing, which its effects join.
    if (typing_ && typing_->name == name) {
        typing_.reset();
    } else {
        endTyping();
        absorbOutsideChanges();
    }
    inStep_ = true;
    change();
    inStep_ = false;
    commit(name);
}

void JobDocument::commit(const QString& name) {
    if (!(wb_ == *current_)) {
        auto after = std::make_shared<const Workbook>(wb_);
        stack_.push(new Step(name, current_, after, [this](const Snapshot& s) { restore(s); }));
        current_ = std::move(after);
    }
    setModified(differsFromFile());
    emit historyChanged();
}

void JobDocument::type(SheetId sheet, const std::string& field, const std::string& text) {
    Sheet* s = wb_.find(sheet);
    if (!s || !s->hasField(field)) return;
    if (typing_ && (typing_->sheet != sheet || typing_->field != field)) endTyping();
    if (!typing_) {
        absorbOutsideChanges();
        // Once a field: how the rest of the workbook stands against the file.
        Typing t{sheet, field, ui::typingStepName(sheet, field), std::nullopt, true};
        const Workbook created = saved_ ? Workbook() : asCreated(wb_);
        const Workbook& file = saved_ ? *saved_ : created;
        if (const Sheet* fileSheet = file.find(sheet)) {
            t.fileText = fileSheet->text(field);
            std::string mine = s->text(field);
            s->setText(field, *t.fileText);
            t.restDiffers = !(wb_ == file);
            s->setText(field, std::move(mine));
        }
        typing_ = std::move(t);
        emit historyChanged();
    }
    s->setText(field, text);
    setModified(typing_->restDiffers || typing_->fileText != text);
}

void JobDocument::typingDone() { endTyping(); }

void JobDocument::endTyping() {
    if (!typing_) return;
    const QString name = typing_->name;
    typing_.reset();
    commit(name);
}

void JobDocument::absorbOutsideChanges() {
    if (!typing_ && !inStep_ && !(wb_ == *current_)) commit(QString::fromUtf8("更改"));
}

void JobDocument::noteChanges() {
    if (typing_ || inStep_) return;
    absorbOutsideChanges();
    setModified(differsFromFile());
}

void JobDocument::undo() {
    endTyping();
    absorbOutsideChanges();
    stack_.undo();
}

void JobDocument::redo() {
    endTyping();
    absorbOutsideChanges();
    stack_.redo();
}

void JobDocument::restore(const Snapshot& snapshot) {
    wb_ = *snapshot;
    current_ = snapshot;
    setModified(differsFromFile());
    emit restored();
}

bool JobDocument::differsFromFile() const { return saved_ ? !(wb_ == *saved_) : !(wb_ == asCreated(wb_)); }

void JobDocument::setModified(bool modified) {
    if (modified == modified_) return;
    modified_ = modified;
    emit stateChanged();
}

void JobDocument::replace(Workbook&& wb) {
    typing_.reset();
    wb_ = std::move(wb);
    stack_.clear();
    current_ = std::make_shared<const Workbook>(wb_);
    saved_ = path_.isEmpty() ? nullptr : current_;
    told_.reset();
    modified_ = differsFromFile();
    emit replaced();
    emit stateChanged();
    emit historyChanged();
}

// ---- Files ----

QString JobDocument::lastFolder() const {
    const QString folder = QSettings().value("jobs/lastFolder").toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : documentsFolder();
}

void JobDocument::rememberFolder(const QString& path) {
    QSettings().setValue("jobs/lastFolder", QFileInfo(path).absolutePath());
}

QStringList JobDocument::recentJobs() const {
    // However many a hand-edited settings file holds.
    return QSettings().value(kRecentKey).toStringList().mid(0, kRecentCount);
}

void JobDocument::setRecentJobs(const QStringList& paths) { QSettings().setValue(kRecentKey, paths); }

void JobDocument::rememberRecentJob(const QString& path) {
    // One entry a file, however it was named.
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList paths = recentJobs();
    paths.removeIf([&](const QString& p) { return QFileInfo(p) == QFileInfo(absolute); });
    paths.prepend(absolute);
    setRecentJobs(paths.mid(0, kRecentCount));
}

bool JobDocument::openRecent(const QString& path) {
    if (const QFileInfo info(path); !info.isFile()) {
        QStringList paths = recentJobs();
        paths.removeAll(path);
        setRecentJobs(paths);
        messages_->show("文件“" + shownPath(path) + "”" +
                        (info.exists() ? "不是普通文件（而是文件夹、设备或管道）" : "已不存在（已被移动、改名或删除）") +
                        "，已从“最近打开”中去掉。");
        return false;
    }
    return openFrom(path);
}

bool JobDocument::save() { return path_.isEmpty() ? saveAs() : saveTo(path_); }

bool JobDocument::saveAs() {
    const QString name = path_.isEmpty() ? QString("计算单.lcjob") : QFileInfo(path_).fileName();
    const QString path = files_->saveFile("另存为", QDir(lastFolder()).filePath(name), kFilter, "lcjob");
    if (path.isEmpty()) return false;
    rememberFolder(path);
    return saveTo(path);
}

void JobDocument::open() {
    const QString path = files_->openFile("打开", lastFolder(), kFilter);
    if (path.isEmpty()) return;
    rememberFolder(path);
    openFrom(path);
}

bool JobDocument::isJobFile(const QString& path) const {
    return !path_.isEmpty() && QDir::cleanPath(QFileInfo(path).absoluteFilePath()) ==
                                   QDir::cleanPath(QFileInfo(path_).absoluteFilePath());
}

bool JobDocument::saveTo(const QString& path) {
    endTyping();
    absorbOutsideChanges();
    if (!wb_.hasSheets()) {
        messages_->show("没有打开的计算单，无可保存的内容。");
        return false;
    }
    std::string bytes;
    try {
        bytes = writeJobFile(wb_);
    } catch (const DocumentError& e) {
        // What could not be opened again is not written.
        messages_->show("无法保存文件“" + shownPath(path) + "”：\n" + QString::fromStdString(documentErrorMessage(e)) +
                        "\n这样的文件将无法再打开。" + (QFileInfo::exists(path) ? "原来的文件没有改动。" : ""));
        return false;
    } catch (const std::exception& e) {
        messages_->show("无法保存文件“" + shownPath(path) + "”：" + QString::fromStdString(e.what()));
        return false;
    }
    // Another program's work in the job's own file is not overwritten unasked.
    if (isJobFile(path) && changedOnDisk()) {
        const QString what = onDisk(path, false).exists ? "修改" : "删除或移走";
        const qsizetype answer = messages_->choose(
            "文件“" + shownPath(path) + "”已被其他程序" + what + "（在本程序打开或上次保存它之后）。\n"
                "覆盖：保存窗口中的计算单，替换其他程序的改动；另存为…：存为另一个文件；取消：不保存。",
            {"覆盖", "另存为…", "取消"});
        if (answer == 1) return saveAs();
        if (answer != 0) return false;
    }
    if (!writeJob(path, bytes)) return false;
    path_ = path;
    disk_ = stateOf(path, QByteArray::fromStdString(bytes));
    told_.reset();
    saved_ = current_;
    rememberRecentJob(path);
    modified_ = false;
    emit stateChanged();
    return true;
}

bool JobDocument::writeJob(const QString& path, const std::string& bytes) {
    const report::WriteResult r = report::writeFileWhole(path, bytes);
    if (!r.written) messages_->show("无法保存文件“" + shownPath(path) + "”：" + r.explanation());
    return r.written;
}

bool JobDocument::openFrom(const QString& path) {
    const auto refuse = [&](const QString& why) {
        messages_->show("无法打开文件“" + shownPath(path) + "”：\n" + why + "\n当前的计算单没有改动。");
        return false;
    };
    // Only a regular file is read: a device never ends, a pipe may never
    // open. However large a file says it is, no more than the limit is read.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return refuse("这不是普通文件（而是文件夹、设备或管道），不是翎川的计算文件。");
    if (!report::nameRepresentable(path)) return refuse(QString(report::kUnrepresentableName) + "。");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(report::readReason(file) + "。");
    const QByteArray bytes = file.read(static_cast<qint64>(kJobFileLimits.bytes) + 1);
    if (file.error() != QFileDevice::NoError) return refuse(report::readReason(file) + "。");
    if (bytes.trimmed().isEmpty()) return refuse("文件是空的。");

    Document doc;
    try {
        doc = readJobFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const DocumentError& e) {
        return refuse(QString::fromStdString(documentErrorMessage(e)));
    } catch (const std::bad_alloc&) {
        return refuse("内存不足，无法读入。");
    }
    if (!doc.actions.empty())
        return refuse("位置：actions\n这是批处理工具的输入文档，含有待执行的操作；请先用 lingchuan-calc run 执行，再打开其结果。");

    // The file is read and checked: the work in hand is saved or let go.
    if (!settleUnsavedWork()) return false;
    path_ = path;
    disk_ = stateOf(path, bytes);
    rememberRecentJob(path);
    replace(std::move(doc.workbook));
    return true;
}

void JobDocument::newJob() {
    if (!settleUnsavedWork()) return;
    path_.clear();
    replace(Workbook());
}

bool JobDocument::settleUnsavedWork() {
    endTyping();
    noteChanges();
    // With no sheet left there is nothing that could be saved.
    if (!modified_ || !wb_.hasSheets()) return true;
    const QString name = path_.isEmpty() ? QString("计算单") : "“" + shownPath(QFileInfo(path_).fileName()) + "”";
    switch (messages_->askToSave(name + "有未保存的改动。\n是否先保存？")) {
        case ui::SaveAnswer::Save: return save();
        case ui::SaveAnswer::Discard: return true;
        case ui::SaveAnswer::Cancel: break;
    }
    return false;
}

// ---- The file on disk ----

JobDocument::DiskState JobDocument::stateOf(const QString& path, const QByteArray& content) {
    DiskState state = onDisk(path, false);
    state.hash = QCryptographicHash::hash(content, QCryptographicHash::Sha256);
    return state;
}

JobDocument::DiskState JobDocument::onDisk(const QString& path, bool withContent) {
    const QFileInfo info(path);
    DiskState state;
    if (!info.isFile()) return state;
    state.exists = true;
    state.size = info.size();
    state.modified = info.lastModified();
    if (!withContent) return state;
    // A job is at most the limit; a larger file differs in its size already.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        state.hash = QCryptographicHash::hash(file.read(static_cast<qint64>(kJobFileLimits.bytes) + 1),
                                              QCryptographicHash::Sha256);
    return state;
}

bool JobDocument::sameContent(const DiskState& a, const DiskState& b) {
    return a.exists == b.exists && a.size == b.size && a.hash == b.hash;
}

bool JobDocument::changedOnDisk() const { return !sameContent(onDisk(path_, true), disk_); }

void JobDocument::checkDisk() {
    if (path_.isEmpty() || checking_) return;
    // The size and time tell at once that nothing happened; the content
    // decides otherwise (a file touched but not changed is the same file).
    const DiskState quick = onDisk(path_, false);
    if (quick.exists == disk_.exists && quick.size == disk_.size && quick.modified == disk_.modified) return;
    const DiskState now = onDisk(path_, true);
    if (sameContent(now, disk_)) {
        disk_.modified = now.modified;
        return;
    }
    if (told_ && sameContent(*told_, now)) return;
    told_ = now;
    checking_ = true;
    const QString file = "文件“" + shownPath(path_) + "”";
    if (!now.exists)
        messages_->show(file + "已被其他程序删除或移走。\n窗口中的计算单仍然保留；保存时将询问。");
    else if (modified_)
        messages_->show(file + "已被其他程序修改。\n窗口中未保存的改动仍然保留；保存时将询问是否覆盖。");
    else if (messages_->ask(file + "已被其他程序修改。\n是否重新读入？"))
        openFrom(path_);
    checking_ = false;
}

}  // namespace lc::app
