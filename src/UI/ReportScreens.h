// The report windows' screens for the screenshot run: the report wizard's
// pages over the data folder's database, the preview of an Individual
// report and the print window while it prints.
#pragma once

namespace zelvora {

class TScreenshotRegistry;
void RegisterReportScreens(TScreenshotRegistry& registry);

}  // namespace zelvora
