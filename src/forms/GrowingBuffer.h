#pragma once
// Characters written in place at the end of a buffer that grows without
// first filling its new room: a listing's rows are written once, so the
// fill a std::basic_string resize does would be a second pass over them.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>

namespace morvanta::forms {

template <class Char>
class GrowingBuffer {
 public:
  GrowingBuffer() = default;
  GrowingBuffer(GrowingBuffer&&) noexcept = default;
  GrowingBuffer& operator=(GrowingBuffer&&) noexcept = default;

  const Char* data() const { return chars_.get(); }
  std::size_t size() const { return size_; }
  std::basic_string_view<Char> view() const { return {chars_.get(), size_}; }

  // Room for `count` characters after the last; commit() says where what
  // was written ends.
  Char* room(std::size_t count) {
    if (capacity_ - size_ < count) reallocate(std::max(size_ + count, 2 * capacity_));
    return chars_.get() + size_;
  }
  void commit(const Char* end) { size_ = static_cast<std::size_t>(end - chars_.get()); }

  void append(std::basic_string_view<Char> text) {
    commit(std::copy(text.begin(), text.end(), room(text.size())));
  }

  void reserve(std::size_t count) {
    if (count > capacity_) reallocate(count);
  }
  void clear() { size_ = 0; }
  // The characters from `first` on move forward to `to`.
  void erase(std::size_t to, std::size_t first) {
    std::copy(chars_.get() + first, chars_.get() + size_, chars_.get() + to);
    size_ -= first - to;
  }

 private:
  void reallocate(std::size_t capacity) {
    std::unique_ptr<Char[]> larger(new Char[capacity]);
    std::copy(chars_.get(), chars_.get() + size_, larger.get());
    chars_ = std::move(larger);
    capacity_ = capacity;
  }

  std::unique_ptr<Char[]> chars_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace morvanta::forms
