#pragma once
// The few DOM operations that the module needs, over libxml2: load a file,
// the document element, children by name (an absent one created), attributes
// (absent = empty optional; a set one keeps its place or is appended), save.
#include <string>
#include <string_view>
#include <vector>

#include "KivoFormat.h"

struct _xmlNode;
struct _xmlDoc;

namespace kivo {

class TXmlElement {
 public:
  TXmlElement() = default;
  explicit TXmlElement(_xmlNode* node) : node_(node) {}

  bool IsNull() const { return node_ == nullptr; }
  std::string_view Name() const;
  // The element children in document order.
  std::vector<TXmlElement> Children() const;
  // The first child element named exactly `name`; appended when there is none.
  TXmlElement ChildByName(const char* name) const;
  AttrValue GetAttribute(const char* name) const;
  void SetAttribute(const char* name, const std::string& value) const;

 private:
  _xmlNode* node_ = nullptr;
};

class TXmlDocument {
 public:
  // Reads and parses the file open at `fd` (from its start; the caller
  // closes it), named `path` in the messages. Refuses a document that
  // declares a DTD, so no entity can be declared, loaded or expanded;
  // nothing is fetched from the network. Raises EFOpenError or
  // EDOMParseError.
  static TXmlDocument Load(int fd, const std::string& path);

  TXmlDocument(TXmlDocument&& other) noexcept;
  TXmlDocument& operator=(TXmlDocument&&) = delete;
  TXmlDocument(const TXmlDocument&) = delete;
  ~TXmlDocument();

  TXmlElement DocumentElement() const;

  // Writes the whole document to a temporary file beside `path` and renames
  // it over `path` only when it is complete, so a failure (a full disk, a
  // read-only file or folder, a crash) leaves the file as it was.
  void Save(const std::string& path) const;

 private:
  explicit TXmlDocument(_xmlDoc* doc) : doc_(doc) {}
  _xmlDoc* doc_ = nullptr;
};

}  // namespace kivo
