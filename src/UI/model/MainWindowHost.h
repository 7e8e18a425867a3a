// TMainWindowHost: what the start-up and the main menu need of the frame
// window and the platform under it. The desktop program's main window
// implements it; tests implement it with a recording fake.
#pragma once

#include <string>

#include "APP/SurveyDefaults.h"

namespace zelvora {

class TMainWindowHost {
 public:
  virtual ~TMainWindowHost() = default;

  // Takes the instance-lock file at `lock_path` and holds it until
  // UnlockInstance(); false when another running copy holds it. A file left
  // by a copy that no longer runs does not count.
  virtual bool LockInstance(const std::string& lock_path) = 0;
  virtual void UnlockInstance() = 0;

  // The main window's show state and normal rectangle.
  virtual void ApplyPlacement(const TWindowPlacement& placement) = 0;
  virtual TWindowPlacement CurrentPlacement() const = 0;

  // Creates the Control Center inside the frame; `first_argument` is the
  // program's first command-line parameter (empty when none).
  virtual void CreateControlCenter(const std::string& first_argument) = 0;
  // The Control Center reloads its lists (after the database changed under
  // it, as by a reindex).
  virtual void ReloadControlCenter() = 0;
};

}  // namespace zelvora
