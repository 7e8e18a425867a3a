#include "base/LittleEndian.h"

#include <stdexcept>
#include <string>

namespace zelvora::le {

void CheckField(std::size_t buffer_size, std::size_t offset, std::size_t size) {
  if (offset > buffer_size || size > buffer_size - offset) {
    throw std::out_of_range("A " + std::to_string(size) + "-byte field at offset " +
                            std::to_string(offset) + " lies outside a buffer of " +
                            std::to_string(buffer_size) + " bytes");
  }
}

}  // namespace zelvora::le
