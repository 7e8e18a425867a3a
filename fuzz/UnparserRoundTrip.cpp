// libFuzzer target for the text object writer: any texts written into a
// survey tree must read back through the parser on their own lines, each as
// the writer's cleaned form of the text (control characters made blanks, a
// final backslash followed by a blank). A mismatch aborts.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "DB/Question.h"
#include "DB/SkillArea.h"
#include "DB/Suggestion.h"
#include "DB/Survey.h"
#include "base/Cp1252.h"
#include "interchange/Parser.h"
#include "interchange/Unparser.h"

namespace {

using namespace zelvora;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "round trip mismatch: %s\n", what);
    std::abort();
  }
}

std::string Expected(const std::string& text) {
  return Cp1252ToUtf8(Utf8ToCp1252(TUnparser::CleanText(text)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Six texts separated by byte 0xFF (the file's bytes, Windows-1252).
  std::vector<std::string> texts(6);
  std::size_t field = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF && field + 1 < texts.size()) {
      ++field;
    } else {
      texts[field].push_back(static_cast<char>(data[i]));
    }
  }
  // The reader takes texts of up to 1,023 characters; stored texts are far
  // shorter (500 at most), so longer ones are outside what travels.
  for (std::string& text : texts) text = Cp1252ToUtf8(text.substr(0, 1023));

  auto survey = std::make_unique<TSurvey>();
  survey->State = osBuiltOutside;
  survey->Name = texts[0];
  survey->Author = texts[1];
  survey->FreqLabels = {texts[2]};
  auto area = std::make_unique<TSkillArea>();
  area->State = osBuiltOutside;
  area->Name = texts[3];
  area->QuestPrefix[3] = texts[0];
  auto question = std::make_unique<TQuestion>();
  question->State = osBuiltOutside;
  question->QuestionText = texts[4];
  auto suggestion = std::make_unique<TSuggestion>();
  suggestion->State = osBuiltOutside;
  suggestion->SuggestionText = texts[5];
  question->Suggestions().Adopt(std::move(suggestion));
  area->Questions().Adopt(std::move(question));
  survey->SkillAreas().Adopt(std::move(area));

  static const std::string path = "/tmp/fuzz-unparser-" + std::to_string(::getpid()) + ".dat";
  {
    TUnparser writer(path, false);
    writer.DoUnparse(*survey);
    writer.Close();
  }
  std::ifstream in(path, std::ios::binary);
  TParser parser(in);
  parser.DoParse();  // must not fail: an exception here is a finding
  Check(parser.Count() == 1, "object count");
  auto* back = dynamic_cast<TSurvey*>(parser.Items(0));
  Check(back != nullptr, "kind");
  Check(back->Name == Expected(texts[0]), "Name");
  Check(back->Author == Expected(texts[1]), "Author");
  Check(!back->FreqLabels.empty() && back->FreqLabels[0] == Expected(texts[2]), "FreqLbl1");
  Check(back->AnsPerQ == survey->AnsPerQ, "AnsPerQ");
  Check(back->SkillAreas().Size() == 1, "skill areas");
  TSkillArea* area_back = back->SkillAreas().At(0);
  Check(area_back->Name == Expected(texts[3]), "skill area Name");
  // The skill area keeps at most kQuestPrefixMaxChars of a prefix it is given.
  Check(area_back->QuestPrefix[3] == CutToChars(Expected(texts[0]), kQuestPrefixMaxChars),
        "QuestPrefix4");
  Check(area_back->Questions().Size() == 1, "questions");
  TQuestion* question_back = area_back->Questions().At(0);
  Check(question_back->QuestionText == Expected(texts[4]), "QuestionText");
  Check(question_back->Suggestions().Size() == 1, "suggestions");
  Check(question_back->Suggestions().At(0)->SuggestionText == Expected(texts[5]), "SuggestionText");
  return 0;
}
