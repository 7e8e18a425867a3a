// The XML reader over arbitrary bytes: it either fails with EXmlException or
// gives a tree that the writer turns into text reading back to the same tree.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "interchange/XML.h"

namespace {

using zelvora::TDocument;
using zelvora::TElement;

std::string Normalized(const std::string& v) {
  std::size_t b = v.find_first_not_of("\t\n\f\r ");
  if (b == std::string::npos) return {};
  std::size_t e = v.size();
  while (e > b && static_cast<unsigned char>(v[e - 1]) <= 32) --e;
  return v.substr(b, e - b);
}

bool SameTree(const TElement& a, const TElement& b) {
  if (a.Name() != b.Name() || Normalized(a.Value) != b.Value) return false;
  if (a.Attributes().Count() != b.Attributes().Count()) return false;
  for (std::size_t i = 0; i < a.Attributes().Count(); ++i) {
    if (a.Attributes()[i]->Name() != b.Attributes()[i]->Name()) return false;
    if (a.Attributes()[i]->Value != b.Attributes()[i]->Value) return false;
  }
  if (a.Elements().Count() != b.Elements().Count()) return false;
  for (std::size_t i = 0; i < a.Elements().Count(); ++i)
    if (!SameTree(*a.Elements()[i], *b.Elements()[i])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<TDocument> doc;
  try {
    doc = TDocument::FromBytes(bytes);
  } catch (const zelvora::EXmlException&) {
    return 0;
  }
  // Exercise the lookups the mapping uses.
  if (!doc->Elements().Empty()) {
    const TElement& first = doc->FirstElement();
    (void)first.GetInt("ID", 0);
    (void)first.GetReal("Date", 0);
    (void)first.GetBool("Completed", false);
  }
  // Whatever was read must write and read back to the same tree.
  std::unique_ptr<TDocument> back;
  try {
    back = TDocument::FromBytes(doc->ToBytes());
  } catch (const zelvora::EXmlException&) {
    std::abort();
  }
  if (!SameTree(*doc, *back)) std::abort();
  return 0;
}
