#include "app/print_setup.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

namespace lc::app {

#ifdef Q_OS_WIN
constexpr bool kPrintsOnlyToPrinters = true;
#else
constexpr bool kPrintsOnlyToPrinters = false;
#endif

bool printerAvailable() { return !kPrintsOnlyToPrinters || !QPrinterInfo::availablePrinterNames().isEmpty(); }

void prepareForPrintDialog(QPrinter& printer, const QString& pdfPath) {
    printer.setDocName(QFileInfo(pdfPath).completeBaseName());
    if (!kPrintsOnlyToPrinters) printer.setOutputFileName(pdfPath);
    printer.setOutputFormat(QPrinter::NativeFormat);
}

}  // namespace lc::app
