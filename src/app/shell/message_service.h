#pragma once
// Every message box of the program goes through here, so that tests can answer them.
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace tavrel {

struct CommandRefusal;

enum class MessageKind { Warning, Error, Information, Confirmation, Question };

// Shows a message with one OK button (a confirmation asks Yes / No). Returns
// true for OK and Yes, false for No.
bool ShowMessage(MessageKind kind, const QString& text, QWidget* parent = nullptr);
bool ShowMessage(MessageKind kind, const std::string& text, QWidget* parent = nullptr);

// Shows a command's refusal: as an error or a warning, as the refusal says.
void ShowRefusal(const CommandRefusal& refusal, QWidget* parent = nullptr);

// The answer to a question with "Да", "Нет" and "Отмена".
enum class Answer { Yes, No, Cancel };

// Asks a question with "Да", "Нет" and "Отмена"; Esc and the close box answer "Отмена".
Answer AskYesNoCancel(const QString& text, QWidget* parent = nullptr);
Answer AskYesNoCancel(const std::string& text, QWidget* parent = nullptr);

// Replace the boxes (tests); empty handlers restore the boxes. A question goes
// to the answer handler; without one, to the message handler as
// MessageKind::Question, whose true and false answer "Да" and "Нет".
using MessageHandler = std::function<bool(MessageKind, const QString&)>;
using AnswerHandler = std::function<Answer(const QString&)>;
void SetMessageHandler(MessageHandler handler);
void SetAnswerHandler(AnswerHandler handler);

}  // namespace tavrel
