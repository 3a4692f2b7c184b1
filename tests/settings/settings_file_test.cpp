#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "settings/settings_write_notice.h"
#include "support/temp_folder.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>

#include <csignal>
#define VEXA_HAS_FILE_SIZE_LIMIT 1
#endif

namespace vexa::settings {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public testing::Test {
 protected:
  test::TempFolder folder;
  fs::path iniPath = folder / "cnc.ini";
  SettingsFile settings{iniPath};

  std::string readWithBuiltinDefault(std::string_view key) const {
    return settings.ReadSetting(key, BuiltinDefault(key, folder.path()));
  }
};

TEST_F(SettingsFileTest, EveryKeyOfTheTableIsWrittenAndReadBack) {
  for (const SettingKey& key : AllSettingKeys()) {
    ASSERT_TRUE(settings.WriteSetting(key.name, "7,5")) << key.name;
  }
  for (const SettingKey& key : AllSettingKeys()) {
    EXPECT_EQ(settings.ReadSetting(key.name, "x"), "7,5") << key.name;
  }
}

TEST_F(SettingsFileTest, MissingFileGivesTheFirstStartDefaults) {
  EXPECT_EQ(readWithBuiltinDefault("Port"), "com1");
  EXPECT_EQ(readWithBuiltinDefault("speed"), "9600");
  EXPECT_EQ(readWithBuiltinDefault("SM_X_ratio"), "0.005");
  EXPECT_EQ(readWithBuiltinDefault("check_ver"), "0");
  EXPECT_EQ(readWithBuiltinDefault("check_prev"), "1973-01-01");
  EXPECT_EQ(settings.ReadSetting("check_ver", "7"), "0");
  EXPECT_FALSE(fs::exists(iniPath));
}

TEST_F(SettingsFileTest, CheckPrevAbsentAndCheckPrevEmptyReadDifferently) {
  folder.write("cnc.ini", "[CNC]\nPort=com2\n");
  EXPECT_EQ(readWithBuiltinDefault("check_prev"), "1973-01-01");
  folder.write("cnc.ini", "[CNC]\ncheck_prev=\n");
  EXPECT_EQ(readWithBuiltinDefault("check_prev"), "0");
}

TEST_F(SettingsFileTest, EmptyValueGivesTheBuiltinDefault) {
  folder.write("cnc.ini", "[CNC]\nspeed=   \nPort=\n");
  EXPECT_EQ(readWithBuiltinDefault("speed"), "9600");
  EXPECT_EQ(readWithBuiltinDefault("Port"), "com1");
}

TEST_F(SettingsFileTest, KeyWrittenInOneCaseIsReadInAnother) {
  ASSERT_TRUE(settings.WriteSetting("port", "/dev/ttyUSB0"));
  EXPECT_EQ(settings.ReadSetting("Port", "com1"), "/dev/ttyUSB0");
  ASSERT_TRUE(settings.WriteSetting("PORT", "/dev/ttyACM0"));
  EXPECT_EQ(settings.ReadSetting("port", "com1"), "/dev/ttyACM0");
  EXPECT_EQ(folder.read("cnc.ini"), "[CNC]\nPORT=/dev/ttyACM0\n");
}

TEST_F(SettingsFileTest, WriteCreatesTheSectionInAFileWithoutOne) {
  folder.write("cnc.ini", "[Other]\r\nk=v\r\n");
  ASSERT_TRUE(settings.WriteSetting("speed", "115200"));
  EXPECT_EQ(folder.read("cnc.ini"), "[Other]\r\nk=v\r\n\r\n[CNC]\r\nspeed=115200\r\n");
  EXPECT_EQ(settings.ReadSetting("speed", "9600"), "115200");
}

TEST_F(SettingsFileTest, WriteKeepsEveryOtherByteAndTheLinePosition) {
  const std::string before =
      "; hand edited\r\n[Paths]\r\nspeed=1\r\n[cnc]\r\nPort=com1\r\nspeed=9600\r\n"
      "garbage line\r\n\r\n[Tail]\r\nx = y\r\n";
  folder.write("cnc.ini", before);
  ASSERT_TRUE(settings.WriteSetting("Port", "com4"));
  std::string expected = before;
  expected.replace(expected.find("Port=com1"), 9, "Port=com4");
  EXPECT_EQ(folder.read("cnc.ini"), expected);
}

TEST_F(SettingsFileTest, LongValuesAreCutTo254Characters) {
  const std::string path = "/" + std::string(299, 'p');
  ASSERT_TRUE(settings.WriteSetting("Image", path));
  EXPECT_EQ(settings.ReadSetting("Image", "x"), path.substr(0, 254));
}

TEST_F(SettingsFileTest, LineBreakInAValueCannotAddAKey) {
  ASSERT_TRUE(settings.WriteSetting("Port", "com1\r\nspeed=1\nSM_delay=5"));
  EXPECT_EQ(settings.ReadSetting("speed", "9600"), "9600");
  EXPECT_EQ(settings.ReadSetting("SM_delay", "2000"), "2000");
  EXPECT_EQ(settings.ReadSetting("Port", ""), "com1  speed=1 SM_delay=5");
}

TEST_F(SettingsFileTest, KeyThatCouldNotBeReadBackIsRefused) {
  for (const char* key : {"", " ", "a=b", ";Port", "[CNC]", "Port\nspeed"}) {
    EXPECT_FALSE(settings.WriteSetting(key, "1")) << key;
  }
  EXPECT_FALSE(fs::exists(iniPath));
}

TEST_F(SettingsFileTest, BothDecimalSeparatorsGiveTheSameRatio) {
  folder.write("cnc.ini", "[CNC]\nSM_X_ratio=-0,005\nSM_Y_ratio=-0.005\n");
  const auto x = ParseDecimal(readWithBuiltinDefault("SM_X_ratio"));
  ASSERT_TRUE(x.has_value());
  EXPECT_EQ(x, ParseDecimal(readWithBuiltinDefault("SM_Y_ratio")));
  EXPECT_DOUBLE_EQ(*x, -0.005);
}

TEST_F(SettingsFileTest, WriteIntoAMissingFolderFailsAndCreatesNothing) {
  const SettingsFile nowhere(folder.path() / "missing" / "cnc.ini");
  EXPECT_FALSE(nowhere.WriteSetting("Port", "com2"));
  EXPECT_TRUE(folder.entries().empty());
}

TEST_F(SettingsFileTest, FolderNamedCncIniReadsDefaultsAndIsNotReplaced) {
  fs::create_directory(iniPath);
  EXPECT_FALSE(settings.WriteSetting("Port", "com2"));
  EXPECT_TRUE(fs::is_directory(iniPath));
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"cnc.ini"});
  EXPECT_EQ(settings.ReadSetting("Port", "com1"), "com1");
}

#ifdef VEXA_HAS_FILE_SIZE_LIMIT
// A file size limit makes the write of the new content fail part way, as a full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST_F(SettingsFileTest, FailedWriteLeavesTheOldFileByteIdentical) {
  const std::string before = "[CNC]\r\nPort=com1\r\n";
  folder.write("cnc.ini", before);
  bool written = true;
  {
    const FileSizeLimit limit(64);
    written = settings.WriteSetting("Image", std::string(200, 'x'));
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(folder.read("cnc.ini"), before);
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"cnc.ini"});
}

TEST_F(SettingsFileTest, ReplacedFileKeepsItsPermissionsAndSymbolicLink) {
  const fs::path realFile = folder / "real.ini";
  folder.write("real.ini", "[CNC]\n");
  fs::permissions(realFile, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(realFile, iniPath);
  ASSERT_TRUE(settings.WriteSetting("speed", "0"));
  EXPECT_TRUE(fs::is_symlink(iniPath));
  EXPECT_EQ(folder.read("real.ini"), "[CNC]\nspeed=0\n");
  EXPECT_EQ(fs::status(realFile).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}
#endif

// What the user was told of failed writes, for as long as the test lasts.
class ToldOfFailures {
 public:
  ToldOfFailures() {
    SetSettingsWriteReporter([this](const std::string& text) { texts.push_back(text); });
  }
  ~ToldOfFailures() { SetSettingsWriteReporter({}); }
  std::vector<std::string> texts;
};

TEST_F(SettingsFileTest, AReadOnlyFileIsLeftAsItIsAndToldOfOncePerRun) {
  const ToldOfFailures told;
  const std::string before = "[CNC]\r\nEtching_width=120\r\n";
  folder.write("cnc.ini", before);
  constexpr fs::perms kReadOnly =
      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;  // 0444
  fs::permissions(iniPath, kReadOnly);
  // The mode bits count even for root, who could write the file anyway.
  EXPECT_FALSE(settings.WriteSetting("Etching_width", "90"));
  EXPECT_FALSE(settings.WriteSettings({{"Etching_delay", "3000"}, {"Etching_min", "5"}}));
  EXPECT_FALSE(SettingsFile(iniPath).WriteSetting("speed", "115200")) << "another window";
  EXPECT_EQ(folder.read("cnc.ini"), before);
  EXPECT_EQ(fs::status(iniPath).permissions(), kReadOnly);
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"cnc.ini"});
  ASSERT_EQ(told.texts.size(), 1u);
  EXPECT_EQ(told.texts[0], SettingsNotWrittenText(iniPath, true));
  EXPECT_NE(told.texts[0].find(iniPath.string()), std::string::npos) << "names the file";
  EXPECT_EQ(told.texts[0], "Файл настроек " + iniPath.string() +
                               " защищён от записи (только для чтения) и не изменяется.\r\n"
                               "Новые значения настроек не сохраняются.");
  EXPECT_EQ(settings.ReadSetting("Etching_width", ""), "120") << "still read";
  EXPECT_TRUE(settings.WriteSetting("Etching_width", "120")) << "nothing to change";

  fs::permissions(iniPath, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(settings.WriteSetting("Etching_width", "90"));
  EXPECT_EQ(told.texts.size(), 1u);
}

TEST_F(SettingsFileTest, AnyOtherFailedWriteIsToldOfOnceUnlessTheCallerTellsItself) {
  const ToldOfFailures told;
  fs::create_directory(iniPath);  // cannot be read or replaced
  EXPECT_FALSE(settings.WriteSettings({{"Port", "com2"}}, WriteFailureNotice::ByTheCaller));
  EXPECT_FALSE(settings.WriteSetting("Port", "com3"));
  EXPECT_TRUE(told.texts.empty()) << "the caller's own message counted";

  const SettingsFile elsewhere(folder.path() / "missing" / "cnc.ini");
  EXPECT_FALSE(elsewhere.WriteSetting("Port", "com2"));
  EXPECT_FALSE(elsewhere.WriteSetting("Port", "com4"));
  ASSERT_EQ(told.texts.size(), 1u);
  EXPECT_EQ(told.texts[0], "Не удалось записать файл настроек " + elsewhere.path().string() +
                               ".\r\nНовые значения настроек не сохраняются.");
}

TEST_F(SettingsFileTest, SeveralKeysGoInOneReplaceAllOrNone) {
  const std::string before = "; hand edited\r\n[CNC]\r\nPort=com1\r\n[Tail]\r\nx = y\r\n";
  folder.write("cnc.ini", before);
  ASSERT_TRUE(settings.WriteSettings({{"speed", "115200"}, {"port", "com4"}, {"SM_optim", "1"}}));
  EXPECT_EQ(folder.read("cnc.ini"),
            "; hand edited\r\n[CNC]\r\nport=com4\r\nspeed=115200\r\nSM_optim=1\r\n"
            "[Tail]\r\nx = y\r\n");
  const std::string written = folder.read("cnc.ini");
  EXPECT_FALSE(settings.WriteSettings({{"speed", "9600"}, {"a=b", "1"}}));
  EXPECT_EQ(folder.read("cnc.ini"), written) << "a key that cannot be read back stops them all";
}

TEST_F(SettingsFileTest, AWriteThatChangesNothingLeavesTheFileAlone) {
  folder.write("cnc.ini", "[CNC]\r\nPort=com1\r\n");
  fs::last_write_time(iniPath, fs::file_time_type::clock::now() - std::chrono::hours(24));
  const auto old = fs::last_write_time(iniPath);  // as the file system keeps it (Windows: 100 ns)
  EXPECT_TRUE(settings.WriteSettings({{"Port", "com1"}}));
  EXPECT_EQ(fs::last_write_time(iniPath), old);
  EXPECT_TRUE(settings.WriteSetting("port", "com1")) << "another spelling is a change";
  EXPECT_EQ(folder.read("cnc.ini"), "[CNC]\r\nport=com1\r\n");
}

TEST_F(SettingsFileTest, ASnapshotAnswersAsTheFileDidWhenItWasRead) {
  folder.write("cnc.ini", "[CNC]\ncheck_prev=\nspeed=   \nImage=/" + std::string(299, 'p') +
                              "\nPORT=/dev/ttyUSB0\n");
  const SettingsSnapshot snapshot = settings.ReadSettings();
  fs::remove(iniPath);
  EXPECT_EQ(snapshot.ReadSetting("check_prev", "0"), "0");
  EXPECT_EQ(snapshot.ReadSetting("check_ver", "7"), "0");
  EXPECT_EQ(snapshot.ReadSetting("speed", "9600"), "9600");
  EXPECT_EQ(snapshot.ReadSetting("port", "com1"), "/dev/ttyUSB0");
  EXPECT_EQ(snapshot.ReadSetting("Image", "").size(), 254u);
  EXPECT_EQ(settings.ReadSettings().ReadSetting("check_prev", "0"), "1973-01-01") << "no file";
}

TEST(FileExists, OnlyRegularFilesCount) {
  const test::TempFolder folder;
  const fs::path file = folder / "work.bmp";
  folder.write("work.bmp", "BM");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(folder.path()));
  EXPECT_FALSE(FileExists(folder.path() / "missing.bmp"));
  EXPECT_FALSE(FileExists(file / "below-a-file"));
  EXPECT_FALSE(FileExists(""));
}

}  // namespace
}  // namespace vexa::settings
