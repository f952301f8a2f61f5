// Standard output and error of the command-line tools (lingchuan-calc,
// lingchuan-report). The tools write UTF-8. Where a stream is a Windows
// console, the text is handed to the console as Unicode, so that Chinese
// reads right whatever the console's code page (936 on a Chinese Windows);
// to a file or a pipe, and everywhere on Linux, the UTF-8 bytes go out
// unchanged. Standard input and output are binary on Windows too, so that a
// line ends in "\n" and a PDF or a workbook passes byte for byte.
#pragma once

#include <cstddef>
#include <cstdio>
#include <streambuf>
#include <string_view>

namespace lc::console {

// The platform's part: writes all of `text` (UTF-8) to `stream`, stdout or
// stderr. False when the system refused, with errno set where it says why.
bool writeText(std::FILE* stream, std::string_view text);
// The platform's part: standard input, output and error in binary mode.
void useBinaryStandardStreams();

// A buffered stream over stdout or stderr that writes through writeText,
// whole characters at a time, and keeps the reason of the first failed
// write, so that a full disk or a closed output is reported rather than lost.
class StreamBuffer : public std::streambuf {
public:
    explicit StreamBuffer(std::FILE* stream) : stream_(stream) { setp(buffer_, buffer_ + sizeof buffer_); }
    bool failed() const { return failed_; }
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    // Writes what is buffered; with `whole`, a character cut at the end
    // stays for the next write.
    bool drain(bool whole);

    std::FILE* stream_;
    char buffer_[1 << 16];
    int error_ = 0;
    bool failed_ = false;
};

// std::cout and std::cerr through StreamBuffers for the life of this object,
// and the standard streams binary; flushed and put back at its end.
class StandardStreams {
public:
    StandardStreams();
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;
    const StreamBuffer& output() const { return out_; }

private:
    StreamBuffer out_{stdout};
    StreamBuffer err_{stderr};
    std::streambuf* oldOut_;
    std::streambuf* oldErr_;
};

}  // namespace lc::console
