// Files shipped with the program (the caption language table, the rater
// program, icons) are found beside the running executable, as in a build
// folder, or in the installed share folder "<prefix>/share/zelvora360"
// next to "<prefix>/bin" where the executable lives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// The folders searched, in order, for a program in `program_dir`.
std::vector<std::string> ShippedFileFolders(const std::string& program_dir);
// The first existing file of that name in those folders for the running
// program; when none exists, the path beside the executable (so that the
// caller's error names where the file was looked for first).
std::string FindShippedFile(std::string_view name);

}  // namespace zelvora
