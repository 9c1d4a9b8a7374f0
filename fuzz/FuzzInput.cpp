#include "FuzzInput.h"

#include <algorithm>

namespace morvanta::fuzz {

std::u16string decode(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  text.reserve(size);
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t b = data[i];
    if (b < 0x80) {
      text += static_cast<char16_t>(b);
    } else if (b < 0xFF) {
      const std::uint8_t low = i + 1 < size ? data[++i] : 0;
      text += static_cast<char16_t>((b - 0x80) << 8 | low);
    } else {
      const std::uint8_t high = i + 1 < size ? data[++i] : 0;
      const std::uint8_t low = i + 1 < size ? data[++i] : 0;
      text += static_cast<char16_t>(high << 8 | low);
    }
  }
  return text;
}

std::vector<std::u16string> splitLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\n') continue;
    const std::size_t end = (i > start && text[i - 1] == u'\r') ? i - 1 : i;
    lines.emplace_back(text, start, end - start);
    start = i + 1;
  }
  // A last line without a line end keeps a CR it ends with.
  if (start < text.size()) lines.emplace_back(text, start);
  return lines;
}

std::uint8_t Arguments::byte() {
  return at_ < size_ ? data_[at_++] : 0;
}

std::int16_t Arguments::int16() {
  const auto high = static_cast<std::uint16_t>(byte());
  const auto low = static_cast<std::uint16_t>(byte());
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(high << 8 | low));
}

std::int16_t Arguments::position(const std::u16string& text) {
  const std::int16_t raw = int16();
  if ((raw & 0x7000) == 0x7000) return raw;  // one run in eight: anything
  const auto span = static_cast<std::int64_t>(std::min<std::size_t>(text.size(), 32000)) + 2;
  return static_cast<std::int16_t>(1 + (raw & 0x7FFF) % span);
}

std::u16string Arguments::text() {
  const std::size_t start = std::min(at_, size_);
  std::size_t end = start;
  while (end < size_ && data_[end] != '\n') ++end;
  at_ = end < size_ ? end + 1 : end;
  return decode(data_ + start, end - start);
}

std::u16string Arguments::rest() {
  const std::size_t start = std::min(at_, size_);
  at_ = size_;
  return decode(data_ + start, size_ - start);
}

}  // namespace morvanta::fuzz
