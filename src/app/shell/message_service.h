#pragma once
// Every message box of the program goes through here, so that tests can answer them.
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace tavrel {

enum class MessageKind { Warning, Error, Information, Confirmation };

// Shows a message with one OK button (a confirmation asks Yes / No). Returns
// true for OK and Yes, false for No.
bool ShowMessage(MessageKind kind, const QString& text, QWidget* parent = nullptr);
bool ShowMessage(MessageKind kind, const std::string& text, QWidget* parent = nullptr);

// Replaces the boxes by a handler (tests); an empty handler restores the boxes.
using MessageHandler = std::function<bool(MessageKind, const QString&)>;
void SetMessageHandler(MessageHandler handler);

}  // namespace tavrel
