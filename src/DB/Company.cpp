#include "DB/Company.h"

#include <cctype>
#include <charconv>

#include "DB/Department.h"
#include "DB/Rater.h"
#include "base/Cp1252.h"
#include "base/Text.h"

namespace zelvora {
namespace {

// The number part of a category entry, read as a 32-bit integer (blanks
// before it and a sign allowed). Anything else is a conversion error.
int CategoryNumber(const std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  std::string_view digits(text);
  digits.remove_prefix(pos);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int value = 0;
  const char* end = digits.data() + digits.size();
  auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || ec != std::errc() || ptr != end) {
    throw ESurvObjError("'" + text + "' is not a valid integer value");
  }
  return value;
}

}  // namespace

TCompany::TCompany() : Categories(DefaultCategories()) {}

TCompany::~TCompany() {
  DestroyList(departments_);
  DestroyList(raters_);
}

std::string TCompany::DefaultCategories() {
  static const char* const kNames[] = {"Self",  "Boss", "Others", "Peer",
                                       "Staff", "Team", "Clients"};
  std::string text;
  for (int i = 0; i < 7; ++i) {
    text += std::to_string(i) + "=" + kNames[i];
    text += kCategorySeparator;
  }
  return text;
}

TDepartmentList& TCompany::Departments() {
  return LazyList(departments_, departments_loaded_,
                  [this](TDepartmentList& list) { SurveyDB().LoadDepartments(ID, list); });
}

TRaterList& TCompany::Raters() {
  return LazyList(raters_, raters_loaded_,
                  [this](TRaterList& list) { SurveyDB().LoadRaters(ID, list); });
}

TCategoryList TCompany::ParseCategories() const {
  TCategoryList result;
  std::string entry;
  for (char c : Categories) {
    if (c != kCategorySeparator) {
      entry.push_back(c);
      continue;
    }
    const auto eq = entry.find('=');
    const std::string number = eq == std::string::npos ? entry : entry.substr(0, eq);
    const std::string name = eq == std::string::npos ? std::string() : entry.substr(eq + 1);
    result.push_back({name, CategoryNumber(number)});
    entry.clear();
  }
  // Characters after the last separator form no entry.
  return result;
}

void TCompany::GetCategories(TCategoryList& out) {
  TCategoryList entries = ParseCategories();
  const auto count = static_cast<std::int32_t>(entries.size());
  out.insert(out.end(), entries.begin(), entries.end());
  if (LastCategoryNumber < count) LastCategoryNumber = count;
}

void TCompany::SetCategories(const TCategoryList& categories) {
  std::string text = "0=Self";
  text += kCategorySeparator;
  for (const TCategory& category : categories) {
    text += std::to_string(category.Number) + "=" + category.Name;
    text += kCategorySeparator;
  }
  Categories = CutToChars(text, kCategoriesMaxChars);
  Touch();
  Save();
}

int TCompany::NewCategoryNumber() {
  ++LastCategoryNumber;
  return LastCategoryNumber;
}

std::string TCompany::CategoryName(int number) const {
  for (const TCategory& category : ParseCategories()) {
    if (category.Number == number) return category.Name;
  }
  return std::string();
}

TRater* TCompany::FindRater(const std::string& name) {
  const std::string_view wanted = Trim(name);
  for (TSurvObject* item : Raters().Raw()) {
    auto* rater = static_cast<TRater*>(item);
    if (SameText(Trim(rater->Name), wanted)) return rater;
  }
  return nullptr;
}

TRater* TCompany::EnsureRater(const std::string& name) {
  if (TRater* found = FindRater(name)) return found;
  auto rater = std::make_unique<TRater>();
  rater->Name = std::string(Trim(name));
  return Raters().Adopt(std::move(rater));
}

void TCompany::Update(TObservable& list, TSurvObject* item, int code) {
  const bool departments = &list == departments_.get();
  const bool raters = &list == raters_.get();
  if (!departments && !raters) return;
  switch (code) {
    case ncAdd:
      if (departments) {
        static_cast<TDepartment*>(item)->Company = this;
        StoreAddedChild(*item, departments_loaded_, true);
      } else {
        static_cast<TRater*>(item)->Company = this;
        StoreAddedChild(*item, raters_loaded_, false);
      }
      break;
    case ncDelete:
      DeleteAndFree(item);
      break;
    case ncDestroy:
      FreeAll(static_cast<TSurvList&>(list));
      break;
    default:
      break;
  }
}

bool TCompany::Delete() {
  TDeleteRun run(*this);
  if (!run.Started()) return false;
  DeleteAll(Departments());
  DeleteAll(Raters());
  DeleteOwnRecord(*this);
  run.Done();
  return true;
}

int TCompany::ObjectCount() { return 1 + Departments().ObjectCount() + Raters().ObjectCount(); }

void TCompany::Save() { SurveyDB().Update(*this); }

bool TCompany::InsertRecord() { return SurveyDB().Insert(*this); }

void TCompany::StoreTree() {
  InsertRecord();
  auto& departments = EnsureList(departments_);
  for (TSurvObject* department : std::vector<TSurvObject*>(departments.Raw()))
    department->StoreTree();
  departments_loaded_ = true;
  auto& raters = EnsureList(raters_);
  for (TSurvObject* rater : std::vector<TSurvObject*>(raters.Raw())) rater->StoreTree();
  raters_loaded_ = true;
}

}  // namespace zelvora
