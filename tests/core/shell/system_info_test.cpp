#include "core/shell/system_info.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/errors.h"
#include "test_support.h"

namespace tavrel {
namespace {

// A fake root with the kernel's files as a Debian machine has them.
class SystemInfoTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Put("proc/meminfo", "MemTotal:       16305532 kB\nMemFree:         1234 kB\n");
    Put("proc/self/status", "Name:\ttavrel\nVmPeak:\t  200000 kB\nVmRSS:\t   52224 kB\n");
    Put("proc/cpuinfo",
              "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n\n"
              "processor\t: 1\nmodel name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n");
    Put("sys/class/dmi/id/board_vendor", "LENOVO\n");
    Put("sys/class/dmi/id/board_name", "20KGS3JY00\n");
    Put("etc/os-release", "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
    Put("proc/sys/kernel/osrelease", "6.1.0-18-amd64\n");
  }
  std::string Root() const { return TempPath("root"); }
  // Writes a file of the fake root, making its directories.
  void Put(const std::string& name, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(TempPath("root/" + name)).parent_path());
    WriteFile("root/" + name, text);
  }
  void Remove(const std::string& name) { std::filesystem::remove(TempPath("root/" + name)); }
};

TEST_F(SystemInfoTest, EveryFactComesFromItsFile) {
  const SystemInfo info = ReadSystemInfo(Root() + "/", dir_.string());
  ASSERT_TRUE(info.memoryTotalBytes);
  EXPECT_DOUBLE_EQ(*info.memoryTotalBytes, 16305532.0 * 1024);
  EXPECT_DOUBLE_EQ(info.processMemoryBytes, 52224.0 * 1024);
  EXPECT_EQ(info.processor, "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
  EXPECT_EQ(BoardText(info), "LENOVO(20KGS3JY00)");
  EXPECT_EQ(info.systemName, "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(info.kernelVersion, "6.1.0-18-amd64");

  const auto space = std::filesystem::space(dir_);
  ASSERT_TRUE(info.diskFreeBytes && info.diskTotalBytes);
  EXPECT_DOUBLE_EQ(*info.diskTotalBytes, static_cast<double>(space.capacity));
  EXPECT_GT(*info.diskFreeBytes, 0);
  EXPECT_LE(*info.diskFreeBytes, *info.diskTotalBytes);
}

TEST_F(SystemInfoTest, AFactThatCannotBeReadStaysEmpty) {
  for (const char* name : {"proc/meminfo", "proc/cpuinfo", "sys/class/dmi/id/board_vendor",
                           "sys/class/dmi/id/board_name", "etc/os-release", "proc/sys/kernel/osrelease"}) {
    Remove(name);
  }
  const SystemInfo info = ReadSystemInfo(Root(), TempPath("no such directory"));
  EXPECT_FALSE(info.memoryTotalBytes);
  EXPECT_FALSE(info.diskFreeBytes);
  EXPECT_FALSE(info.diskTotalBytes);
  EXPECT_EQ(info.processor, "");
  EXPECT_EQ(BoardText(info), "");
  EXPECT_EQ(info.systemName, "");
  EXPECT_EQ(info.kernelVersion, "");
}

TEST_F(SystemInfoTest, OddlyWrittenFilesAreReadOrLeftEmpty) {
  // Files the parsers must not misread: a value without its unit, a key that
  // only begins like the wanted one, the distribution's name without quotes in
  // the fallback file.
  Put("proc/meminfo", "MemTotalX: 1 kB\nMemTotal: 12\n");
  Put("proc/cpuinfo", "processor\t: 0\nHardware\t: BCM2835\n");
  Remove("etc/os-release");
  Put("usr/lib/os-release", "PRETTY_NAME=Debian GNU/Linux 12\n");
  Remove("sys/class/dmi/id/board_name");
  const SystemInfo info = ReadSystemInfo(Root(), dir_.string());
  EXPECT_FALSE(info.memoryTotalBytes);
  EXPECT_EQ(info.processor, "BCM2835");
  EXPECT_EQ(info.systemName, "Debian GNU/Linux 12");
  EXPECT_EQ(BoardText(info), "LENOVO");
}

TEST_F(SystemInfoTest, TheProgramsOwnMemoryMustBeReadable) {
  Remove("proc/self/status");
  EXPECT_THROW(ReadSystemInfo(Root(), dir_.string()), InOutError);
}

TEST_F(SystemInfoTest, TheRunningSystemGivesItsMemory) {
  const SystemInfo info = ReadSystemInfo("/", ".");
  ASSERT_TRUE(info.memoryTotalBytes);
  EXPECT_GT(*info.memoryTotalBytes, info.processMemoryBytes);
  EXPECT_GT(info.processMemoryBytes, 0);
}

}  // namespace
}  // namespace tavrel
