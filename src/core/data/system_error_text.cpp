#include "data/system_error_text.h"

#include <cerrno>

namespace tavrel {

std::string SystemErrorText(int err) {
  switch (err) {
    case ENOENT: return "нет такого файла или каталога";
    case EACCES: return "нет доступа";
    case EPERM: return "операция не разрешена";
    case EISDIR: return "это каталог, а не файл";
    case ENOTDIR: return "часть пути не является каталогом";
    case ENAMETOOLONG: return "слишком длинное имя файла";
    case ELOOP: return "слишком много символических ссылок в пути";
    case ENOSPC: return "нет места на диске";
    case EDQUOT: return "превышена дисковая квота";
    case EFBIG: return "файл слишком велик";
    case EROFS: return "файловая система доступна только для чтения";
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
    default: return "системная ошибка " + std::to_string(err);
  }
}

}  // namespace tavrel
