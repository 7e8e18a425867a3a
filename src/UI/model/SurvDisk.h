// TSurveyDisks: making survey disks for open score sheets and importing the
// answered disks back, without the dialog. A "disk" is a folder: the mount
// point of a removable medium or any folder the user picked. A disk holds
// the survey document "dtf.xml" and a copy of the rater program.
//
// Callers may rely on:
//  - everything shown or asked goes through TUserInterface, with the texts
//    below; the busy cursor is on while files are written or read and off
//    again whatever happens;
//  - Make Disk writes "dtf.xml" (replaced whole or not at all) before the
//    rater program; an entry moves to the completed list only when both are
//    on the disk;
//  - Save Survey changes nothing in the database unless the disk is complete,
//    the target is found, open and of the same survey; a failed save leaves
//    the target's answers and flags in memory as they were.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "interchange/SurvMap.h"

namespace zelvora {

class TUserInterface;
class TDataRoot;
class TScoreSheet;

inline constexpr const char* kDisksCreateCaption = "Create Survey Disks";
inline constexpr const char* kDisksImportCaption = "Import Survey Disks";
inline constexpr const char* kDiskImportCaption = "Import Survey Disk";
inline constexpr const char* kDisksNoneOpen = "No Raters with open score sheets selected";
inline constexpr const char* kDiskNoSpace =
    "This disk does not have enough\nfree space to complete the operation.";
inline constexpr const char* kDiskOverwrite =
    "This disk already contains a survey\nDo you want to overwrite it?";
inline constexpr const char* kDiskReady = "Ready";
inline constexpr const char* kDiskNotSurveyDisk = "Not a Survey Disk";
inline constexpr const char* kDiskComplete = "Survey Complete";
inline constexpr const char* kDiskIncomplete = "Survey Incomplete";
inline constexpr const char* kDiskAlreadyCompleted = "Survey already completed.";
inline constexpr const char* kDiskSurveysDiffer = "Surveys do not match.";
inline constexpr const char* kDiskSaved = "Survey Saved Successfully.";
// A disk needs more than this many bytes free.
inline constexpr std::uintmax_t kDiskMinFreeBytes = 400000;
// The rater program's file name, on the disk and beside the administration
// program.
inline constexpr const char* kRaterProgramName = "zelvora360-rater";

// Free space of the file system holding a folder.
class TDiskSpace {
 public:
  virtual ~TDiskSpace() = default;
  // Bytes available to this user; a folder that cannot be examined fails
  // with the platform's message.
  virtual std::uintmax_t FreeBytes(const std::string& folder) = 0;
};

// TDiskSpace over the real file system.
class TFileSystemSpace : public TDiskSpace {
 public:
  std::uintmax_t FreeBytes(const std::string& folder) override;
};

enum TDisksPage : int { dpCreateDisks = 0, dpReadDisks = 1 };

class TSurveyDisks {
 public:
  // `rater_program` is the path of the rater program copied onto each disk.
  TSurveyDisks(TUserInterface& ui, TDiskSpace& space, std::string rater_program);
  TSurveyDisks(const TSurveyDisks&) = delete;
  TSurveyDisks& operator=(const TSurveyDisks&) = delete;

  // --- Entry points; each resets page, caption and status ---
  // Lists the sheets that are not completed (null entries are skipped).
  // False, after "No Raters with open score sheets selected", when none is
  // left: the dialog is not to open.
  bool CreateDisks(const std::vector<TScoreSheet*>& sheets);
  // Import with the disk's IDs deciding the target sheet.
  void ImportDisks(TDataRoot& root);
  // Import into `target` whatever the disk's IDs say (for one save only).
  void ImportDisk(TDataRoot& root, TScoreSheet& target);
  // Frees the disk read last (the dialog closed).
  void Close();

  // The folder the disk is in (the drive selector).
  void SetDiskFolder(std::string folder) { folder_ = std::move(folder); }
  const std::string& DiskFolder() const { return folder_; }
  // The date of the Experience field (ISO by default).
  void SetDateFormatter(std::function<std::string(double)> format) {
    format_date_ = std::move(format);
  }

  // --- The "CreateDisks" page ---
  TDisksPage Page() const { return page_; }
  const std::string& Caption() const { return caption_; }
  // "Rater One (1234, Boss)".
  static std::string EntryText(TScoreSheet& sheet);
  const std::vector<TScoreSheet*>& DisksToMake() const { return to_make_; }
  const std::vector<TScoreSheet*>& CompletedDisks() const { return made_; }
  // Index into DisksToMake, -1 for none.
  int Selected() const { return selected_; }
  void Select(int index);
  bool MakeDiskEnabled() const { return !to_make_.empty(); }
  // The default button: Make Disk while entries are left, else Close.
  bool MakeDiskIsDefault() const { return !to_make_.empty(); }
  // Makes the disk of the selected entry; true when it was made.
  bool MakeDisk();

  // --- The "ReadDisks" page ---
  struct TFields {
    std::string Company, Department, Survey, Subject, Experience, Reference, Category;
  };
  const TFields& Fields() const { return fields_; }
  const std::string& Status() const { return status_; }
  bool SaveEnabled() const { return save_enabled_; }
  // True when a disk document was read (complete or not).
  bool ReadDisk();
  // Shows a disk chain already read (the screens use it); takes it over.
  void ShowDisk(TSurveyDiskObjects disk);
  // True when the answers went into the database.
  bool SaveSurvey();

 private:
  TScoreSheet* FindTarget();
  void ClearDisk();

  TUserInterface& ui_;
  TDiskSpace& space_;
  std::string rater_program_;
  std::string folder_;
  std::function<std::string(double)> format_date_;
  TDisksPage page_ = dpCreateDisks;
  std::string caption_;
  std::vector<TScoreSheet*> to_make_;
  std::vector<TScoreSheet*> made_;
  int selected_ = -1;
  TDataRoot* root_ = nullptr;
  TScoreSheet* target_ = nullptr;
  TSurveyDiskObjects disk_;
  bool has_disk_ = false;
  TFields fields_;
  std::string status_ = kDiskReady;
  bool save_enabled_ = false;
};

}  // namespace zelvora
