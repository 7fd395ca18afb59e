#include "winkit/Text.h"

#include <windows.h>

namespace winkit {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

std::wstring ToWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) {
    return {};
  }
  const int count = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(codePage, 0, bytes.data(), count, nullptr, 0);
  if (units <= 0) {
    return {};
  }
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), count, wide.data(), units);
  return wide;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int units = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(codePage, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
  if (size <= 0) {
    return {};
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), units, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring_view View(std::u16string_view text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

}  // namespace

std::wstring Wide(std::u16string_view text) { return std::wstring(View(text)); }

std::u16string U16(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::wstring WideFromUtf8(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string ToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::string ToUtf8(std::u16string_view text) { return FromWide(CP_UTF8, View(text)); }

std::string ToAnsi(std::wstring_view text) { return FromWide(CP_ACP, text); }
std::string ToAnsi(std::u16string_view text) { return FromWide(CP_ACP, View(text)); }
std::wstring WideFromAnsi(std::string_view bytes) { return ToWide(CP_ACP, bytes); }
std::u16string FromAnsi(std::string_view bytes) { return U16(ToWide(CP_ACP, bytes)); }

}  // namespace winkit
