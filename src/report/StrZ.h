// TStringZ: a growable zero-terminated character buffer, as the printable
// objects keep their texts. The buffer always holds capacity + 1 bytes and
// ends in a zero byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class TStringZ {
 public:
  // A buffer of `capacity` zero bytes plus the terminator.
  explicit TStringZ(std::size_t capacity = 0);

  // Copies `s` in, growing the buffer when `s` is longer than the capacity.
  // Text after an embedded zero byte is kept in the buffer but ends the text.
  void Assign(std::string_view s);
  // `capacity` copies of `byte`, then the terminator.
  void Fill(char byte);

  std::size_t Capacity() const { return buffer_.size() - 1; }
  const char* CStr() const { return buffer_.data(); }
  // The text up to the first zero byte.
  std::string Str() const { return std::string(buffer_.data()); }

 private:
  std::vector<char> buffer_;
};

}  // namespace zelvora
