#include "APP/ShippedFiles.h"

#include <filesystem>
#include <system_error>

namespace zelvora {
namespace {

namespace fs = std::filesystem;

std::string RunningProgramFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

std::vector<std::string> ShippedFileFolders(const std::string& program_dir) {
  fs::path dir = fs::path(program_dir).lexically_normal();
  if (dir.has_parent_path() && !dir.has_filename()) dir = dir.parent_path();
  return {dir.string(), (dir.parent_path() / "share" / "zelvora360").lexically_normal().string()};
}

std::string FindShippedFile(std::string_view name) {
  const std::vector<std::string> folders = ShippedFileFolders(RunningProgramFolder());
  for (const std::string& folder : folders) {
    const fs::path candidate = fs::path(folder) / name;
    std::error_code ec;
    if (fs::exists(candidate, ec)) return candidate.string();
  }
  return (fs::path(folders.front()) / name).string();
}

}  // namespace zelvora
