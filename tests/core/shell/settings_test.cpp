#include "core/shell/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/data/session.h"
#include "core/data/errors.h"
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
