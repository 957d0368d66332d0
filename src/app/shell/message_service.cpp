#include "shell/message_service.h"

#include <QApplication>
#include <QMessageBox>

namespace tavrel {

namespace {

MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}

}  // namespace

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

bool ShowMessage(MessageKind kind, const QString& text, QWidget* parent) {
  if (Handler()) return Handler()(kind, text);
  if (!parent) parent = QApplication::activeWindow();
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
      return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  }
  return true;
}

bool ShowMessage(MessageKind kind, const std::string& text, QWidget* parent) {
  return ShowMessage(kind, QString::fromStdString(text), parent);
}

}  // namespace tavrel
