#include "settings/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vexa::settings {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
fs::path pathFromCodePage(std::string_view text) {
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return fs::path(wide);
}

void appendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (point >> 18));
    out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

// UTF-16 to UTF-8 with U+FFFD for each surrogate half that has no partner.
std::string utf8WithReplacement(const std::wstring& wide) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::string out;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char32_t unit = static_cast<char16_t>(wide[i]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size()) {
      const char32_t next = static_cast<char16_t>(wide[i + 1]);
      if (next >= 0xDC00 && next < 0xE000) {
        appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    appendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
  }
  return out;
}
#endif

}  // namespace

fs::path PathFromUtf8(std::string_view text) {
  const std::u8string utf8(text.begin(), text.end());
  try {
    return fs::path(utf8);
  } catch (const std::exception&) {  // not UTF-8: only where names are not kept as bytes
#ifdef _WIN32
    return pathFromCodePage(text);
#else
    return fs::path(std::string(text));
#endif
  }
}

std::string PathToUtf8(const fs::path& path) {
  try {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
  } catch (const std::exception&) {
#ifdef _WIN32
    return utf8WithReplacement(path.native());
#else
    return path.native();
#endif
  }
}

}  // namespace vexa::settings
