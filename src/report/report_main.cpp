// lingchuan-report: the printed calculation sheet of a job file as a PDF,
// without a display.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "console/console.h"
#include "core/jobfile.h"
#include "core/quote.h"
#include "report/blank_dxf.h"
#include "report/file_write.h"
#include "report/page.h"
#include "report/sketch.h"

namespace {

constexpr int kOk = 0;
constexpr int kInternal = 1;
constexpr int kBadInput = 2;

const char* const kHelp = R"HELP(用法：
  lingchuan-report 计算文件.lcjob -o 输出.pdf
  lingchuan-report - -o 输出.pdf           （从标准输入读计算文件）
  lingchuan-report 计算文件.lcjob -o -     （PDF写到标准输出）
  lingchuan-report -o 输出.pdf -- -计算文件.lcjob （“--”之后的都是文件名）
  lingchuan-report --dxf 输出.dxf 计算文件.lcjob
  lingchuan-report --help | --version

把计算文件（程序保存的 .lcjob 或较早的 .json 文件，或 lingchuan-calc run 的
输出）的计算单写成PDF：文件中的每张计算单一页A4，按A2、B1、C、挂轮计算的
顺序，挂轮结果多时页数随之增加；与程序打印的页面相同，字体嵌入文件中。

  lingchuan-calc run < in.lcjob | lingchuan-report - -o out.pdf

计算文件按程序打开它的方式读取：普通文件（或标准输入），不超过1 MiB，每栏
文字不超过10000个字符，挂轮结果不超过10001行。含有待执行操作（"actions"）
的文件不接受，请先用 lingchuan-calc run 执行。输出.pdf只在PDF完整时才替换，
写不成（磁盘已满、没有权限、只读文件、文件夹）时原来的文件不变；输出.pdf就是
计算文件本身（也包括标准输入所读的文件）时拒绝；设备或管道直接写入。名称不是
有效UTF-8的文件（如GBK编码的名称）无法表示，拒绝而不改名。

--dxf 把计算单A2的齿坯示意图写成DXF文件（AutoCAD 2000格式），代替PDF：大小轮的
轴截面，1:1，单位mm，锥顶在原点，小轮轴线沿X、大轮轴线沿Y；图层“轮廓”“中心线”
“尺寸”“文字”；尺寸文字就是计算单上的数字，标题栏有计算文件的属性。计算单A2
尚未计算或数值无法出图时，标准错误上是示意图的那一行说明，退出状态2，不写文件。

退出状态：0 表示文件已写出；2 表示计算文件或用法有错，标准错误上有一行说明
错在哪里，不写文件；1 表示文件无法写出，标准错误上有一行说明原因。
)HELP";

std::filesystem::path fsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

int fail(int status, const std::string& what) {
    std::cerr << "lingchuan-report: " << what << "\n";
    return status;
}

std::string utf8(const QString& s) { return s.toStdString(); }

// A path in a message: control and bidi characters escaped, so that a name
// can neither break the line nor colour or reorder the terminal.
std::string shown(const QString& path) { return utf8(lc::report::shownPath(path)); }

// Qt's own notes (a missing runtime folder, font fallbacks) would add lines to
// the one line a failure gets; only its fatal errors are shown.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::cerr << "lingchuan-report: Qt: " << lc::visibleText(utf8(text), false) << "\n";
}

// Whether `out` is the file standard input reads: a job piped in from the
// very file the PDF would replace. Where the system names standard input as a
// path (/dev/stdin), the two are compared as files; elsewhere nothing is.
bool isStandardInput(const QString& out) {
    std::error_code ec;
    return std::filesystem::equivalent("/dev/stdin", fsPath(out), ec);
}

int report(const QString& job, const QString& out, bool dxf) {
    const bool fromStdin = job == "-";
    const std::string source = fromStdin ? std::string("标准输入") : shown(job);
    // Only a regular file is read: a device never ends, a pipe may never
    // open. However large a file says it is, no more than the limit is read.
    if (!fromStdin && QFileInfo(job).exists() && !QFileInfo(job).isFile())
        return fail(kBadInput, source + "：不是普通文件");
    std::error_code ec;
    if (out != "-" && (fromStdin ? isStandardInput(out) : std::filesystem::equivalent(fsPath(job), fsPath(out), ec)))
        return fail(kBadInput, shown(out) + "：输出文件就是计算文件本身");
    // Why a file cannot be read, in the tool's own language (Qt says it in
    // English).
    QFile file;
    const auto unreadable = [&] {
        return fail(kBadInput, source + "：" + lc::visibleText(utf8(lc::report::readReason(file)), false));
    };
    if (fromStdin ? !file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(job), !file.open(QIODevice::ReadOnly)))
        return unreadable();
    const QByteArray bytes = file.read(static_cast<qint64>(lc::kJobFileLimits.bytes) + 1);
    if (file.error() != QFileDevice::NoError) return unreadable();

    try {
        const lc::Document doc = lc::readJobFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!doc.actions.empty())
            return fail(kBadInput, source + "：文件含有待执行的操作（actions），请先用 lingchuan-calc run 执行");
        lc::report::PageOptions options;
        options.jobName = fromStdin ? QString("标准输入") : QFileInfo(job).fileName();
        options.a2Sketch = [](QPainter& p, const QRectF& area, const lc::Workbook& wb) {
            lc::report::paintBlankSketch(p, area, wb);
        };
        if (!doc.workbook.hasSheets()) return fail(kBadInput, source + "：文件中没有计算单，无可打印的内容");
        // --dxf: the blank drawing instead, or nothing and the sketch's line.
        const lc::report::DxfOutcome drawing = dxf ? lc::report::blankDxf(doc.workbook) : lc::report::DxfOutcome{};
        if (dxf && drawing.bytes.empty()) return fail(kBadInput, source + "：" + drawing.stop);
        const QByteArray file = dxf ? QByteArray::fromStdString(drawing.bytes) : lc::report::pdfDocument(doc.workbook, options);
        if (file.isEmpty()) return fail(kInternal, "无法生成PDF");
        // Standard output, a device or a pipe is written to as it is; a
        // regular file is replaced only by the complete file.
        const lc::report::WriteResult written =
            out == "-" ? lc::report::writeStandardOutput(file) : lc::report::writeFileWhole(out, file);
        if (!written.written)
            return fail(kInternal, (out == "-" ? std::string("标准输出") : shown(out)) +
                                       (dxf ? "：无法写出DXF：" : "：无法写出PDF：") + utf8(written.explanation()));
        return kOk;
    } catch (const lc::DocumentError& e) {
        // The program's own sentence, on one line.
        std::string why = lc::documentErrorMessage(e);
        std::replace(why.begin(), why.end(), '\n', ' ');
        return fail(kBadInput, source + "：" + why);
    }
}

// The command line as given. A name that is not valid UTF-8 (an archive's GBK
// name) has no QString that names the same file: it is refused rather than
// read or written under another name. Windows hands the arguments over as
// UTF-16, whole.
struct Argument {
    QString text;
    std::string raw;  // as the system gave it, for the message
    bool representable = true;
};

std::vector<Argument> arguments(int argc, char** argv) {
    std::vector<Argument> out;
#ifdef Q_OS_WIN
    (void)argc;
    (void)argv;
    for (const QString& a : QCoreApplication::arguments().mid(1)) out.push_back({a, utf8(a), true});
#else
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        const QString text = QFile::decodeName(raw);
        out.push_back({text, raw.toStdString(), QFile::encodeName(text) == raw});
    }
#endif
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const lc::console::StandardStreams streams;
    // No display needed: the pages are painted into the file. Windows always
    // has its desktop, and only its own platform knows the installed fonts;
    // there FreeType measures them, as it does on Linux, so that a text breaks
    // at the same places in its cells on both.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
#ifdef Q_OS_WIN
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#else
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    }
    qInstallMessageHandler(qtMessages);
    QGuiApplication app(argc, argv);
    const std::vector<Argument> args = arguments(argc, argv);
    if (args.size() == 1 && (args[0].text == "--help" || args[0].text == "-h")) {
        std::cout << kHelp;
        return kOk;
    }
    if (args.size() == 1 && args[0].text == "--version") {
        std::cout << "lingchuan-report " << LC_VERSION << "\n";
        return kOk;
    }
    const Argument* job = nullptr;
    const Argument* out = nullptr;
    bool dxf = false;     // --dxf OUT in place of -o OUT
    bool options = true;  // until "--": after it every argument is a name
    for (std::size_t i = 0; i < args.size(); ++i) {
        const QString& a = args[i].text;
        if (options && a == "--") {
            options = false;
        } else if (options && (a == "-o" || a == "--dxf") && i + 1 < args.size()) {
            if (out) return fail(kBadInput, "-o 或 --dxf 给了两次（见 --help）");
            dxf = a == "--dxf";
            out = &args[++i];
        } else if (!job && (!options || a == "-" || !a.startsWith('-'))) {
            job = &args[i];
        } else {
            return fail(kBadInput, "多余的参数“" + lc::visibleText(args[i].raw, false) + "”（见 --help）");
        }
    }
    if (!job || !out) return fail(kBadInput, "用法：lingchuan-report 计算文件.lcjob -o 输出.pdf（见 --help）");
    for (const Argument* name : {job, out})
        if (!name->representable)
            return fail(kBadInput, "文件名“" + lc::visibleText(name->raw, false) +
                                       "”不是有效的UTF-8，无法表示，请先改名（只用有效的UTF-8名称）");

    try {
        return report(job->text, out->text, dxf);
    } catch (const std::bad_alloc&) {
        return fail(kInternal, "内存不足");
    } catch (const std::exception& e) {
        return fail(kInternal, std::string("内部错误：") + e.what());
    }
}
