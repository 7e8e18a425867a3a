// TUpdateProcessor: the update packages applied at every start. It works
// through the control file "Update2.INI" of the program (data) folder,
// section by section in this order:
//
//   SURVEYS  file names: scrambled text packages; each top-level company,
//            survey or skill area replaces the one with its ID (companies,
//            library surveys, library skill areas) or is added
//   EXPORTS  export names: "ALL.XML", "COMPANIES.XML", "SURVEYS.XML",
//            "SKILLAREAS.XML" (XML documents), "COMPANIES" (COMP1.DAT),
//            "SURVEYS" (SURV1.DAT, renumbered), "SKILLAREAS" (SKIL1.DAT,
//            renumbered); compared upper-cased, other names write nothing
//   IMPORTS  file names: XML documents, or ".Z" archives holding the
//            document named like the entry with the extension ".xml"; each
//            child of the first top-level element is read as an object and
//            replaces or is added as in SURVEYS
//   REMOVE   IDs "Origin.Serial" of library surveys to remove
//
// Each section is emptied (header kept) when all its entries are done.
//
// Callers may rely on:
//  - an object of another kind is only a notice ("Unknown type: " and its
//    class name) and processing goes on;
//  - answers are never deleted in silence: a company whose replacement
//    would delete subjects, experiences or score sheets the package does
//    not carry (packages carry none, as a rule) is not replaced; a notice
//    names it and what it holds, processing goes on, and Refused() counts
//    it;
//  - any other failure (a package that cannot be read or parsed, a missing
//    file, a damaged archive, an export that cannot be written) stops the
//    processing and is thrown with its own message, after the control file
//    has been written back: the sections done are empty, the one in progress
//    and those after it keep all their entries; objects already replaced
//    stay replaced;
//  - a control file that does not exist is not created; one that exists is
//    always written back, with the four section headers present;
//  - before the sections, a library without surveys gets the built-in
//    "User Skill Areas" survey, and then a library without a survey named
//    "Standard Skill Areas" gets the starter library (below).
// The survey database must be open (the global reference set).
//
// The starter library is the text-format file "STDSKILL.DAT" shipped with
// the program (plain, not scrambled): the built-in survey "Standard Skill
// Areas" with its IDs. It is looked for in the package folders, in order;
// the first folder holding the file is used. It is applied like a SURVEYS
// entry, except that:
//  - nothing happens when the library already has a survey of that name or
//    of the package survey's ID (a database that has it, even renamed, is
//    left alone), or when no package folders are given;
//  - a missing or unreadable file, or one that holds no built-in survey of
//    that name, is only a notice: the start goes on without it;
//  - the package's certified questions (those with suggestions) are stored
//    Locked, the mark of the built-in instrument's questions, which the text
//    format has no property for.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class TDataRoot;
class TSurvObject;

inline constexpr const char* kStandardSkillAreasFileName = "STDSKILL.DAT";

// Where a program finds the files shipped with it, in order: the folder of
// the running program, "../share/zelvora360" from there (an installed
// program), and the installation's share folder chosen when it was built.
std::vector<std::string> DefaultPackageFolders();

class TUpdateProcessor {
 public:
  using TNotice = std::function<void(const std::string&)>;

  TUpdateProcessor(std::string folder, TNotice notice,
                   std::vector<std::string> package_folders = DefaultPackageFolders());

  // The whole start-up processing (see above).
  void ProcessUpdates();
  // Whether the control file holds entries that ProcessUpdates would work
  // through (read only; nothing is changed).
  bool HasPendingUpdates() const;

  // One entry of each section, over a data root of the open database.
  void ImportTextPackage(TDataRoot& root, const std::string& entry);
  // The starter library step (see above); true when it added the survey.
  bool AddStandardSkillAreas(TDataRoot& root);
  // The starter library file of the first package folder that holds one;
  // empty when none does.
  std::string FindStandardSkillAreasPackage() const;

  // Whether the name (compared upper-cased) is one of the seven exports.
  static bool IsExportName(std::string_view name);
  // False for a name that is no export.
  bool Export(TDataRoot& root, std::string_view name);
  void ImportXmlPackage(TDataRoot& root, const std::string& entry);
  // False when the entry is no ID or names no library survey.
  bool RemoveSurvey(TDataRoot& root, std::string_view entry);

  // Replaces the company, library survey or library skill area with the
  // object's ID by the object (or adds it); another kind gives the notice.
  // The root takes the object over in every case but the notice.
  void Replace(TDataRoot& root, std::unique_ptr<TSurvObject> object);

  const std::string& Folder() const { return folder_; }
  // Companies left unreplaced to keep their answers.
  int Refused() const { return refused_; }

 private:
  std::string PathOf(const std::string& entry) const;
  void Notice(const std::string& text) const {
    if (notice_) notice_(text);
  }

  std::string folder_;
  TNotice notice_;
  std::vector<std::string> package_folders_;
  int refused_ = 0;
};

}  // namespace zelvora
