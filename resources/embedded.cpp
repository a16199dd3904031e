#include "resources/embedded.h"

namespace noctaris {
namespace {
struct Row {
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};
#include "embedded_table.inc"
}  // namespace

std::span<const unsigned char> FindEmbedded(std::string_view name) {
    for (int i = 0; i < kRowCount; ++i) {
        if (kRows[i].name && name == kRows[i].name)
            return {kRows[i].begin, static_cast<std::size_t>(kRows[i].end - kRows[i].begin)};
    }
    return {};
}

std::vector<std::string> EmbeddedNames() {
    std::vector<std::string> names;
    for (int i = 0; i < kRowCount; ++i)
        if (kRows[i].name) names.emplace_back(kRows[i].name);
    return names;
}

}  // namespace noctaris
