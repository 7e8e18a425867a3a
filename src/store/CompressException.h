// The failure of the compressed archive and its codecs: a message text the
// user interface shows as it is.
#pragma once

#include <stdexcept>

namespace zelvora {

class ECompressException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The message every codec gives for a stream it cannot decode.
inline constexpr const char* kBadDecodeTable = "Bad decode table in archive!";

}  // namespace zelvora
