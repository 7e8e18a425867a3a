// The specimen: two pages (one portrait, one landscape) that draw every
// printable object with the report fonts, so that a person can look at what
// the print engine produces.
#pragma once

#include "report/Rptdflt.h"
#include "report/prDelphi.h"

namespace zelvora {

// Opens `printer` and records the two specimen pages into its page list.
// Throws std::runtime_error("Could not open the printer.") when the printer
// cannot be opened, and EFontSpecError for a font that does not convert.
void DrawSpecimen(TDelphiScreen& printer, const TReportConfig& config);

}  // namespace zelvora
