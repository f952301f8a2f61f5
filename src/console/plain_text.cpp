// The standard streams as the C library has them: the UTF-8 bytes go out as
// they are (a terminal on Linux reads UTF-8).
#include "console/console.h"

namespace lc::console {

bool writeText(std::FILE* stream, std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

void useBinaryStandardStreams() {}

}  // namespace lc::console
