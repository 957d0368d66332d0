#include "core/data/output_target.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "core/base/errors.h"
#include "test_support.h"

namespace tavrel {
namespace {

class OutputTargetTest : public test::EngineTest {
 protected:
  // The message CheckOutputTarget refuses path with, or empty when it accepts it.
  static std::string Refusal(const std::string& path, const KeptFiles& kept = {}) {
    try {
      CheckOutputTarget(path, kept);
      return {};
    } catch (const InOutError& e) {
      return e.what();
    }
  }
  std::string MakeSocket(const std::string& name) const {
    const std::string path = TempPath(name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << path;
    close(fd);
    return path;
  }
};

// Runs body in a child process that is stopped after two seconds, so that an
// output that waits on a pipe fails the test instead of hanging it. Returns
// the child's exit code (-1 when it had to be stopped).
int WithinTwoSeconds(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(2);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(OutputTargetTest, SaysHowEachKindOfTargetIsWrittenOrWhyNot) {
  const std::string file = WriteFile("r.out", "old");
  const std::string link = TempPath("link.out");
  ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
  const std::string fifo = TempPath("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  const std::string readOnly = WriteFile("kept.out", "kept");
  ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
  const std::string socket = MakeSocket("socket");

  const auto open = [](const std::string& path, const std::string& reason) {
    return "Не удаётся открыть файл " + path + ": " + reason;
  };
  struct Case {
    std::string path;
    OutputKind kind;
    std::string file;     // the file written, when accepted
    std::string refusal;  // the message, when refused
  };
  const Case cases[] = {
      {TempPath("new.out"), OutputKind::NewFile, TempPath("new.out"), ""},
      {file, OutputKind::RegularFile, file, ""},
      {link, OutputKind::RegularFile, file, ""},  // the link stays, its file is replaced
      {dir_.string(), {}, "", open(dir_.string(), "это каталог, а не файл")},
      {fifo, {}, "", open(fifo, "это канал, а не файл")},
      {socket, {}, "", open(socket, "это сокет, а не файл")},
      // The file's owner and the administrator alike: a file nobody may write stays.
      {readOnly, {}, "", open(readOnly, "нет доступа")},
      {file + "/x.out", {}, "", open(file + "/x.out", "часть пути не является каталогом")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Refusal(c.path), c.refusal) << c.path;
    if (!c.refusal.empty()) continue;
    const OutputTarget target = CheckOutputTarget(c.path);
    EXPECT_EQ(target.kind, c.kind) << c.path;
    EXPECT_EQ(target.file, c.file) << c.path;
  }
  EXPECT_EQ(test::ReadFile(readOnly), "kept");
}

TEST_F(OutputTargetTest, DevicesAreWrittenDirectlyOrRefused) {
  const std::string null = TempPath("null");
  const std::string block = TempPath("block");
  if (!test::MakeDeviceNode(null) || !test::MakeDeviceNode(block, true))
    GTEST_SKIP() << "device nodes are made only by the administrator";
  const OutputTarget target = CheckOutputTarget(null);
  EXPECT_EQ(target.kind, OutputKind::Device);
  EXPECT_EQ(Refusal(block), "Не удаётся открыть файл " + block + ": это блочное устройство, а не файл");
  const int fd = OpenOutputInPlace(null, false);
  EXPECT_EQ(write(fd, "x", 1), 1);
  close(fd);
  EXPECT_TRUE(test::IsCharacterDevice(null));
}

// The loaded data file and the run's report are the same file through any
// link or path to them, also before the report exists.
TEST_F(OutputTargetTest, TheDataFileAndTheReportAreNeverAnOutput) {
  const std::string data = WriteFile("days.out", "A\n1\n");
  const std::string link = TempPath("link.txt");
  ASSERT_EQ(symlink(data.c_str(), link.c_str()), 0);
  const std::string detour = dir_.string() + "/../" + dir_.filename().string() + "/";
  const std::string report = TempPath("r.out");  // not written yet
  const KeptFiles kept{data, report};
  for (const std::string& same : {data, link, detour + "days.out"}) {
    EXPECT_EQ(Refusal(same, kept), "Файл результатов совпадает с файлом данных: " + same +
                                       "\nЗапись в него испортила бы данные; укажите другое имя файла.");
  }
  for (const std::string& same : {report, detour + "r.out"}) {
    EXPECT_EQ(Refusal(same, kept), "Таблица данных не может быть записана в файл отчёта: " + same +
                                       "\nУкажите для неё другое имя файла.");
  }
  EXPECT_EQ(Refusal(TempPath("other.out"), kept), "");
  EXPECT_EQ(Refusal(data), "");  // nothing loaded
  EXPECT_EQ(test::ReadFile(data), "A\n1\n");
}

// A pipe that takes a checked file's place is refused on opening, whether a
// reader waits on it or not, and the opening never waits.
TEST_F(OutputTargetTest, OpeningInPlaceNeverWaitsOnAPipe) {
  const std::string fifo = TempPath("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  const auto refused = [&fifo] {
    try {
      close(OpenOutputInPlace(fifo, true));
      return 1;
    } catch (const InOutError&) {
      return 0;
    }
  };
  EXPECT_EQ(WithinTwoSeconds(refused), 0) << "without a reader";
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(WithinTwoSeconds(refused), 0) << "with a reader";
  close(reader);
}

TEST_F(OutputTargetTest, OpeningInPlaceAppendsOrStartsAfresh) {
  const std::string path = WriteFile("r.out", "old\n");
  for (const auto& [append, expected] : {std::pair{true, "old\nnew\n"}, std::pair{false, "new\n"}}) {
    WriteFile("r.out", "old\n");
    const int fd = OpenOutputInPlace(path, append);
    EXPECT_EQ(write(fd, "new\n", 4), 4);
    close(fd);
    EXPECT_EQ(test::ReadFile(path), expected) << append;
  }
}

}  // namespace
}  // namespace tavrel
