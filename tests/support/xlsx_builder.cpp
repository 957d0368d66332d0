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

std::string OdsContentXml(const std::string& rows, const std::string& more) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
         "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\" "
         "office:version=\"1.3\"><office:body><office:spreadsheet>"
         "<table:table table:name=\"Лист1\"><table:table-column table:number-columns-repeated=\"1024\"/>" +
         rows + "</table:table>" + more + "</office:spreadsheet></office:body></office:document-content>";
}

ZipEntries OdsEntries(const std::string& content, const std::string& mimetype) {
  return {
      {"mimetype", mimetype},
      {"META-INF/manifest.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><manifest:manifest "
       "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" manifest:version=\"1.3\">"
       "<manifest:file-entry manifest:full-path=\"/\" manifest:media-type=\"" +
           mimetype +
           "\"/><manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
           "</manifest:manifest>"},
      {"content.xml", content},
  };
}

std::string OdsNumber(const std::string& value, const std::string& attributes) {
  return "<table:table-cell office:value-type=\"float\" office:value=\"" + value + "\" calcext:value-type=\"float\"" +
         (attributes.empty() ? "" : " " + attributes) + "><text:p>" + value + "</text:p></table:table-cell>";
}

std::string OdsText(const std::string& text, const std::string& attributes) {
  return "<table:table-cell office:value-type=\"string\" calcext:value-type=\"string\"" +
         (attributes.empty() ? "" : " " + attributes) + "><text:p>" + text + "</text:p></table:table-cell>";
}

std::string OdsRow(const std::string& cells, const std::string& attributes) {
  return "<table:table-row" + (attributes.empty() ? "" : " " + attributes) + ">" + cells + "</table:table-row>";
}

}  // namespace tavrel::test
