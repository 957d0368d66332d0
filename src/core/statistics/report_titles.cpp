#include "core/statistics/report_titles.h"

#include <initializer_list>
#include <string>

#include "core/data/numbers.h"
#include "core/data/results_file.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

namespace {

// A title line (none when empty), a rule, the column lines and the rule again.
void Heading(const char* title, const std::string& rule, std::initializer_list<std::string> columns) {
  ResultsFileWriter& out = ResultsFile();
  if (*title) out.WriteLn(title);
  out.WriteLn(rule);
  for (const std::string& line : columns) out.WriteLn(line);
  out.WriteLn(rule);
}

// The column line of a threshold table; sign is "+" or "-".
std::string LevelsColumns(const char* sign) {
  const StatOptions& o = StatConfig();
  const std::string m = std::string("M") + sign;
  return " Переменные    Среднее       @         " + m + "@      " + m + "1.5@      " + m + "2@      " + m +
         (o.UserLevelOn ? FixedText(o.UserLevel, 4, 2) : "?") + "@";
}

}  // namespace

void TitleElementary() {
  Heading(" ЭЛЕМЕНТАРНАЯ СТАТИСТИКА", Rule(48), {" Переменные     N    Среднее       @         m"});
}

void TitleVariability() {
  Heading(" ВАРИАТИВНОСТЬ ДАННЫХ", Rule(53), {" Переменные      MIN      MAX           Всплески"});
}

void TitleLevelsUp() { Heading("", Rule(78), {LevelsColumns("+")}); }

void TitleLevelsDown() { Heading("", Rule(78), {LevelsColumns("-")}); }

void TitleNormality() {
  Heading(" НОРМАЛЬНОСТЬ ДАННЫХ", Rule(67), {" Переменные       As     pas       Ex     pex        x2     px2"});
}

void TitlePearson() {
  Heading(" КОЭФФИЦИЕНТ КОРРЕЛЯЦИИ", Rule(47) + " ",
          {" Переменные            N    Коэффициент     p", "                            Пирсона"});
}

void TitleSpearman() {
  Heading(" РАНГОВАЯ КОРРЕЛЯЦИЯ ПО СПИРМЕНУ", Rule(47),
          {" Переменные            N    Коэффициент     p", "                            Спирмена"});
}

void TitleStudent() {
  Heading(" ТЕСТ РАЗЛИЧИЯ СРЕДНИХ ПО СТЬЮДЕНТУ", Rule(52) + " ",
          {" Переменные            N1    N2   t-критерий    p "});
}

void TitleWilcoxon() {
  Heading(" ТЕСТ РАЗЛИЧИЯ СРЕДНИХ ПО УИЛКОКСОНУ", Rule(54), {" Переменные            N1    N2     U-критерий     p "});
}

void TitlePairStudent() {
  Heading(" ТЕСТ РАЗЛИЧИЯ ПАР ПО СТЬЮДЕНТУ", Rule(47) + " ", {" Переменные            N    t-критерий    p "});
}

void TitlePairWilcoxon() {
  Heading(" ТЕСТ РАЗЛИЧИЯ ПАР ПО УИЛКОКСОНУ", Rule(47), {" Переменные            N     T-критерий     p "});
}

void TitleCluster() {
  ResultsFileWriter& out = ResultsFile();
  out.WriteLn();
  out.WriteLn();
  out.WriteLn(" КЛАСТЕРНЫЙ АНАЛИЗ");
  out.WriteLn(Rule(19));
}

void EndTable() {
  ResultsFile().WriteLn();
  ResultsFile().WriteLn();
}

}  // namespace tavrel
