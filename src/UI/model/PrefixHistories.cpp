#include "UI/model/PrefixHistories.h"

#include <algorithm>

#include "APP/SectionedConfigFile.h"
#include "DB/SkillArea.h"

namespace zelvora {
namespace {

bool KeepableLine(const std::string& line) {
  if (line.empty()) return false;
  if (line.find_first_of("\r\n") != std::string::npos) return false;
  return !(line.size() > 2 && line.front() == '[' && line.back() == ']');
}

}  // namespace

TPrefixLists TPrefixHistories::Read(const TSectionedConfigFile* settings) {
  const TSkillArea defaults;
  TPrefixLists lists;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    if (settings != nullptr) lists[i] = settings->ReadSection(kSections[i]);
    if (lists[i].empty()) lists[i].push_back(defaults.QuestPrefix[i]);
  }
  return lists;
}

void TPrefixHistories::Write(TSectionedConfigFile* settings, const TPrefixLists& lists) {
  if (settings == nullptr) return;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    std::vector<std::string> lines;
    for (const auto& prefix : lists[i])
      if (KeepableLine(prefix)) lines.push_back(prefix);
    settings->WriteSection(kSections[i], lines);
  }
}

void TPrefixHistories::Remember(std::vector<std::string>& list, const std::string& prefix) {
  if (prefix.empty()) return;
  if (std::find(list.begin(), list.end(), prefix) == list.end()) list.push_back(prefix);
}

}  // namespace zelvora
