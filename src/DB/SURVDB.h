// TSurveyDB: the survey database kept in ten record files (fileblocks) of
// the record store, one per object kind, in the data folder. It serves the
// objects through TSurveyDBBase exactly as TMemoryDB does, and adds what the
// main window and backup/restore need: ReindexAll, MergeRecord, ArchiveData.
//
// Files in the data folder: "<base>.DAT" and "<base>.IX" for each fileblock
// (base names and layouts in DB/RecordLayouts.*), the ID counter
// "IDSOURCE.360" (DB/IDCounterFile.h), the lock file "SURVDB.LOK" and,
// while a backup is made, "bk360.cmp".
//
// Callers may rely on:
//  - Open creates missing fileblocks, rebuilds missing indexes silently and
//    damaged ones with a message, makes this the global database and creates
//    the library owners; Close undoes all that (the destructor closes too);
//  - messages meant for the administrator ("Error #...", "<base> reindexed",
//    "<base> was unable to reindex <n> records.") go to the callback given at
//    construction; nothing here opens a window. Those that report a failure
//    nothing repaired (a fileblock left unusable, records that could not be
//    keyed, a damaged data file) go to the error callback instead when one
//    is given; an index rebuilt after a crash or a mismatch is a message;
//  - Open checks every index against its data file (key count and lengths,
//    record length, the data file's state at the index's last flush) and
//    rebuilds one that does not belong to it, with a message;
//  - TDBAccess::ReadOnly creates nothing and writes no file of the folder:
//    a folder without data files is an error, indexes that need a rebuild
//    are rebuilt in memory for the run, and every change fails (the store's
//    10065, or ESurvObjError for new IDs); such a database may share the
//    folder with other readers;
//  - Load* appends children in the order the index returns equal keys
//    (ascending record number); a record that cannot be read is skipped;
//  - Update writes only an object newer than its record (dates compared
//    converted); subjects, experiences, score sheets, questions, suggestions
//    and raters move to their owner's ID (an object without an owner stays
//    where it is filed), departments, surveys and skill areas keep the
//    parent stored in their record;
//  - an Update whose new keys cannot be added puts the old keys back, so
//    the record stays findable, and then raises the store's failure;
//  - every stored record has reached the operating system when a call
//    returns, and a kill at any moment loses at most the change under way;
//  - IDs come from the counter file, which is on disk before an ID is
//    handed out.
//  - one writer per folder: Open takes an operating-system lock on
//    "SURVDB.LOK", exclusive for TDBAccess::ReadWrite and shared for
//    ReadOnly, and holds it until Close; a conflicting open, in this process
//    or another, fails at once with EDatabaseInUse (the lock of a process
//    that ended is gone with it).
// Requires: one thread (two databases on different folders may be open at
// once: they share the record store engine).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "DB/IDCounterFile.h"
#include "DB/IDSource.h"
#include "DB/RecordLayouts.h"
#include "DB/SurvList.h"
#include "DB/SurveyDBBase.h"
#include "store/Compress.h"
#include "store/FileLock.h"
#include "store/Table.h"

namespace zelvora {

// Receives each message for the administrator.
using TDBMessageCallback = std::function<void(const std::string& message)>;

// How a database is opened: ReadWrite for a program that may change it,
// ReadOnly for one that only looks.
enum class TDBAccess { ReadWrite, ReadOnly };

// Open found the database locked by another user.
class EDatabaseInUse : public ESurvObjError {
 public:
  using ESurvObjError::ESurvObjError;
};

// A live record whose parent record is gone.
struct TOrphanRecord {
  int Fileblock = 0;
  TObjectID ID;
  TObjectID Parent;
};

class TSurveyDB : public TSurveyDBBase {
 public:
  static constexpr const char* kArchiveName = "bk360.cmp";
  static constexpr const char* kLockFileName = "SURVDB.LOK";

  explicit TSurveyDB(TDBMessageCallback messages = {}, TDBMessageCallback errors = {});
  ~TSurveyDB() override;

  // Opens the database in `data_dir` (with or without a trailing "/"; the
  // folder must exist). Store failures other than those answered by a
  // rebuild propagate as ETableException; then nothing stays open.
  void Open(const std::string& data_dir, TDBAccess access = TDBAccess::ReadWrite);
  void Close();
  bool IsOpen() const { return open_; }
  TDBAccess Access() const { return access_; }
  // The data folder, ending with "/".
  const std::string& DataDir() const { return data_dir_; }
  // "<data dir><base>" of a fileblock, without extension.
  std::string FileblockPath(int fileblock) const;

  TObjectID NextID() override;
  void ReserveIDs(int count) override;
  int ReservedIDs() const override;
  // The installation's origin (0 while closed).
  std::int32_t Origin() const;
  // A restore brought back an object of this installation's origin with
  // `serial`: the ID source never hands out a serial up to it again (the
  // counter moves past it; serials reserved in memory are dropped).
  void KeepSerialsThrough(std::int32_t serial);

  // Rebuilds every index without messages. A fileblock whose rebuild fails
  // is reopened as it was and the next one is taken; when records of a
  // fileblock cannot be keyed again the work stops after it. True when every
  // fileblock was keyed without failure. The caller resets the data root.
  bool ReindexAll();
  // Live records whose parent record (key 2) is missing: score sheets
  // without their experience and so on, left by a crash or an old fault.
  // Library surveys and library skill areas (parent (0,0)) are not orphans.
  std::vector<TOrphanRecord> FindOrphans();

  // Restore: merges one raw record of `fileblock` (zero-padded to the record
  // length when shorter; a longer record fails). A live record whose origin
  // is above 10 is added when its ID is not stored, and replaces the stored
  // record when `overwrite` is set or its Date is later. Returns whether the
  // record was written.
  bool MergeRecord(int fileblock, bool overwrite, std::span<const unsigned char> record);

  // Backup: closes the fileblocks, compresses the ten data files in index
  // order into "bk360.cmp" in the data folder (LZH), and opens them again,
  // also when the compression fails. False when the callback cancelled.
  bool ArchiveData(const TProgressCallback& progress = {});

  // Number of live records of a fileblock (walks key 1).
  std::int32_t LiveRecordCount(int fileblock);
  // The open fileblock, for tools and tests.
  TTable& Table(int fileblock);

 protected:
  void LoadRecords(int kind, const TObjectID& parent, TSurvObjects& found) override;
  bool InsertObject(TSurvObject& object) override;
  void DeleteObject(TSurvObject& object) override;
  void UpdateObject(TSurvObject& object) override;
  // Adds the two keys of a record; the hook lets tests make it fail.
  virtual void AddRecordKeys(TTable& table, int fileblock, std::int32_t record,
                             const std::string& key1, const std::string& key2);

 private:
  void Say(const std::string& message) const;
  void SayError(const std::string& message) const;
  void OpenFileblocks();
  void CloseFileblocks() noexcept;
  // Rebuilds one index: 0 or the engine's error number; `failed` counts the
  // live records whose keys could not be added.
  int RebuildOne(int fileblock, bool with_message, int& failed);

  bool InsertRecord(int fileblock, TSurvObject& object, std::span<const unsigned char> record);
  // Replaces the record at `number`, exchanging its keys; `old_record` is
  // what is stored there now.
  void ModifyRecord(int fileblock, std::int32_t number, std::span<const unsigned char> old_record,
                    std::span<const unsigned char> new_record);
  void DeleteRecord(int fileblock, const TObjectID& id);
  bool ParentExists(int fileblock, const TObjectID& parent);

  void TakeLock();

  TDBMessageCallback messages_;
  TDBMessageCallback errors_;
  TDBAccess access_ = TDBAccess::ReadWrite;
  TFileLock lock_;
  std::string data_dir_;
  std::array<std::unique_ptr<TTable>, kFileblockCount> tables_;
  std::array<bool, kFileblockCount> usable_{};
  std::unique_ptr<TIDCounterFile> counter_;
  std::unique_ptr<TIDSource> ids_;
  bool open_ = false;
  bool engine_owned_ = false;  // this open counts as a user of the engine
};

}  // namespace zelvora
