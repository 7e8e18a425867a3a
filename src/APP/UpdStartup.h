// The database steps every start of the program shares, the desktop program
// and each command of the command-line tool alike:
//
//   auto db = OpenSurveyDatabase(folder, messages);   // open, global set
//   ApplyUpdatePackages(*db, notices);                // "Update2.INI"
//
// They are two calls because the desktop program shows its flash message
// between them.
#pragma once

#include <memory>
#include <string>

#include "APP/UpdProcess.h"
#include "DB/SURVDB.h"

namespace zelvora {

// Opens (creating missing record files and rebuilding indexes) the survey
// database in the existing folder `folder`; its messages for the
// administrator go to `messages`. Failures propagate (TSurveyDB::Open).
std::unique_ptr<TSurveyDB> OpenSurveyDatabase(const std::string& folder,
                                              TDBMessageCallback messages);

// Works through the update control file of the open database's folder
// (TUpdateProcessor::ProcessUpdates); notices go to `notices`, a failing
// package is thrown after the control file has been written back.
void ApplyUpdatePackages(const TSurveyDB& db, TUpdateProcessor::TNotice notices);

}  // namespace zelvora
