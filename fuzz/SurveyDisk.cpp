// The survey-disk reader over arbitrary bytes: every damaged "dtf.xml" fails
// with the XML layer's message or "NewType: Unknown type" (or a refused list
// entry), never a crash. Whatever it reads must write out again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "DB/Survobj.h"
#include "interchange/SurvMap.h"
#include "interchange/XML.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelvora;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<TDocument> doc;
  try {
    doc = TDocument::FromBytes(bytes);
  } catch (const EXmlException&) {
    return 0;
  }
  try {
    TSurveyDiskObjects disk = TSurveyMapper::ReadSurveyDisk(*doc);
    // The chain is linked; writing its objects back must work.
    TDocument out;
    TSurveyMapper writer(kSurveyDiskWriteExclusions);
    writer.WriteObject(*disk.ScoreSheet, out);
    writer.WriteObject(*disk.Experience, out);
    writer.WriteObject(*disk.Survey, out);
    writer.WriteObject(*disk.Department, out);
    writer.WriteObject(*disk.Company, out);
    auto back = TDocument::FromText(out.ToText());
    if (back->Elements().Count() != 5) std::abort();
  } catch (const EXmlException&) {
  } catch (const ESurvObjError&) {
  }
  // Every top-level element's children read as objects with no exclusions
  // (the package-import path).
  for (const TElement* top : doc->Elements()) {
    for (const TElement* child : top->Elements()) {
      try {
        std::unique_ptr<TSurvObject> object = TSurveyMapper().ReadObject(*child);
        TDocument out;
        TSurveyMapper().WriteObject(*object, out);
        (void)out.ToBytes();
      } catch (const ESurvObjError&) {
      }
    }
  }
  return 0;
}
