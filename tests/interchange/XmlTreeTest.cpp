// Paths with find and create, adding children, attributes, typed getters and
// the failures of the tree.
#include <gtest/gtest.h>

#include "interchange/XML.h"

namespace zelvora {
namespace {

TEST(XmlTree, FindWalksFirstChildOfEachStepAndCreatesOnlyWhenAsked) {
  TDocument doc;
  TElement& root = doc.AddElement("TSurvey");
  EXPECT_EQ(root.FindElement("TSkillAreaList/TSkillArea"), nullptr);
  EXPECT_TRUE(root.Elements().Empty());
  TElement* made = root.FindElement("TSkillAreaList/TSkillArea", true);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Name(), "TSkillArea");
  EXPECT_EQ(made->Parent()->Name(), "TSkillAreaList");
  EXPECT_EQ(made->Parent()->Parent(), &root);
  EXPECT_EQ(root.FindElement("TSkillAreaList/TSkillArea", true), made);
  EXPECT_EQ(root.FindElement(""), &root);
  EXPECT_EQ(doc.FindElement("TSurvey/TSkillAreaList/TSkillArea"), made);
}

TEST(XmlTree, AddAlwaysAppendsAndLookupsReturnFirst) {
  TDocument doc;
  TElement& first = doc.AddElement("L/Item");
  first.Value = "1";
  TElement& second = doc.AddElement("L/Item");
  second.Value = "2";
  ASSERT_EQ(doc.Elements().Count(), 1u);
  EXPECT_EQ(doc.FindElement("L")->Elements().Count(), 2u);
  EXPECT_EQ(doc.GetText("L/Item"), "1");
  EXPECT_EQ(&doc.FindElement("L")->FirstElement(), &first);
  EXPECT_EQ(doc.FindElement("L")->Elements()[1], &second);
}

TEST(XmlTree, Failures) {
  TDocument doc;
  try {
    doc.AddElement("");
    FAIL();
  } catch (const EXmlException& e) {
    EXPECT_STREQ(e.what(), "Cannot add null element");
  }
  EXPECT_THROW(doc.AddElement("A/"), EXmlException);
  try {
    doc.FirstElement();
    FAIL();
  } catch (const EXmlException& e) {
    EXPECT_STREQ(e.what(), "No such element");
  }
  try {
    TElement nameless(nullptr, "");
    FAIL();
  } catch (const EXmlException& e) {
    EXPECT_STREQ(e.what(), "TXmlObject requires name");
  }
  EXPECT_THROW(TAttribute(nullptr, ""), EXmlException);
}

TEST(XmlTree, CaseSensitiveNames) {
  TDocument doc;
  doc.SetText("Name", "x");
  EXPECT_EQ(doc.FindElement("name"), nullptr);
  EXPECT_EQ(doc.GetText("name", "dflt"), "dflt");
}

TEST(XmlTree, TypedGettersFallBackToDefaults) {
  TDocument doc;
  TElement& e = doc.AddElement("E");
  e.SetText("I", "123");
  e.SetText("Neg", "-5");
  e.SetText("Bad", "12x");
  e.SetText("Empty", "");
  e.SetText("Huge", "99999999999");
  e.SetText("True", "true");
  e.SetText("One", "1");
  e.SetText("Zero", "0");
  e.SetText("Real", "45000.25");
  e.SetText("Comma", "45000,25");
  e.SetText("Inf", "inf");
  EXPECT_EQ(e.GetInt("I", 9), 123);
  EXPECT_EQ(e.GetInt("Neg", 9), -5);
  EXPECT_EQ(e.GetInt("Bad", 9), 9);
  EXPECT_EQ(e.GetInt("Empty", 9), 9);
  EXPECT_EQ(e.GetInt("Huge", 9), 9);
  EXPECT_EQ(e.GetInt("Missing", 9), 9);
  EXPECT_TRUE(e.GetBool("One", false));
  EXPECT_FALSE(e.GetBool("Zero", true));
  EXPECT_TRUE(e.GetBool("True", true));
  EXPECT_FALSE(e.GetBool("True", false));
  EXPECT_TRUE(e.GetBool("Missing", true));
  EXPECT_DOUBLE_EQ(e.GetReal("Real", 1), 45000.25);
  EXPECT_DOUBLE_EQ(e.GetReal("I", 1), 123.0);
  EXPECT_DOUBLE_EQ(e.GetReal("Comma", 1), 1.0);
  EXPECT_DOUBLE_EQ(e.GetReal("Inf", 1), 1.0);
  EXPECT_DOUBLE_EQ(e.GetReal("Empty", 1), 1.0);
  EXPECT_DOUBLE_EQ(e.GetReal("Missing", 1), 1.0);
  EXPECT_EQ(e.GetText("Missing", "d"), "d");
  EXPECT_EQ(e.GetText("Empty", "d"), "");
}

TEST(XmlTree, AttributesFindCreateAndSet) {
  TDocument doc;
  TElement& e = doc.AddElement("E");
  EXPECT_EQ(e.FindAttribute("a"), nullptr);
  TAttribute* a = e.FindAttribute("a", true);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Value, "");
  EXPECT_EQ(a->Parent(), &e);
  EXPECT_EQ(&e.SetAttribute("a", "v"), a);
  EXPECT_EQ(a->Value, "v");
  EXPECT_EQ(e.Attributes().Count(), 1u);
  EXPECT_EQ(e.Attributes().Owner(), &e);
}

}  // namespace
}  // namespace zelvora
