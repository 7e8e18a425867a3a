// libFuzzer target for the text object format reader: any bytes must end in
// objects or in the format's own errors, never in a crash, a hang or a read
// past the input.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "DB/Question.h"
#include "DB/Survey.h"
#include "interchange/Parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
  zelvora::TParser parser(stream);
  try {
    parser.DoParse();
  } catch (const zelvora::EParseError&) {
    // the expected way for malformed input to end
  } catch (const zelvora::ESurvObjError&) {
    // a list refusing more children than it can count
  }
  // Walk what was built, as a caller would: the flattened question list of
  // each survey reads every skill area and question.
  for (int i = 0; i < parser.Count(); ++i) {
    if (auto* survey = dynamic_cast<zelvora::TSurvey*>(parser.Items(i))) {
      auto& questions = survey->Questions();
      for (int q = 0; q < questions.Count(); ++q) (void)questions.Items(q)->QuestionText.size();
    }
  }
  return 0;
}
