// Finding score sheets of the database for the commands that take SHEET-ID.
#pragma once

#include "DB/Survobj.h"

namespace zelvora::cli {

// The score sheet with this ID under any experience of any department of any
// company; null when there is none.
TScoreSheet* FindScoreSheet(TDataRoot& root, const TObjectID& id);

}  // namespace zelvora::cli
