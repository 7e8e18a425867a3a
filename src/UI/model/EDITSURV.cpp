#include "UI/model/EDITSURV.h"

#include <stdexcept>

#include "DB/Survey.h"
#include "UI/model/UserInterface.h"
#include "base/Text.h"

namespace zelvora {
namespace {

std::size_t LabelSlot(int index) {
  if (index < 1 || index > 5) throw std::out_of_range("Frequency label index out of range");
  return static_cast<std::size_t>(index - 1);
}

// Cuts at a character boundary of the UTF-8 text.
std::string CutChars(const std::string& text, std::size_t max_chars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == max_chars) return text.substr(0, i);
      ++chars;
    }
  }
  return text;
}

}  // namespace

TNewEditSurveyForm::TNewEditSurveyForm(TEditMode mode, const TSurvey* survey) : mode_(mode) {
  if (mode != TEditMode::New && survey != nullptr) {
    name_ = survey->Name;
    author_ = survey->Author;
    for (int i = 1; i <= 5; ++i) labels_[LabelSlot(i)] = survey->GetFreqLabel(i);
  } else {
    const auto defaults = TSurvey::DefaultFreqLabels();
    for (std::size_t i = 0; i < labels_.size() && i < defaults.size(); ++i)
      labels_[i] = defaults[i];
  }
}

std::string TNewEditSurveyForm::Caption() const {
  return ByMode(mode_, "New Survey...", "Edit Survey Name...", "Show Survey Name...");
}

std::string TNewEditSurveyForm::AcceptCaption() const { return ByMode(mode_, "&Add", "&Ok", ""); }

const std::string& TNewEditSurveyForm::Label(int index) const { return labels_[LabelSlot(index)]; }

void TNewEditSurveyForm::SetSurveyName(const std::string& text) {
  name_ = text;
  changed_ = true;
}

void TNewEditSurveyForm::SetSurveyAuthor(const std::string& text) {
  author_ = text;
  changed_ = true;
}

void TNewEditSurveyForm::SetLabel(int index, const std::string& text) {
  labels_[LabelSlot(index)] = CutChars(text, kLabelMaxChars);
  changed_ = true;
}

bool TNewEditSurveyForm::AcceptEnabled() const {
  if (ReadOnly()) return false;
  if (mode_ == TEditMode::New && !changed_) return false;
  if (std::string(Trim(name_)).empty() || std::string(Trim(author_)).empty()) return false;
  for (const auto& label : labels_)
    if (std::string(Trim(label)).empty()) return false;
  return true;
}

bool TNewEditSurveyForm::Execute(TUserInterface& ui) {
  return ui.ShowSurveyForm(*this) && AcceptEnabled();
}

void TNewEditSurveyForm::StoreInto(TSurvey& survey) const {
  survey.Name = std::string(Trim(name_));
  survey.Author = std::string(Trim(author_));
  survey.FreqLabels.clear();
  for (const auto& label : labels_) survey.FreqLabels.push_back(std::string(Trim(label)));
}

}  // namespace zelvora
