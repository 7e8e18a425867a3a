// The data file of a fileblock: fixed-length records after the header record
// 0, deleted records chained for reuse.
//
// Callers may rely on:
//  - a live record has 0 in its first four bytes (the engine writes them), a
//    deleted one a non-zero link;
//  - each record is written with one write of its own slot, handed to the
//    operating system before the call returns, so no write touches another
//    record and a process that dies afterwards keeps it; reads come through a
//    cache of the file's blocks that every write keeps current;
//  - Rebuild recovers the free chain and the header from the records
//    themselves, so a header left behind by a crash costs nothing; bytes at
//    the end that are not a whole record are never thrown away: a writer
//    moves them into a side file "<data file>.damaged-YYYYMMDD-HHMMSS"
//    beside it, a reader leaves them where they are; either way the rebuild
//    says how many there were (TDataRepair);
//  - a file opened read-only is never written, not even by a rebuild;
//  - the stamp changes whenever the file is flushed after a change (the
//    caller picks it); an index records the stamp it was flushed with.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "store/BlockFile.h"
#include "store/RecordCache.h"

namespace zelvora {

// What a rebuild found at the end of a data file that is not a whole record.
struct TDataRepair {
  std::int64_t cut_bytes = 0;  // bytes after the last whole record
  std::string side_file;       // where a writer moved them; empty otherwise
};

class DataFile {
 public:
  static void Create(const std::string& path, std::int32_t record_length);

  DataFile() = default;
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // Opens a data file whose header is intact (10010 otherwise).
  void Open(const std::string& path, bool read_only = false);
  // Opens the data file for an index rebuild: moves a partial last record
  // aside, repairs a damaged header, rebuilds the free chain (for a reader
  // only in memory). 10215 when the file holds records of another length.
  void OpenForRebuild(const std::string& path, std::int32_t record_length, bool read_only,
                      TDataRepair& repair);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  std::int32_t RecordLength() const { return record_length_; }
  // Record slots including record 0.
  std::uint32_t Slots() const { return slots_; }
  // Bytes after the last whole record when the file was opened.
  std::int64_t TailBytes() const { return tail_bytes_; }
  std::uint32_t Stamp() const { return stamp_; }
  // Taken into the header at the next Flush.
  void SetStamp(std::uint32_t stamp) { stamp_ = stamp; }
  bool IsLive(std::uint32_t record);

  void Read(std::uint32_t record, unsigned char* buffer);
  // Requires a live record (10138 otherwise).
  void Write(std::uint32_t record, const unsigned char* data);
  std::uint32_t Add(const unsigned char* data);
  // Requires a live record (10138 otherwise).
  void Remove(std::uint32_t record);
  // Writes the header and syncs the file.
  void Flush();

 private:
  void CheckRecordNumber(std::uint32_t record) const;
  std::uint32_t ReadLink(std::uint32_t record);
  void WriteHeader();

  BlockFile file_;
  std::unique_ptr<RecordCache> cache_;
  std::int32_t record_length_ = 0;
  std::uint32_t slots_ = 0;
  std::uint32_t first_free_ = 0;
  std::uint32_t stamp_ = 0;
  std::int64_t tail_bytes_ = 0;
  bool read_only_ = false;
};

}  // namespace zelvora
