// Conversions between the program's UTF-16 texts and UTF-8 bytes.
#pragma once

#include <string>

namespace quillobar {

std::string toUtf8(const std::u16string& text);
std::u16string fromUtf8(const std::string& text);

}  // namespace quillobar
