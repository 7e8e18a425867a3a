#include "DB/RecordGenerations.h"

#include "DB/RecordLayouts.h"

namespace zelvora {
namespace {

// Bytes the "a" generation lacks against the current one: the score sheet's
// answers 201 to 230 (at the end of its record) came with the current files.
std::int32_t GenerationDifference(int fileblock) { return fileblock == fbScoreSheet ? 30 : 0; }
// Bytes the unlettered generation lacks against the "a" one.
constexpr std::int32_t kUnletteredDifference = 16;

}  // namespace

std::string FileblockStem(int fileblock) {
  std::string base = FileblockInfo(fileblock).BaseName;
  base.pop_back();
  return base;
}

std::array<TRecordGeneration, 3> RecordGenerations(int fileblock) {
  const std::int32_t current = FileblockInfo(fileblock).RecordLength;
  const std::int32_t a = current - GenerationDifference(fileblock);
  return {TRecordGeneration{"b", current}, TRecordGeneration{"a", a},
          TRecordGeneration{"", a - kUnletteredDifference}};
}

}  // namespace zelvora
