// Times the practice ranking and the trainer's table for a survey of 115
// questions (the most an answer buffer holds) with 500 completed score
// sheets: 50 participants with 10 raters each, categories Self to Clients,
// about one pair in twelve left unanswered.
#include <benchmark/benchmark.h>

#include <random>

#include "report/GapCategories.h"
#include "report/GapOverview.h"
#include "report/GapRanking.h"
#include "report/GapTraining.h"

namespace zelvora {
namespace {

constexpr int kQuestions = 115;
constexpr int kAreas = 10;
constexpr int kParticipants = 50;
constexpr int kSheetsPerParticipant = 10;

TGapCategoryList Company() {
  return {{"Self", 0},  {"Boss", 1}, {"Others", 2}, {"Peer", 3},
          {"Staff", 4}, {"Team", 5}, {"Clients", 6}};
}

TGapSurvey Survey() {
  TGapSurvey survey;
  survey.HasCompletedSheets = true;
  survey.SkillAreas.resize(kAreas);
  for (int q = 0; q < kQuestions; ++q) {
    TGapQuestion question;
    question.Text = "Question " + std::to_string(q + 1);
    question.SkillArea = q * kAreas / kQuestions;
    question.Suggestions = {"First suggestion", "Second suggestion"};
    survey.SkillAreas[static_cast<std::size_t>(question.SkillArea)].Questions.push_back(q);
    survey.Questions.push_back(std::move(question));
  }
  return survey;
}

std::vector<TGapExperience> Participants() {
  std::mt19937 random(360);
  std::uniform_int_distribution<int> step(1, 5);
  std::uniform_int_distribution<int> category(1, 6);
  std::uniform_int_distribution<int> skip(0, 11);
  std::vector<TGapExperience> participants;
  for (int p = 0; p < kParticipants; ++p) {
    TGapExperience experience;
    experience.SubjectName = "Participant " + std::to_string(p + 1);
    experience.ExperienceDate = 45000.0 + p;
    for (int s = 0; s < kSheetsPerParticipant; ++s) {
      TGapSheet sheet;
      sheet.Completed = true;
      sheet.RaterCategory = s == 0 ? 0 : category(random);
      sheet.Answers.assign(230, 0);
      for (int q = 0; q < kQuestions; ++q) {
        if (skip(random) == 0) continue;
        sheet.SetPair(q, step(random), step(random));
      }
      experience.Sheets.push_back(std::move(sheet));
    }
    participants.push_back(std::move(experience));
  }
  return participants;
}

struct Data {
  TGapSurvey survey = Survey();
  std::vector<TGapExperience> participants = Participants();
  TGapCategoryList categories = UnionCategories(Company(), participants);
};

const Data& Shared() {
  static const Data data;
  return data;
}

// Ranking of every practice for the whole organization.
void BM_RankOrganization(benchmark::State& state) {
  const Data& data = Shared();
  const TGapGroup organization = RankingGroups(data.categories)[0];
  for (auto _ : state) {
    const TGapPracticeRanker ranker(data.survey, data.participants, data.categories);
    benchmark::DoNotOptimize(ranker.Rank(organization));
  }
}
BENCHMARK(BM_RankOrganization)->Unit(benchmark::kMillisecond);

// The whole Overview: rankings for "Organization" and each of the six other
// categories, strengths, needs and suggestions.
void BM_Overview(benchmark::State& state) {
  const Data& data = Shared();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeOverview(data.survey, data.participants, data.categories));
  }
}
BENCHMARK(BM_Overview)->Unit(benchmark::kMillisecond);

// The trainer's table: every category, every participant, every question.
void BM_TrainingTable(benchmark::State& state) {
  const Data& data = Shared();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeTraining(data.survey, Company(), data.participants));
  }
}
BENCHMARK(BM_TrainingTable)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvora

BENCHMARK_MAIN();
