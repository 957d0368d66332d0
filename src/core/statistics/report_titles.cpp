#include "core/statistics/report_titles.h"

#include <initializer_list>
#include <string>

#include "core/base/numbers.h"
#include "core/data/results_file.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

namespace {

// A title line (none when empty), a rule, the column lines and the rule again.
void Heading(ResultsFileWriter& out, const char* title, const std::string& rule,
             std::initializer_list<std::string> columns) {
  if (*title) out.WriteLn(title);
  out.WriteLn(rule);
  for (const std::string& line : columns) out.WriteLn(line);
  out.WriteLn(rule);
}

// The column line of a threshold table; sign is "+" or "-".
std::string LevelsColumns(const char* sign, const StatOptions& o) {
  const std::string m = std::string("M") + sign;
  return " Переменные    Среднее       @         " + m + "@      " + m + "1.5@      " + m + "2@      " + m +
         (o.UserLevelOn ? FixedText(o.UserLevel, 4, 2) : "?") + "@";
}

}  // namespace

void TitleElementary(ResultsFileWriter& out) {
  Heading(out, " ЭЛЕМЕНТАРНАЯ СТАТИСТИКА", Rule(48), {" Переменные     N    Среднее       @         m"});
}

void TitleVariability(ResultsFileWriter& out) {
  Heading(out, " ВАРИАТИВНОСТЬ ДАННЫХ", Rule(53), {" Переменные      MIN      MAX           Всплески"});
}

void TitleLevelsUp(ResultsFileWriter& out, const StatOptions& options) {
  Heading(out, "", Rule(78), {LevelsColumns("+", options)});
}

void TitleLevelsDown(ResultsFileWriter& out, const StatOptions& options) {
  Heading(out, "", Rule(78), {LevelsColumns("-", options)});
}

void TitleNormality(ResultsFileWriter& out) {
  Heading(out, " НОРМАЛЬНОСТЬ ДАННЫХ", Rule(67), {" Переменные       As     pas       Ex     pex        x2     px2"});
}

void TitlePearson(ResultsFileWriter& out) {
  Heading(out, " КОЭФФИЦИЕНТ КОРРЕЛЯЦИИ", Rule(47) + " ",
          {" Переменные            N    Коэффициент     p", "                            Пирсона"});
}

void TitleSpearman(ResultsFileWriter& out) {
  Heading(out, " РАНГОВАЯ КОРРЕЛЯЦИЯ ПО СПИРМЕНУ", Rule(47),
          {" Переменные            N    Коэффициент     p", "                            Спирмена"});
}

void TitleStudent(ResultsFileWriter& out) {
  Heading(out, " ТЕСТ РАЗЛИЧИЯ СРЕДНИХ ПО СТЬЮДЕНТУ", Rule(52) + " ",
          {" Переменные            N1    N2   t-критерий    p "});
}

void TitleWilcoxon(ResultsFileWriter& out) {
  Heading(out, " ТЕСТ РАЗЛИЧИЯ СРЕДНИХ ПО УИЛКОКСОНУ", Rule(54),
          {" Переменные            N1    N2     U-критерий     p "});
}

void TitlePairStudent(ResultsFileWriter& out) {
  Heading(out, " ТЕСТ РАЗЛИЧИЯ ПАР ПО СТЬЮДЕНТУ", Rule(47) + " ", {" Переменные            N    t-критерий    p "});
}

void TitlePairWilcoxon(ResultsFileWriter& out) {
  Heading(out, " ТЕСТ РАЗЛИЧИЯ ПАР ПО УИЛКОКСОНУ", Rule(47), {" Переменные            N     T-критерий     p "});
}

void TitleCluster(ResultsFileWriter& out) {
  out.WriteLn();
  out.WriteLn();
  out.WriteLn(" КЛАСТЕРНЫЙ АНАЛИЗ");
  out.WriteLn(Rule(19));
}

void EndTable(ResultsFileWriter& out) {
  out.WriteLn();
  out.WriteLn();
}

}  // namespace tavrel
