#pragma once
// Turning a fuzzer's bytes into what the readers are given: decoded text,
// lines, and for the toolkits an operation code with its arguments.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvanta::fuzz {

// Bytes to UTF-16 text, cheaply and reaching every code unit: a byte below
// 0x80 is that character, 0x80..0xFE takes the next byte as the low half of
// a unit up to U+7EFF (kana, most kanji), 0xFF takes the next two bytes as
// any unit (full-width forms, lone surrogates). The program's own CP932
// decoder opens a converter per call, which would spend most runs there;
// what it can give is a subset of this. scripts/fuzz-seeds writes the same
// encoding.
std::u16string decode(const std::uint8_t* data, std::size_t size);

// Lines as the text file reader gives them: CR LF and a lone LF end a line,
// a last line without an end is still a line.
std::vector<std::u16string> splitLines(const std::u16string& text);

// Takes an operation's arguments from the front of the input, in the order
// the harness asks for them. What is used up reads as 0 or "".
class Arguments {
 public:
  Arguments(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t byte();
  std::int16_t int16();
  // A 1-based read position: usually inside the text or just past it, now
  // and then any 16-bit value, so the edges are tried without wasting most
  // runs on positions every operation refuses.
  std::int16_t position(const std::u16string& text);
  // The next piece up to a line feed (not included), decoded.
  std::u16string text();
  // Everything left, decoded.
  std::u16string rest();

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace morvanta::fuzz
