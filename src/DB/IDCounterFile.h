// TIDCounterFile: the ID source's origin and serial counter kept in a small
// file of the data folder, "IDSOURCE.360".
//
// Callers may rely on:
//  - StoreNextSerial returns only after the new counter is on disk: it
//    writes a temporary file, syncs it, renames it over the old one and
//    syncs the folder, so a process killed at any moment leaves either the
//    old or the new counter, never a torn one, and no serial that was handed
//    out is handed out again. A failure raises ESurvObjError and the
//    counter in memory stays as it was (the caller hands nothing out);
//  - Load reads the file; when it is missing a fresh installation is made
//    (random origin above 10, serials from 1) and written at once; when it
//    is damaged a fresh origin is chosen too (so no earlier ID can repeat)
//    and `damaged` is set so the caller can say so.
#pragma once

#include <cstdint>
#include <string>

#include "DB/IDSource.h"

namespace zelvora {

class TIDCounterFile : public TIDCounterStore {
 public:
  static constexpr const char* kFileName = "IDSOURCE.360";

  // `path` is the full file name.
  explicit TIDCounterFile(std::string path);

  // Reads or creates the file (see above). Returns false when the file
  // existed but was damaged and was replaced.
  bool Load();

  std::int32_t Origin() override { return origin_; }
  std::int32_t NextSerial() override { return next_; }
  void StoreNextSerial(std::int32_t next) override;

  const std::string& Path() const { return path_; }

 private:
  void Write(std::int32_t origin, std::int32_t next);

  std::string path_;
  std::int32_t origin_ = 0;
  std::int32_t next_ = 1;
};

}  // namespace zelvora
