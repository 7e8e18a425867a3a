// Opening the survey database for a command: the data folder follows the
// program's rule (--data DIR, then ZELVORA360_HOME, ...; see APP/CONFIGU.h),
// and the database's messages go to the command's standard error.
//
//   auto db = OpenCliDatabase(context, TDBAccess::ReadOnly);  // open, global reference set
//   TDataRoot root;                                           // loads through it
//
// The database closes when the returned object goes away; call Close() at
// the end of a normal run to see close failures.
//
// `access` says whether the command may change the database: a writer holds
// the folder's lock alone, readers share it (DB/SURVDB.h), and a command
// that finds the database in use fails with a message naming the holder.
// A reader writes nothing into the data folder: a missing folder or
// database is an error, indexes are rebuilt in memory when they must be,
// and pending update packages are only mentioned on standard error.
// Like the program's start-up, a writer creates a missing folder and
// database and then applies the update packages of
// "Update2.INI" in the data folder (APP/UpdStartup.h): notices go to the
// command's standard error, and a package error is thrown after the control
// file has been written back. Writers that must see the database exactly as
// stored (demo, update itself) pass process_updates = false.
#pragma once

#include <memory>

#include "DB/SURVDB.h"
#include "cli/CliCommand.h"

namespace zelvora::cli {

std::unique_ptr<TSurveyDB> OpenCliDatabase(CliContext& context, TDBAccess access,
                                           bool process_updates = true);

// Whether a database opened here reported a failure it could not repair (a
// damaged data file, a fileblock left unusable, records that could not be
// keyed); the command then ends with exit status 1.
bool CliDatabaseReportedErrors();

}  // namespace zelvora::cli
