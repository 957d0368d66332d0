#pragma once
// Shared by the window tests: a private home for the settings, scripted answers
// to modal dialogs, and a record of the message boxes.
#include <QtWidgets>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"
#include "core/data/session.h"
#include "app/data/tfm_dbf_out.h"
#include "app/data/tfm_var.h"
#include "app/graphs/graph_run_options.h"
#include "app/shell/message_service.h"
#include "core/shell/settings.h"

namespace tavrel::test {

// Points HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR at a temporary directory,
// so that no test touches the real user's settings.
class TemporaryHome {
 public:
  TemporaryHome() {
    dir_.setAutoRemove(true);
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", dir_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (dir_.path() + "/.config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", dir_.path().toUtf8());
  }
  QString Path(const QString& name) const { return dir_.path() + "/" + name; }
  // Writes a file (directories made as needed) and returns its path.
  QString Write(const QString& name, const QByteArray& bytes) const {
    const QString path = Path(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
  }
  // The user's settings: the distributed file with the given keys replaced.
  QString WriteSettings(const std::vector<std::pair<QString, QString>>& keys = {}) const {
    QFile dist(QDir::cleanPath(QStringLiteral(TAVREL_TEST_DATA "/../../dist/Tavrel.ini")));
    if (!dist.open(QIODevice::ReadOnly)) qFatal("no distributed settings file");
    QStringList lines = QString::fromUtf8(dist.readAll()).split('\n');
    for (QString& line : lines) {
      for (const auto& [key, value] : keys) {
        if (line.startsWith(key + "=")) line = key + "=" + value;
      }
    }
    return Write(".config/tavrel/Tavrel.ini", lines.join('\n').toUtf8());
  }

 private:
  QTemporaryDir dir_;
};

inline QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Pages of a PDF file: its page objects.
inline int PdfPageCount(const QByteArray& pdf) { return static_cast<int>(pdf.count("/Type /Page\n")); }

// Fresh process-wide state for each test.
inline void ResetState() {
  if (ResultsFile().IsOpen()) ResultsFile().Close();
  ResetDataSet();
  ResetSettings();
  GraphRunOptions() = GraphOptions{};
}

// Records every message box; confirmations and questions take the queued
// answers (Yes when none is queued); a question takes a queued reply first,
// which may be Answer::Cancel.
class Messages {
 public:
  Messages() {
    SetMessageHandler([this](MessageKind kind, const QString& text) {
      shown.emplace_back(kind, text);
      if (kind != MessageKind::Confirmation || answers.empty()) return true;
      const bool answer = answers.front();
      answers.pop_front();
      return answer;
    });
    SetAnswerHandler([this](const QString& text) {
      shown.emplace_back(MessageKind::Question, text);
      if (!replies.empty()) {
        const Answer reply = replies.front();
        replies.pop_front();
        return reply;
      }
      if (answers.empty()) return Answer::Yes;
      const bool answer = answers.front();
      answers.pop_front();
      return answer ? Answer::Yes : Answer::No;
    });
  }
  ~Messages() {
    SetMessageHandler({});
    SetAnswerHandler({});
  }
  QStringList Texts() const {
    QStringList texts;
    for (const auto& m : shown) texts << m.second;
    return texts;
  }
  std::vector<std::pair<MessageKind, QString>> shown;
  std::deque<bool> answers;
  std::deque<Answer> replies;
};

// Answers the modal dialogs that open, in order: each step gets the dialog it is
// meant for. Steps left over when the script ends fail the test.
class ModalScript {
 public:
  using Step = std::function<void(QWidget*)>;
  explicit ModalScript(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(10);
  }
  ~ModalScript() { timer_.stop(); }
  bool Done() const { return steps_.empty(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      last_ = nullptr;
      return;
    }
    if (modal == last_ || steps_.empty()) {
      // A dialog left open (nobody answers it, or a step failed) would hang the test.
      if (++unanswered_ > 500) {
        qFatal("unexpected dialog %s \"%s\"", modal->metaObject()->className(), qPrintable(modal->windowTitle()));
      }
      return;
    }
    unanswered_ = 0;
    last_ = modal;
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(modal);
    // A step whose check failed leaves its dialog open: close it so the test can report.
    if (QTest::currentTestFailed() && modal == QApplication::activeModalWidget()) {
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    }
  }
  std::deque<Step> steps_;
  QPointer<QWidget> last_;
  QTimer timer_;
  int unanswered_ = 0;
};

// A step that runs f on the dialog, which must be of type T.
template <class T>
ModalScript::Step On(std::function<void(T*)> f) {
  return [f](QWidget* w) {
    T* dialog = qobject_cast<T*>(w);
    if (!dialog) qFatal("expected %s, got %s", T::staticMetaObject.className(), w->metaObject()->className());
    f(dialog);
  };
}

// A step that picks a file in a file dialog.
inline ModalScript::Step PickFile(const QString& path) {
  return On<QFileDialog>([path](QFileDialog* d) {
    // Typed as a user would type it; the dialog's own accept would wait for its file list.
    d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
    d->QDialog::accept();
  });
}

// A step that chooses the variables at the given list rows ("Сохранить выбор:"
// as keep) and confirms the variable dialog.
inline ModalScript::Step ChooseVariables(QList<int> rows, bool keep = false) {
  return On<TfmVar>([rows, keep](TfmVar* d) {
    for (int r : rows) d->variableList->item(r)->setSelected(true);
    d->cbxSavePrm->setChecked(keep);
    d->btbtnOK->click();
  });
}

// A step that accepts the output dialog as it proposes.
inline ModalScript::Step AcceptOutput() {
  return On<TfmDBFout>([](TfmDBFout* d) { d->btbtnOK->click(); });
}

// The ways a user leaves a dialog without confirming it: its cancel button
// (by object name, when it has one), Esc where the focus is, and the close box.
inline std::vector<std::pair<QString, ModalScript::Step>> WaysToCancel(const QString& cancelButton) {
  std::vector<std::pair<QString, ModalScript::Step>> ways = {
      {"Esc",
       [](QWidget* w) {
         QWidget* focus = w->focusWidget();
         QTest::keyClick(focus && w->isAncestorOf(focus) ? focus : w, Qt::Key_Escape);
       }},
      {"close box", [](QWidget* w) { w->close(); }}};
  if (!cancelButton.isEmpty()) {
    ways.push_back({cancelButton, [cancelButton](QWidget* w) {
                      auto* button = w->findChild<QAbstractButton*>(cancelButton);
                      if (!button) qFatal("no button %s", qPrintable(cancelButton));
                      button->click();
                    }});
  }
  return ways;
}

// A step that closes the data table window that opens after a load or new data.
inline ModalScript::Step CloseDataTable() {
  return [](QWidget* w) {
    if (w->objectName() != QStringLiteral("TfmShowTable")) qFatal("expected the data table, got %s", w->metaObject()->className());
    w->close();
  };
}

inline ModalScript::Step Cancel() {
  return [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); };
}

}  // namespace tavrel::test
