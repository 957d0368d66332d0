#include "app/shell/typed_number.h"

#include <QLineEdit>

#include "app/shell/message_service.h"
#include "core/base/errors.h"
#include "core/base/numbers.h"

namespace tavrel {

namespace {

template <class Convert>
auto Typed(QLineEdit* field, const QString& fieldName, Convert convert) -> std::optional<decltype(convert({}))> {
  try {
    return convert(field->text().toStdString());
  } catch (const ConversionError& e) {
    ShowMessage(MessageKind::Warning, QStringLiteral("Поле «%1»: %2").arg(fieldName, QString::fromUtf8(e.what())),
                field->window());
    field->setFocus();
    field->selectAll();
    return std::nullopt;
  }
}

}  // namespace

std::optional<double> TypedNumber(QLineEdit* field, const QString& fieldName) {
  return Typed(field, fieldName, [](const std::string& text) { return UserNumber(text); });
}

std::optional<std::int32_t> TypedInteger(QLineEdit* field, const QString& fieldName) {
  return Typed(field, fieldName, [](const std::string& text) { return UserInteger(text); });
}

}  // namespace tavrel
