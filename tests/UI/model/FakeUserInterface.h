#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "UI/model/UserInterface.h"

namespace zelvora {

// A user who answers from a script: every call is logged as "kind: text" and
// questions take the next scripted answer. A question asked with no answer
// left is a test failure, reported as an exception the model does not expect.
class TFakeUserInterface : public TUserInterface {
 public:
  std::vector<std::string> Log;
  std::deque<bool> Answers;

  void Inform(const std::string& text) override { Log.push_back("info: " + text); }
  void ShowError(const std::string& text) override { Log.push_back("error: " + text); }
  bool Ask(const std::string& text, bool warning) override {
    Log.push_back(std::string(warning ? "warning question: " : "question: ") + text);
    if (Answers.empty()) throw std::logic_error("unscripted question: " + text);
    bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }

  // ---- The main window, start-up and the access passwords ----
  // Passwords typed in answer to prompts, in order; nullopt is Cancel.
  std::deque<std::optional<std::string>> Passwords;
  // What the About box showed last; how deep the busy cursor is now.
  TAboutInfo About;
  int Busy = 0;
  bool WasBusy = false;

  void ShowFlashMessage(const std::string& text) override { Log.push_back("flash: " + text); }
  void HideFlashMessage() override { Log.push_back("flash hidden"); }
  void SetBusy(bool busy) override {
    Busy += busy ? 1 : -1;
    if (busy) WasBusy = true;
    Log.push_back(busy ? "busy" : "not busy");
  }
  void ShowAbout(const TAboutInfo& info) override {
    About = info;
    Log.push_back("about");
  }
  std::optional<std::string> AskPassword(const std::string& prompt, bool masked) override {
    Log.push_back(std::string(masked ? "password: " : "text: ") + prompt);
    if (Passwords.empty()) throw std::logic_error("unscripted password prompt: " + prompt);
    std::optional<std::string> answer = Passwords.front();
    Passwords.pop_front();
    return answer;
  }

  // ---- Backup and restore ----
  // Each wait at the drive is logged as "disk wait: text" and takes the
  // next answer: the folder to go on with, or nullopt for Cancel. A wait
  // with no answer left cancels. `BeforeDiskAnswer` runs first, if set.
  std::deque<std::optional<std::string>> DiskAnswers;
  std::function<void()> BeforeDiskAnswer;
  // Every progress call, in order (not logged: there are many).
  std::vector<std::pair<std::string, int>> Progress;
  // Called at every progress call (a test may press Cancel from here).
  std::function<void(int percent)> OnProgress;

  bool AwaitBackupDisk(const std::string& text, std::string& folder) override {
    Log.push_back("disk wait: " + text);
    if (BeforeDiskAnswer) BeforeDiskAnswer();
    if (DiskAnswers.empty()) return false;
    std::optional<std::string> answer = DiskAnswers.front();
    DiskAnswers.pop_front();
    if (!answer) return false;
    folder = *answer;
    return true;
  }
  void ShowBackupProgress(const std::string& stage, int percent) override {
    Progress.emplace_back(stage, percent);
    if (OnProgress) OnProgress(percent);
  }
};

}  // namespace zelvora
