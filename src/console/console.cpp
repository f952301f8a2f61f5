#include "console/console.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace lc::console {
namespace {

// The length of `text` without a UTF-8 character cut at its end (a lead byte
// among the last three whose sequence runs past the end).
std::size_t wholeCharacters(std::string_view text) {
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? text.size() - back : text.size();
    }
    return text.size();
}

}  // namespace

StreamBuffer::int_type StreamBuffer::overflow(int_type c) {
    if (!drain(true)) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int StreamBuffer::sync() {
    if (!drain(false)) return -1;
    errno = 0;
    if (std::fflush(stream_) == 0) return 0;
    failed_ = true;
    error_ = errno;
    return -1;
}

bool StreamBuffer::drain(bool whole) {
    if (failed_) return false;
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    const std::size_t n = whole ? wholeCharacters(pending) : pending.size();
    errno = 0;
    if (n > 0 && !writeText(stream_, pending.substr(0, n))) {
        failed_ = true;
        error_ = errno;
        return false;
    }
    const std::size_t rest = pending.size() - n;
    std::memmove(buffer_, pbase() + n, rest);
    setp(buffer_, buffer_ + sizeof buffer_);
    pbump(static_cast<int>(rest));
    return true;
}

StandardStreams::StandardStreams() {
    useBinaryStandardStreams();
    oldOut_ = std::cout.rdbuf(&out_);
    oldErr_ = std::cerr.rdbuf(&err_);
}

StandardStreams::~StandardStreams() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(oldOut_);
    std::cerr.rdbuf(oldErr_);
}

}  // namespace lc::console
