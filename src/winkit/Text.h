#pragma once
// Conversions between the program's UTF-16 texts, UTF-8 (files, logs, descriptions) and the
// system's ANSI code page (the text of ANSI windows).

#include <string>
#include <string_view>

namespace winkit {

// wchar_t is UTF-16 on Windows: the same units under another type.
std::wstring Wide(std::u16string_view text);
std::u16string U16(std::wstring_view text);

std::wstring WideFromUtf8(std::string_view utf8);
std::string ToUtf8(std::wstring_view text);
std::string ToUtf8(std::u16string_view text);

// Characters the code page lacks become its default character.
std::string ToAnsi(std::wstring_view text);
std::string ToAnsi(std::u16string_view text);
std::wstring WideFromAnsi(std::string_view bytes);
std::u16string FromAnsi(std::string_view bytes);

}  // namespace winkit
