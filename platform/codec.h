#pragma once
// Windows-1252 text, as stored in the resources and the settings file, to and from UTF-8/QString.
#include <string>
#include <string_view>

#include <QString>

namespace noctaris {

// Bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 form become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);

QString FromCp1252(std::string_view bytes);
std::string ToCp1252(const QString& text);

}  // namespace noctaris
