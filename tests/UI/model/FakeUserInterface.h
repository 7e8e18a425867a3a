#pragma once

#include <deque>
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
};

}  // namespace zelvora
