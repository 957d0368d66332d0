#include "draw/qt_error_text.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QImageReader>
#include <cerrno>
#include <cstring>
#include <locale.h>

#include "core/base/system_error_text.h"

namespace tavrel {

namespace {

// The errno value whose wording Qt passed on (Qt words the system's reasons
// as the C library does, in English or in the user's language), or 0.
int SystemErrorOf(const QString& text) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
  for (int e = 1; e < 134; ++e) {
    if (c != locale_t(nullptr) && text == QString::fromLocal8Bit(strerror_l(e, c))) return e;
    char buffer[256] = {};
    if (text == QString::fromLocal8Bit(strerror_r(e, buffer, sizeof buffer))) return e;
  }
  return 0;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QString FileErrorText(const QFileDevice& file) {
  if (const int e = SystemErrorOf(file.errorString())) return Text(SystemErrorText(e));
  // QSaveFile checks these itself before it opens anything.
  const QFileInfo info(file.fileName());
  if (file.error() == QFileDevice::OpenError || file.error() == QFileDevice::WriteError) {
    if (info.isDir()) return Text(SystemErrorText(EISDIR));
    if (info.exists() && !info.isWritable()) return Text(SystemErrorText(EACCES));
  }
  switch (file.error()) {
    case QFileDevice::NoError: return {};
    case QFileDevice::ReadError: return QStringLiteral("ошибка чтения");
    case QFileDevice::WriteError: return QStringLiteral("ошибка записи");
    case QFileDevice::FatalError: return QStringLiteral("неустранимая ошибка");
    case QFileDevice::ResourceError: return QStringLiteral("недостаточно ресурсов системы");
    case QFileDevice::OpenError: return QStringLiteral("не удаётся открыть файл");
    case QFileDevice::AbortError: return QStringLiteral("запись отменена");
    case QFileDevice::TimeOutError: return QStringLiteral("время ожидания истекло");
    case QFileDevice::RemoveError: return QStringLiteral("не удаётся удалить файл");
    case QFileDevice::RenameError: return QStringLiteral("не удаётся заменить файл");
    case QFileDevice::PositionError: return QStringLiteral("ошибка позиционирования в файле");
    case QFileDevice::ResizeError: return QStringLiteral("не удаётся изменить размер файла");
    case QFileDevice::PermissionsError: return QStringLiteral("не удаётся изменить права доступа");
    case QFileDevice::CopyError: return QStringLiteral("не удаётся скопировать файл");
    case QFileDevice::UnspecifiedError: break;
  }
  return QStringLiteral("неизвестная ошибка");
}

QString ImageReadErrorText(const QImageReader& reader) {
  switch (reader.error()) {
    case QImageReader::FileNotFoundError: {
      // Qt says "not found" for any file it could not open.
      QFile file(reader.fileName());
      if (!reader.fileName().isEmpty() && QFileInfo::exists(reader.fileName()) && !file.open(QIODevice::ReadOnly))
        return FileErrorText(file);
      if (QFileInfo(reader.fileName()).isDir()) return Text(SystemErrorText(EISDIR));
      return Text(SystemErrorText(ENOENT));
    }
    case QImageReader::DeviceError:
      if (const int e = SystemErrorOf(reader.errorString())) return Text(SystemErrorText(e));
      return QStringLiteral("ошибка чтения");
    case QImageReader::UnsupportedFormatError: return QStringLiteral("формат рисунка не поддерживается");
    case QImageReader::InvalidDataError: return QStringLiteral("данные рисунка повреждены");
    case QImageReader::UnknownError: break;
  }
  return QStringLiteral("неизвестная ошибка");
}

}  // namespace tavrel
