// What the About box shows: the product, the data folder in use, how much
// the database holds, and the libraries the program runs on.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zelvora {

struct TAboutInfo {
  std::string Product;
  std::string Version;
  std::string DataFolder;
  int Companies = 0;
  int Subjects = 0;
  int ScoreSheets = 0;
  // (name, version) of each library, in the order shown.
  std::vector<std::pair<std::string, std::string>> Libraries;
};

}  // namespace zelvora
