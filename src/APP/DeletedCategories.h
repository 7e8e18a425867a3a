// TDeletedCategories: the memory of rater categories deleted from a company,
// kept in the settings file so that a category added again under the same
// name gets its old number back.
//
// File form: one section per company, named by the company's 16-character
// database key (eight uppercase hexadecimal digits of Origin, then eight of
// Serial); each line is the category number, "=", and the category's name.
//
// Callers may rely on:
//  - Read() skips lines that are no "number=name" pair (a number from 0 up
//    and a name that is not blank); names come back trimmed.
//  - Write() rewrites the company's section from scratch; an empty list
//    removes the section.
//  - A company key that is not 16 uppercase hexadecimal digits is refused
//    with std::invalid_argument, so no other section can be touched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class TSectionedConfigFile;

struct TDeletedCategory {
  int number = 0;
  std::string name;
  bool operator==(const TDeletedCategory&) const = default;
};

class TDeletedCategories {
 public:
  static std::vector<TDeletedCategory> Read(const TSectionedConfigFile& file,
                                            std::string_view company_key);
  static void Write(TSectionedConfigFile& file, std::string_view company_key,
                    const std::vector<TDeletedCategory>& categories);
  // Removes from `categories` the first one whose name matches `name` (ignoring
  // letter case and surrounding blanks) and returns it.
  static std::optional<TDeletedCategory> Take(std::vector<TDeletedCategory>& categories,
                                              std::string_view name);
};

}  // namespace zelvora
