#include "data/system_error_text.h"

#include <cerrno>
#include <cstring>

namespace tavrel {

std::string SystemErrorText(int errnum) {
  switch (errnum) {
    case ENOENT:
      return "нет такого файла или каталога";
    case EACCES:
    case EPERM:
      return "нет прав доступа";
    case ENOSPC:
      return "на устройстве не осталось места";
    case EDQUOT:
      return "превышена дисковая квота";
    case EROFS:
      return "файловая система только для чтения";
    case EISDIR:
      return "это каталог";
    case ENOTDIR:
      return "часть пути не является каталогом";
    case EEXIST:
      return "файл уже существует";
    case EIO:
      return "ошибка ввода-вывода";
    case ENAMETOOLONG:
      return "слишком длинное имя файла";
    case EMFILE:
    case ENFILE:
      return "открыто слишком много файлов";
    case EBUSY:
      return "устройство или ресурс занято";
    case EFBIG:
      return "файл слишком велик";
    default:
      break;
  }
  char buffer[256] = {};
  // The GNU strerror_r returns the text, which may or may not be in buffer.
  const char* text = strerror_r(errnum, buffer, sizeof buffer);
  return std::string(text ? text : "") + " (" + std::to_string(errnum) + ")";
}

}  // namespace tavrel
