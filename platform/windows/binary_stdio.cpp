// Linked into the Windows build of the batch tool (src/cli/CMakeLists.txt):
// standard input, output and error in binary mode, so that a line ends in
// "\n" as on Linux and the tool writes byte for byte what the Linux build
// writes, and a Ctrl-Z in a workbook does not end its input early.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <initializer_list>

namespace {

const bool binaryStdio = [] {
    for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
    return true;
}();

}  // namespace
