// UTF-8 / UTF-16 conversion for the text functions. Narrow text in this
// layer is UTF-8, so "converting to the ANSI code page" is converting to
// UTF-8; unpaired surrogates and broken sequences become U+FFFD.
#pragma once

#include <cstddef>
#include <string>

namespace gdi32 {

std::string Utf16ToUtf8(const char16_t* s, size_t n);
inline std::string Utf16ToUtf8(const std::u16string& s) { return Utf16ToUtf8(s.data(), s.size()); }
std::u16string Utf8ToUtf16(const char* s, size_t n);
inline std::u16string Utf8ToUtf16(const std::string& s) { return Utf8ToUtf16(s.data(), s.size()); }
// The longest prefix of at most maxBytes bytes that ends on a character boundary.
std::string CutUtf8(const std::string& s, size_t maxBytes);

}  // namespace gdi32
