// Paths and UTF-8 text: names with Cyrillic letters reach the file system as the names they are,
// and come back as the same text.

#include "settings/path_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vexa::settings {
namespace {

namespace fs = std::filesystem;

// Names a file may have on every system (Windows drops spaces at the end of a name).
const std::vector<std::string> kFileNames = {
    "cnc.ini",
    "Программа",
    "Картинка.bmp",
    "Ёлка и ёж.jpg",        // letters outside the basic Cyrillic block
    " пробел в начале",     // a name may begin with a space
    "Zeichen äöü – 😀.png",  // Latin-1, a dash, and a letter beyond 16 bits
    "Папка/Вложенная/файл.gif",
};

TEST(PathText, TextComesBackAsItWent) {
  for (const std::string& name : kFileNames) EXPECT_EQ(PathToUtf8(PathFromUtf8(name)), name);
  EXPECT_EQ(PathToUtf8(PathFromUtf8(" пробел в конце ")), " пробел в конце ");
}

TEST(PathText, TheSystemKnowsTheFilesByThoseNames) {
  for (const std::string& name : kFileNames) {
    SCOPED_TRACE(name);
    const test::TempFolder folder;
    const fs::path path = folder.path() / PathFromUtf8(name);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << "x";
    EXPECT_TRUE(fs::is_regular_file(path));
    // The folder lists the file under the name given, read back as the same text.
    const auto slash = name.rfind('/');
    const std::vector<std::string> listed =
        folder.entries(slash == std::string::npos ? "" : name.substr(0, slash));
    EXPECT_EQ(listed,
              std::vector<std::string>{name.substr(slash == std::string::npos ? 0 : slash + 1)});
  }
}

TEST(PathText, JoiningKeepsTheText) {
  const fs::path folder = PathFromUtf8("Программа");
  const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
  EXPECT_EQ(PathToUtf8(folder / PathFromUtf8("Картинка.bmp")),
            "Программа" + separator + "Картинка.bmp");
}

TEST(PathText, EmptyTextIsTheEmptyPath) {
  EXPECT_TRUE(PathFromUtf8("").empty());
  EXPECT_EQ(PathToUtf8(fs::path()), "");
}

#ifdef _WIN32
TEST(PathText, WindowsNamesAreTheLettersNotTheBytes) {
  EXPECT_EQ(PathFromUtf8("Программа").native(), std::wstring(L"Программа"));
  EXPECT_EQ(PathFromUtf8("😀").native(), std::wstring(L"\xD83D\xDE00"));
  EXPECT_EQ(PathToUtf8(fs::path(L"Картинка.bmp")), "Картинка.bmp");
}

TEST(PathText, TextInTheSystemCodePageIsReadInIt) {
  // "Программа" as an older program wrote it into cnc.ini: one byte a letter, not UTF-8.
  const std::wstring name = L"Программа";
  char bytes[64] = {};
  BOOL lost = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, 0, name.c_str(), static_cast<int>(name.size()),
                                         bytes, sizeof bytes, nullptr, &lost);
  ASSERT_GT(length, 0);
  const fs::path path = PathFromUtf8(std::string(bytes, static_cast<std::size_t>(length)));
  if (!lost) EXPECT_EQ(path.native(), name) << "code page " << GetACP();
  EXPECT_EQ(path.native().size(), name.size()) << "one letter a byte, never an exception";
}

TEST(PathText, ABrokenWindowsNameGetsAReplacementCharacter) {
  const std::wstring broken = std::wstring(L"a") + wchar_t(0xD800) + L"b";
  EXPECT_EQ(PathToUtf8(fs::path(broken)),
            "a\xEF\xBF\xBD"
            "b");
}
#else
TEST(PathText, ElsewhereTheBytesAreTheName) {
  const std::string notUtf8 = "\xCF\xF0\xEE.bmp";  // "Про.bmp" in code page 1251
  EXPECT_EQ(PathFromUtf8(notUtf8).native(), notUtf8);
  EXPECT_EQ(PathToUtf8(fs::path(notUtf8)), notUtf8);
}
#endif

}  // namespace
}  // namespace vexa::settings
