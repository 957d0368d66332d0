#include "core/shell/settings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>

#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/data/session.h"
#include "core/shell/ini_file.h"
#include "test_support.h"

namespace tavrel {
namespace {

using SettingsTest = test::EngineTest;

TEST_F(SettingsTest, TheDistributedFileHasEveryKey) {
  Session session;
  ASSERT_TRUE(LoadSessionSettings(TAVREL_DIST_INI, session));
  const Settings& s = session.settings;
  EXPECT_EQ(s.EmptyValue, -999);
  EXPECT_EQ(session.data.EmptyValue, -999);
  EXPECT_EQ(s.TextFontName, "DejaVu Sans Mono");
  EXPECT_EQ(s.PrintTextFontName, "DejaVu Sans Mono");
  EXPECT_GE(s.StepX, 1);
  EXPECT_LE(s.StepX, 40);
  EXPECT_GE(s.StepY, 6);
  EXPECT_EQ(s.InputCat, "");
  EXPECT_TRUE(s.InnerEditor);
  EXPECT_GE(s.ClusterNumber, 1);
}

TEST_F(SettingsTest, AMissingFileLeavesTheStartValues) {
  Session session;
  session.data.EmptyValue = 7;
  EXPECT_FALSE(LoadSessionSettings(TempPath("Tavrel.ini"), session));
  EXPECT_EQ(session.settings.EmptyValue, 0);
  EXPECT_EQ(session.data.EmptyValue, 7);
}

// A mistyped key must not silently turn the missing-value code into 0.
TEST_F(SettingsTest, ABadKeyIsReportedAndTheKeysAfterItAreStillRead) {
  std::string text = test::ReadFile(TAVREL_DIST_INI);
  text.replace(text.find("StepX="), 6, "StepX=5x");
  text.replace(text.find("ClusterNumber="), 14, "ClusterNumber=;");
  const std::string path = WriteFile("Tavrel.ini", text);
  Session session;
  try {
    LoadSessionSettings(path, session);
    FAIL() << "the bad keys were not reported";
  } catch (const ConversionError& e) {
    const std::string what = e.what();
    EXPECT_EQ(what,
              "«5x6» не является целым числом (ключ StepX раздела Graphic файла конфигурации)\n"
              "«;3» не является целым числом (ключ ClusterNumber раздела Cluster файла конфигурации)");
  }
  const Settings& s = session.settings;
  EXPECT_EQ(s.StepX, 0);
  EXPECT_EQ(s.ClusterNumber, 0);
  EXPECT_GE(s.StepY, 6);
  EXPECT_EQ(s.EmptyValue, -999);
  EXPECT_EQ(session.data.EmptyValue, -999);
  EXPECT_EQ(s.TextFontName, "DejaVu Sans Mono");
}

// A step, pen width or font size the pictures could not be drawn with is
// reported as a bad key is, and keeps its start value; the values the
// dialogs offer, and more up to the file's limit, are taken.
TEST_F(SettingsTest, AGraphValueOutsideItsRangeIsReportedAndKeepsItsStartValue) {
  const std::string dist = test::ReadFile(TAVREL_DIST_INI);
  const auto with = [&](const std::string& key, const std::string& value) {
    std::string text = dist;
    const std::size_t at = text.find("\n" + key + "=") + 1;
    text.replace(at, text.find('\n', at) - at, key + "=" + value);
    return WriteFile("Tavrel.ini", text);
  };
  const struct {
    const char* key;
    const char* section;
    std::int32_t Settings::*field;
    const char* value;
    const char* range;
  } refused[] = {
      {"StepX", "Graphic", &Settings::StepX, "0", "1..1000"},
      {"StepY", "Graphic", &Settings::StepY, "-30", "1..1000"},
      {"GraphPenWidth", "Graphic", &Settings::GraphPenWidth, "0", "1..1000"},
      {"GraphFontSize", "Graphic", &Settings::GraphFontSize, "-2147483648", "1..1000"},
      {"PrintStepX", "PrintGraphic", &Settings::PrintStepX, "1001", "1..1000"},
      {"PrintStepY", "PrintGraphic", &Settings::PrintStepY, "2147483647", "1..1000"},
      {"PrintPenWidth", "PrintGraphic", &Settings::PrintPenWidth, "-1", "1..1000"},
      {"PrintGraphFontSize", "PrintGraphic", &Settings::PrintGraphFontSize, "0", "1..1000"},
      {"TextFontSize", "Font", &Settings::TextFontSize, "0", "1..1000"},
      {"PrintTextFontSize", "Font", &Settings::PrintTextFontSize, "100000", "1..1000"},
  };
  for (const auto& c : refused) {
    ResetSettings();
    try {
      LoadSettings(with(c.key, c.value), Config());
      ADD_FAILURE() << c.key << " was taken";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("«") + c.value + "» вне допустимых значений " + c.range +
                                           " (ключ " + c.key + " раздела " + c.section + " файла конфигурации)");
    }
    EXPECT_EQ(Config().*c.field, 0) << c.key;
    EXPECT_EQ(Config().EmptyValue, -999) << c.key;  // the keys after it are read
  }
  for (const auto& [key, value] : {std::pair{"StepX", 50}, {"PrintStepY", 600}, {"GraphPenWidth", 1}}) {
    ResetSettings();
    EXPECT_NO_THROW(LoadSettings(with(key, std::to_string(value)), Config())) << key;
  }
  EXPECT_EQ(Config().GraphPenWidth, 1);
}

// Only a regular file of at most 1 MB is read as settings; a pipe without a
// writer or a device is refused at once, never waited on or read to its end.
TEST_F(SettingsTest, OnlyASmallRegularFileIsRead) {
  const std::string fifo = TempPath("fifo.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string big = test::ReadFile(TAVREL_DIST_INI);
  big += "; " + std::string(kMaxSettingsBytes - big.size() - 3, 'x') + "\n";
  ASSERT_EQ(big.size(), static_cast<std::size_t>(kMaxSettingsBytes));
  EXPECT_NO_THROW(LoadSettings(WriteFile("big.ini", big), Config()));
  const std::pair<std::string, std::string> refused[] = {
      {fifo, "это не обычный файл"},
      {"/dev/zero", "это не обычный файл"},
      {WriteFile("huge.ini", big + "x"), "файл конфигурации больше 1 МБ"},
  };
  for (const auto& [path, why] : refused) {
    auto loading = std::async(std::launch::async, [path = path] {
      try {
        LoadSettings(path, Config());
        return std::string("read");
      } catch (const InOutError& e) {
        return std::string(e.what());
      }
    });
    if (loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // lets a reader that waits for a writer go on
      FAIL() << path << " was waited on";
    }
    EXPECT_EQ(loading.get(), "Не удаётся прочитать файл " + path + ": " + why);
  }
}

TEST_F(SettingsTest, ADirectoryInPlaceOfTheFileIsAnInputOutputFailure) {
  try {
    Settings s;
    LoadSettings(dir_.string(), s);
    FAIL() << "a directory was read as settings";
  } catch (const InOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удаётся прочитать файл " + dir_.string() + ": это каталог, а не файл");
  }
}

TEST_F(SettingsTest, PathsAreKeptAsGiven) {
  std::string text = test::ReadFile(TAVREL_DIST_INI);
  text.replace(text.find("InputCat="), 9, "InputCat=/Home/User/Данные/");
  text.replace(text.find("SystemPath="), 11, "SystemPath=/Opt/Tavrel/");
  Settings s;
  ASSERT_TRUE(LoadSettings(WriteFile("Tavrel.ini", text), s));
  EXPECT_EQ(s.InputCat, "/Home/User/Данные/");
  EXPECT_EQ(s.SystemPath, "/Opt/Tavrel/");
}

TEST_F(SettingsTest, SaveKeepsTheFileAndWritesDirectoriesAsTyped) {
  const std::string path = WriteFile("Tavrel.ini",
                                     "; comment\n[System]\nExtEditor=/usr/bin/kate\nOwnKey=7\n\n[Other]\nX=1\n");
  Settings s;
  ASSERT_TRUE(LoadSettings(TAVREL_DIST_INI, s));  // steps, pen widths and font sizes a picture can use
  ASSERT_THROW(LoadSettings(path, s), ConversionError);
  s.StepX = 12;
  s.EmptyValue = -5;
  s.ExtEditor = "  ";
  SaveSettings(path, s, {"", "/data", "/res/"});
  const std::string saved = test::ReadFile(path);
  EXPECT_EQ(saved.rfind("; comment\n[System]\nExtEditor=/usr/bin/kate\nOwnKey=7\nSystemPath=\nInputCat=/data\n", 0),
            0u)
      << saved;
  EXPECT_NE(saved.find("\n\n[Other]\nX=1\n[Graphic]\nStepX=12\n"), std::string::npos) << saved;
  Settings again;
  ASSERT_TRUE(LoadSettings(path, again));
  EXPECT_EQ(again.StepX, 12);
  EXPECT_EQ(again.EmptyValue, -5);
  EXPECT_EQ(again.ExtEditor, "/usr/bin/kate");
  EXPECT_EQ(again.InputCat, "/data");
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFile) {
  const Settings s;
  EXPECT_THROW(SaveSettings(TempPath("no/dir/Tavrel.ini"), s, {}), InOutError);
  const std::string path = WriteFile("Tavrel.ini", "[System]\nEmptyValue=1\n");
  std::filesystem::create_directory(path + ".tmp");  // the temporary file cannot be written
  EXPECT_THROW(SaveSettings(path, s, {}), InOutError);
  EXPECT_EQ(test::ReadFile(path), "[System]\nEmptyValue=1\n");
}

TEST_F(SettingsTest, DirectoriesAreNormalisedForUse) {
  EXPECT_EQ(NormaliseDirectory(" /home/u/data "), "/home/u/data/");
  EXPECT_EQ(NormaliseDirectory("/home/u/"), "/home/u/");
  EXPECT_EQ(NormaliseDirectory("  "), "");
  EXPECT_EQ(EffectiveDirectory("/x/"), "/x/");
  EXPECT_FALSE(EffectiveDirectory("").empty());
}

TEST_F(SettingsTest, TheDistributedCopyIsCopiedToTheUsersDirectory) {
  const std::string exeDir = TempPath("bin/");
  std::filesystem::create_directories(exeDir);
  const std::string user = TempPath("config/tavrel/Tavrel.ini");
  EXPECT_FALSE(EnsureUserSettings(user, exeDir));
  std::filesystem::copy_file(TAVREL_DIST_INI, exeDir + "Tavrel.ini");
  EXPECT_TRUE(EnsureUserSettings(user, exeDir));
  EXPECT_EQ(test::ReadFile(user), test::ReadFile(TAVREL_DIST_INI));
  setenv("XDG_CONFIG_HOME", TempPath("cfg").c_str(), 1);
  EXPECT_EQ(UserSettingsPath(), TempPath("cfg") + "/tavrel/Tavrel.ini");
  unsetenv("XDG_CONFIG_HOME");
}

TEST(IniFile, ReadsKeysWithoutCaseAndAppendsNewKeysToTheirSection) {
  IniFile ini = IniFile::Parse("[A]\r\nk=1\r\n\r\n[B]\r\nm = 2\r\n");
  EXPECT_EQ(ini.Read("a", "K").value(), "1");
  EXPECT_EQ(ini.Read("B", "m").value(), "2");
  EXPECT_FALSE(ini.Read("A", "m").has_value());
  ini.Write("A", "new", "x");
  ini.Write("B", "m", "3");
  ini.Write("C", "z", "");
  EXPECT_EQ(ini.Text(), "[A]\nk=1\nnew=x\n\n[B]\nm=3\n[C]\nz=\n");
}

}  // namespace
}  // namespace tavrel
