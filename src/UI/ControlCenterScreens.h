// The Control Center's screens for the screenshot run: the window on each
// tab and on the detail page over the database of the run, and each of its
// dialogs in its New and Edit modes.
#pragma once

namespace zelvora {

class TScreenshotRegistry;

void RegisterControlCenterScreens(TScreenshotRegistry& registry);

}  // namespace zelvora
