// TTable: one fileblock of the keyed record store, a data file "<name>.DAT"
// of fixed-length records and an index file "<name>.IX" with one B-tree per
// key.
//
// Callers may rely on:
//  - failures raise the ETableException subclass of the error's class
//    (store/TableErrors.h), except that OpenFileblock and RebuildIndex return
//    the error number, FindKey answers false for 10200 and NextKey for 10250;
//  - record numbers start at 1; RecordSlots counts record 0 too; AddRecord
//    reuses deleted slots; the engine writes 0 into the first four bytes of
//    every record it stores and a non-zero link when it deletes one;
//  - keys are added and removed by the caller only; equal key texts come back
//    in ascending record number; key texts are UTF-8 here and Windows-1252 in
//    the file, and a key's length counts file characters;
//  - crash safety: every stored record reaches the operating system before
//    the call returns, and a fileblock changed since its last CloseFileblock
//    or Flush opens with 10160, after which RebuildIndex and re-adding the
//    keys of the live records restores it without losing a record. Flush and
//    CloseFileblock make everything survive a power cut;
//  - an index that does not belong to its data file as it is now (another
//    fileblock's index, an older copy put back, a data file cut or grown
//    since) opens with 10011, to be answered by RebuildIndex like 10160;
//  - a fileblock opened or rebuilt TTableAccess::ReadOnly never writes a
//    file: changes of its records fail with 10065, and its rebuilt index
//    lives in memory until it is closed;
//  - a rebuild never throws bytes away: what is not a whole record at the
//    end of the data file is moved to a side file by a writer (LastRepair).
// Requires: InitEngine before a fileblock is created, opened or rebuilt; one
// thread.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/DataFile.h"
#include "store/Engine.h"
#include "store/KeyDesc.h"
#include "store/TableErrors.h"

namespace zelvora {

enum class TTableAccess { ReadWrite, ReadOnly };

class TTable {
 public:
  TTable();
  // Closes an open fileblock; a failure at that point leaves it to be
  // rebuilt at the next open (call CloseFileblock to see failures).
  ~TTable();
  TTable(const TTable&) = delete;
  TTable& operator=(const TTable&) = delete;

  // Writes empty data and index files (replacing existing ones); the
  // fileblock is not opened.
  void CreateFileblock(const std::string& name, std::int32_t record_length,
                       const std::vector<TKeyDesc>& keys);
  // 0 when open; otherwise the error number and the fileblock stays closed.
  int OpenFileblock(const std::string& name, TTableAccess access = TTableAccess::ReadWrite);
  // Flushes and closes; nothing happens when no fileblock is open.
  void CloseFileblock();
  // Keeps the data records, recreates the index empty and leaves the
  // fileblock open: 0 or the error number.
  int RebuildIndex(const std::string& name, std::int32_t record_length,
                   const std::vector<TKeyDesc>& keys,
                   TTableAccess access = TTableAccess::ReadWrite);
  // What the last RebuildIndex found after the last whole record.
  const TDataRepair& LastRepair() const;
  // Writes every pending change and syncs both files.
  void Flush();

  void Lock();
  void Unlock();

  bool IsOpen() const;
  std::int32_t RecordLength() const;
  int KeyCount() const;
  // The open index's key descriptions.
  std::vector<TKeyDesc> Keys() const;
  std::int32_t RecordSlots();

  // Each buffer holds exactly RecordLength() bytes (10137 otherwise).
  void GetRecord(std::int32_t record, std::span<unsigned char> buffer);
  void PutRecord(std::int32_t record, std::span<const unsigned char> data);
  std::int32_t AddRecord(std::span<const unsigned char> data);
  void DeleteRecord(std::int32_t record);

  // Key numbers start at 1.
  void AddKey(int key, std::int32_t record, std::string_view text);
  void DeleteKey(int key, std::int32_t record, std::string_view text);
  // True and the record of the first entry equal to `text`; the walk of
  // NextKey continues after it. False when none is equal; NextKey then
  // yields the first larger entry.
  bool FindKey(int key, std::string_view text, std::int32_t& record);
  // Positions before the first entry.
  void ClearKey(int key);
  bool NextKey(int key, std::int32_t& record, std::string& text);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zelvora
