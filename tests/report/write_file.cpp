// Standard input written to the file its argument names through the checked
// write (report/file_write), as the program writes a job, a CSV or a PNG:
// exit 0 when written, else 1 with the message on standard error.
#include <QFile>
#include <iostream>

#include "report/file_write.h"

int main(int argc, char** argv) {
    QFile in;
    if (argc != 2 || !in.open(stdin, QIODevice::ReadOnly)) return 2;
    const lc::report::WriteResult r = lc::report::writeFileWhole(QFile::decodeName(argv[1]), in.readAll());
    if (!r.written) std::cerr << r.explanation().toStdString() << "\n";
    return r.written ? 0 : 1;
}
