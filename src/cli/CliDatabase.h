// Opening the survey database for a command: the data folder follows the
// program's rule (--data DIR, then ZELVORA360_HOME, ...; see APP/CONFIGU.h),
// the folder is created when missing, and the database's messages go to the
// command's standard error.
//
//   auto db = OpenCliDatabase(context);   // open, global reference set
//   TDataRoot root;                        // loads through it
//
// The database closes when the returned object goes away; call Close() at
// the end of a normal run to see close failures.
//
// Like the program's start-up, opening then applies the update packages of
// "Update2.INI" in the data folder (APP/UpdStartup.h): notices go to the
// command's standard error, and a package error is thrown after the control
// file has been written back. Commands that must see the database exactly as
// stored (demo, update itself) pass process_updates = false.
#pragma once

#include <memory>

#include "DB/SURVDB.h"
#include "cli/CliCommand.h"

namespace zelvora::cli {

std::unique_ptr<TSurveyDB> OpenCliDatabase(CliContext& context, bool process_updates = true);

}  // namespace zelvora::cli
