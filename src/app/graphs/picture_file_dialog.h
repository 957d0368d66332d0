#pragma once
// The save dialog every picture window asks for a file name with.
#include <QString>

class QWidget;

namespace tavrel {

// Asks for a picture file in dir (the formats by suffix, .bmp proposed),
// named proposed when given, and accepts it with AcceptedPictureFile.
// vectorNote follows "SVG" and "PDF" in the list of formats (", весь
// график" where only the vector formats hold the whole picture). Returns the
// chosen path, or empty when the user declined or the file was refused.
QString ChoosePictureFile(QWidget* parent, const QString& caption, const QString& dir, const QString& proposed = {},
                          const QString& vectorNote = {});

// Whether a picture may be saved to the chosen path: it must pass the rule of
// every output (never the loaded data file, a directory or a pipe; the
// refusal is shown), and a file that exists is rewritten only when the user confirms.
bool AcceptedPictureFile(QWidget* parent, const QString& path);

}  // namespace tavrel
