// TRaterDisk: the survey disk as the rater program sees it: the document
// "dtf.xml" beside the program (or named on its command line), read once
// for the wizard and written back with the rater's answers.
#pragma once

#include <string>
#include <vector>

#include "UI/model/Wizard.h"
#include "interchange/SurvMap.h"

namespace zelvora {

class TRaterDisk {
 public:
  // The first argument when one is given, else "dtf.xml" in the program's
  // folder.
  static std::string DocumentPath(const std::string& program_folder,
                                  const std::vector<std::string>& args);

  explicit TRaterDisk(std::string document) : document_(std::move(document)) {}
  TRaterDisk(const TRaterDisk&) = delete;
  TRaterDisk& operator=(const TRaterDisk&) = delete;

  const std::string& Document() const { return document_; }
  // Reads the document the first time (null when it does not exist; XML
  // errors pass through) and keeps the objects.
  TSurveyDiskObjects* Load();
  // Writes the sheet's answers and completed flag into the document, through
  // a temporary file, so a failed save leaves the previous document.
  void Save(const TScoreSheet& sheet);
  // Load and Save for the wizard's rater-disk mode.
  TRaterDiskHooks Hooks();

 private:
  std::string document_;
  TSurveyDiskObjects disk_;
  bool loaded_ = false;
};

}  // namespace zelvora
