// Paths between Qt's strings and std::filesystem: the executable's folder that Qt reports, and the
// file names Qt opens, keep their Cyrillic letters.

#include "picture/qt_path.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "settings/path_text.h"
#include "support/temp_folder.h"

namespace vexa::picture {
namespace {

namespace fs = std::filesystem;

// With the system's own separators, as ToPath gives it.
fs::path preferred(fs::path path) {
  return path.make_preferred();
}

TEST(QtPath, CyrillicNamesGoBothWays) {
  const test::TempFolder folder;
  const fs::path path = folder / "Программа/Картинка.bmp";
  EXPECT_EQ(ToQString(path).toStdString(), settings::PathToUtf8(path)) << "the same text";
  EXPECT_EQ(ToPath(ToQString(path)), preferred(path));
  EXPECT_EQ(ToPath(QString::fromUtf8("/opt/Программа")),
            preferred(settings::PathFromUtf8("/opt/Программа")));
}

TEST(QtPath, QtAndTheStandardLibraryMeanTheSameFile) {
  const test::TempFolder folder;
  fs::create_directory(folder / "Программа");
  QFile file(ToQString(folder / "Программа/cnc.ini"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[CNC]\n");
  file.close();
  EXPECT_EQ(folder.read("Программа/cnc.ini"), "[CNC]\n");
  EXPECT_TRUE(
      fs::is_regular_file(ToPath(QDir(ToQString(folder / "Программа")).filePath("cnc.ini"))));
}

}  // namespace
}  // namespace vexa::picture
