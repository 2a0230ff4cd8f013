#include "ansi.h"

#include <iconv.h>
#include <cerrno>
#include <stdexcept>

namespace ansi {
namespace {

// Converts with iconv, putting one "?" in place of each input unit that
// cannot be converted and skipping it; `unit` says how far to skip.
template <typename SkipLength>
std::string Convert(const char* to, const char* from, std::string_view in, SkipLength skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no CP932 converter");
  std::string out;
  out.reserve(in.size() * 2 + 4);
  char* inp = const_cast<char*>(in.data());
  size_t inleft = in.size();
  char buffer[4096];
  while (inleft > 0) {
    char* outp = buffer;
    size_t outleft = sizeof buffer;
    size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
    out.append(buffer, static_cast<size_t>(outp - buffer));
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (a sequence cut off at the end): replace and go on.
    size_t n = skip(reinterpret_cast<const unsigned char*>(inp), inleft);
    out.push_back('?');
    inp += n;
    inleft -= n;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

// Length of the UTF-8 sequence that starts at p (1 for a stray byte).
size_t Utf8SequenceLength(const unsigned char* p, size_t left) {
  size_t n = 1;
  if (p[0] >= 0xF0)
    n = 4;
  else if (p[0] >= 0xE0)
    n = 3;
  else if (p[0] >= 0xC0)
    n = 2;
  if (n > left) return 1;
  for (size_t i = 1; i < n; ++i)
    if ((p[i] & 0xC0) != 0x80) return 1;
  return n;
}

}  // namespace

std::string FromUtf8(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, Utf8SequenceLength); }

std::string ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932, [](const unsigned char*, size_t) { return size_t{1}; });
}

std::size_t ByteLength(std::string_view utf8) { return FromUtf8(utf8).size(); }

}  // namespace ansi
