// Fuzzes the settings file reader and writer: any text must read without
// failing, keep its lines through a rewrite, and read back what was written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "APP/DeletedCategories.h"
#include "APP/SectionedConfigFile.h"
#include "APP/SurveyDefaults.h"
#include "base/Cp1252.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelvora;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  auto file = TSectionedConfigFile::FromText(Cp1252ToUtf8(bytes));
  const std::string text = file.Text();
  // Reading what was written gives the same file again.
  Check(TSectionedConfigFile::FromText(text).Text() == text);

  { TSurveyDefaults defaults(file); }  // reads every key, writes every key back
  Check(file.ReadInteger("SETTINGS", "MainFormWidth", 0) != 0 ||
        file.ReadString("SETTINGS", "MainFormWidth", "") == "0");

  const auto categories = TDeletedCategories::Read(file, "0000000100000002");
  TDeletedCategories::Write(file, "0000000100000002", categories);
  Check(TDeletedCategories::Read(file, "0000000100000002") == categories);

  // A value taken from the input written under a key reads back trimmed.
  const std::string value = Cp1252ToUtf8(bytes.substr(0, bytes.find_first_of("\r\n")));
  try {
    file.WriteString("FUZZ", "Key", value);
    const std::string back = file.ReadString("FUZZ", "Key", "");
    Check(back.size() <= value.size());
    Check(value.find(back) != std::string::npos);
  } catch (const std::invalid_argument&) {
    std::abort();  // a single line is always a valid value
  }
  const std::string rewritten = file.Text();
  Check(TSectionedConfigFile::FromText(rewritten).Text() == rewritten);
  return 0;
}
