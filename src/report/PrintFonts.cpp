#include "report/PrintFonts.h"

#include "base/Cp1252.h"

namespace zelvora {

TPrinterFontSpec PrinterFontFromSpec(const TFontSpec& spec) {
  TPrinterFontSpec out;
  out.Name = CutToChars(spec.face, 35);
  out.Size = spec.size_pt;
  if (spec.bold) out.Style += 'B';
  if (spec.italic) out.Style += 'I';
  if (spec.underline) out.Style += 'U';
  out.Color = static_cast<std::int32_t>(spec.color.value & 0xFFFFFF);
  out.Charset = 0;
  return out;
}

void LoadReportFonts(TBasePrinter& printer, const TReportConfig& config) {
  const std::vector<TFontSpec> table = config.FontTable();
  for (std::size_t i = 0; i < table.size() && i < printer.Fonts.size(); ++i)
    printer.Fonts[i] = PrinterFontFromSpec(table[i]);
}

}  // namespace zelvora
