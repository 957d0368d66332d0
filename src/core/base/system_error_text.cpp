#include "core/base/system_error_text.h"

#include <cerrno>
#include <cstring>

namespace tavrel {

std::string SystemErrorText(int errnum) {
  switch (errnum) {
    case ENOENT: return "нет такого файла или каталога";
    case EACCES: return "нет доступа";
    case EPERM: return "операция не разрешена";
    case EISDIR: return "это каталог, а не файл";
    case ENOTDIR: return "часть пути не является каталогом";
    case ENAMETOOLONG: return "слишком длинное имя файла";
    case ELOOP: return "слишком много символических ссылок в пути";
    case ENOSPC: return "на устройстве не осталось места";
    case EDQUOT: return "превышена дисковая квота";
    case EFBIG: return "файл слишком велик";
    case EROFS: return "файловая система только для чтения";
    case EIO: return "ошибка ввода-вывода";
    case ENOMEM: return "недостаточно памяти";
    case EMFILE:
    case ENFILE: return "открыто слишком много файлов";
    case EBUSY:
    case ETXTBSY: return "файл занят";
    case EEXIST: return "файл уже существует";
    case ENXIO:
    case ENODEV: return "устройство недоступно";
    case EINVAL: return "недопустимый аргумент";
    default: break;
  }
  char buffer[256] = {};
  // The GNU strerror_r returns the text, which may or may not be in buffer.
  const char* text = strerror_r(errnum, buffer, sizeof buffer);
  return std::string(text ? text : "") + " (" + std::to_string(errnum) + ")";
}

}  // namespace tavrel
