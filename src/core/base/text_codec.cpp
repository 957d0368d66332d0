#include "core/base/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "core/base/errors.h"

namespace tavrel {

namespace {

// Length of the UTF-8 sequence that starts with byte c, 0 when c cannot start one.
int SequenceLength(unsigned char c) {
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF4) return 4;
  return 0;
}

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

// Converts with iconv; an input sequence the target cannot hold becomes
// substitute, and the converter skips one input character.
std::string Convert(const char* to, const char* from, std::string_view in, const char* substitute,
                    bool fromUtf8) {
  iconv_t raw = iconv_open(to, from);
  if (raw == reinterpret_cast<iconv_t>(-1)) throw InOutError(std::string("Нет кодировки ") + from);
  std::unique_ptr<void, IconvCloser> cd(raw);
  std::string out;
  out.resize(in.size() * 4 + 8);
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(raw, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) throw InOutError("Ошибка перекодировки текста");
    std::size_t skip = 1;
    if (fromUtf8) {
      const int n = SequenceLength(static_cast<unsigned char>(*inPtr));
      skip = n > 0 && static_cast<std::size_t>(n) <= inLeft ? static_cast<std::size_t>(n) : 1;
    }
    inPtr += skip;
    inLeft -= skip;
    for (const char* s = substitute; *s; ++s) {
      *outPtr++ = *s;
      --outLeft;
    }
  }
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const int n = SequenceLength(c);
    if (n == 0 || i + static_cast<std::size_t>(n) > bytes.size()) return false;
    for (int k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    if (n == 3) {
      const auto c1 = static_cast<unsigned char>(bytes[i + 1]);
      if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0)) return false;
    } else if (n == 4) {
      const auto c1 = static_cast<unsigned char>(bytes[i + 1]);
      if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90)) return false;
    }
    i += static_cast<std::size_t>(n);
  }
  return true;
}

std::string Cp1251ToUtf8(std::string_view bytes) { return Convert("UTF-8", "WINDOWS-1251", bytes, "?", false); }

std::string Utf8ToCp1251(std::string_view text) { return Convert("WINDOWS-1251", "UTF-8", text, "?", true); }

std::string DecodeFileText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return std::string(bytes);
  }
  return Cp1251ToUtf8(bytes);
}

bool HasUtf16Mark(std::string_view bytes) {
  return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

std::string Utf16ToUtf8(std::string_view bytes) {
  const bool little = bytes.substr(0, 2) == "\xFF\xFE";
  bytes.remove_prefix(2);
  iconv_t raw = iconv_open("UTF-8", little ? "UTF-16LE" : "UTF-16BE");
  if (raw == reinterpret_cast<iconv_t>(-1)) throw InOutError("Нет кодировки UTF-16");
  std::unique_ptr<void, IconvCloser> cd(raw);
  // A UTF-16 unit of 2 bytes gives at most 3 bytes of UTF-8, a pair of 4 bytes gives 4.
  std::string out(bytes.size() / 2 * 3 + 4, '\0');
  char* inPtr = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  if (iconv(raw, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
    const std::size_t at = static_cast<std::size_t>(inPtr - bytes.data()) + 2;
    throw InOutError("неверный текст UTF-16 (байт " + std::to_string(at + 1) + ")");
  }
  out.resize(out.size() - outLeft);
  return out;
}

int Utf8Length(std::string_view text) {
  int n = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::string Utf8Left(std::string_view text, int count) {
  std::size_t i = 0;
  int seen = 0;
  while (i < text.size()) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (seen == count) break;
      ++seen;
    }
    ++i;
  }
  return std::string(text.substr(0, i));
}

std::string AlignRight(std::string_view text, int width) {
  const int pad = width - Utf8Length(text);
  std::string out(pad > 0 ? static_cast<std::size_t>(pad) : 0, ' ');
  out += text;
  return out;
}

std::string AlignLeft(std::string_view text, int width) {
  const int pad = width - Utf8Length(text);
  std::string out(text);
  if (pad > 0) out.append(static_cast<std::size_t>(pad), ' ');
  return out;
}

std::string StoreName(std::string_view text) {
  std::string bytes = Utf8ToCp1251(text);
  if (bytes.size() > 8) bytes.resize(8);
  return Cp1251ToUtf8(bytes);
}

std::string AsciiUpper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::string AsciiLower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string_view TrimBlanksLeft(std::string_view text) {
  std::size_t b = 0;
  while (b < text.size() && static_cast<unsigned char>(text[b]) <= 32) ++b;
  return text.substr(b);
}

std::string_view TrimBlanks(std::string_view text) {
  text = TrimBlanksLeft(text);
  std::size_t e = text.size();
  while (e > 0 && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return text.substr(0, e);
}

}  // namespace tavrel
