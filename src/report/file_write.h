// Every file the program and its tools write goes through here, whole or not
// at all: the job, the PDF, the CSV, the sketch's PNG and PDF, the output of
// lingchuan-report. The bytes are made in memory first (a PDF painted into a
// QBuffer), then written beside the target and renamed over it only once every
// write and the final flush succeeded; a failure leaves the old file as it was
// and no temporary file behind, and says why in the program's words.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QFileDevice;

namespace lc::report {

struct WriteResult {
    bool written = false;  // the file holds exactly the bytes given
    // Whatever was at the path before is as it was. False only after a failed
    // write in place: where the folder refuses a new file for lack of
    // permission but the file itself may be written (a shared folder), the
    // file is written directly, and a failure may leave it incomplete.
    bool oldFileIntact = true;
    bool hadOldFile = false;  // a regular file was at the path before
    // Why it failed, in Chinese, without the path: "磁盘已满" (from the system's
    // error, never guessed), "没有在这个文件夹中建立文件的权限", "这是一个文件夹，
    // 不是文件", …; the system's own words, where no reason of ours fits, after
    // ours and marked as such.
    QString reason;
    // The reason and what became of the old file, as the end of a message:
    // "磁盘已满。原来的文件没有改动。", "…。原来的文件可能已不完整。"; only the
    // reason and its full stop when there was no old file.
    QString explanation() const;
};

// Writes `bytes` to the file at `path` completely or not at all. A path that
// is a device or a pipe (not a regular file, not a folder) is written to as
// it is.
WriteResult writeFileWhole(const QString& path, QByteArrayView bytes);

// Whether `path` names its file as the system does. Where the system names
// files in bytes (not Windows), a name that is not valid UTF-8 (a GBK name from
// an archive) reaches the program with U+FFFD in place of the bytes it cannot
// decode: no QString names that file, and the decoded name would read or write
// another. Such a path is refused unless a file of exactly that name exists;
// writeFileWhole refuses it with kUnrepresentableName.
bool nameRepresentable(const QString& path);
inline const char* const kUnrepresentableName = "文件名不是有效的UTF-8，无法表示，请先改名";

// Why `file` could not be opened for reading or read, in the program's words;
// the system's own only where none of ours fits.
QString readReason(const QFileDevice& file);

// The bytes to standard output, every write and the flush checked.
WriteResult writeStandardOutput(QByteArrayView bytes);

// A path as a one-line message shows it: native separators, control and
// invisible characters (bidi controls, zero-width characters, line
// separators) as \xNN and \uXXXX, so a name cannot break or reorder the line.
QString shownPath(const QString& path);

}  // namespace lc::report
