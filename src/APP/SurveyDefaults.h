// TSurveyDefaults: the window placement and list widths of the main window and
// the Control Center, and the restore option, kept in section "SETTINGS" of
// the settings file.
//
// Callers may rely on:
//  - Every field starts at its default and is read from the file at
//    construction (a missing, empty or unreadable value keeps the default).
//  - Store() writes every key back; the destructor does so too, so the fields
//    the windows set during the run reach the file when this object ends
//    (before the settings file is closed).
//  - The "Width" and "Height" keys of the two windows hold the right and
//    bottom edges of the normal rectangle, not a width and height.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zelvora {

class TSectionedConfigFile;

// A window's show state (1 normal, 2 minimised, 3 maximised) and its normal
// rectangle given by its edges.
struct TWindowPlacement {
  int show_state = 1;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const TWindowPlacement&) const = default;
};

class TSurveyDefaults {
 public:
  static constexpr const char* kSection = "SETTINGS";

  // The defaults, not tied to a file.
  TSurveyDefaults() = default;
  // Reads every key from `file`, which must outlive this object.
  explicit TSurveyDefaults(TSectionedConfigFile& file);
  ~TSurveyDefaults();
  TSurveyDefaults(const TSurveyDefaults&) = delete;
  TSurveyDefaults& operator=(const TSurveyDefaults&) = delete;

  void Read(const TSectionedConfigFile& file);
  void Write(TSectionedConfigFile& file) const;
  // Writes into the file given at construction (nothing without one).
  void Store();

  // The placements of the main window and the Control Center from their
  // fields. A show state outside 1..3 gives the default state, and an empty or
  // inverted rectangle the default rectangle, so a damaged settings file can
  // never restore a window nobody can see.
  TWindowPlacement MainFormPlacement() const;
  TWindowPlacement ControlCenterPlacement() const;
  void SetMainFormPlacement(const TWindowPlacement& placement);
  void SetControlCenterPlacement(const TWindowPlacement& placement);

  // Every key with its current value as written to the file, in file order.
  std::vector<std::pair<std::string, std::string>> Entries() const;

  int SurveyState = 3;  // 1 normal, 2 minimised, 3 maximised
  int MainFormTop = 0;
  int MainFormLeft = 0;
  int MainFormWidth = 600;   // right edge
  int MainFormHeight = 475;  // bottom edge
  int ControlCenterState = 1;
  int ConCenTop = 0;
  int ConCenLeft = 0;
  int ConCenWidth = 591;   // right edge
  int ConCenHeight = 427;  // bottom edge
  int OrgCoWidth = 181;
  int OrgDeptWidth = 181;
  int SurvSurvWidth = 181;
  int SurvSkillWidth = 181;
  int QuestSkillWidth = 181;
  int QuestQuestWidth = 181;
  int SubjectWidth = 181;
  int ExperienceWidth = 181;
  bool DelTempBackupFiles = true;

 private:
  TSectionedConfigFile* file_ = nullptr;
};

}  // namespace zelvora
