#include "app/shell/message_service.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "core/commands/command_refusal.h"

namespace tavrel {

namespace {

MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}

AnswerHandler& Answers() {
  static AnswerHandler handler;
  return handler;
}

QWidget* Parent(QWidget* parent) { return parent ? parent : QApplication::activeWindow(); }

}  // namespace

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }
void SetAnswerHandler(AnswerHandler handler) { Answers() = std::move(handler); }

bool ShowMessage(MessageKind kind, const QString& text, QWidget* parent) {
  if (kind == MessageKind::Question) return AskYesNoCancel(text, parent) == Answer::Yes;
  if (Handler()) return Handler()(kind, text);
  parent = Parent(parent);
  const QString title = QApplication::applicationDisplayName();
  switch (kind) {
    case MessageKind::Warning:
      QMessageBox::warning(parent, title, text);
      return true;
    case MessageKind::Error:
      QMessageBox::critical(parent, title, text);
      return true;
    case MessageKind::Information:
      QMessageBox::information(parent, title, text);
      return true;
    case MessageKind::Confirmation:
    case MessageKind::Question:
      break;
  }
  return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool ShowMessage(MessageKind kind, const std::string& text, QWidget* parent) {
  return ShowMessage(kind, QString::fromStdString(text), parent);
}

void ShowRefusal(const CommandRefusal& refusal, QWidget* parent) {
  ShowMessage(refusal.error ? MessageKind::Error : MessageKind::Warning, std::string(refusal.what()), parent);
}

Answer AskYesNoCancel(const QString& text, QWidget* parent) {
  if (Answers()) return Answers()(text);
  if (Handler()) return Handler()(MessageKind::Question, text) ? Answer::Yes : Answer::No;
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Parent(parent));
  box.setObjectName(QStringLiteral("QuestionBox"));
  box.setDefaultButton(QMessageBox::Yes);
  // The cancel button is also the answer of Esc and of the close box.
  box.setEscapeButton(QMessageBox::Cancel);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Да"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&Нет"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Отмена"));
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

Answer AskYesNoCancel(const std::string& text, QWidget* parent) {
  return AskYesNoCancel(QString::fromStdString(text), parent);
}

}  // namespace tavrel
