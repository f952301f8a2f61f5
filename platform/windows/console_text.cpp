// The Windows part of src/console. A console gets the text as UTF-16 through
// WriteConsoleW, whatever its code page; a file or a pipe gets the UTF-8
// bytes. The standard streams are binary, so that a line ends in "\n" as on
// Linux, a Ctrl-Z in a workbook does not end its input early and a PDF
// written to standard output stays whole.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <initializer_list>
#include <string>

#include "console/console.h"

namespace lc::console {
namespace {

// The console behind a stream, or null for a file or a pipe.
HANDLE consoleOf(std::FILE* stream) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

bool writeText(std::FILE* stream, std::string_view text) {
    const HANDLE console = consoleOf(stream);
    if (!console) return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    if (text.empty()) return true;
    // The text comes a buffer (64 KiB) at a time; bytes that are not UTF-8
    // become U+FFFD.
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    // In pieces a console takes at once, never between the halves of a
    // surrogate pair.
    for (std::size_t done = 0; done < wide.size();) {
        std::size_t piece = std::min<std::size_t>(wide.size() - done, 8192);
        if (piece < wide.size() - done && IS_HIGH_SURROGATE(wide[done + piece - 1])) --piece;
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + done, static_cast<DWORD>(piece), &written, nullptr) || written == 0) {
            errno = EIO;
            return false;
        }
        done += written;
    }
    return true;
}

void useBinaryStandardStreams() {
    for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
}

}  // namespace lc::console
