// TMemoryDB: the survey database kept in memory: one record per kind and ID,
// in the layouts of the record-store database (DB/RecordLayouts.h), with the
// parent ID each record is filed under. It serves the objects exactly as the
// record-store database does (load children in the order the records were
// added, companies in key order; insert refuses a duplicate ID; update
// writes only a later Date; texts keep what Windows-1252 and the field
// widths keep) and is used by tests and by tools that need no files.
//
// Open makes it the global database and creates the library owners; Close
// (and the destructor) undo that.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DB/IDSource.h"
#include "DB/SurveyDBBase.h"

namespace zelvora {

class TMemoryDB : public TSurveyDBBase {
 public:
  // An installation with a random origin and serials from 1.
  TMemoryDB();
  // An installation with the given origin (above 10) and first serial.
  TMemoryDB(std::int32_t origin, std::int32_t first_serial);
  ~TMemoryDB() override;

  void Open();
  void Close();
  bool IsOpen() const { return open_; }

  TObjectID NextID() override;
  void ReserveIDs(int count) override;
  int ReservedIDs() const override;

  // Inspection, for tests and tools.
  // Number of records of a kind (kind codes 1 to 10).
  std::size_t RecordCount(int kind) const;
  bool HasRecord(int kind, const TObjectID& id) const;
  // The parent ID a record is filed under; (0,0) when absent.
  TObjectID ParentOf(int kind, const TObjectID& id) const;
  // The stored Date of a record; 0 when absent.
  double StoredDate(int kind, const TObjectID& id) const;
  std::int32_t Origin() const { return counter_.OriginValue(); }

 protected:
  void LoadRecords(int kind, const TObjectID& parent, TSurvObjects& found) override;
  bool InsertObject(TSurvObject& object) override;
  void DeleteObject(TSurvObject& object) override;
  void UpdateObject(TSurvObject& object) override;

 private:
  struct Impl;
  TMemoryIDCounterStore counter_;
  TIDSource ids_;
  std::unique_ptr<Impl> impl_;
  bool open_ = false;
};

}  // namespace zelvora
