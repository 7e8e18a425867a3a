#include "report/StrZ.h"

#include <algorithm>

namespace zelvora {

TStringZ::TStringZ(std::size_t capacity) : buffer_(capacity + 1, '\0') {}

void TStringZ::Assign(std::string_view s) {
  if (s.size() > Capacity()) buffer_.resize(s.size() + 1);
  std::fill(buffer_.begin(), buffer_.end(), '\0');
  std::copy(s.begin(), s.end(), buffer_.begin());
}

void TStringZ::Fill(char byte) {
  std::fill(buffer_.begin(), buffer_.end() - 1, byte);
  buffer_.back() = '\0';
}

}  // namespace zelvora
