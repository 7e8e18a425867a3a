// The writer's exact bytes for each element form, escaping, and the typed
// setters' formats.
#include <gtest/gtest.h>

#include <sstream>

#include "interchange/XML.h"

namespace zelvora {
namespace {

TEST(XmlWriter, ElementFormsGiveExactBytes) {
  TDocument doc;
  TElement& root = doc.AddElement("Root");
  root.SetText("Name", "Sales");
  root.AddElement("Empty");
  root.SetText("Multi", "line one\nline two");
  TElement& mixed = root.AddElement("Mixed");
  mixed.Value = "heading";
  mixed.SetText("Inner", "x");
  TElement& mixed_multi = root.AddElement("MixedMulti");
  mixed_multi.Value = "a\nb";
  mixed_multi.AddElement("Leaf");
  EXPECT_EQ(doc.ToText(),
            "<Root>\r\n"
            "  <Name>Sales</Name>\r\n"
            "  <Empty/>\r\n"
            "  <Multi>\r\n"
            "line one\nline two\r\n"
            "  </Multi>\r\n"
            "  <Mixed>\r\n"
            "    heading\r\n"
            "    <Inner>x</Inner>\r\n"
            "  </Mixed>\r\n"
            "  <MixedMulti>\r\n"
            "a\nb\r\n"
            "    <Leaf/>\r\n"
            "  </MixedMulti>\r\n"
            "</Root>\r\n");
}

TEST(XmlWriter, ProcessingInstructionAndAttributes) {
  TDocument doc;
  TElement& decl = doc.AddElement("?xml");
  decl.SetAttribute("version", "1.0");
  TElement& item = doc.AddElement("Item");
  item.SetAttribute("a", "x&y<z>'\"");
  item.SetAttribute("b", "");
  EXPECT_EQ(doc.ToText(),
            "<?xml version=\"1.0\"?>\r\n"
            "<Item a=\"x&amp;y&lt;z>'&quot;\" b=\"\"/>\r\n");
}

TEST(XmlWriter, TextEscapesOnlyAmpersandAndLessThan) {
  TDocument doc;
  doc.SetText("T", "a & b < c > d \" e ' f");
  EXPECT_EQ(doc.ToText(), "<T>a &amp; b &lt; c > d \" e ' f</T>\r\n");
}

TEST(XmlWriter, DocumentElementIsNeverWrittenAndEmptyDocumentIsEmpty) {
  TDocument doc;
  EXPECT_EQ(doc.Name(), "/");
  EXPECT_EQ(doc.ToText(), "");
  doc.AddElement("A");
  doc.AddElement("B");
  EXPECT_EQ(doc.ToText(), "<A/>\r\n<B/>\r\n");
}

TEST(XmlWriter, FileBytesAreWindows1252) {
  TDocument doc;
  doc.SetText("N", "Caf\xC3\xA9 \xE2\x82\xAC");  // "Café €" in UTF-8
  EXPECT_EQ(doc.ToBytes(), "<N>Caf\xE9 \x80</N>\r\n");
  std::ostringstream out;
  doc.Save(out);
  EXPECT_EQ(out.str(), doc.ToBytes());
}

TEST(XmlWriter, TypedSetters) {
  TDocument doc;
  TElement& e = doc.AddElement("E");
  EXPECT_EQ(e.SetInt("I", -42).Value, "-42");
  EXPECT_EQ(e.SetBool("T", true).Value, "1");
  EXPECT_EQ(e.SetBool("F", false).Value, "0");
  EXPECT_EQ(e.SetReal("R", 45000.5).Value, "45000.5");
  EXPECT_EQ(e.SetReal("R", 0.1).Value, "0.1");
  EXPECT_EQ(e.SetReal("R", 3.0).Value, "3");
  EXPECT_EQ(e.SetReal("R", -0.0).Value, "0");
  EXPECT_EQ(e.SetReal("R", 1e15).Value, "1E15");
  EXPECT_EQ(e.SetReal("R", 999999999999999.0).Value, "999999999999999");
  EXPECT_EQ(e.SetReal("R", 0.0001).Value, "0.0001");
  EXPECT_EQ(e.SetReal("R", -2.25).Value, "-2.25");
  EXPECT_EQ(e.SetReal("R", 1.0 / 3.0).Value, "0.333333333333333");
  EXPECT_EQ(e.SetReal("R", 45123.123456789012345).Value, "45123.123456789");
  EXPECT_EQ(e.SetReal("R", 1e20).Value, "1E20");
  EXPECT_EQ(e.SetReal("R", 1.5e-7).Value, "1.5E-7");
  // Setting the same path again replaces the first element's text.
  EXPECT_EQ(e.Elements().Count(), 4u);
}

TEST(XmlWriter, RealRoundTripsThroughText) {
  TDocument doc;
  TElement& e = doc.AddElement("E");
  for (double v : {0.0, 1.0, 36892.0, 45000.999988426, -1.5e-9, 123456789012345.0}) {
    e.SetReal("R", v);
    EXPECT_DOUBLE_EQ(e.GetReal("R", -7), v) << e.GetText("R");
  }
}

}  // namespace
}  // namespace zelvora
