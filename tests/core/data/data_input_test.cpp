#include "core/data/data_input.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <bit>
#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/base/file_paths.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/spreadsheet_input.h"
#include "core/shell/settings.h"
#include "test_support.h"

namespace tavrel {
namespace {

class DataInputTest : public test::EngineTest {
 protected:
  LoadOutcome Load(const std::string& text, const std::string& name = "data.txt") {
    return LoadDataFile(WriteFile(name, text), ProgramSession());
  }
  std::vector<double> Values(int v) const {
    return std::vector<double>(Data().DataValues[v].begin(), Data().DataValues[v].end());
  }
  std::vector<std::string> Names() const {
    return std::vector<std::string>(Data().VarNames.begin(), Data().VarNames.end());
  }
};

TEST_F(DataInputTest, ReadsNamesAndObservations) {
  const LoadOutcome out = Load("A B C\r\n1 2 3\r\n4 5 6\r\n");
  ASSERT_TRUE(out.loaded);
  EXPECT_EQ(out.warning, "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(Data().NumObs, 2);
  EXPECT_EQ(Data().LastObs, 1);
  EXPECT_EQ(Data().FullLastVar, 2);
  EXPECT_EQ(Values(2), (std::vector<double>{3, 6}));
  EXPECT_EQ(Data().VarCounts[1], 2);
  EXPECT_EQ(Data().DataFileShortName, "data.txt");
}

TEST_F(DataInputTest, ShortLinesLeaveZeroLongLinesAreCutBlankLinesSkipped) {
  ASSERT_TRUE(Load("  A  B   C \n\n1 2\n\t\n4 5 6 7 8\n 1.5E1\t-2e-1 .5\n\n  \n").loaded);
  EXPECT_EQ(Data().NumObs, 3);
  EXPECT_EQ(Values(0), (std::vector<double>{1, 4, 15}));
  EXPECT_EQ(Values(1), (std::vector<double>{2, 5, -0.2}));
  EXPECT_EQ(Values(2), (std::vector<double>{0, 6, 0.5}));
}

TEST_F(DataInputTest, NamesAreCutToEightCharactersAndSeparatedByBlanksOrTabs) {
  ASSERT_TRUE(Load("Temperature  x\ty\t\t z\n1\t2\t3 4\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Temperat", "x", "y", "z"}));
  EXPECT_EQ(Values(3), (std::vector<double>{4}));
  // An empty first line gives one variable, named by its column.
  ASSERT_TRUE(Load("\n1\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Var1"}));
  // A first line of a megabyte without a blank is one name, read in linear time.
  ASSERT_TRUE(Load(std::string(1 << 20, 'N') + "\n1\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"NNNNNNNN"}));
}

// UTF-16 as common editors save it ("Unicode"), in either byte order.
TEST_F(DataInputTest, ReadsUtf16WithItsByteOrderMark) {
  const std::u16string text = u"Пульс\tДавление\r\n60\t120.5\r\n-999 130\r\n";
  for (const bool little : {true, false}) {
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t c : text) {
      const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
      bytes += little ? std::string{low, high} : std::string{high, low};
    }
    ASSERT_TRUE(Load(bytes).loaded) << little;
    EXPECT_EQ(Names(), (std::vector<std::string>{"Пульс", "Давление"}));
    EXPECT_EQ(Values(1), (std::vector<double>{120.5, 130}));
  }
}

// Every hostile or unlucky file is refused with the fixed message followed by
// where it failed, and the data set in force stays as it was.
TEST_F(DataInputTest, HostileFilesAreRefusedWithWhereAndKeepTheDataInForce) {
  const std::string good = WriteFile("good.txt", "X Y\n1 2\n3 4\n");
  const std::string fifo = TempPath("fifo.txt");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string names;
  for (int i = 0; i < 300000; ++i) names += "v ";
  struct Case {
    std::string path;  // a file to load, or the text to write to bad.txt
    std::string text;
    std::string message;  // the whole warning; "FILE" stands for the path
  };
  const std::string at2 = std::string(kBadNumbers) + "\nФайл FILE, строка 2: ";
  const Case cases[] = {
      {"", "A B\n1,5 2\n", at2 + "«1,5» не является числом"},
      {"", "A B\r\n1 x\r\n", at2 + "«x» не является числом"},
      {"", "A B\r1 2\r\r\n1 x\r", std::string(kBadNumbers) + "\nФайл FILE, строка 4: «x» не является числом"},
      {"", "A B\n 3 1e309\n", at2 + "«1e309» выходит за пределы допустимых чисел"},
      {"", "A\n" + std::string(1000, '9') + "\n", at2 + "«" + std::string(40, '9') + "...» выходит за пределы допустимых чисел"},
      {"", std::string("A B\n1\0 2\n", 9), at2 + "недопустимый управляющий символ (код 0)"},
      {"", "A\n1 2 \x01\n", at2 + "недопустимый управляющий символ (код 1)"},
      {"", std::string("A\0 \0B\0\n\0", 9), std::string(kBadNumbers) + "\nФайл FILE, строка 1: недопустимый управляющий символ (код 0)"},
      {"", "\xFF\xFE" "A", std::string(kBadNumbers) + "\nФайл FILE: неверный текст UTF-16 (байт 3)"},
      {"", names + "\n1\n", std::string(kRangeFailure) + "\nФайл FILE, строка 1: больше 100 имён переменных"},
      {"", "A\n", kNoNumbers},
      {"", "", kNoNumbers},
      {TempPath("missing.txt"), "", "Не удаётся открыть файл FILE: нет такого файла или каталога"},
      {dir_.string(), "", std::string(kBadNumbers) + "\nНе удаётся открыть файл FILE: это каталог, а не файл"},
      {fifo, "", std::string(kBadNumbers) + "\nНе удаётся открыть файл FILE: это не обычный файл (канал или устройство)"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(LoadDataFile(good, ProgramSession()).loaded);
    Data().DataValues[0][0] = 7;  // edited since the load
    const std::string path = c.path.empty() ? WriteFile("bad.txt", c.text) : c.path;
    std::string message = c.message;
    if (const std::size_t at = message.find("FILE"); at != std::string::npos) message.replace(at, 4, path);
    const LoadOutcome out = LoadDataFile(path, ProgramSession());
    EXPECT_FALSE(out.loaded) << message;
    EXPECT_EQ(out.warning, message);
    EXPECT_EQ(Names(), (std::vector<std::string>{"X", "Y"})) << message;
    EXPECT_EQ(Values(0), (std::vector<double>{7, 3})) << message;
    EXPECT_EQ(Data().DataFileName, good) << message;
  }
}

// A lone CR ends a line as LF and CR LF do (old Mac editors, some devices), in
// every mixture and however the file is cut into shares and read through its
// buffers; CR LF is one line end.
TEST_F(DataInputTest, ALoneCrEndsALineAsLfAndCrLfDo) {
  const std::string files[] = {
      "A B\n1 2\n3 4\n",       "A B\r1 2\r3 4\r",       "A B\r\n1 2\r\n3 4\r\n", "A B\r1 2\n3 4\r\n",
      "A B\r\r\n1 2\n\r3 4", "A B\r\r1 2\r\r\r3 4 5\r", "\tA\tB\r 1\t2 \r3\t4",
  };
  for (const std::string& text : files) {
    const std::string path = WriteFile("ends.txt", text);
    for (const int pieces : {1, 2, 3, 8}) {
      for (const std::size_t buffer : {std::size_t{1}, std::size_t{3}, kReadBufferBytes}) {
        ResetDataSet();
        DataFile file = OpenDataFile(path);
        ReadTextData(file, Data(), pieces, buffer);
        const std::string how = std::to_string(pieces) + " pieces, buffer " + std::to_string(buffer) + " of " + text;
        EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"})) << how;
        EXPECT_EQ(Values(0), (std::vector<double>{1, 3})) << how;
        EXPECT_EQ(Values(1), (std::vector<double>{2, 4})) << how;
      }
    }
  }
}

// A file written while it is read (cut short and grown again, over and over)
// is refused as a whole, never loaded in part, and the data in force stay.
TEST_F(DataInputTest, AFileThatChangesWhileItIsReadIsRefused) {
  const std::string good = WriteFile("good.txt", "X Y\n1 2\n3 4\n");
  std::string text = "A B\n";
  for (int i = 0; i < 200000; ++i) text += "1 2\n";
  const std::string path = WriteFile("changing.txt", text);
  ASSERT_TRUE(LoadDataFile(good, ProgramSession()).loaded);
  const std::string refusal = std::string(kBadNumbers) + "\nНе удаётся прочитать файл " + path + ": " + kChangedWhileRead;
  std::atomic<bool> stop{false};
  std::thread writer([&] {  // the last line goes and comes back: the file is always a valid table
    const int fd = open(path.c_str(), O_WRONLY);
    const auto size = static_cast<off_t>(text.size());
    while (!stop) {
      if (ftruncate(fd, size - 4) != 0 || pwrite(fd, "1 2\n", 4, size - 4) != 4) break;
    }
    close(fd);
  });
  int refused = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (int attempt = 0; attempt < 400 && refused < 3 && std::chrono::steady_clock::now() < until; ++attempt) {
    const LoadOutcome out = LoadDataFile(path, ProgramSession());
    if (out.loaded) {
      EXPECT_GE(Data().NumObs, 199999);
      EXPECT_EQ(Values(1)[static_cast<std::size_t>(Data().LastObs)], 2);
      ASSERT_TRUE(LoadDataFile(good, ProgramSession()).loaded);
      continue;
    }
    ++refused;
    EXPECT_EQ(out.warning, refusal);
    EXPECT_EQ(Names(), (std::vector<std::string>{"X", "Y"}));
    EXPECT_EQ(Data().DataFileName, good);
  }
  stop = true;
  writer.join();
  EXPECT_GT(refused, 0);
}

// A session of its own: a load that fails in any way leaves all of it as it
// was, the graphs' levels and marks, the Y scale and the cluster result
// included; a load that succeeds forgets what belonged to the data set it replaced.
TEST_F(DataInputTest, AFailedLoadLeavesTheWholeSessionAsItWas) {
  Session session;
  const std::string good = WriteFile("good.txt", "X Y Z\n1 2 3\n4 5 6\n");
  ASSERT_TRUE(LoadDataFile(good, session).loaded);
  DataSet& d = session.data;
  NarrowTo(d, {1});
  d.ProcessingNote = "Приросты.";
  d.Cluster.ClustArray.push_back({});
  d.VarSteps[0] = 0.25;
  session.settings.YScaleType = 1;
  GraphOverlays& overlays = session.overlays;
  overlays.ShowLevels = true;
  overlays.LevelValues = {{"Y", {1, 2, 3}}};
  overlays.ShowXMarks = true;
  overlays.XMarks = {false, true};

  const std::string failures[] = {
      WriteFile("bad.txt", "A B\n1 x\n"),
      WriteFile("empty.txt", "A B\n"),
      WriteFile("broken.xlsx", "PK\x03\x04 not a workbook"),
      TempPath("missing.txt"),
  };
  for (const std::string& path : failures) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(LoadDataFile(path, session).loaded);
    EXPECT_EQ(d.DataFileName, good);
    EXPECT_EQ(d.NumVar, 1);
    EXPECT_EQ(d.FullLastVar, 2);
    EXPECT_EQ(d.VarNames[0], "Y");
    EXPECT_EQ(d.DataValues[0][1], 5);
    EXPECT_EQ(d.VarSteps[0], 0.25);
    EXPECT_EQ(d.ProcessingNote, "Приросты.");
    EXPECT_EQ(d.Cluster.ClustArray.Count(), 1);
    EXPECT_EQ(session.settings.YScaleType, 1);
    EXPECT_TRUE(overlays.ShowLevels);
    ASSERT_EQ(overlays.LevelValues.size(), 1u);
    EXPECT_EQ(overlays.LevelValues[0].values[1], 2);
    EXPECT_TRUE(overlays.ShowXMarks);
    EXPECT_EQ(overlays.XMarks, (std::vector<bool>{false, true}));
  }

  ASSERT_TRUE(LoadDataFile(good, session).loaded);
  EXPECT_EQ(d.NumVar, 3);
  EXPECT_TRUE(d.Cluster.ClustArray.empty());
  EXPECT_EQ(d.ProcessingNote, "");
  EXPECT_EQ(session.settings.YScaleType, 0);
  EXPECT_FALSE(overlays.ShowLevels);
  EXPECT_TRUE(overlays.LevelValues.empty());
  EXPECT_FALSE(overlays.ShowXMarks);
  EXPECT_TRUE(overlays.XMarks.empty());
}

TEST_F(DataInputTest, AnUnreadableFileGivesTheSystemsReasonInRussian) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may read any file";
  const std::string path = WriteFile("locked.txt", "A\n1\n");
  chmod(path.c_str(), 0);
  EXPECT_EQ(LoadDataFile(path, ProgramSession()).warning,
            std::string(kBadNumbers) + "\nНе удаётся открыть файл " + path + ": нет доступа");
}

// The file is read in parts, never held whole: one cut short or grown after
// it was opened is refused, never read in part or past its end.
TEST_F(DataInputTest, AFileThatShrinksOrGrowsAfterItWasOpenedIsRefused) {
  const std::string text = "A B\n" + std::string(100000, ' ') + "1 2\n3 4\n";
  const std::string refusal = "Не удаётся прочитать файл FILE: " + std::string(kChangedWhileRead);
  for (const std::size_t size : {std::size_t{0}, std::size_t{2}, std::size_t{50000}, text.size() - 2, text.size() + 4}) {
    const std::string path = WriteFile("shrinks.txt", text);
    DataFile file = OpenDataFile(path);
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(size)), 0);
    std::string message = refusal;
    message.replace(message.find("FILE"), 4, path);
    try {
      ReadTextData(file, Data());
      ADD_FAILURE() << "a file cut to " << size << " bytes was read";
    } catch (const InOutError& e) {
      EXPECT_EQ(e.what(), message) << size;
    }
  }
}

// Short lines are filled out to every variable, so a small file can ask for a
// table larger than memory: it is refused before anything is allocated.
TEST_F(DataInputTest, ATableThatWouldNotFitInMemoryIsRefusedBeforeAllocating) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves memory beyond any data limit";
#endif
  std::string names;
  for (int i = 0; i < 100; ++i) names += "v" + std::to_string(i) + " ";
  std::string lines;
  for (int i = 0; i < 2000000; ++i) lines += "1\n";
  const std::string path = WriteFile("tall.txt", names + "\n" + lines);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // 1.5 GB of values, with room for 64 MB more than the process holds
    std::ifstream status("/proc/self/status");
    rlim_t data = 0;
    for (std::string line; std::getline(status, line);)
      if (line.rfind("VmData:", 0) == 0) data = std::stoull(line.substr(7)) * 1024;
    const rlimit limit{data + (64 << 20), data + (64 << 20)};
    setrlimit(RLIMIT_DATA, &limit);
    const LoadOutcome out = LoadDataFile(path, ProgramSession());
    const bool refused = !out.loaded && out.warning.rfind(std::string(kRangeFailure) + "\nФайл " + path +
                                                             ": таблица из 100 переменных и 2000000 наблюдений "
                                                             "заняла бы 1526 МБ памяти, а доступно ", 0) == 0;
    _exit(refused ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A random data file with what real ones hold: values in every form the
// reader takes, missing values, blank lines, short and long lines, tabs, line
// ends of every kind (LF, CR LF, a lone CR), and at times no line end after
// the last line.
std::string RandomDataFile(std::mt19937& rng, int lines) {
  const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const auto digits = [&](int n) {
    std::string d;
    for (int i = 0; i < n; ++i) d += static_cast<char>('0' + pick(10));
    return d;
  };
  const auto value = [&]() -> std::string {
    const std::string sign = pick(3) == 0 ? "-" : pick(8) == 0 ? "+" : "";
    switch (pick(10)) {
      case 0: return "-999";
      case 1: return sign + digits(1 + pick(6));
      case 2: return sign + digits(1 + pick(4)) + "." + digits(1 + pick(4));
      case 3: return sign + digits(1 + pick(9)) + "." + digits(pick(12));  // beyond the short form
      case 4: return sign + "0." + std::string(static_cast<std::size_t>(pick(5)), '0') + digits(1 + pick(17));
      case 5: return sign + digits(1 + pick(3)) + (pick(2) ? "e" : "E") + (pick(2) ? "-" : "+") + digits(1 + pick(2));
      case 6: return sign + digits(1 + pick(25));  // more digits than a double holds
      case 7: return sign + (pick(2) ? "." + digits(1 + pick(3)) : digits(1 + pick(3)) + ".");
      case 8: return sign + digits(1) + "." + digits(60 + pick(80));  // longer than a block of the reader
      default: return sign + "4.9e-3" + std::to_string(pick(3) + 22);  // near and below the smallest double
    }
  };
  const std::string blanks[] = {" ", "  ", "\t", " \t ", "   "};
  const int variables = 1 + pick(6);
  std::string text;
  for (int v = 0; v < variables; ++v) text += "V" + std::to_string(v) + " ";
  text += "\r\n";
  for (int i = 0; i < lines; ++i) {
    if (pick(3) == 0) text += blanks[pick(5)];
    const int count = pick(10) == 0 ? 0 : 1 + pick(variables + 2);
    for (int k = 0; k < count; ++k) text += (k ? blanks[pick(5)] : "") + value();
    if (pick(4) == 0) text += blanks[pick(5)];
    const char* ends[] = {"\r\n", "\n", "\r"};
    if (i + 1 < lines || pick(2)) text += ends[pick(3)];
  }
  return text;
}

// The table the text spells, found the plainest way: line by line, each line
// split into numbers at its blanks, a short line filled out with zeros.
std::vector<std::vector<std::uint64_t>> PlainReading(const std::string& text) {
  std::vector<std::vector<std::string>> lines(1);
  std::string token;
  for (std::size_t k = 0; k <= text.size(); ++k) {
    const char c = k < text.size() ? text[k] : '\n';
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      token += c;
      continue;
    }
    if (!token.empty()) lines.back().push_back(token);
    token.clear();
    if ((c == '\r' || c == '\n') && !(c == '\n' && k > 0 && text[k - 1] == '\r')) lines.emplace_back();
  }
  std::vector<std::vector<std::uint64_t>> bits(lines.front().size());
  for (std::size_t line = 1; line < lines.size(); ++line) {
    if (lines[line].empty()) continue;
    for (std::size_t v = 0; v < bits.size(); ++v) {
      double x = 0;
      if (v < lines[line].size()) {
        EXPECT_TRUE(ParseFixedNumber(lines[line][v], x)) << lines[line][v];
      }
      bits[v].push_back(std::bit_cast<std::uint64_t>(x));
    }
  }
  return bits;
}

// Every value of the data set, bit for bit.
std::vector<std::vector<std::uint64_t>> ValueBits() {
  std::vector<std::vector<std::uint64_t>> bits;
  for (const Array<double>& column : Data().DataValues) {
    bits.emplace_back();
    for (const double x : column) bits.back().push_back(std::bit_cast<std::uint64_t>(x));
  }
  return bits;
}

// A large file is read in shares at the same time, split at line ends, each
// through a buffer of its own; however its shares and buffers fall (more
// shares than lines included, a buffer shorter than a line), the table is the
// one a reading in one go gives, to the last bit, and that is the table the
// lines spell.
TEST_F(DataInputTest, ReadingInPiecesGivesTheTableOfAReadingInOneGo) {
  std::mt19937 rng(18);
  for (int round = 0; round < 40; ++round) {
    const std::string path = WriteFile("pieces.txt", RandomDataFile(rng, round < 10 ? round : round * 10));
    std::vector<std::vector<std::uint64_t>> whole;
    for (const int pieces : {1, 2, 3, 5, 16}) {
      for (const std::size_t buffer : {kReadBufferBytes, std::size_t{1}, std::size_t{100}}) {
        ResetDataSet();
        DataFile file = OpenDataFile(path);
        ReadTextData(file, Data(), pieces, buffer);
        if (whole.empty()) {
          whole = ValueBits();
          ASSERT_EQ(whole, PlainReading(test::ReadFile(path))) << test::ReadFile(path);
        } else {
          ASSERT_EQ(ValueBits(), whole) << pieces << " pieces, buffer " << buffer << " of\n" << test::ReadFile(path);
        }
      }
    }
  }
}

// A fault found by a later piece is reported as a reading in one go reports
// it: the same text naming the same line, and the first fault in the file
// when there are several.
TEST_F(DataInputTest, AFaultFoundInALaterPieceNamesTheLineAReadingInOneGoNames) {
  const auto file = [](std::vector<std::pair<int, std::string>> faults) {
    std::string text = "A B C\n";
    for (int line = 2; line <= 400; ++line) {
      std::string values = std::to_string(line) + " 2.5 -3";
      for (const auto& [at, bad] : faults)
        if (at == line) values = "1 " + bad + " 3";
      text += values + (line % 3 == 0 ? "\r" : line % 2 ? "\r\n" : "\n");
    }
    return text;
  };
  struct Case {
    std::string text;
    std::string fault;  // what the message says, after the line
  };
  const Case cases[] = {
      {file({{390, "x"}}), "строка 390: «x» не является числом"},
      {file({{250, "1e999"}}), "строка 250: «1e999» выходит за пределы допустимых чисел"},
      {file({{380, "1,5"}, {120, "2,5"}}), "строка 120: «2,5» не является числом"},
      {file({{399, "2 3 4 \x01"}}), "строка 399: недопустимый управляющий символ (код 1)"},
      {file({{400, "x"}}).substr(0, file({{400, "x"}}).size() - 1), "строка 400: «x» не является числом"},
  };
  for (const Case& c : cases) {
    const std::string path = WriteFile("fault.txt", c.text);
    for (const int pieces : {1, 2, 3, 8}) {
      for (const std::size_t buffer : {kReadBufferBytes, std::size_t{1}, std::size_t{100}}) {
        DataFile f = OpenDataFile(path);
        try {
          ReadTextData(f, Data(), pieces, buffer);
          ADD_FAILURE() << c.fault << " not found in " << pieces << " pieces, buffer " << buffer;
        } catch (const InOutError& e) {
          EXPECT_EQ(e.what(), "Файл " + path + ", " + c.fault) << pieces << " pieces, buffer " << buffer;
        }
      }
    }
  }
}

TEST_F(DataInputTest, ReadsNamesInUtf8OrWindows1251) {
  ASSERT_TRUE(Load("\xEF\xBB\xBFПульс Давление\n1 2\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Пульс", "Давление"}));
  ASSERT_TRUE(Load("\xCF\xF3\xEB\xFC\xF1 \xC0\xC4\xE4\xE8\xE0\xF1\xF2\xEE\xEB\xE0\n1 2\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Пульс", "АДдиасто"}));
}

TEST_F(DataInputTest, AcceptsAHundredNamesAndRefusesMore) {
  std::string names, values;
  for (int i = 0; i < 100; ++i) {
    names += "v" + std::to_string(i) + " ";
    values += "1 ";
  }
  ASSERT_TRUE(Load(names + "\n" + values + "\n").loaded);
  EXPECT_EQ(Data().NumVar, 100);
  const LoadOutcome out = Load(names + "extra\n" + values + "\n");
  EXPECT_EQ(out.warning.substr(0, out.warning.find('\n')), kRangeFailure);
  EXPECT_EQ(Data().NumVar, 100);
}

TEST_F(DataInputTest, RemovesEmptyVariablesUnlessAskedToKeepThem) {
  Config().EmptyValue = Data().EmptyValue = -999;
  ASSERT_TRUE(Load("A Z B\n1 0 -999\n2 0 4\n").loaded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Values(1), (std::vector<double>{-999, 4}));  // the missing code is stored as it is
  EXPECT_EQ(Data().VarSteps.Count(), 2);
  Config().IsZeroVarInput = true;
  ASSERT_TRUE(Load("A Z B\n1 0 3\n2 0 4\n").loaded);
  EXPECT_EQ(Data().NumVar, 3);
}

TEST_F(DataInputTest, ALoadReplacesThePerLoadState) {
  Data().ProcessingNote = "old";
  Data().ResultsFileName = "/x.out";
  ASSERT_TRUE(Load("A\n1\n").loaded);
  EXPECT_EQ(Data().ProcessingNote, "");
  EXPECT_EQ(Data().ResultsFileName, "data.out");
}

TEST_F(DataInputTest, SpreadsheetNamesGoByTheirExtension) {
  const std::pair<const char*, bool> cases[] = {{"data.Xlsx", true}, {"a/b.xls", true},   {"c.XLSM", true},
                                                {"data.xl", false},  {"data.dbf", false}, {"x.xls/data", false},
                                                {"xls", false}};
  for (const auto& [name, spreadsheet] : cases) EXPECT_EQ(IsSpreadsheetName(name), spreadsheet) << name;
  EXPECT_EQ(Load("A\n1\n", "table.xlsx").readerWarning.rfind(kSpreadsheetFailure, 0), 0u);
}

TEST_F(DataInputTest, SplitsPaths) {
  EXPECT_EQ(FileNameOf("/home/u/Pulse.TXT"), "Pulse.TXT");
  EXPECT_EQ(DirectoryOf("/home/u/Pulse.TXT"), "/home/u/");
  EXPECT_EQ(DirectoryOf("Pulse.TXT"), "");
}

}  // namespace
}  // namespace tavrel
