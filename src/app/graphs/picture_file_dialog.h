#pragma once
// The save dialog every picture window asks for a file name with.
#include <QString>

class QWidget;

namespace tavrel {

// Asks for a picture file in dir (the formats by suffix, .bmp proposed),
// named proposed when given; a file that exists is rewritten only when the
// user confirms. vectorNote follows "SVG" and "PDF" in the list of formats
// (", весь график" where only the vector formats hold the whole picture).
// Returns the chosen path, or empty when the user declined.
QString ChoosePictureFile(QWidget* parent, const QString& caption, const QString& dir, const QString& proposed = {},
                          const QString& vectorNote = {});

}  // namespace tavrel
