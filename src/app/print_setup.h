// How 打印… hands the printer to the system's print dialog, as each system's
// users know it.
#pragma once

class QPrinter;
class QString;

namespace lc::app {

// Whether there is a printer to print on: on Windows an installed printer;
// elsewhere Qt's own dialog also prints into a PDF file, so there always is.
bool printerAvailable();

// The printer before the dialog opens, on the system's default printer. On
// Linux 打印到文件 offers `pdfPath`, the file 导出PDF… would write. On Windows
// an output file set beforehand is itself the choice to print to a file, so
// none is set: the dialog opens with 打印到文件 unticked, and only a user who
// ticks it is asked for a file, with the system's question before one is
// replaced.
void prepareForPrintDialog(QPrinter& printer, const QString& pdfPath);

}  // namespace lc::app
