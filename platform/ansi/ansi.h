#pragma once
// The system's ANSI code page (CP932, Shift-JIS) in which the scorer's own
// files are written and by whose bytes fixed-column records are cut.
#include <cstddef>
#include <string>
#include <string_view>

namespace ansi {

// UTF-8 to CP932. A character with no CP932 form, or a malformed UTF-8
// sequence, becomes one "?" byte.
std::string FromUtf8(std::string_view utf8);

// CP932 to UTF-8. Every byte that does not start a valid CP932 character
// (such as Latin-1 letters in rating files) becomes one "?", so a line keeps
// one character per undecodable byte and never fails to decode.
std::string ToUtf8(std::string_view cp932);

// Number of bytes of the text's CP932 form.
std::size_t ByteLength(std::string_view utf8);

}  // namespace ansi
