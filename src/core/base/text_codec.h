#pragma once
// Text encodings and character-counted fields. Names are kept as UTF-8 in
// memory but limited to what the single-byte code page Windows-1251 can hold.
#include <string>
#include <string_view>

namespace tavrel {

bool IsValidUtf8(std::string_view bytes);

// Windows-1251 bytes to UTF-8.
std::string Cp1251ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1251 bytes; a character the code page lacks becomes "?".
std::string Utf8ToCp1251(std::string_view text);

// A file's text as UTF-8: kept when it is valid UTF-8 (a byte-order mark is
// dropped), otherwise taken as Windows-1251.
std::string DecodeFileText(std::string_view bytes);

// Whether bytes start with a UTF-16 byte-order mark (either byte order).
bool HasUtf16Mark(std::string_view bytes);

// UTF-16 text that starts with its byte-order mark, as UTF-8 without a mark.
// Bytes that are not valid UTF-16 are an InOutError.
std::string Utf16ToUtf8(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text.
int Utf8Length(std::string_view text);

// The first count characters of a UTF-8 text.
std::string Utf8Left(std::string_view text, int count);

// text right- or left-aligned in a field of width characters, blank-filled;
// a longer text is kept whole.
std::string AlignRight(std::string_view text, int width);
std::string AlignLeft(std::string_view text, int width);

// A variable name as the data set stores it: at most 8 characters, each one
// Windows-1251 can hold (others become "?").
std::string StoreName(std::string_view text);

// Upper- and lower-casing of the ASCII letters A to Z only.
std::string AsciiUpper(std::string s);
std::string AsciiLower(std::string s);

// Removes characters with codes up to 32 at both ends (blanks and control characters).
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimBlanksLeft(std::string_view text);

}  // namespace tavrel
