#include "astro/core/body.h"

namespace noctaris {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

}  // namespace

std::optional<Body> BodyFromName(std::string_view name) {
    for (int i = 0; i < kBodyCount; ++i)
        if (SameIgnoringCase(name, kBodyNames[i])) return static_cast<Body>(i);
    return std::nullopt;
}

}  // namespace noctaris
