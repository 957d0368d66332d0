#pragma once
// Qt's reasons for a failed file or picture, in Russian as SystemErrorText
// gives the system's: lower case, to follow a colon.
#include <QString>

class QFileDevice;
class QImageReader;

namespace tavrel {

// Why a file (a QFile, a QSaveFile) failed to open, read or write.
QString FileErrorText(const QFileDevice& file);

// Why a picture could not be read.
QString ImageReadErrorText(const QImageReader& reader);

}  // namespace tavrel
