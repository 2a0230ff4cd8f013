#include "KivoXml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlsave.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "KivoErrors.h"

namespace kivo {

namespace {

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

std::string ErrorText(int error) { return std::strerror(error); }

// What the parser reported first, and whether the document declared a DTD.
struct ParseState {
  bool has_error = false;
  std::string reason;
  int line = 0;
  bool declares_dtd = false;
};

void OnParseError(void* user_data, xmlErrorPtr error) {
  auto* context = static_cast<xmlParserCtxtPtr>(user_data);
  auto* state = static_cast<ParseState*>(context->_private);
  if (error == nullptr || error->level < XML_ERR_ERROR || state->has_error) return;
  state->has_error = true;
  state->reason = error->message ? error->message : "The document is not well-formed";
  while (!state->reason.empty() && (state->reason.back() == '\n' || state->reason.back() == '\r'))
    state->reason.pop_back();
  state->line = error->line;
}

// Called at "<!DOCTYPE name ...", before any declaration of the internal
// subset is read: the parse stops there.
void OnDoctype(void* user_data, const xmlChar*, const xmlChar*, const xmlChar*) {
  auto* context = static_cast<xmlParserCtxtPtr>(user_data);
  auto* state = static_cast<ParseState*>(context->_private);
  if (!state->has_error) {
    state->declares_dtd = true;
    state->line = context->input ? context->input->line : 0;
  }
  xmlStopParser(context);
}

// The first 40 characters of line `number` (1-based) of the open file, as
// valid UTF-8 (a stray byte becomes "?"). Reads the file only up to the end
// of those characters, however long the file or the line.
std::string SourceLine(int fd, int number) {
  constexpr size_t kMaxBytes = 40 * 4;  // 40 characters of at most 4 bytes
  std::string line;
  char buffer[64 * 1024];
  off_t offset = 0;
  int current = 1;
  for (;;) {
    ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    offset += got;
    const char* at = buffer;
    const char* end = buffer + got;
    while (at < end && current < number) {
      const void* newline = std::memchr(at, '\n', static_cast<size_t>(end - at));
      if (!newline) {
        at = end;
        break;
      }
      at = static_cast<const char*>(newline) + 1;
      ++current;
    }
    if (current < number) continue;
    const void* newline = std::memchr(at, '\n', static_cast<size_t>(end - at));
    const char* stop = newline ? static_cast<const char*>(newline) : end;
    line.append(at, std::min(static_cast<size_t>(stop - at), kMaxBytes - line.size()));
    if (newline || line.size() >= kMaxBytes) break;
  }
  if (current < number) return {};
  if (!line.empty() && line.back() == '\r') line.pop_back();

  std::string text;
  size_t i = 0;
  const size_t end = line.size();
  for (int characters = 0; i < end && characters < 40; ++characters) {
    auto lead = static_cast<unsigned char>(line[i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    bool valid = length > 0 && i + length <= end;
    for (size_t k = 1; valid && k < length; ++k)
      valid = (static_cast<unsigned char>(line[i + k]) & 0xC0) == 0x80;
    if (valid) {
      text.append(line, i, length);
      i += length;
    } else {
      text.push_back('?');
      ++i;
    }
  }
  return text;
}

[[noreturn]] void RaiseParseError(const std::string& reason, int line, int fd) {
  throw EDOMParseError(
      Format("%s%s%s: %d%s%s", reason.c_str(), "\r\n", "Line", line, "\r\n", SourceLine(fd, line).c_str()));
}

// The serializer writes through these; the first error is kept.
struct TFileWriter {
  int Fd = -1;
  int Error = 0;
};

int WriteChunk(void* context, const char* buffer, int length) {
  auto* writer = static_cast<TFileWriter*>(context);
  size_t left = static_cast<size_t>(length);
  while (left > 0) {
    ssize_t written = ::write(writer->Fd, buffer, left);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) {
      if (writer->Error == 0) writer->Error = errno;
      return -1;
    }
    buffer += written;
    left -= static_cast<size_t>(written);
  }
  return length;
}

int CloseNothing(void*) { return 0; }

// Writes the document to the open file, makes it durable and closes the
// file; returns 0 or the system's error number.
int WriteDocument(int fd, xmlDocPtr doc) {
  TFileWriter writer{fd, 0};
  xmlSaveCtxtPtr save = xmlSaveToIO(WriteChunk, CloseNothing, &writer, "UTF-8", XML_SAVE_FORMAT);
  bool failed = save == nullptr;
  if (save) {
    failed = xmlSaveDoc(save, doc) < 0;
    failed = xmlSaveClose(save) < 0 || failed;
  }
  int error = writer.Error != 0 ? writer.Error : failed ? EIO : 0;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

}  // namespace

std::string_view TXmlElement::Name() const {
  return node_ ? reinterpret_cast<const char*>(node_->name) : std::string_view();
}

std::vector<TXmlElement> TXmlElement::Children() const {
  std::vector<TXmlElement> children;
  if (!node_) return children;
  children.reserve(xmlChildElementCount(node_));
  for (xmlNodePtr child = node_->children; child; child = child->next)
    if (child->type == XML_ELEMENT_NODE) children.emplace_back(child);
  return children;
}

TXmlElement TXmlElement::ChildByName(const char* name) const {
  for (xmlNodePtr child = node_->children; child; child = child->next)
    if (child->type == XML_ELEMENT_NODE && xmlStrEqual(child->name, X(name))) return TXmlElement(child);
  xmlNodePtr created = xmlNewChild(node_, nullptr, X(name), nullptr);
  if (!created) throw std::bad_alloc();
  return TXmlElement(created);
}

AttrValue TXmlElement::GetAttribute(const char* name) const {
  xmlAttrPtr attribute = xmlHasNsProp(node_, X(name), nullptr);
  if (!attribute) return std::nullopt;
  xmlNodePtr content = attribute->children;
  if (!content) return std::string();
  if (content->type == XML_TEXT_NODE && !content->next)
    return std::string(reinterpret_cast<const char*>(content->content));
  xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attribute));
  if (!value) return std::string();
  std::string text(reinterpret_cast<const char*>(value));
  xmlFree(value);
  return text;
}

void TXmlElement::SetAttribute(const char* name, const std::string& value) const {
  // An attribute that holds one text already takes the new text in place.
  xmlAttrPtr attribute = xmlHasNsProp(node_, X(name), nullptr);
  if (attribute && attribute->type == XML_ATTRIBUTE_NODE && attribute->children &&
      attribute->children->type == XML_TEXT_NODE && !attribute->children->next) {
    xmlNodeSetContentLen(attribute->children, X(value.c_str()), static_cast<int>(value.size()));
    return;
  }
  if (!xmlSetProp(node_, X(name), X(value.c_str()))) throw std::bad_alloc();
}

TXmlDocument TXmlDocument::Load(int fd, const std::string& path) {
  xmlParserCtxtPtr context = xmlCreatePushParserCtxt(nullptr, nullptr, nullptr, 0, nullptr);
  if (!context) throw std::bad_alloc();
  ParseState state;
  context->_private = &state;
  xmlCtxtUseOptions(context, XML_PARSE_NONET | XML_PARSE_NOBLANKS);
  context->sax->serror = OnParseError;
  context->sax->internalSubset = OnDoctype;
  // The file is fed to the parser in large pieces: far quicker than the
  // parser's own small reads. A small file needs no large buffer.
  struct stat info {};
  size_t piece = 256 * 1024;
  if (::fstat(fd, &info) == 0 && info.st_size >= 0)
    piece = std::clamp<size_t>(static_cast<size_t>(info.st_size) + 1, 4096, piece);
  std::vector<char> chunk(piece);
  int read_error = 0;
  for (;;) {
    ssize_t got = ::read(fd, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) read_error = errno;
    if (got <= 0) break;
    if (xmlParseChunk(context, chunk.data(), static_cast<int>(got), 0) != 0 || context->disableSAX) break;
  }
  if (read_error == 0) xmlParseChunk(context, nullptr, 0, 1);
  xmlDocPtr doc = context->myDoc;
  bool well_formed = context->wellFormed != 0;
  context->myDoc = nullptr;
  xmlFreeParserCtxt(context);

  if (read_error != 0) {
    if (doc) xmlFreeDoc(doc);
    throw EFOpenError(Format("Cannot read file \"%s\". %s", path.c_str(), ErrorText(read_error).c_str()));
  }
  if (state.declares_dtd || !well_formed || state.has_error || !doc || !xmlDocGetRootElement(doc)) {
    if (doc) xmlFreeDoc(doc);
    if (state.declares_dtd)
      RaiseParseError("A document type declaration is not allowed in a race file", state.line, fd);
    if (state.has_error) RaiseParseError(state.reason, state.line, fd);
    RaiseParseError("The document is not well-formed", 1, fd);
  }
  return TXmlDocument(doc);
}

TXmlDocument::TXmlDocument(TXmlDocument&& other) noexcept : doc_(other.doc_) { other.doc_ = nullptr; }

TXmlDocument::~TXmlDocument() {
  if (doc_) xmlFreeDoc(doc_);
}

TXmlElement TXmlDocument::DocumentElement() const { return TXmlElement(xmlDocGetRootElement(doc_)); }

void TXmlDocument::Save(const std::string& path) const {
  // Write beside the real file, so that a symbolic link keeps pointing at it.
  std::string target = path;
  if (char* resolved = ::realpath(path.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  struct stat original {};
  if (::stat(target.c_str(), &original) != 0)
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), ErrorText(errno).c_str()));
  // A file that nobody may write is protected by its owner, root included.
  int refusal = (original.st_mode & 0222) == 0 ? EACCES : ::access(target.c_str(), W_OK) != 0 ? errno : 0;
  if (refusal != 0)
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), ErrorText(refusal).c_str()));

  size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + (folder == "/" ? "" : "/") + "." + name + ".XXXXXX";
  int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0)
    throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), ErrorText(errno).c_str()));
  // The new file takes the old one's owner (where allowed) and mode.
  // The new file keeps the old one's mode, and its owner where the writer
  // may give it away (root may).
  [[maybe_unused]] int owned = ::fchown(fd, original.st_uid, original.st_gid);
  ::fchmod(fd, original.st_mode & 07777);
  int error = WriteDocument(fd, doc_);
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw EWriteError(Format("Cannot write file \"%s\". %s", path.c_str(), ErrorText(error).c_str()));
  }
  // Make the rename itself durable; the file is complete either way.
  int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

}  // namespace kivo
