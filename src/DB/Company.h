// TCompany: an organization with its departments, its directory of rater
// names and its table of rater categories.
//
// The category table is text: entries "<number>=<name>" each followed by the
// separator character 30, in display order; entry 0 "Self" is always first.
// LastCategoryNumber is the highest number handed out and is never reused.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DB/SurvObjectBase.h"

namespace zelvora {

inline constexpr char kCategorySeparator = '\x1E';
inline constexpr std::size_t kCategoriesMaxChars = 511;

struct TCategory {
  std::string Name;
  int Number = 0;
};
using TCategoryList = std::vector<TCategory>;

class TCompany : public TSurvObject {
 public:
  // The default category table "0=Self" to "6=Clients", LastCategoryNumber 6.
  TCompany();
  ~TCompany() override;

  std::string Name;  // up to 35 characters when stored
  std::string Categories;
  std::int32_t LastCategoryNumber = 6;

  TDepartmentList& Departments();
  TRaterList& Raters();
  bool DepartmentsLoaded() const { return departments_loaded_; }
  bool RatersLoaded() const { return raters_loaded_; }

  // Appends one entry per complete category entry, in table order; raises
  // LastCategoryNumber to the number of entries when it is smaller. A number
  // that is not an integer fails with "'<text>' is not a valid integer value".
  void GetCategories(TCategoryList& out);
  // The entries without raising anything (same parsing, same failure).
  TCategoryList ParseCategories() const;
  // Rebuilds Categories as "0=Self" and the pairs in list order, cut to 511
  // characters; sets Date to now and saves the company.
  void SetCategories(const TCategoryList& categories);
  // LastCategoryNumber + 1, which becomes the new LastCategoryNumber.
  int NewCategoryNumber();
  // The name of category `number` ("" when it is not in the table).
  std::string CategoryName(int number) const;

  // The rater whose name matches `name` once both are trimmed of blanks and
  // control characters, letter case ignored; null when there is none.
  TRater* FindRater(const std::string& name);
  // The matching rater, or a new TRater with the trimmed name added to
  // Raters (which stores it) when there is none.
  TRater* EnsureRater(const std::string& name);

  void Update(TObservable& list, TSurvObject* item, int code) override;
  // Departments, then raters, then the record.
  bool Delete() override;
  int Kind() const override { return okCompany; }
  int ObjectCount() override;
  void Save() override;
  // Record, departments, raters.
  void StoreTree() override;
  bool InsertRecord() override;
  std::string DisplayText() const override { return Name; }

  static std::string DefaultCategories();

 private:
  std::unique_ptr<TDepartmentList> departments_;
  std::unique_ptr<TRaterList> raters_;
  bool departments_loaded_ = false;
  bool raters_loaded_ = false;
};

}  // namespace zelvora
