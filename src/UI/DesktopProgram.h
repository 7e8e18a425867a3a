// The desktop program's entry: zelvora360 [--data DIR] [--screenshots OUT]
// [WORD]. The data folder follows the same rule as the command-line tool
// (APP/CONFIGU.h); WORD is handed to the Control Center.
#pragma once

namespace zelvora {

int RunDesktopProgram(int argc, char** argv);

}  // namespace zelvora
