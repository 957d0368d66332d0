// The batch tool's graph command: pictures by suffix, paginated PDF, and its refusals.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli_fixture.h"

namespace tavrel {
namespace {

class GraphCliTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    data_ = WriteFile("pulse.txt", FortyDaysTable());
  }
  static int PdfPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = 0; (at = pdf.find("/Type /Page", at)) != std::string::npos; ++at)
      if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    return pages;
  }
  std::string data_;
};

TEST_F(GraphCliTest, WritesThePictureTheSuffixNames) {
  const struct {
    const char* name;
    std::string head;
  } cases[] = {{"g.png", "\x89PNG"}, {"g.bmp", "BM"}, {"g.jpg", "\xFF\xD8"}, {"g.svg", "<?xml"}};
  for (const auto& c : cases) {
    ASSERT_EQ(Run("graph sequential " + data_ + " " + TempPath(c.name) + " --levels --smooth 3"), 0) << err_;
    EXPECT_EQ(test::ReadFile(TempPath(c.name)).substr(0, c.head.size()), c.head) << c.name;
  }
}

TEST_F(GraphCliTest, APdfIsPaginatedAsPrinting) {
  // Four bands of about ten ticks at 600 dots each do not fit one A4 page.
  std::string ini = test::ReadFile(ini_);
  const std::size_t at = ini.find("PrintStepY=");
  ini.replace(at, ini.find('\n', at) - at, "PrintStepY=600");
  ini_ = WriteFile("Tavrel.ini", ini);
  ASSERT_EQ(Run("graph sequential " + data_ + " " + TempPath("g.pdf")), 0) << err_;
  EXPECT_GT(PdfPages(test::ReadFile(TempPath("g.pdf"))), 1);
  ASSERT_EQ(Run("graph sequential " + data_ + " " + TempPath("one.pdf") + " --vars Temp"), 0) << err_;
  EXPECT_EQ(PdfPages(test::ReadFile(TempPath("one.pdf"))), 1);
}

// With the distributed settings a printed graph of 30 days carries its day
// numbers and every band its Y labels, read back from the PDF's text.
TEST_F(GraphCliTest, APrintedMonthShowsDayNumbersAndYLabels) {
  std::string month = "Pulse Temp\n";
  for (int i = 0; i < 30; ++i) month += std::to_string(60 + i % 7) + " " + std::to_string(36 + i % 3) + "\n";
  const std::string file = WriteFile("month.txt", month);
  ASSERT_EQ(Run("graph sequential " + file + " " + TempPath("month.pdf")), 0) << err_;
  ASSERT_EQ(std::system(("pdftotext -layout " + TempPath("month.pdf") + " " + TempPath("month.txt")).c_str()), 0);
  std::istringstream text(test::ReadFile(TempPath("month.txt")));
  std::set<std::string> words;
  for (std::string w; text >> w;) words.insert(w);
  for (const char* expected : {"Pulse", "Temp", "5", "10", "15", "20", "25", "30", "60.0", "66.0", "36.0", "38.0"})
    EXPECT_EQ(words.count(expected), 1u) << expected;
  EXPECT_EQ(words.count("7"), 0u) << "days between the labelled ones carry no number";
}

// A series longer than the page is printed whole: the day numbers of the
// pages, read back page by page, run on from page to page up to the last day.
TEST_F(GraphCliTest, APrintedSeriesWiderThanThePageGoesOnOverPages) {
  std::string ramp = "Ramp\n";
  for (int i = 1; i <= 400; ++i) ramp += std::to_string(i) + "\n";
  const std::string pdf = TempPath("ramp.pdf");
  ASSERT_EQ(Run("graph sequential " + WriteFile("ramp.txt", ramp) + " " + pdf), 0) << err_;
  const int pages = PdfPages(test::ReadFile(pdf));
  ASSERT_GT(pages, 2);
  std::vector<int> days;
  for (int page = 1; page <= pages; ++page) {
    const std::string text = TempPath("page.txt");
    const std::string command = "pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) + " " +
                                pdf + " " + text;
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::istringstream words(test::ReadFile(text));
    std::vector<int> onPage;
    for (std::string w; words >> w;)
      if (w.find_first_not_of("0123456789") == std::string::npos) onPage.push_back(std::stoi(w));
    ASSERT_FALSE(onPage.empty()) << "page " << page << " has no day numbers";
    EXPECT_EQ(onPage.front(), days.empty() ? 5 : days.back() + 5) << "page " << page;
    days.insert(days.end(), onPage.begin(), onPage.end());
  }
  std::vector<int> every5;
  for (int k = 5; k <= 400; k += 5) every5.push_back(k);
  EXPECT_EQ(days, every5);
}

TEST_F(GraphCliTest, RefusesWhatItCannotDraw) {
  const struct {
    std::string args;
    int code;
    std::string message;
  } cases[] = {
      {"graph", 2, "не задан вид графика"},
      {"graph pie " + data_ + " x.png", 2, "неизвестный вид графика pie"},
      {"graph sequential " + data_ + " x.gif", 2, "x.gif"},
      {"graph sequential " + data_ + " x.png --smooth 4", 2, "--smooth"},
      {"graph sequential " + data_ + " x.png --vars Nope", kChoiceRefused, "Нет переменной Nope"},
      {"graph sequential " + data_ + " /no/such/dir/x.png", kOutputRefused, "/no/such/dir/x.png"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), c.code) << c.args;
    EXPECT_NE(err_.find(c.message), std::string::npos) << c.args << "\n" << err_;
  }
}

// The pictures come from the drawing program beside the batch tool; a batch
// tool copied away from it says so instead of drawing nothing in silence.
TEST_F(GraphCliTest, WithoutItsDrawingProgramTheGraphCommandSaysWhatIsMissing) {
  const std::string alone = TempPath("alone");
  std::filesystem::create_directory(alone);
  std::filesystem::copy_file(TAVREL_CLI, alone + "/tavrel-cli");
  const std::string command = alone + "/tavrel-cli graph sequential " + data_ + " " + TempPath("x.png") + " 2>" +
                              TempPath("stderr");
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(test::ReadFile(TempPath("stderr")).find(alone + "/tavrel-cli-graph"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(TempPath("x.png")));
}

TEST_F(GraphCliTest, TooShortASeriesToSmoothIsReportedAndDrawnAnyway) {
  const std::string shortData = WriteFile("short.txt", "A\n1\n2\n3\n4\n");
  ASSERT_EQ(Run("graph sequential " + shortData + " " + TempPath("s.png") + " --smooth 5"), 0) << err_;
  EXPECT_NE(err_.find("Ошибка сглаживания по 5 точкам"), std::string::npos) << err_;
}

// --dates labels the X axis by date: the picture changes for a file with dates
// and stays as it was for one without them.
TEST_F(GraphCliTest, DatesShowOnTheGraphsOnlyWhenTheFileHasThem) {
  std::string dated = "Дата;Пульс\n", plain = "Пульс\n";
  for (int i = 0; i < 12; ++i) {
    const std::string value = std::to_string(60 + i % 5);
    dated += (i < 9 ? "0" : "") + std::to_string(i + 1) + ".03.2024;" + value + "\n";
    plain += value + "\n";
  }
  const struct {
    std::string file;
    bool changes;
  } cases[] = {{WriteFile("dated.csv", dated), true}, {WriteFile("plain.csv", plain), false}};
  const std::string datedFile = cases[0].file;
  for (const std::string graph : {"graph sequential ", "graph editor ", "graph combined ", "graph combined --3d "}) {
    for (const auto& c : cases) {
      ASSERT_EQ(Run(graph + c.file + " " + TempPath("without.png")), 0) << err_;
      ASSERT_EQ(Run(graph + c.file + " " + TempPath("with.png") + " --dates"), 0) << err_;
      EXPECT_EQ(test::ReadFile(TempPath("without.png")) != test::ReadFile(TempPath("with.png")), c.changes)
          << graph << c.file;
    }
  }
  // A printed graph showing dates names its first and last row's in its title
  // line, the ends of its X axis, also when the rows are not in date order.
  const auto printedText = [&](const std::string& file, const std::string& options) {
    const std::string pdf = TempPath("dated.pdf"), text = TempPath("dated.pdf.txt");
    EXPECT_EQ(Run("graph sequential " + file + " " + pdf + options), 0) << err_;
    EXPECT_EQ(std::system(("pdftotext -layout " + pdf + " " + text).c_str()), 0);
    return test::ReadFile(text);
  };
  EXPECT_NE(printedText(datedFile, " --dates").find("01.03.2024 – 12.03.2024"), std::string::npos);
  EXPECT_EQ(printedText(datedFile, "").find("01.03.2024 – 12.03.2024"), std::string::npos);
  const std::string unordered =
      WriteFile("unordered.csv", "Дата;Пульс\n05.03.2024;60\n01.03.2024;61\n09.03.2024;62\n03.03.2024;63\n");
  EXPECT_NE(printedText(unordered, " --dates").find("05.03.2024 – 03.03.2024"), std::string::npos);
}

TEST_F(GraphCliTest, TheEditorsGraphIsOneVariableAtTheAskedSize) {
  const std::string out = TempPath("edit.png");
  ASSERT_EQ(Run("graph editor " + data_ + " " + out + " --var AD --size 640x480 --levels"), 0) << err_;
  const std::string png = test::ReadFile(out);
  ASSERT_GE(png.size(), 24u);
  const auto big = [&png](std::size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(big(16), 640u);  // the header's width and height
  EXPECT_EQ(big(20), 480u);
  const struct {
    std::string args;
    int code;
    std::string says;
  } refused[] = {
      {" --var AD,Temp", 2, "--var"},
      {" --var Nothing", kChoiceRefused, "Nothing"},
      {" --size 0x100", 2, "--size"},
      {" --size 100x", 2, "--size"},
  };
  for (const auto& c : refused) {
    EXPECT_EQ(Run("graph editor " + data_ + " " + out + c.args), c.code) << c.args;
    EXPECT_NE(err_.find(c.says), std::string::npos) << err_;
  }
}

TEST_F(GraphCliTest, CombinedChartsOfEachKind) {
  const struct {
    std::string options;
    std::string name;
    std::string head;
  } cases[] = {{"", "line.bmp", "BM"},
               {"--type bar --mode stacked100", "bar.png", "\x89PNG"},
               {"--type area --mode stacked --vars Pulse,AD", "area.svg", "<?xml"}};
  for (const auto& c : cases) {
    ASSERT_EQ(Run("graph combined " + data_ + " " + TempPath(c.name) + " " + c.options), 0) << c.options << "\n" << err_;
    EXPECT_EQ(test::ReadFile(TempPath(c.name)).substr(0, c.head.size()), c.head) << c.name;
  }
  // The whole chart window's picture, as the guide gives its size.
  const std::string png = test::ReadFile(TempPath("bar.png"));
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x03\x84\0\0\x02\x58", 8));  // 900 x 600
  // The line of means is part of the picture.
  const std::string area = test::ReadFile(TempPath("area.svg"));
  EXPECT_NE(area.find(">Средние:"), std::string::npos);
  EXPECT_NE(area.find(">Pulse="), std::string::npos);
  EXPECT_EQ(Run("graph combined " + data_ + " x.png --type pie"), 2);
  EXPECT_EQ(Run("graph combined " + data_ + " x.png --type line --mode side"), 2);
}

TEST_F(GraphCliTest, CombinedChartsInThreeDimensions) {
  // Each view gives its own picture, the same one each time.
  const std::string options[] = {"",
                                 "--3d",
                                 "--3d --depth 40",
                                 "--elevation 345 --rotation 345",
                                 "--3d --elevation 330 --rotation 20"};
  std::set<std::string> pictures;
  for (const std::string& o : options) {
    for (const char* type : {"line", "bar", "area"}) {
      const std::string name = TempPath("view.png");
      ASSERT_EQ(Run("graph combined " + data_ + " " + name + " --type " + type + " " + o), 0) << o << "\n" << err_;
      EXPECT_TRUE(pictures.insert(test::ReadFile(name)).second) << type << " " << o;
    }
  }
  ASSERT_EQ(Run("graph combined " + data_ + " " + TempPath("again.png") + " --type line --3d"), 0);
  EXPECT_EQ(pictures.count(test::ReadFile(TempPath("again.png"))), 1u);
  ASSERT_EQ(Run("graph combined " + data_ + " " + TempPath("view.pdf") + " --type bar --mode stacked --3d"), 0);
  EXPECT_EQ(test::ReadFile(TempPath("view.pdf")).substr(0, 4), "%PDF");
  for (const std::string bad : {"--elevation 0", "--rotation 601", "--depth 51", "--depth x"}) {
    EXPECT_EQ(Run("graph combined " + data_ + " x.png " + bad), 2) << bad;
    EXPECT_NE(err_.find(bad.substr(0, bad.find(' '))), std::string::npos) << err_;
  }
}

// Values the chart's scale cannot span end in seconds with a message, never a
// crash or a hang; values just within the limit are drawn.
TEST_F(GraphCliTest, ChartRangesThatCannotBeDrawnAreRefusedInSeconds) {
  const std::string huge = WriteFile("huge.txt", "A B\n1e308 1\n-1e308 2\n5 3\n");
  const std::string big = WriteFile("big.txt", "A B\n8.9e307 1\n-8.9e307 2\n5 3\n");
  const std::string edge = WriteFile("edge.txt", "A B\n1e300 1\n-1e300 2\n5 3\n");
  const struct {
    std::string data, options;
    int code;
  } cases[] = {
      {huge, "", kChoiceRefused},
      {huge, "--type bar", kChoiceRefused},
      {big, "--type bar --3d", kChoiceRefused},
      {big, "--type area --3d", kChoiceRefused},
      {big, "--type area --mode stacked", kChoiceRefused},
      {edge, "", 0},
      {edge, "--type bar --3d", 0},
      {edge, "--type area --elevation 330 --rotation 20", 0},
  };
  for (const auto& c : cases) {
    const std::string picture = TempPath("range.png");
    std::filesystem::remove(picture);
    EXPECT_EQ(Run("graph combined " + c.data + " " + picture + " " + c.options, "timeout 60 "), c.code)
        << c.data << " " << c.options << "\n" << err_;
    EXPECT_EQ(std::filesystem::exists(picture), c.code == 0) << c.options;
    if (c.code == 1) {
      EXPECT_NE(err_.find("Диапазон значений нельзя нарисовать: значения ряда A"), std::string::npos) << err_;
    }
  }
}

TEST_F(GraphCliTest, ClusterPicturesRunTheAnalysisFirst) {
  const struct {
    std::string args;
    std::string name;
    std::string head;
  } cases[] = {
      {"graph dendrogram " + data_, "tree.bmp", "BM"},
      {"graph dendrogram " + data_, "tree.svg", "<?xml"},
      {"graph dendrogram " + data_ + " --vars Pulse,AD --method 2 --distance 1", "tree2.png", "\x89PNG"},
      {"graph cluster-dynamics " + data_, "dynamics.bmp", "BM"},
      {"graph cluster-dynamics " + data_ + " --method 4", "dynamics.png", "\x89PNG"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Run(c.args + " " + TempPath(c.name)), 0) << c.args << "\n" << err_;
    EXPECT_EQ(test::ReadFile(TempPath(c.name)).substr(0, c.head.size()), c.head) << c.name;
  }
  const std::string gaps = WriteFile("gaps.txt", "A B\n1 2\n3 -9999\n4 5\n");
  const struct {
    std::string args;
    int code;
    std::string message;
  } refusals[] = {
      {"graph dendrogram " + gaps + " x.png --missing -9999", kChoiceRefused, "Пропуски не удалены."},
      {"graph dendrogram " + data_ + " x.png --method 9", 2, "--method"},
      {"graph dendrogram " + data_ + " x.gif", 2, "x.gif"},
      {"graph dendrogram " + data_ + " x.png --rewrite", 2, "--rewrite"},
  };
  for (const auto& c : refusals) {
    EXPECT_EQ(Run(c.args), c.code) << c.args;
    EXPECT_NE(err_.find(c.message), std::string::npos) << c.args << "\n" << err_;
  }
}

TEST_F(GraphCliTest, DistributionAndScatterPicturesBySuffix) {
  const struct {
    std::string kindAndVars;
    const char* name;
    std::string head;
  } cases[] = {
      {"distribution --vars AD", "d.bmp", "BM"},
      {"distribution --vars AD", "d.png", "\x89PNG"},
      {"distribution --vars AD", "d.svg", "<?xml"},
      {"scatter --vars Weight,Pulse --pairwise-missing --pairwise-outliers", "s.png", "\x89PNG"},
      {"scatter --vars Pulse,AD", "s.pdf", "%PDF"},
  };
  for (const auto& c : cases) {
    const std::string kind = c.kindAndVars.substr(0, c.kindAndVars.find(' '));
    const std::string options = c.kindAndVars.substr(kind.size());
    ASSERT_EQ(Run("graph " + kind + " " + data_ + " " + TempPath(c.name) + options), 0) << err_;
    EXPECT_EQ(test::ReadFile(TempPath(c.name)).substr(0, c.head.size()), c.head) << c.name;
  }
}

TEST_F(GraphCliTest, DistributionAndScatterRefuseAsTheWindowsDo) {
  const std::string same = WriteFile("same.txt", "A B\n5 1\n5 2\n5 3\n5 4\n5 5\n5 6\n5 7\n5 8\n");
  const std::string few = WriteFile("few.txt", "A B\n1 2\n2 -999\n4 7\n");
  const struct {
    std::string args;
    int code;
    std::string message;
  } cases[] = {
      {"graph distribution " + same + " x.png --vars A", kChoiceRefused, "Cреднеквадратическое отклонение=0"},
      {"graph distribution " + few + " x.png --vars A", kChoiceRefused, "Число степеней свободы =-1"},
      {"graph distribution " + few + " x.png --vars B", kChoiceRefused, "пропуски"},
      {"graph distribution " + data_ + " x.png", 2, "--vars"},
      {"graph distribution " + data_ + " x.png --vars AD,Temp", 2, "одна переменная"},
      {"graph scatter " + data_ + " x.png --vars AD", 2, "две переменные"},
      {"graph scatter " + data_ + " x.png --vars AD,Nope", kChoiceRefused, "Нет переменной Nope"},
      {"graph scatter " + few + " /no/such/dir/x.png --vars A,B", kOutputRefused, "/no/such/dir/x.png"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), c.code) << c.args;
    EXPECT_NE(err_.find(c.message), std::string::npos) << c.args << "\n" << err_;
  }
}

}  // namespace

}  // namespace tavrel
