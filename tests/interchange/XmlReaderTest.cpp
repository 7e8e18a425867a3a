// Reading documents: tag forms, attributes, text trimming, entities, and every
// message of a damaged document.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "interchange/XML.h"

namespace zelvora {
namespace {

std::string ParseError(std::string_view text) {
  try {
    TDocument::FromText(text);
  } catch (const EXmlException& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(XmlReader, ElementsAttributesAndText) {
  auto doc = TDocument::FromText(
      "<?xml version=\"1.0\" encoding='windows-1252'?>\r\n"
      "<Root a=\"1\" b='two' c=three4 d = \"&lt;&amp;&quot;\">\r\n"
      "  <Name>  Sales  \t\r\n</Name>\n"
      "  <Empty/>\n"
      "  <Empty2 x=\"y\" />\n"
      "  <ns:el-1.x_>v</ns:el-1.x_>\n"
      "</Root>\n");
  ASSERT_EQ(doc->Elements().Count(), 2u);
  TElement& decl = *doc->Elements()[0];
  EXPECT_EQ(decl.Name(), "?xml");
  ASSERT_EQ(decl.Attributes().Count(), 2u);
  EXPECT_EQ(decl.FindAttribute("version")->Value, "1.0");
  EXPECT_EQ(decl.FindAttribute("encoding")->Value, "windows-1252");
  TElement& root = *doc->Elements()[1];
  EXPECT_EQ(root.FindAttribute("a")->Value, "1");
  EXPECT_EQ(root.FindAttribute("b")->Value, "two");
  EXPECT_EQ(root.FindAttribute("c")->Value, "three4");
  EXPECT_EQ(root.FindAttribute("d")->Value, "<&\"");
  EXPECT_EQ(root.GetText("Name"), "Sales");
  EXPECT_EQ(root.GetText("Empty", "d"), "");
  EXPECT_EQ(root.FindElement("Empty2")->FindAttribute("x")->Value, "y");
  EXPECT_EQ(root.GetText("ns:el-1.x_"), "v");
  EXPECT_EQ(root.Value, "");
}

TEST(XmlReader, Entities) {
  auto doc = TDocument::FromText(
      "<E><A>&apos;&#39;</A><B>&#x41;&#65;&#321;</B><C>&amp;lt;</C><D>&gt;&quot;</D>"
      "<F>&#xE9;&#128;</F></E>");
  TElement& e = doc->FirstElement();
  EXPECT_EQ(e.GetText("A"), "''");
  EXPECT_EQ(e.GetText("B"), "AAA");   // 321 modulo 256 is 65
  EXPECT_EQ(e.GetText("C"), "&lt;");  // decoded characters are not decoded again
  EXPECT_EQ(e.GetText("D"), ">\"");
  EXPECT_EQ(e.GetText("F"), "\xC3\xA9\xE2\x82\xAC");  // code-page characters é and €
}

TEST(XmlReader, DamagedDocumentsGiveTheirMessages) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"<a>&nbsp;</a>", "unknown entity: &nbsp;"},
      {"<a>&#;</a>", "unknown entity: &#;"},
      {"<a>&#x;</a>", "unknown entity: &#x;"},
      {"<a>&#12a;</a>", "unknown entity: &#12a;"},
      {"<a>x&#0;y</a>", "character reference to code 0: &#0;"},
      {"<a b=\"&#x00;\"/>", "character reference to code 0: &#x00;"},
      {"<a>&#256;</a>", "character reference to code 0: &#256;"},
      {"<a>x & y</a>", "unterminated entity"},
      {"<a b=\"&foo\"/>", "unterminated entity"},
      {"<Name>x</name>", "invalid closing tag\nexpecting /Name, found /name"},
      {"<a><b></a>", "invalid closing tag\nexpecting /b, found /a"},
      {"<a>text", "invalid closing tag\nexpecting /a, found "},
      {"<a><!-- c --><b/></a>", "invalid closing tag\nexpecting /a, found "},
      {"<a>x</a", "unexpected end of data"},
      {"<a>x</a x>", "symbol not found"},
      {"<a", "unexpected end of data"},
      {"<a b>", "symbol not found"},
      {"<a b=", "unexpected end of data"},
      {"<a b=\"x", "unexpected end of data"},
      {"<a b='x>", "unexpected end of data"},
      {"<a %>", "symbol not found"},
      {"<a><b/>stray</a>", "invalid closing tag\nexpecting /a, found "},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseError(c.text), c.message) << c.text;
}

TEST(XmlReader, TopLevelEndsAtAnythingThatIsNotAStartTag) {
  EXPECT_EQ(TDocument::FromText("")->Elements().Count(), 0u);
  EXPECT_EQ(TDocument::FromText("  \r\n ")->Elements().Count(), 0u);
  EXPECT_EQ(TDocument::FromText("<!DOCTYPE x><a/>")->Elements().Count(), 0u);
  EXPECT_EQ(TDocument::FromText("<a/><!-- c --><b/>")->Elements().Count(), 1u);
  EXPECT_EQ(TDocument::FromText("<a/></b>")->Elements().Count(), 1u);
  try {
    TDocument::FromText("")->FirstElement();
    FAIL();
  } catch (const EXmlException& e) {
    EXPECT_STREQ(e.what(), "No such element");
  }
}

TEST(XmlReader, DeepNestingIsRefusedNotCrashing) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  EXPECT_EQ(ParseError(deep), "elements nested too deeply");
  std::string fine;
  for (int i = 0; i < 100; ++i) fine += "<a>";
  for (int i = 0; i < 100; ++i) fine += "</a>";
  EXPECT_EQ(ParseError(fine), "(no error)");
}

TEST(XmlReader, TokenizerMark) {
  TXmlTokenizer tokens("  <abc x");
  try {
    tokens.GoBackToMark();
    FAIL();
  } catch (const EXmlException& e) {
    EXPECT_STREQ(e.what(), "mark not set");
  }
  tokens.SetMark();
  EXPECT_EQ(tokens.ReadTagStart(), "abc");
  EXPECT_EQ(tokens.Position(), 7u);
  tokens.GoBackToMark();
  EXPECT_EQ(tokens.Position(), 1u);
  EXPECT_THROW(tokens.GoBackToMark(), EXmlException);
  EXPECT_EQ(TXmlTokenizer("<?x").ReadTagStart(), "?x");
  EXPECT_EQ(TXmlTokenizer("</x>").ReadTagStart(), "/x");
  EXPECT_EQ(TXmlTokenizer("<!x").ReadTagStart(), "");
  EXPECT_EQ(TXmlTokenizer("x").ReadTagStart(), "");
}

TEST(XmlReader, StreamAndBytesAreWindows1252) {
  std::istringstream in("junk<N>Caf\xE9</N>");
  in.seekg(4);
  auto doc = TDocument::FromStream(in);
  EXPECT_EQ(doc->GetText("N"), "Caf\xC3\xA9");
  EXPECT_EQ(TDocument::FromBytes("<N>\x80</N>")->GetText("N"), "\xE2\x82\xAC");
}

class XmlFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("xmlfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::filesystem::path dir_;
};

TEST_F(XmlFileTest, SaveOnCloseAndReadAtCreation) {
  const std::string file = Path("dtf.xml");
  {
    std::ofstream(file) << "old content";
    TDocument doc(kXmlNoRead | kXmlSaveOnClose, file);
    EXPECT_TRUE(doc.Elements().Empty());  // flag 1: not read
    doc.SetText("DOCUMENT/N", "Caf\xC3\xA9");
  }
  EXPECT_EQ(Slurp(file), "<DOCUMENT>\r\n  <N>Caf\xE9</N>\r\n</DOCUMENT>\r\n");
  {
    TDocument doc(0, file);
    EXPECT_EQ(doc.GetText("DOCUMENT/N"), "Caf\xC3\xA9");
    doc.SetText("DOCUMENT/N", "changed");
  }
  // Without flag 2 nothing is written back.
  EXPECT_EQ(TDocument(0, file).GetText("DOCUMENT/N"), "Caf\xC3\xA9");
  // A missing file gives an empty document.
  EXPECT_TRUE(TDocument(0, Path("missing.xml")).Elements().Empty());
}

TEST_F(XmlFileTest, FailedSaveLeavesOldFileAndReports) {
  TDocument doc;
  doc.SetText("A", "x");
  EXPECT_THROW(doc.Save(Path("no/such/dir/a.xml")), std::runtime_error);
  TDocument closing(kXmlSaveOnClose, Path("no/such/dir/b.xml"));
  EXPECT_THROW(closing.Close(), std::runtime_error);
  const std::string file = Path("keep.xml");
  doc.Save(file);
  EXPECT_EQ(Slurp(file), "<A>x</A>\r\n");
  EXPECT_FALSE(std::filesystem::exists(file + ".tmp~"));
}

TEST_F(XmlFileTest, DamagedFileFailsAtCreation) {
  const std::string file = Path("bad.xml");
  std::ofstream(file) << "<a><b></a>";
  EXPECT_THROW(TDocument(0, file), EXmlException);
}

}  // namespace
}  // namespace zelvora
