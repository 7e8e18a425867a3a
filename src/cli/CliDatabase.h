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
#pragma once

#include <memory>

#include "DB/SURVDB.h"
#include "cli/CliCommand.h"

namespace zelvora::cli {

std::unique_ptr<TSurveyDB> OpenCliDatabase(CliContext& context);

}  // namespace zelvora::cli
