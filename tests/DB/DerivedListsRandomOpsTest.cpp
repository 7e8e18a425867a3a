// Random sequences of adds and removals through every road the model offers
// (department lists, subjects' and surveys' derived lists), checking after
// each step that the derived lists hold only live objects of the department
// and that the records match the tree. The sanitizer build turns any freed
// object still referenced into a failure.
#include <gtest/gtest.h>

#include <random>

#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::ModelTest;

class DerivedListsRandomOps : public ModelTest {
 protected:
  template <class L>
  bool AllLive(L* derived, TSurvList& owned) {
    if (derived == nullptr) return true;
    for (TSurvObject* item : derived->Raw()) {
      if (!owned.Contains(item)) return false;
    }
    return true;
  }

  void CheckInvariants(TDepartment& department) {
    auto& subjects = department.Subjects();
    auto& surveys = department.Surveys();
    auto& experiences = department.Experiences();
    std::size_t sheets = 0;
    for (TSurvObject* item : experiences.Raw()) {
      auto* experience = static_cast<TExperience*>(item);
      sheets += static_cast<std::size_t>(experience->ScoreSheets().Size());
      ASSERT_EQ(experience->RaterNames.size(),
                static_cast<std::size_t>(experience->ScoreSheets().Size()));
      if (TSubject* subject = experience->Subject()) {
        ASSERT_TRUE(subjects.Contains(subject));
      }
      if (TSurvey* survey = experience->Survey()) {
        ASSERT_TRUE(surveys.Contains(survey));
      }
    }
    for (TSurvObject* item : subjects.Raw()) {
      auto* subject = static_cast<TSubject*>(item);
      ASSERT_TRUE(AllLive(subject->ExperiencesIfAny(), experiences));
      ASSERT_TRUE(AllLive(subject->SurveysIfAny(), surveys));
      // A built list of surveys taken holds exactly the surveys of the
      // subject's experiences.
      if (TSurveyList* taken = subject->SurveysIfAny()) {
        for (TSurvObject* other : surveys.Raw()) {
          bool linked = false;
          for (TSurvObject* each : experiences.Raw()) {
            auto* experience = static_cast<TExperience*>(each);
            linked = linked ||
                     (experience->SubjectID == subject->ID && experience->SurveyID == other->ID);
          }
          ASSERT_EQ(taken->Contains(other), linked)
              << subject->Name << " / " << other->DisplayText();
        }
      }
    }
    for (TSurvObject* item : surveys.Raw()) {
      auto* survey = static_cast<TSurvey*>(item);
      ASSERT_TRUE(AllLive(survey->ExperiencesIfAny(), experiences));
      ASSERT_TRUE(AllLive(survey->SubjectsIfAny(), subjects));
      if (TSubjectList* takers = survey->SubjectsIfAny()) {
        for (TSurvObject* other : subjects.Raw()) {
          bool linked = false;
          for (TSurvObject* each : experiences.Raw()) {
            auto* experience = static_cast<TExperience*>(each);
            linked = linked ||
                     (experience->SurveyID == survey->ID && experience->SubjectID == other->ID);
          }
          ASSERT_EQ(takers->Contains(other), linked)
              << survey->Name << " / " << other->DisplayText();
        }
      }
    }
    ASSERT_EQ(db.RecordCount(okSubject), static_cast<std::size_t>(subjects.Size()));
    ASSERT_EQ(db.RecordCount(okSurvey), static_cast<std::size_t>(surveys.Size()));
    ASSERT_EQ(db.RecordCount(okExperience), static_cast<std::size_t>(experiences.Size()));
    ASSERT_EQ(db.RecordCount(okScoreSheet), sheets);
  }
};

TEST_F(DerivedListsRandomOps, EveryRoadKeepsTreeListsAndRecordsInStep) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    TDataRoot root;
    TDepartment* department = MakeDepartment(root, "Dept " + std::to_string(seed));
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 120; ++step) {
      auto& subjects = department->Subjects();
      auto& surveys = department->Surveys();
      auto& experiences = department->Experiences();
      switch (pick(10)) {
        case 0:
          MakeSubject(*department, "S" + std::to_string(step));
          break;
        case 1:
          if (surveys.Size() < 4) MakeSurvey(*department, 1, 1, "V" + std::to_string(step));
          break;
        case 2:
        case 3:
          if (subjects.Size() > 0 && surveys.Size() > 0) {
            TSubject* subject = subjects.At(pick(subjects.Size()));
            TSurvey* survey = surveys.At(pick(surveys.Size()));
            auto experience = std::make_unique<TExperience>();
            experience->SubjectID = subject->ID;
            experience->SurveyID = survey->ID;
            if (pick(2) == 0) {
              subject->Experiences().Adopt(std::move(experience));
            } else {
              survey->Experiences().Adopt(std::move(experience));
            }
          }
          break;
        case 4:
          if (experiences.Size() > 0) {
            TExperience* experience = experiences.At(pick(experiences.Size()));
            MakeSheet(*experience, "R" + std::to_string(step), pick(3));
          }
          break;
        case 5:
          if (experiences.Size() > 0) {
            TExperience* experience = experiences.At(pick(experiences.Size()));
            const int road = pick(3);
            if (road == 0 && experience->Subject() != nullptr) {
              experience->Subject()->Experiences().Remove(experience);
            } else if (road == 1 && experience->Survey() != nullptr) {
              experience->Survey()->Experiences().Remove(experience);
            } else {
              experiences.Remove(experience);
            }
          }
          break;
        case 6:
          if (subjects.Size() > 0) {
            TSubject* subject = subjects.At(pick(subjects.Size()));
            if (pick(2) == 0 && subject->Surveys().Size() > 0) {
              TSurvey* survey = subject->Surveys().At(0);
              survey->Subjects().Remove(subject);
            } else {
              subjects.Remove(subject);
            }
          }
          break;
        case 7:
          if (surveys.Size() > 0 && pick(3) == 0) {
            TSurvey* survey = surveys.At(pick(surveys.Size()));
            if (pick(2) == 0 && survey->Subjects().Size() > 0) {
              survey->Subjects().At(0)->Surveys().Remove(survey);
            } else {
              surveys.Remove(survey);
            }
          }
          break;
        case 8:
          if (experiences.Size() > 0) {
            TExperience* experience = experiences.At(pick(experiences.Size()));
            if (experience->ScoreSheets().Size() > 0) experience->ScoreSheets().Delete(0);
          }
          break;
        default:
          // Build derived lists at random moments.
          if (subjects.Size() > 0) subjects.At(pick(subjects.Size()))->Surveys();
          if (surveys.Size() > 0) surveys.At(pick(surveys.Size()))->Subjects();
          break;
      }
      CheckInvariants(*department);
      if (::testing::Test::HasFatalFailure()) return;
    }
    // What the tree holds is what a fresh root reads back.
    const auto subject_count = department->Subjects().Size();
    const auto experience_count = department->Experiences().Size();
    root.Reset();
    TDepartment* reloaded = root.Companies().At(0)->Departments().At(0);
    EXPECT_EQ(reloaded->Subjects().Size(), subject_count);
    EXPECT_EQ(reloaded->Experiences().Size(), experience_count);
    CheckInvariants(*reloaded);
    root.Companies().Delete(0);
    for (int kind = okCompany; kind <= okRater; ++kind) ASSERT_EQ(db.RecordCount(kind), 0u);
  }
}

}  // namespace
}  // namespace zelvora
