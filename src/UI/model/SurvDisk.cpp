#include "UI/model/SurvDisk.h"

#include <filesystem>
#include <system_error>

#include "DB/Survobj.h"
#include "UI/model/UserInterface.h"
#include "base/DateTime.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;

std::string DiskFile(const std::string& folder, const char* name) {
  return (fs::path(folder) / name).string();
}

// Copies the rater program under its own name, executable for everybody who
// may read it. The copy goes to a temporary name first, so a disk never holds
// half a program under the real name.
void CopyRaterProgram(const std::string& from, const std::string& folder) {
  const fs::path target = fs::path(folder) / kRaterProgramName;
  const fs::path temp = fs::path(folder) / (std::string(kRaterProgramName) + ".tmp~");
  try {
    fs::copy_file(from, temp, fs::copy_options::overwrite_existing);
    fs::permissions(temp,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace);
    fs::rename(temp, target);
  } catch (...) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw;
  }
}

}  // namespace

std::uintmax_t TFileSystemSpace::FreeBytes(const std::string& folder) {
  return fs::space(folder).available;
}

TSurveyDisks::TSurveyDisks(TUserInterface& ui, TDiskSpace& space, std::string rater_program)
    : ui_(ui),
      space_(space),
      rater_program_(std::move(rater_program)),
      format_date_(FormatIsoDate) {}

std::string TSurveyDisks::EntryText(TScoreSheet& sheet) {
  return sheet.RaterName + " (" + std::to_string(sheet.ID.Serial) + ", " + sheet.CategoryName() +
         ")";
}

bool TSurveyDisks::CreateDisks(const std::vector<TScoreSheet*>& sheets) {
  page_ = dpCreateDisks;
  caption_ = kDisksCreateCaption;
  to_make_.clear();
  made_.clear();
  for (TScoreSheet* sheet : sheets)
    if (sheet != nullptr && !sheet->Completed) to_make_.push_back(sheet);
  if (to_make_.empty()) {
    selected_ = -1;
    ui_.Inform(kDisksNoneOpen);
    return false;
  }
  selected_ = 0;
  return true;
}

void TSurveyDisks::ImportDisks(TDataRoot& root) {
  page_ = dpReadDisks;
  caption_ = kDisksImportCaption;
  root_ = &root;
  target_ = nullptr;
  ClearDisk();
  status_ = kDiskReady;
}

void TSurveyDisks::ImportDisk(TDataRoot& root, TScoreSheet& target) {
  ImportDisks(root);
  caption_ = kDiskImportCaption;
  target_ = &target;
}

void TSurveyDisks::Close() { ClearDisk(); }

void TSurveyDisks::Select(int index) {
  if (index >= -1 && index < static_cast<int>(to_make_.size())) selected_ = index;
}

bool TSurveyDisks::MakeDisk() {
  if (selected_ < 0 || selected_ >= static_cast<int>(to_make_.size())) return false;
  TScoreSheet& sheet = *to_make_[static_cast<std::size_t>(selected_)];
  if (folder_.empty()) return false;
  try {
    if (space_.FreeBytes(folder_) <= kDiskMinFreeBytes) {
      ui_.ShowError(kDiskNoSpace);
      return false;
    }
    const std::string document = DiskFile(folder_, kSurveyDiskFileName);
    if (fs::exists(document) && !ui_.Ask(kDiskOverwrite)) return false;
    // A disk without the program to answer it is of no use to a rater.
    if (!fs::is_regular_file(rater_program_)) {
      ui_.ShowError("Cannot find the rater program \"" + rater_program_ + "\".");
      return false;
    }
    TBusyCursor busy(ui_);
    TSurveyMapper::WriteSurveyDisk(document, sheet);
    CopyRaterProgram(rater_program_, folder_);
  } catch (const std::exception& e) {
    ui_.ShowError(e.what());
    return false;
  }
  made_.push_back(&sheet);
  to_make_.erase(to_make_.begin() + selected_);
  selected_ = to_make_.empty() ? -1 : 0;
  return true;
}

void TSurveyDisks::ClearDisk() {
  disk_.Clear();
  has_disk_ = false;
  fields_ = {};
  save_enabled_ = false;
}

bool TSurveyDisks::ReadDisk() {
  ClearDisk();
  const std::string document = DiskFile(folder_, kSurveyDiskFileName);
  std::error_code ec;
  // No folder chosen is no disk (not the working folder's "dtf.xml").
  if (folder_.empty() || !fs::is_regular_file(document, ec)) {
    status_ = kDiskNotSurveyDisk;
    return false;
  }
  TSurveyDiskObjects disk;
  try {
    TBusyCursor busy(ui_);
    disk = TSurveyMapper::ReadSurveyDisk(document);
  } catch (const std::exception& e) {
    ui_.ShowError(e.what());
    return false;
  }
  ShowDisk(std::move(disk));
  return true;
}

void TSurveyDisks::ShowDisk(TSurveyDiskObjects disk) {
  ClearDisk();
  disk_ = std::move(disk);
  has_disk_ = true;
  fields_.Company = disk_.Company->Name;
  fields_.Department = disk_.Department->Name;
  fields_.Survey = disk_.Survey->Name;
  fields_.Subject = disk_.Subject->Name;
  fields_.Experience = format_date_(disk_.Experience->ExperienceDate);
  fields_.Reference = std::to_string(disk_.ScoreSheet->ID.Serial);
  fields_.Category = disk_.CategoryName;
  save_enabled_ = disk_.ScoreSheet->Completed;
  status_ = save_enabled_ ? kDiskComplete : kDiskIncomplete;
}

TScoreSheet* TSurveyDisks::FindTarget() {
  if (target_ != nullptr) return target_;
  if (root_ == nullptr) throw ESurvObjError("Unknown Company");
  TCompany* company = root_->Companies().FindByID(disk_.Company->ID);
  if (company == nullptr) throw ESurvObjError("Unknown Company");
  TDepartment* department = company->Departments().FindByID(disk_.Department->ID);
  if (department == nullptr) throw ESurvObjError("Unknown Department");
  TSurvey* survey = department->Surveys().FindByID(disk_.Survey->ID);
  if (survey == nullptr) throw ESurvObjError("Unknown Survey");
  TSubject* subject = survey->Subjects().FindByID(disk_.Subject->ID);
  if (subject == nullptr) throw ESurvObjError("Unknown Subject");
  TExperience* experience = subject->Experiences().FindByID(disk_.Experience->ID);
  if (experience == nullptr) throw ESurvObjError("Unknown Experience");
  TScoreSheet* sheet = experience->ScoreSheets().FindByID(disk_.ScoreSheet->ID);
  if (sheet == nullptr) throw ESurvObjError("Unknown Rater");
  return sheet;
}

bool TSurveyDisks::SaveSurvey() {
  if (!has_disk_ || !save_enabled_) return false;
  TScoreSheet* target = nullptr;
  try {
    target = FindTarget();
  } catch (const std::exception& e) {
    ui_.ShowError(e.what());
    return false;
  }
  if (target->Completed) {
    ui_.Inform(kDiskAlreadyCompleted);
    return false;
  }
  TSurvey* survey = target->Experience != nullptr ? target->Experience->Survey() : nullptr;
  if (survey == nullptr || !(survey->ID == disk_.Survey->ID)) {
    ui_.Inform(kDiskSurveysDiffer);
    return false;
  }
  try {
    TBusyCursor busy(ui_);
    const auto answers = target->AnswersBuf;
    const double date = target->Date;
    target->Completed = true;
    target->Touch();
    target->AnswersBuf = disk_.ScoreSheet->AnswersBuf;
    try {
      target->Save();
    } catch (...) {
      target->Completed = false;
      target->Date = date;
      target->AnswersBuf = answers;
      throw;
    }
    status_ = kDiskReady;
    save_enabled_ = false;
    target_ = nullptr;
    survey->HasCompletedSheets = 1;
    survey->Touch();
    survey->Save();
  } catch (const std::exception& e) {
    ui_.ShowError(e.what());
    return false;
  }
  ui_.Inform(kDiskSaved);
  return true;
}

}  // namespace zelvora
