#pragma once
// Numbers the user types into a dialog's field.
#include <QString>
#include <cstdint>
#include <optional>

class QLineEdit;

namespace tavrel {

// The number typed in field, with "." or "," as the decimal point. Text that
// is not a number is refused: a warning names the field and the text, the
// field takes the focus with its text selected, and the result is empty (the
// dialog stays open).
std::optional<double> TypedNumber(QLineEdit* field, const QString& fieldName);

// The same for a whole number.
std::optional<std::int32_t> TypedInteger(QLineEdit* field, const QString& fieldName);

}  // namespace tavrel
