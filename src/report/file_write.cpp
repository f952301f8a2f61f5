#include "report/file_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <initializer_list>

#include "core/quote.h"

namespace lc::report {
namespace {

// The system's error codes behind the reasons we name. Qt words a failed
// call with the system's text for its error code (qt_error_string of errno,
// or of GetLastError on Windows), so the text tells the code back.
#ifdef Q_OS_WIN
const std::initializer_list<int> kDiskFull{112, 39};  // ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL
const std::initializer_list<int> kNoPermission{5};    // ERROR_ACCESS_DENIED
const std::initializer_list<int> kReadOnlyDisk{19};   // ERROR_WRITE_PROTECT
const std::initializer_list<int> kNotFound{2, 3};     // ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND
#else
const std::initializer_list<int> kDiskFull{ENOSPC, EDQUOT};
const std::initializer_list<int> kNoPermission{EACCES, EPERM};
const std::initializer_list<int> kReadOnlyDisk{EROFS};
const std::initializer_list<int> kNotFound{ENOENT};
#endif

bool systemSays(const QFileDevice& file, std::initializer_list<int> codes) {
    for (const int code : codes)
        if (file.errorString() == qt_error_string(code)) return true;
    return false;
}

// Why `file` failed, in the program's words; the system's own only where
// none of ours fits.
QString reasonFor(const QFileDevice& file, const QFileInfo& target) {
    if (systemSays(file, kDiskFull)) return "磁盘已满";
    if (systemSays(file, kReadOnlyDisk)) return "磁盘或文件夹是只读的";
    if (systemSays(file, kNoPermission) || file.error() == QFileDevice::PermissionsError)
        return target.exists() ? "没有写入这个文件的权限" : "没有在这个文件夹中建立文件的权限";
    return "无法写入（系统的说明：" + file.errorString() + "）";
}

WriteResult failed(WriteResult r, const QString& reason) {
    r.written = false;
    r.reason = reason;
    return r;
}

// Files are written past Qt's buffer: its flush would report a write the
// system took only part of (the last free page of a full disk) as an error
// without a reason. Unbuffered, a write the system took only part of is
// written on, and the rest fails with the system's reason.
constexpr QIODevice::OpenMode kWriting = QIODevice::WriteOnly | QIODevice::Unbuffered;

// Every byte, then the flush, each checked.
bool writeAll(QFileDevice& file, QByteArrayView bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<qsizetype>(n);
    }
    return file.flush();
}

// A device, a pipe or standard output has no old contents to keep: written
// to as it is, and closed (which flushes once more) checked too.
WriteResult writeInPlace(QFile& sink, QByteArrayView bytes) {
    WriteResult r;
    r.written = writeAll(sink, bytes);
    if (!r.written) r.reason = reasonFor(sink, QFileInfo(sink.fileName()));
    sink.close();
    if (r.written && sink.error() != QFileDevice::NoError) return failed(r, reasonFor(sink, QFileInfo(sink.fileName())));
    return r;
}

}  // namespace

QString WriteResult::explanation() const {
    if (written) return {};
    QString out = reason + "。";
    if (hadOldFile) out += oldFileIntact ? "原来的文件没有改动。" : "原来的文件可能已不完整。";
    return out;
}

WriteResult writeFileWhole(const QString& path, QByteArrayView bytes) {
    WriteResult r;
    const QFileInfo target(path);
    r.hadOldFile = target.isFile();
    if (!nameRepresentable(path)) return failed(r, kUnrepresentableName);
    if (target.isDir()) return failed(r, "这是一个文件夹，不是文件");
    if (target.exists() && !target.isFile()) {
        QFile sink(path);
        if (!sink.open(kWriting)) return failed(r, reasonFor(sink, target));
        return writeInPlace(sink, bytes);
    }
    if (!QFileInfo(target.absolutePath()).isDir()) return failed(r, "文件夹不存在");
    if (r.hadOldFile && !target.isWritable()) return failed(r, "文件是只读的，不能改写");

    QSaveFile file(path);
    bool direct = false;
    if (!file.open(kWriting)) {
        // The folder refuses a new file for lack of permission, never for a
        // full disk: an existing file that may be written is written in place.
        if (!r.hadOldFile || !systemSays(file, kNoPermission)) return failed(r, reasonFor(file, target));
        file.setDirectWriteFallback(true);
        if (!file.open(kWriting)) return failed(r, reasonFor(file, target));
        direct = true;
    }
    if (!writeAll(file, bytes)) {
        const QString why = reasonFor(file, target);
        // The temporary file goes; a file written in place is closed as far as
        // it got (an unfinished QSaveFile would delete it).
        file.cancelWriting();
        file.commit();
        r.oldFileIntact = !direct;
        return failed(r, why);
    }
    // Everything is with the system now. Some versions of Qt rename even when
    // closing failed, and then only report it: the old file is gone.
    const bool committed = file.commit();
    if (committed && file.error() == QFileDevice::NoError) {
        r.written = true;
        return r;
    }
    r.oldFileIntact = !direct && !committed;
    return failed(r, reasonFor(file, target));
}

bool nameRepresentable(const QString& path) {
#ifdef Q_OS_WIN
    (void)path;
    return true;
#else
    return !path.contains(QChar::ReplacementCharacter) || QFileInfo::exists(path);
#endif
}

QString readReason(const QFileDevice& file) {
    if (systemSays(file, kNoPermission)) return "没有读取这个文件的权限";
    if (systemSays(file, kNotFound)) return "文件不存在";
    return "无法读取（系统的说明：" + file.errorString() + "）";
}

WriteResult writeStandardOutput(QByteArrayView bytes) {
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) return failed(WriteResult{}, reasonFor(out, QFileInfo()));
    return writeInPlace(out, bytes);
}

QString shownPath(const QString& path) {
    return QString::fromStdString(visibleText(QDir::toNativeSeparators(path).toStdString(), false));
}

}  // namespace lc::report
