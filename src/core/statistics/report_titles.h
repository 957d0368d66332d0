#pragma once
// The headings written to the results file in front of each statistics table,
// and the end of a table.
namespace tavrel {

void TitleElementary();
void TitleVariability();
void TitleLevelsUp();
void TitleLevelsDown();
void TitleNormality();
void TitlePearson();
void TitleSpearman();
void TitleStudent();
void TitleWilcoxon();
void TitlePairStudent();
void TitlePairWilcoxon();
// The heading of the cluster report: two empty lines, the title and a rule.
void TitleCluster();

// The two empty lines after the last line of a table.
void EndTable();

}  // namespace tavrel
