// The language-table texts of the preview and print windows, with their
// "%d" placeholders filled in order.
#pragma once

#include <initializer_list>
#include <string>

#include "APP/LanguageTable.h"

namespace zelvora {

inline std::string FillNumbers(std::string text, std::initializer_list<int> values) {
  std::size_t from = 0;
  for (int value : values) {
    const std::size_t at = text.find("%d", from);
    if (at == std::string::npos) break;
    const std::string number = std::to_string(value);
    text.replace(at, 2, number);
    from = at + number.size();
  }
  return text;
}

inline std::string ReportText(const TLanguageTable& table, int item,
                              std::initializer_list<int> values = {}) {
  return FillNumbers(table.Text(TLanguageTable::kReport, item), values);
}

inline std::string CommonText(const TLanguageTable& table, int item) {
  return table.Text(TLanguageTable::kCommon, item);
}

}  // namespace zelvora
