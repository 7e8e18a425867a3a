#include "APP/CONFIGU.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "APP/ShippedFiles.h"

namespace zelvora {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHomeVariable = "ZELVORA360_HOME";
constexpr const char* kXdgVariable = "XDG_DATA_HOME";
constexpr const char* kAppFolderName = "zelvora360";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string UserHome() {
  std::string home = Env("HOME");
  if (!home.empty()) return home;
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir)
    return found->pw_dir;
  return {};
}

bool IsWritableFolder(const std::string& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool IsSystemProgramFolder(const std::string& folder) {
  static constexpr std::string_view kSystemFolders[] = {
      "/bin", "/sbin", "/usr/bin", "/usr/sbin", "/usr/local/bin", "/usr/local/sbin", "/usr/games"};
  std::string normal = fs::path(folder).lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  for (std::string_view system : kSystemFolders)
    if (normal == system) return true;
  return false;
}

}  // namespace

std::string TConfig::ChooseDataFolder(const TDataFolderInputs& inputs,
                                      const std::function<bool(const std::string&)>& is_writable) {
  if (!inputs.command_line.empty()) return inputs.command_line;
  if (!inputs.home_env.empty()) return inputs.home_env;
  if (!inputs.program_dir.empty() && !IsSystemProgramFolder(inputs.program_dir) &&
      is_writable(inputs.program_dir))
    return inputs.program_dir;
  // Relative XDG paths are invalid by the XDG rules and are ignored.
  if (!inputs.xdg_data_home.empty() && inputs.xdg_data_home.front() == '/')
    return (fs::path(inputs.xdg_data_home) / kAppFolderName).string();
  if (!inputs.user_home.empty())
    return (fs::path(inputs.user_home) / ".local" / "share" / kAppFolderName).string();
  throw std::runtime_error("Cannot find a data folder: give one with --data or ZELVORA360_HOME");
}

TDataFolderInputs TConfig::CurrentInputs(const std::optional<std::string>& command_line) {
  TDataFolderInputs inputs;
  inputs.command_line = command_line.value_or("");
  inputs.home_env = Env(kHomeVariable);
  inputs.program_dir = RunningProgramFolder();
  inputs.xdg_data_home = Env(kXdgVariable);
  // The home folder is only looked up when the earlier rules give nothing.
  if (inputs.command_line.empty() && inputs.home_env.empty()) inputs.user_home = UserHome();
  return inputs;
}

std::string TConfig::DataFolder(const std::optional<std::string>& command_line,
                                bool create_missing) {
  const std::string chosen = ChooseDataFolder(CurrentInputs(command_line), IsWritableFolder);
  std::error_code ec;
  fs::path folder = fs::absolute(chosen, ec);
  if (ec)
    throw std::runtime_error("Cannot use the data folder \"" + chosen + "\": " + ec.message());
  folder = folder.lexically_normal();
  const auto status = fs::status(folder, ec);
  if (status.type() == fs::file_type::not_found) {
    if (!create_missing)
      throw std::runtime_error("There is no survey database in " + folder.string() +
                               ": the folder does not exist");
    fs::create_directories(folder, ec);
    if (ec)
      throw std::runtime_error("Cannot create the data folder \"" + folder.string() +
                               "\": " + ec.message());
  } else if (ec) {
    throw std::runtime_error("Cannot use the data folder \"" + folder.string() +
                             "\": " + ec.message());
  } else if (status.type() != fs::file_type::directory) {
    throw std::runtime_error("The data folder \"" + folder.string() + "\" is not a folder");
  }
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

TConfig::TConfig(const std::optional<std::string>& command_line)
    : program_dir_(DataFolder(command_line)), settings_(FilePath(kSettingsFileName)) {}

TConfig::~TConfig() {
  try {
    Close();
  } catch (...) {
    // The owner calls Close() to learn of a failed write; here the old file
    // simply stays as it was.
  }
}

std::string TConfig::FilePath(std::string_view file_name) const {
  return program_dir_ + std::string(file_name);
}

void TConfig::Close() { settings_.Save(); }

}  // namespace zelvora
