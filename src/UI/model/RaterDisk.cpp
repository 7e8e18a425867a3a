#include "UI/model/RaterDisk.h"

#include <filesystem>

namespace zelvora {

std::string TRaterDisk::DocumentPath(const std::string& program_folder,
                                     const std::vector<std::string>& args) {
  if (!args.empty() && !args.front().empty()) return args.front();
  return (std::filesystem::path(program_folder) / kSurveyDiskFileName).string();
}

TSurveyDiskObjects* TRaterDisk::Load() {
  if (loaded_) return &disk_;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(document_, ec)) return nullptr;
  disk_ = TSurveyMapper::ReadSurveyDisk(document_);
  loaded_ = true;
  return &disk_;
}

void TRaterDisk::Save(const TScoreSheet& sheet) {
  TSurveyMapper::WriteSurveyDiskAnswers(document_, sheet);
}

TRaterDiskHooks TRaterDisk::Hooks() {
  return {[this] { return Load(); }, [this](const TScoreSheet& sheet) { Save(sheet); }};
}

}  // namespace zelvora
