#include "app/data/show_results.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "app/shell/message_service.h"
#include "core/shell/settings.h"
#include "app/statistics/tfm_see_file.h"

namespace tavrel {

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

// The external editor as a program that can be started, empty when there is none.
QString EditorProgram() {
  const QString editor = Text(Config().ExtEditor).trimmed();
  if (editor.isEmpty()) return {};
  const QFileInfo info(editor);
  if (info.isFile() && info.isExecutable()) return editor;
  return editor.contains('/') ? QString() : QStandardPaths::findExecutable(editor);
}

}  // namespace

void ShowResults(ResultsCaller caller, TfmSeeFile& viewer) {
  const Settings& s = Config();
  const QString results = Text(Data().ResultsFileName);
  const bool exists = QFileInfo(results).isFile();
  const MessageKind kind = caller == ResultsCaller::MainWindow ? MessageKind::Information : MessageKind::Warning;
  const QString notFound = QStringLiteral("Файл не найден: (") + results + QStringLiteral(")!");
  if (s.InnerEditor) {
    if (!exists) {
      ShowMessage(kind, notFound);
      return;
    }
    // The viewer lands on the newest report when the file is the one last written.
    const qint64 start = Data().ResultsFileName == ResultsFile().Path()
                             ? static_cast<qint64>(ResultsFile().ReportStart()) : 0;
    viewer.OpenFile(results, s.TextFontSize, Text(s.TextFontName), s.PrintTextFontSize, Text(s.PrintTextFontName),
                    start);
    return;
  }
  if (caller == ResultsCaller::AfterRun && !exists) {
    ShowMessage(kind, notFound);
    return;
  }
  const QString editor = EditorProgram();
  if (editor.isEmpty() || !QProcess::startDetached(editor, {results})) {
    ShowMessage(kind, QStringLiteral("Внешний редактор не найден!"));
  }
}

}  // namespace tavrel
