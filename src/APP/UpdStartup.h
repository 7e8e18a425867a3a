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

// Opens the survey database in the existing folder `folder` (a writer
// creates missing record files and rebuilds indexes in place; see
// TSurveyDB::Open for `access`); its messages for the administrator go to
// `messages`, and those of failures it could not repair also to `errors`.
// Failures that stop the open propagate.
std::unique_ptr<TSurveyDB> OpenSurveyDatabase(const std::string& folder,
                                              TDBMessageCallback messages,
                                              TDBAccess access = TDBAccess::ReadWrite,
                                              TDBMessageCallback errors = {});

// Works through the update control file of the open database's folder
// (TUpdateProcessor::ProcessUpdates); notices go to `notices`, a failing
// package is thrown after the control file has been written back.
void ApplyUpdatePackages(const TSurveyDB& db, TUpdateProcessor::TNotice notices);

}  // namespace zelvora
