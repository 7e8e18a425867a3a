#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
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

  // --- Score-entry wizard and survey disks ---
  // How deeply the busy cursor is on now, and whether it ever was.
  int BusyDepth = 0;
  bool WasBusy = false;
  void ShowBusy(bool busy) override {
    BusyDepth += busy ? 1 : -1;
    if (busy) WasBusy = true;
  }

  // ---- The main window, start-up and the access passwords ----
  // Passwords typed in answer to prompts, in order; nullopt is Cancel.
  std::deque<std::optional<std::string>> Passwords;
  // What the About box showed last; how deep the busy cursor is now.
  TAboutInfo About;
  int Busy = 0;

  void ShowFlashMessage(const std::string& text) override { Log.push_back("flash: " + text); }
  void HideFlashMessage() override { Log.push_back("flash hidden"); }
  void SetBusy(bool busy) override {
    Busy += busy ? 1 : -1;
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
};

}  // namespace zelvora
