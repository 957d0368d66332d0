#pragma once
// The XML parts of a zip package (a workbook), streamed through expat with
// bounded work: a part may not inflate far beyond its compressed size, a part
// never grows past the size its directory entry declares, and a document type
// declaration (the door to entity tricks) is refused. Every failure is a
// SpreadsheetError.
#include <cstdint>
#include <string>
#include <string_view>

struct zip;

namespace tavrel {

// Receives the elements of one XML part. Names are local names (any namespace
// prefix removed). A handler may throw; parsing stops and the exception reaches
// the caller of ZipPackage::Parse.
class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void Start(std::string_view name, const char** attributes) = 0;
  virtual void End(std::string_view name) = 0;
  // Character data, possibly in several pieces.
  virtual void Text(std::string_view text);
};

// The value of the attribute with the given local name, or nullptr.
const char* Attribute(const char** attributes, std::string_view name);

class ZipPackage {
 public:
  explicit ZipPackage(const std::string& path);
  ~ZipPackage();
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  // Whether a part exists (part names compare without regard to case).
  bool Has(const std::string& name) const;
  // The inflated size the archive declares for a part.
  std::uint64_t DeclaredSize(const std::string& name) const;
  // Streams the part through handler.
  void Parse(const std::string& name, XmlHandler& handler) const;
  // The bytes of a small part that is not XML (an OpenDocument package's
  // mimetype); empty when there is no such part or it is larger than limit.
  std::string ReadSmallPart(const std::string& name, std::size_t limit) const;

 private:
  long long Locate(const std::string& name) const;
  zip* archive_ = nullptr;
};

// A relationship target as a part name: relative to the directory of the part
// that refers to it (source, "xl/workbook.xml"), or absolute from the package
// root when it starts with "/"; "." and ".." are resolved.
std::string ResolvePartName(const std::string& source, const std::string& target);

// The relationships part of a part: "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels".
std::string RelationshipsPartOf(const std::string& part);

}  // namespace tavrel
