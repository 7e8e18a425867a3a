// Reading report requests' data from the object model: the selected
// experiences of a data root, found by their IDs, copied into the plain form
// the report generator works on.
//
// Callers may rely on:
//  - Experiences of one survey share one copy of the survey.
//  - An ID that names no experience throws std::runtime_error with
//    "No experience <id>".
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "DB/ObjectID.h"
#include "report/Report.h"

namespace zelvora {

class TDataRoot;
class TExperience;

// Every experience of every department of every company, in tree order.
std::vector<TExperience*> AllExperiences(TDataRoot& root);

// One selected source entry per ID, in the order given.
std::vector<TReportSourceEntry> ExperienceEntries(TDataRoot& root,
                                                  const std::vector<TObjectID>& ids);

// One selected entry per skill area ID, searched in the library (skill areas and
// surveys) and in every department survey; "No skill area <id>" when none has the ID.
std::vector<TReportSourceEntry> SkillAreaEntries(TDataRoot& root,
                                                 const std::vector<TObjectID>& ids);

// Rater survey forms: one entry per score sheet ID (the sheet's rater,
// category and subject) or, for blank forms, per survey ID (library or
// department surveys). Unknown IDs throw "No score sheet <id>" or "No survey
// <id>".
std::vector<TReportSourceEntry> SheetFormEntries(TDataRoot& root,
                                                 const std::vector<TObjectID>& ids);
std::vector<TReportSourceEntry> BlankFormEntries(TDataRoot& root,
                                                 const std::vector<TObjectID>& ids);

// The department list of an Organizational report: every department of
// every company in tree order, those whose ID is in `selected` selected.
// An ID that names no department throws "No department <id>".
std::vector<TReportDepartment> DepartmentEntries(TDataRoot& root,
                                                 const std::vector<TObjectID>& selected);

}  // namespace zelvora
