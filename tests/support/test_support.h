#pragma once
// Shared by the engine tests: fresh process-wide state, temporary files, golden comparison.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tavrel::test {

// Resets the data set (its program directory set to where the programs are
// built), the settings and the results file before each test, and gives the
// test a temporary directory of its own.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string TempPath(const std::string& name) const;
  // Writes bytes to a file in the temporary directory and returns its path.
  std::string WriteFile(const std::string& name, const std::string& bytes) const;
  // Writes a data file and loads it as the input command does; fails the test when it does not load.
  std::string LoadText(const std::string& text, const std::string& name = "data.txt") const;

  std::filesystem::path dir_;
};

std::string ReadFile(const std::string& path);

// Makes a device node at path, a character device that works as /dev/null
// (or, when block, a block device node), writable by everyone. Returns false
// where nodes cannot be made (only the administrator may); the test then
// skips. Tests never touch the system's own devices.
bool MakeDeviceNode(const std::string& path, bool block = false);

// Whether path is a character device.
bool IsCharacterDevice(const std::string& path);

// Replaces the date and time of every title block line " Дата: ... Время: ..."
// by a fixed mask, so that a report can be compared with its golden file.
std::string MaskDateTime(const std::string& text);

// Compares text (date and time masked) with tests/data/golden/<name>. With the
// environment variable TAVREL_UPDATE_GOLDEN=1 the golden file is written instead.
void ExpectGolden(const std::string& text, const std::string& name);

}  // namespace tavrel::test
