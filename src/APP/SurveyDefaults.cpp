#include "APP/SurveyDefaults.h"

#include <array>

#include "APP/SectionedConfigFile.h"

namespace zelvora {
namespace {

struct IntKey {
  const char* key;
  int TSurveyDefaults::*field;
};

// In the order the keys are written.
constexpr std::array<IntKey, 18> kIntKeys = {{
    {"SurveyState", &TSurveyDefaults::SurveyState},
    {"MainFormTop", &TSurveyDefaults::MainFormTop},
    {"MainFormLeft", &TSurveyDefaults::MainFormLeft},
    {"MainFormWidth", &TSurveyDefaults::MainFormWidth},
    {"MainFormHeight", &TSurveyDefaults::MainFormHeight},
    {"ControlCenterState", &TSurveyDefaults::ControlCenterState},
    {"ConCenTop", &TSurveyDefaults::ConCenTop},
    {"ConCenLeft", &TSurveyDefaults::ConCenLeft},
    {"ConCenWidth", &TSurveyDefaults::ConCenWidth},
    {"ConCenHeight", &TSurveyDefaults::ConCenHeight},
    {"OrgCoWidth", &TSurveyDefaults::OrgCoWidth},
    {"OrgDeptWidth", &TSurveyDefaults::OrgDeptWidth},
    {"SurvSurvWidth", &TSurveyDefaults::SurvSurvWidth},
    {"SurvSkillWidth", &TSurveyDefaults::SurvSkillWidth},
    {"QuestSkillWidth", &TSurveyDefaults::QuestSkillWidth},
    {"QuestQuestWidth", &TSurveyDefaults::QuestQuestWidth},
    {"SubjectWidth", &TSurveyDefaults::SubjectWidth},
    {"ExperienceWidth", &TSurveyDefaults::ExperienceWidth},
}};
constexpr const char* kDelTempBackupFilesKey = "DelTempBackupFiles";

// The placement with damaged parts replaced by those of `fallback`.
TWindowPlacement Usable(TWindowPlacement stored, const TWindowPlacement& fallback) {
  if (stored.show_state < 1 || stored.show_state > 3) stored.show_state = fallback.show_state;
  if (stored.right <= stored.left || stored.bottom <= stored.top) {
    stored.left = fallback.left;
    stored.top = fallback.top;
    stored.right = fallback.right;
    stored.bottom = fallback.bottom;
  }
  return stored;
}

}  // namespace

TSurveyDefaults::TSurveyDefaults(TSectionedConfigFile& file) : file_(&file) { Read(file); }

TSurveyDefaults::~TSurveyDefaults() {
  try {
    Store();
  } catch (...) {
    // Writing into the in-memory file fails only when memory runs out; the
    // file then keeps the values it had.
  }
}

void TSurveyDefaults::Read(const TSectionedConfigFile& file) {
  for (const auto& k : kIntKeys) this->*k.field = file.ReadInteger(kSection, k.key, this->*k.field);
  DelTempBackupFiles = file.ReadBool(kSection, kDelTempBackupFilesKey, DelTempBackupFiles);
}

void TSurveyDefaults::Write(TSectionedConfigFile& file) const {
  for (const auto& k : kIntKeys) file.WriteInteger(kSection, k.key, this->*k.field);
  file.WriteBool(kSection, kDelTempBackupFilesKey, DelTempBackupFiles);
}

void TSurveyDefaults::Store() {
  if (file_) Write(*file_);
}

TWindowPlacement TSurveyDefaults::MainFormPlacement() const {
  const TSurveyDefaults defaults;
  return Usable({SurveyState, MainFormLeft, MainFormTop, MainFormWidth, MainFormHeight},
                {defaults.SurveyState, defaults.MainFormLeft, defaults.MainFormTop,
                 defaults.MainFormWidth, defaults.MainFormHeight});
}

TWindowPlacement TSurveyDefaults::ControlCenterPlacement() const {
  const TSurveyDefaults defaults;
  return Usable({ControlCenterState, ConCenLeft, ConCenTop, ConCenWidth, ConCenHeight},
                {defaults.ControlCenterState, defaults.ConCenLeft, defaults.ConCenTop,
                 defaults.ConCenWidth, defaults.ConCenHeight});
}

void TSurveyDefaults::SetMainFormPlacement(const TWindowPlacement& p) {
  SurveyState = p.show_state;
  MainFormLeft = p.left;
  MainFormTop = p.top;
  MainFormWidth = p.right;
  MainFormHeight = p.bottom;
}

void TSurveyDefaults::SetControlCenterPlacement(const TWindowPlacement& p) {
  ControlCenterState = p.show_state;
  ConCenLeft = p.left;
  ConCenTop = p.top;
  ConCenWidth = p.right;
  ConCenHeight = p.bottom;
}

std::vector<std::pair<std::string, std::string>> TSurveyDefaults::Entries() const {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const auto& k : kIntKeys) entries.emplace_back(k.key, std::to_string(this->*k.field));
  entries.emplace_back(kDelTempBackupFilesKey, DelTempBackupFiles ? "1" : "0");
  return entries;
}

}  // namespace zelvora
