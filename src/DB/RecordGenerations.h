// The record generations of the data files a backup may hold. The current
// files end their base name in "b" ("ct360b"); backups made by earlier
// versions of the program hold the "a" generation ("ct360a") or the
// unlettered one ("ct360"), whose records are shorter: the score sheet's "a"
// record lacks the last 30 answer bytes, and every unlettered record lacks
// 16 bytes more. A shorter record is the current one cut at its end, so
// zero-padding it to the current length gives the current record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zelvora {

struct TRecordGeneration {
  const char* Letter;         // "b", "a" or ""
  std::int32_t RecordLength;  // of this fileblock in this generation
};

// The fileblock's base name without its generation letter ("ct360").
std::string FileblockStem(int fileblock);
// The three generations of a fileblock, newest first.
std::array<TRecordGeneration, 3> RecordGenerations(int fileblock);

}  // namespace zelvora
