#include "core/base/library_error_text.h"

#include <expat.h>
#include <zip.h>

#include "core/base/system_error_text.h"

namespace tavrel {

namespace {

std::string ZipCodeText(int code) {
  switch (code) {
    case ZIP_ER_OK: return "нет ошибки";
    case ZIP_ER_MULTIDISK: return "многотомные zip-архивы не поддерживаются";
    case ZIP_ER_RENAME: return "не удалось переименовать временный файл";
    case ZIP_ER_CLOSE: return "не удалось закрыть архив";
    case ZIP_ER_SEEK: return "ошибка позиционирования в файле";
    case ZIP_ER_READ: return "ошибка чтения";
    case ZIP_ER_WRITE: return "ошибка записи";
    case ZIP_ER_CRC: return "неверная контрольная сумма";
    case ZIP_ER_ZIPCLOSED: return "архив уже закрыт";
    case ZIP_ER_NOENT: return "нет такого файла";
    case ZIP_ER_EXISTS: return "файл уже существует";
    case ZIP_ER_OPEN: return "не удаётся открыть файл";
    case ZIP_ER_TMPOPEN: return "не удалось создать временный файл";
    case ZIP_ER_ZLIB: return "ошибка распаковки";
    case ZIP_ER_MEMORY: return "недостаточно памяти";
    case ZIP_ER_CHANGED: return "элемент архива изменён";
    case ZIP_ER_COMPNOTSUPP: return "метод сжатия не поддерживается";
    case ZIP_ER_EOF: return "файл неожиданно закончился";
    case ZIP_ER_INVAL: return "недопустимый аргумент";
    case ZIP_ER_NOZIP: return "не является zip-архивом";
    case ZIP_ER_INTERNAL: return "внутренняя ошибка";
    case ZIP_ER_INCONS: return "архив противоречив";
    case ZIP_ER_REMOVE: return "не удаётся удалить файл";
    case ZIP_ER_DELETED: return "элемент архива удалён";
    case ZIP_ER_ENCRNOTSUPP: return "метод шифрования не поддерживается";
    case ZIP_ER_RDONLY: return "архив только для чтения";
    case ZIP_ER_NOPASSWD: return "не указан пароль";
    case ZIP_ER_WRONGPASSWD: return "неверный пароль";
    case ZIP_ER_OPNOTSUPP: return "операция не поддерживается";
    case ZIP_ER_INUSE: return "ресурс ещё используется";
    case ZIP_ER_TELL: return "ошибка определения позиции в файле";
    case ZIP_ER_COMPRESSED_DATA: return "сжатые данные повреждены";
    case ZIP_ER_CANCELLED: return "операция отменена";
    default: return "ошибка архива (код " + std::to_string(code) + ")";
  }
}

}  // namespace

std::string ZipErrorText(int code) { return ZipCodeText(code); }

std::string ZipErrorText(const zip_error* error) {
  std::string text = ZipCodeText(zip_error_code_zip(error));
  const int system = zip_error_code_system(error);
  switch (zip_error_system_type(error)) {
    case ZIP_ET_SYS:
      if (system != 0) text += ": " + SystemErrorText(system);
      break;
    case ZIP_ET_ZLIB:
      text += " (zlib, код " + std::to_string(system) + ")";
      break;
    default:
      break;
  }
  return text;
}

std::string XmlErrorText(int code) {
  switch (static_cast<XML_Error>(code)) {
    case XML_ERROR_NONE: return "нет ошибки";
    case XML_ERROR_NO_MEMORY: return "недостаточно памяти";
    case XML_ERROR_SYNTAX: return "синтаксическая ошибка";
    case XML_ERROR_NO_ELEMENTS: return "нет ни одного элемента";
    case XML_ERROR_INVALID_TOKEN: return "документ составлен неверно";
    case XML_ERROR_UNCLOSED_TOKEN: return "незакрытая лексема";
    case XML_ERROR_PARTIAL_CHAR: return "неполный символ";
    case XML_ERROR_TAG_MISMATCH: return "закрывающий тег не совпадает с открывающим";
    case XML_ERROR_DUPLICATE_ATTRIBUTE: return "повторяющийся атрибут";
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT: return "лишние данные после корневого элемента";
    case XML_ERROR_PARAM_ENTITY_REF: return "недопустимая ссылка на параметрическую сущность";
    case XML_ERROR_UNDEFINED_ENTITY: return "неопределённая сущность";
    case XML_ERROR_RECURSIVE_ENTITY_REF: return "рекурсивная ссылка на сущность";
    case XML_ERROR_ASYNC_ENTITY: return "асинхронная сущность";
    case XML_ERROR_BAD_CHAR_REF: return "ссылка на недопустимый символ";
    case XML_ERROR_BINARY_ENTITY_REF: return "ссылка на двоичную сущность";
    case XML_ERROR_ATTRIBUTE_EXTERNAL_ENTITY_REF: return "ссылка на внешнюю сущность в атрибуте";
    case XML_ERROR_MISPLACED_XML_PI: return "объявление XML не в начале документа";
    case XML_ERROR_UNKNOWN_ENCODING: return "неизвестная кодировка";
    case XML_ERROR_INCORRECT_ENCODING: return "кодировка указана неверно";
    case XML_ERROR_UNCLOSED_CDATA_SECTION: return "незакрытый раздел CDATA";
    case XML_ERROR_EXTERNAL_ENTITY_HANDLING: return "ошибка обработки внешней сущности";
    case XML_ERROR_NOT_STANDALONE: return "документ не автономен";
    case XML_ERROR_UNEXPECTED_STATE: return "неожиданное состояние разбора";
    case XML_ERROR_ENTITY_DECLARED_IN_PE: return "сущность объявлена в параметрической сущности";
    case XML_ERROR_FEATURE_REQUIRES_XML_DTD: return "возможность требует поддержки DTD";
    case XML_ERROR_CANT_CHANGE_FEATURE_ONCE_PARSING: return "настройку нельзя менять во время разбора";
    case XML_ERROR_UNBOUND_PREFIX: return "необъявленный префикс пространства имён";
    case XML_ERROR_UNDECLARING_PREFIX: return "отмена объявления префикса недопустима";
    case XML_ERROR_INCOMPLETE_PE: return "неполная параметрическая сущность";
    case XML_ERROR_XML_DECL: return "объявление XML составлено неверно";
    case XML_ERROR_TEXT_DECL: return "текстовое объявление составлено неверно";
    case XML_ERROR_PUBLICID: return "недопустимые символы в общедоступном идентификаторе";
    case XML_ERROR_SUSPENDED: return "разбор приостановлен";
    case XML_ERROR_NOT_SUSPENDED: return "разбор не приостановлен";
    case XML_ERROR_ABORTED: return "разбор прерван";
    case XML_ERROR_FINISHED: return "разбор уже закончен";
    case XML_ERROR_SUSPEND_PE: return "нельзя приостановить разбор внешней параметрической сущности";
    case XML_ERROR_RESERVED_PREFIX_XML: return "зарезервированный префикс xml использован неверно";
    case XML_ERROR_RESERVED_PREFIX_XMLNS: return "зарезервированный префикс xmlns использован неверно";
    case XML_ERROR_RESERVED_NAMESPACE_URI: return "зарезервированное пространство имён использовано неверно";
    case XML_ERROR_INVALID_ARGUMENT: return "недопустимый аргумент";
    case XML_ERROR_NO_BUFFER: return "нет буфера для разбора";
    case XML_ERROR_AMPLIFICATION_LIMIT_BREACH: return "превышен предел раскрытия сущностей";
    default: return "ошибка XML (код " + std::to_string(code) + ")";
  }
}

}  // namespace tavrel
