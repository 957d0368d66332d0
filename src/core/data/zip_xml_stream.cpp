#include "core/data/zip_xml_stream.h"

#include <expat.h>
#include <zip.h>

#include <exception>
#include <memory>
#include <vector>

#include "core/base/library_error_text.h"
#include "core/data/sheet_table.h"

namespace tavrel {

namespace {

// A part may inflate to this many times its compressed size, plus a fixed
// allowance for small parts; real workbooks stay far below it, zip bombs do not.
constexpr std::uint64_t kMaxInflation = 200;
constexpr std::uint64_t kInflationAllowance = 16u << 20;
constexpr int kChunk = 256 * 1024;

std::string_view LocalName(const XML_Char* name) {
  const std::string_view s(name);
  const std::size_t colon = s.rfind(':');
  return colon == std::string_view::npos ? s : s.substr(colon + 1);
}

// Carries a handler through expat, and the first exception a handler threw
// (exceptions must not unwind through the C library).
struct ParseState {
  XmlHandler* handler;
  XML_Parser parser;
  std::exception_ptr failure;

  template <class F>
  void Guard(F&& call) {
    if (failure) return;
    try {
      call();
    } catch (...) {
      failure = std::current_exception();
      XML_StopParser(parser, XML_FALSE);
    }
  }
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto* state = static_cast<ParseState*>(data);
  state->Guard([&] { state->handler->Start(LocalName(name), attributes); });
}

void XMLCALL OnEnd(void* data, const XML_Char* name) {
  auto* state = static_cast<ParseState*>(data);
  state->Guard([&] { state->handler->End(LocalName(name)); });
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  auto* state = static_cast<ParseState*>(data);
  state->Guard([&] { state->handler->Text(std::string_view(text, static_cast<std::size_t>(length))); });
}

// Package parts never carry a document type; one is refused before any entity can be declared.
void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  auto* state = static_cast<ParseState*>(data);
  state->Guard([] { ThrowSpreadsheetError("Объявление типа документа в книге недопустимо"); });
}

struct ParserFree {
  void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

struct ZipFileClose {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

[[noreturn]] void Broken(const std::string& part, const std::string& why) {
  ThrowSpreadsheetError("Часть книги " + part + " повреждена: " + why);
}

}  // namespace

void XmlHandler::Text(std::string_view) {}

const char* Attribute(const char** attributes, std::string_view name) {
  for (const char** a = attributes; a[0] != nullptr; a += 2)
    if (LocalName(a[0]) == name) return a[1];
  return nullptr;
}

ZipPackage::ZipPackage(const std::string& path) {
  int error = 0;
  archive_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (archive_ == nullptr) {
    ThrowSpreadsheetError("Архив книги повреждён (" + ZipErrorText(error) + ")");
  }
}

ZipPackage::~ZipPackage() { zip_discard(archive_); }

long long ZipPackage::Locate(const std::string& name) const {
  return zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE);
}

bool ZipPackage::Has(const std::string& name) const { return Locate(name) >= 0; }

std::uint64_t ZipPackage::DeclaredSize(const std::string& name) const {
  const long long index = Locate(name);
  zip_stat_t st;
  if (index < 0 || zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
      !(st.valid & ZIP_STAT_SIZE)) {
    return 0;
  }
  return st.size;
}

void ZipPackage::Parse(const std::string& name, XmlHandler& handler) const {
  const long long index = Locate(name);
  if (index < 0) ThrowSpreadsheetError("В книге нет части " + name);
  zip_stat_t st;
  if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
      !(st.valid & ZIP_STAT_COMP_SIZE)) {
    Broken(name, "нет сведений о размере");
  }
  if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
    ThrowSpreadsheetError("Книга защищена паролем");
  }
  if (st.size > kInflationAllowance + kMaxInflation * st.comp_size) Broken(name, "слишком сильно сжата");

  std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
  if (!file) Broken(name, ZipErrorText(zip_get_error(archive_)));
  std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
  if (!parser) throw std::bad_alloc();
  ParseState state{&handler, parser.get(), nullptr};
  XML_SetUserData(parser.get(), &state);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);

  std::uint64_t total = 0;
  for (;;) {
    void* buffer = XML_GetBuffer(parser.get(), kChunk);
    if (buffer == nullptr) throw std::bad_alloc();
    const zip_int64_t n = zip_fread(file.get(), buffer, kChunk);
    if (n < 0) Broken(name, ZipErrorText(zip_file_get_error(file.get())));
    total += static_cast<std::uint64_t>(n);
    if (total > st.size) Broken(name, "данных больше, чем объявлено");
    const bool last = n == 0;
    if (XML_ParseBuffer(parser.get(), static_cast<int>(n), last) != XML_STATUS_OK) {
      if (state.failure) std::rethrow_exception(state.failure);
      Broken(name, XmlErrorText(XML_GetErrorCode(parser.get())) + ", строка " +
                       std::to_string(XML_GetCurrentLineNumber(parser.get())));
    }
    if (state.failure) std::rethrow_exception(state.failure);
    if (last) break;
  }
  if (total != st.size) Broken(name, "данных меньше, чем объявлено");
}

std::string ZipPackage::ReadSmallPart(const std::string& name, std::size_t limit) const {
  const long long index = Locate(name);
  zip_stat_t st;
  if (index < 0 || zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
      !(st.valid & ZIP_STAT_SIZE) || st.size > limit) {
    return {};
  }
  std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
  if (!file) return {};
  std::string bytes(static_cast<std::size_t>(st.size), '\0');
  const zip_int64_t n = zip_fread(file.get(), bytes.data(), bytes.size());
  if (n != static_cast<zip_int64_t>(bytes.size())) return {};
  return bytes;
}

std::string ResolvePartName(const std::string& source, const std::string& target) {
  std::string path;
  if (target.empty() || target[0] != '/') {
    const std::size_t slash = source.rfind('/');
    if (slash != std::string::npos) path = source.substr(0, slash + 1);
  }
  path += target;
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& s : segments) out += (out.empty() ? "" : "/") + s;
  return out;
}

std::string RelationshipsPartOf(const std::string& part) {
  const std::size_t slash = part.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : part.substr(0, slash + 1);
  const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
  return dir + "_rels/" + file + ".rels";
}

}  // namespace tavrel
