#pragma once
// Access to the data, pictures and fonts linked into the program.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace noctaris {

// The bytes of the embedded file called `name` (its file name without extension; exact case),
// or an empty span when there is no such resource.
std::span<const unsigned char> FindEmbedded(std::string_view name);

// Names of every embedded resource, sorted.
std::vector<std::string> EmbeddedNames();

}  // namespace noctaris
