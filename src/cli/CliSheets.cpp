#include "cli/CliSheets.h"

namespace zelvora::cli {

TScoreSheet* FindScoreSheet(TDataRoot& root, const TObjectID& id) {
  TCompanyList& companies = root.Companies();
  for (int c = 0; c < companies.Size(); ++c) {
    TDepartmentList& departments = companies.At(c)->Departments();
    for (int d = 0; d < departments.Size(); ++d) {
      TExperienceList& experiences = departments.At(d)->Experiences();
      for (int e = 0; e < experiences.Size(); ++e) {
        if (TScoreSheet* sheet = experiences.At(e)->ScoreSheets().FindByID(id)) return sheet;
      }
    }
  }
  return nullptr;
}

}  // namespace zelvora::cli
