#pragma once
// The headings written to the results file in front of each statistics table,
// and the end of a table.
#include "core/data/results_file.h"
#include "core/statistics/statistics_run.h"

namespace tavrel {

void TitleElementary(ResultsFileWriter& out);
void TitleVariability(ResultsFileWriter& out);
// The threshold tables' headings name the user's level when it is on.
void TitleLevelsUp(ResultsFileWriter& out, const StatOptions& options);
void TitleLevelsDown(ResultsFileWriter& out, const StatOptions& options);
void TitleNormality(ResultsFileWriter& out);
void TitlePearson(ResultsFileWriter& out);
void TitleSpearman(ResultsFileWriter& out);
void TitleStudent(ResultsFileWriter& out);
void TitleWilcoxon(ResultsFileWriter& out);
void TitlePairStudent(ResultsFileWriter& out);
void TitlePairWilcoxon(ResultsFileWriter& out);
// The heading of the cluster report: two empty lines, the title and a rule.
void TitleCluster(ResultsFileWriter& out);

// The two empty lines after the last line of a table.
void EndTable(ResultsFileWriter& out);

}  // namespace tavrel
