// Loading the printer's font table from the report configuration.
#pragma once

#include "report/Rptdflt.h"
#include "report/prBase.h"

namespace zelvora {

TPrinterFontSpec PrinterFontFromSpec(const TFontSpec& spec);

// Fills the printer's font table from the configuration's fonts, index by
// index, up to the first empty font entry (later slots keep what they
// held). Throws EFontSpecError for a specification that does not convert.
void LoadReportFonts(TBasePrinter& printer, const TReportConfig& config);

}  // namespace zelvora
