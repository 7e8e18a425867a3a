// TConfig: where the program keeps its files, and the settings file
// "Korrin2.INI" opened once at start-up and written back once at the end.
//
// The data folder (the folder of the database files, "Korrin2.INI" and
// "Update2.INI") is chosen by one rule for the desktop program and the
// command-line tool alike, first match wins:
//   1. the folder given on the command line (--data DIR);
//   2. the environment variable ZELVORA360_HOME;
//   3. the folder of the running program, when it is writable and is not a
//      system folder of installed programs (/usr/bin, /usr/local/bin, ...:
//      an installed program run by root must not keep its data among the
//      system's programs);
//   4. $XDG_DATA_HOME/zelvora360 (when XDG_DATA_HOME is an absolute path),
//      else ~/.local/share/zelvora360.
// Empty values count as not given; the folder is created when missing.
//
// Callers may rely on:
//  - ProgramDir() is absolute and ends with "/"; every file name of the
//    program is ProgramDir() followed by the name (FilePath).
//  - Settings() is the one settings file of the run; Close() writes it when
//    it changed (atomically, see TSectionedConfigFile) and reports failures
//    by exception. The destructor closes too but cannot report a failure, so
//    the owner calls Close() at the end of a normal run.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "APP/SectionedConfigFile.h"

namespace zelvora {

// What the data-folder rule looks at; empty fields count as not given.
struct TDataFolderInputs {
  std::string command_line;   // --data DIR
  std::string home_env;       // ZELVORA360_HOME
  std::string program_dir;    // folder of the running program
  std::string xdg_data_home;  // XDG_DATA_HOME
  std::string user_home;      // the user's home folder
};

class TConfig {
 public:
  static constexpr const char* kSettingsFileName = "Korrin2.INI";

  // The rule above without touching the file system: `is_writable` says
  // whether a folder may be written. Relative paths are returned as given.
  // Throws std::runtime_error when no rule gives a folder.
  static std::string ChooseDataFolder(const TDataFolderInputs& inputs,
                                      const std::function<bool(const std::string&)>& is_writable);
  // The inputs of this process: the command-line value, the environment and
  // the folder of the running program.
  static TDataFolderInputs CurrentInputs(const std::optional<std::string>& command_line);
  // The data folder of this process, made absolute, created when missing
  // (unless `create_missing` is false: a program that only reads says there
  // is no database instead), with a trailing "/". Throws std::runtime_error
  // when it cannot be created, is missing and may not be, or is not a folder.
  static std::string DataFolder(const std::optional<std::string>& command_line,
                                bool create_missing = true);

  // Resolves the data folder (DataFolder) and reads the settings file in it.
  explicit TConfig(const std::optional<std::string>& command_line = std::nullopt);
  ~TConfig();
  TConfig(const TConfig&) = delete;
  TConfig& operator=(const TConfig&) = delete;

  const std::string& ProgramDir() const { return program_dir_; }
  std::string FilePath(std::string_view file_name) const;
  std::string SettingsFilePath() const { return FilePath(kSettingsFileName); }
  // The report configuration lives in the same settings file.
  std::string ReportConfigFilePath() const { return SettingsFilePath(); }

  TSectionedConfigFile& Settings() { return settings_; }
  const TSectionedConfigFile& Settings() const { return settings_; }

  // Writes the settings file if it changed. Safe to call more than once.
  void Close();

 private:
  std::string program_dir_;
  TSectionedConfigFile settings_;
};

}  // namespace zelvora
