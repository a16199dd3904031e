#include "platform/codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace noctaris {
namespace {

// Converts with iconv; on an unconvertible or malformed input sequence, skips `skip(in)`
// bytes of input and emits `replacement` instead, so the conversion never fails.
template <typename Skip>
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, Skip skip) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert text");
    std::string out;
    out.resize(input.size() * 3 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            const size_t used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL: replace the offending input.
        const size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
        in += n;
        inLeft -= n;
        const size_t used = dst - out.data();
        if (outLeft < replacement.size() + 8) {
            out.resize(out.size() * 2 + replacement.size());
            dst = out.data() + used;
            outLeft = out.size() - used;
        }
        for (char c : replacement) {
            *dst++ = c;
            --outLeft;
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(dst - out.data());
    iconv_close(cd);
    return out;
}

// Length of the UTF-8 sequence at the start of s (1 for a stray byte).
size_t Utf8SequenceLength(std::string_view s) {
    const auto c = static_cast<unsigned char>(s[0]);
    size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF8 ? 4 : 1;
    if (n > s.size()) return 1;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    return n;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    return Convert("UTF-8", "WINDOWS-1252", bytes, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

std::string Utf8ToCp1252(std::string_view utf8) {
    return Convert("WINDOWS-1252", "UTF-8", utf8, "?", Utf8SequenceLength);
}

QString FromCp1252(std::string_view bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::string ToCp1252(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

}  // namespace noctaris
