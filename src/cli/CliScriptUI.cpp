#include "cli/CliScriptUI.h"

#include <istream>
#include <ostream>
#include <string_view>

namespace zelvora::cli {

TCliScriptUI::TCliScriptUI(std::istream* script, std::ostream& out,
                           std::optional<bool> fixed_answer)
    : script_(script), out_(out), fixed_answer_(fixed_answer) {}

std::string TCliScriptUI::OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\n')
      line += "\\n";
    else
      line += c;
  }
  return line;
}

void TCliScriptUI::Inform(const std::string& text) { out_ << "info: " << OneLine(text) << "\n"; }

void TCliScriptUI::ShowFlashMessage(const std::string& text) {
  out_ << "flash: " << OneLine(text) << "\n";
}

std::optional<std::string> TCliScriptUI::AskPassword(const std::string& prompt, bool) {
  out_ << "password: " << OneLine(prompt) << "\n";
  std::string line;
  if (script_ == nullptr || !std::getline(*script_, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  constexpr std::string_view kCommand = "password ";
  if (line.rfind(kCommand, 0) != 0) return std::nullopt;
  return line.substr(kCommand.size());
}

void TCliScriptUI::ShowError(const std::string& text) {
  out_ << "error: " << OneLine(text) << "\n";
}

bool TCliScriptUI::Ask(const std::string& text, bool warning) {
  out_ << (warning ? "warning question: " : "question: ") << OneLine(text);
  if (fixed_answer_) {
    out_ << (*fixed_answer_ ? " -> yes" : " -> no") << "\n";
    return *fixed_answer_;
  }
  out_ << "\n";
  const std::optional<std::string> line = NextLine();
  if (!line) throw EScriptError("the script ended where a question wants yes or no");
  if (*line == "yes") return true;
  if (*line == "no") return false;
  throw EScriptError("expected yes or no, got \"" + *line + "\"");
}

std::optional<std::string> TCliScriptUI::NextLine() {
  if (script_ == nullptr) return std::nullopt;
  std::string line;
  while (std::getline(*script_, line)) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
  }
  return std::nullopt;
}

}  // namespace zelvora::cli
