// Whatever the writer produces reads back to an equal tree.
#include <gtest/gtest.h>

#include <random>

#include "interchange/XML.h"

namespace zelvora {
namespace {

// Text values lose leading white space and trailing characters of code 32 or
// below on the way through a file; everything else must survive.
std::string Normalized(const std::string& v) {
  std::size_t b = v.find_first_not_of("\t\n\f\r ");
  if (b == std::string::npos) return {};
  std::size_t e = v.size();
  while (e > b && static_cast<unsigned char>(v[e - 1]) <= 32) --e;
  return v.substr(b, e - b);
}

void ExpectSameTree(const TElement& written, const TElement& read) {
  ASSERT_EQ(written.Name(), read.Name());
  EXPECT_EQ(Normalized(written.Value), read.Value) << written.Name();
  ASSERT_EQ(written.Attributes().Count(), read.Attributes().Count());
  for (std::size_t i = 0; i < written.Attributes().Count(); ++i) {
    EXPECT_EQ(written.Attributes()[i]->Name(), read.Attributes()[i]->Name());
    EXPECT_EQ(written.Attributes()[i]->Value, read.Attributes()[i]->Value);
  }
  ASSERT_EQ(written.Elements().Count(), read.Elements().Count()) << written.Name();
  for (std::size_t i = 0; i < written.Elements().Count(); ++i)
    ExpectSameTree(*written.Elements()[i], *read.Elements()[i]);
}

void ExpectRoundTrip(const TDocument& doc) {
  auto back = TDocument::FromText(doc.ToText());
  ExpectSameTree(doc, *back);
  // And once more through the file encoding.
  auto again = TDocument::FromBytes(back->ToBytes());
  ExpectSameTree(*back, *again);
  EXPECT_EQ(again->ToText(), back->ToText());
}

TEST(XmlRoundTrip, AwkwardValues) {
  TDocument doc;
  doc.AddElement("?xml").SetAttribute("version", "1.0");
  TElement& root = doc.AddElement("Root");
  root.SetAttribute("q", "say \"hi\" & <bye> 'x'");
  root.SetAttribute("e", "");
  root.SetText("Amp", "R&D <dept> \"quoted\" 'single' > gt");
  root.SetText("Multi", "first line\r\nsecond line\n  third\n");
  root.SetText("Padded", "   lead and trail   ");
  root.SetText("Entityish", "&amp; &#65; &lt;");
  root.SetText("Latin", "Caf\xC3\xA9 \xE2\x82\xAC \xC3\xBF");
  root.SetText("Blank", " ");
  root.AddElement("Dup").Value = "1";
  root.AddElement("Dup").Value = "2";
  TElement& mixed = root.AddElement("Mixed");
  mixed.Value = "text < and & of a parent";
  mixed.SetText("Child", "c");
  TElement& mixed_multi = root.AddElement("MixedMulti");
  mixed_multi.Value = "two\nlines";
  mixed_multi.AddElement("Child").AddElement("Grandchild");
  ExpectRoundTrip(doc);
}

TEST(XmlRoundTrip, RandomTrees) {
  std::mt19937 rng(20261208);
  const std::string alphabet = "ab &<>\"'\n\t;#xZ9\xC3\xA9";
  auto random_text = [&](int max_len) {
    std::string s;
    int len = static_cast<int>(rng() % static_cast<unsigned>(max_len + 1));
    for (int i = 0; i < len; ++i) {
      std::size_t k = rng() % (alphabet.size() - 1);
      if (alphabet[k] == '\xC3') {
        s += "\xC3\xA9";
      } else if (alphabet[k] == '\xA9') {
        s += 'q';
      } else {
        s += alphabet[k];
      }
    }
    return s;
  };
  for (int round = 0; round < 200; ++round) {
    TDocument doc;
    std::vector<TElement*> open{&doc};
    for (int n = 0; n < 30; ++n) {
      TElement* parent = open[rng() % open.size()];
      TElement& e = parent->AddElement(std::string(1, static_cast<char>('A' + rng() % 5)));
      if (rng() % 2) e.Value = random_text(12);
      if (rng() % 3 == 0) e.SetAttribute("k" + std::to_string(rng() % 3), random_text(8));
      open.push_back(&e);
    }
    ExpectRoundTrip(doc);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace zelvora
