#include "xlsx_builder.h"

#include <zip.h>

#include <stdexcept>

namespace tavrel::test {

void WriteZip(const std::string& path, const ZipEntries& entries, bool store) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error("cannot create " + path);
  for (const auto& [name, content] : entries) {
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    const zip_int64_t index = source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      zip_source_free(source);
      zip_discard(archive);
      throw std::runtime_error("cannot add " + name);
    }
    if (store) zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    throw std::runtime_error("cannot write " + path);
  }
}

std::string SheetXml(const std::string& rows, const std::string& dimension) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
         (dimension.empty() ? std::string() : "<dimension ref=\"" + dimension + "\"/>") + "<sheetData>" + rows +
         "</sheetData></worksheet>";
}

ZipEntries WorkbookEntries(const std::string& sheet, const std::string& sharedStrings, const std::string& styles) {
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  std::string workbookRels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"" +
      rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/>";
  if (!sharedStrings.empty())
    workbookRels += "<Relationship Id=\"rId2\" Type=\"" + rel + "sharedStrings\" Target=\"sharedStrings.xml\"/>";
  if (!styles.empty()) workbookRels += "<Relationship Id=\"rId3\" Type=\"" + rel + "styles\" Target=\"styles.xml\"/>";
  workbookRels += "</Relationships>";
  ZipEntries entries = {
      {"[Content_Types].xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
      {"_rels/.rels",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"" +
           rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook "
       "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
       "<sheets><sheet name=\"Лист1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels", workbookRels},
      {"xl/worksheets/sheet1.xml", sheet},
  };
  if (!sharedStrings.empty()) entries.emplace_back("xl/sharedStrings.xml", sharedStrings);
  if (!styles.empty()) entries.emplace_back("xl/styles.xml", styles);
  return entries;
}

std::string NumberCell(const std::string& ref, const std::string& value) {
  return "<c r=\"" + ref + "\"><v>" + value + "</v></c>";
}

std::string TextCell(const std::string& ref, const std::string& text) {
  return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

std::string SharedCell(const std::string& ref, int index) {
  return "<c r=\"" + ref + "\" t=\"s\"><v>" + std::to_string(index) + "</v></c>";
}

}  // namespace tavrel::test
