#include <gtest/gtest.h>

#include "ModelFixture.h"

namespace zelvora {
namespace {

using testing::ModelTest;

std::string Sep() { return std::string(1, kCategorySeparator); }

TEST(CompanyCategories, ANewCompanyListsSevenAndRaisesTheLastNumber) {
  TCompany company;
  EXPECT_EQ(company.LastCategoryNumber, 6);
  TCategoryList categories;
  company.GetCategories(categories);
  ASSERT_EQ(categories.size(), 7u);
  EXPECT_EQ(categories[0].Name, "Self");
  EXPECT_EQ(categories[0].Number, 0);
  EXPECT_EQ(categories[6].Name, "Clients");
  EXPECT_EQ(categories[6].Number, 6);
  EXPECT_EQ(company.LastCategoryNumber, 7);
  EXPECT_EQ(company.NewCategoryNumber(), 8);
  EXPECT_EQ(company.LastCategoryNumber, 8);
}

TEST(CompanyCategories, ParsingEdgeCases) {
  TCompany company;
  company.Categories = "0=Self" + Sep() + "12=Vendors=External" + Sep() + "3=Lost";
  TCategoryList categories;
  company.GetCategories(categories);
  ASSERT_EQ(categories.size(), 2u);  // the last entry lacks its separator
  EXPECT_EQ(categories[1].Number, 12);
  EXPECT_EQ(categories[1].Name, "Vendors=External");  // split at the first "="
  EXPECT_EQ(company.CategoryName(12), "Vendors=External");
  EXPECT_EQ(company.CategoryName(3), "");
  company.Categories = "";
  EXPECT_TRUE(company.ParseCategories().empty());
}

TEST(CompanyCategories, ANumberThatIsNoIntegerFails) {
  TCompany company;
  company.Categories = "0=Self" + Sep() + "x1=Boss" + Sep();
  TCategoryList categories;
  try {
    company.GetCategories(categories);
    FAIL();
  } catch (const ESurvObjError& e) {
    EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
  }
  company.Categories = "99999999999=Big" + Sep();
  EXPECT_THROW(company.ParseCategories(), ESurvObjError);
  company.Categories = "=Nameless" + Sep();
  EXPECT_THROW(company.ParseCategories(), ESurvObjError);
}

using CompanyCategoriesStored = ModelTest;

TEST_F(CompanyCategoriesStored, SetCategoriesRebuildsStampsAndSaves) {
  TDataRoot root;
  auto fresh = std::make_unique<TCompany>();
  fresh->Date = 1.0;  // long ago, so that the save is newer
  TCompany* company = root.Companies().Adopt(std::move(fresh));
  company->SetCategories({{"Mentor", 9}, {"Peer", 3}});
  EXPECT_EQ(company->Categories, "0=Self" + Sep() + "9=Mentor" + Sep() + "3=Peer" + Sep());
  EXPECT_GT(company->Date, 1.0);
  root.Reset();
  EXPECT_EQ(root.Companies().At(0)->Categories,
            "0=Self" + Sep() + "9=Mentor" + Sep() + "3=Peer" + Sep());
  TCompany* reloaded = root.Companies().At(0);
  reloaded->SetCategories({});
  EXPECT_EQ(reloaded->Categories, "0=Self" + Sep());
}

TEST_F(CompanyCategoriesStored, RatersAreMatchedTrimmedAndWithoutCase) {
  TDataRoot root;
  TCompany* company = root.Companies().Adopt(std::make_unique<TCompany>());
  TRater* pat = company->EnsureRater("  Pat Lee ");
  EXPECT_EQ(pat->Name, "Pat Lee");
  EXPECT_EQ(pat->Company, company);
  EXPECT_TRUE(db.HasRecord(okRater, pat->ID));
  EXPECT_EQ(company->EnsureRater("PAT LEE"), pat);
  EXPECT_EQ(company->FindRater("pat lee\t"), pat);
  EXPECT_EQ(company->FindRater("Pat"), nullptr);
  EXPECT_EQ(company->Raters().Count(), 1);
}

TEST(CompanyCategoriesUnstored, TheTextIsCutTo511Characters) {
  TMemoryDB db(4243, 1);
  db.Open();
  TCompany company;
  TCategoryList many;
  for (int i = 1; i <= 100; ++i) many.push_back({"Category name " + std::to_string(i), i});
  company.SetCategories(many);
  EXPECT_EQ(company.Categories.size(), kCategoriesMaxChars);
  // The cut entry at the end is no entry.
  const TCategoryList parsed = company.ParseCategories();
  EXPECT_EQ(parsed.back().Name, "Category name " + std::to_string(parsed.back().Number));
}

}  // namespace
}  // namespace zelvora
