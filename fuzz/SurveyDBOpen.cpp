// Opens a survey database whose record files are made of fuzzed bytes and
// works with it as the program does: first for reading only (load the
// whole object tree, resolve experiences), then for writing: the same,
// look for orphans, reindex, merge a record, add and save an object, close. Any crash, hang or
// sanitizer report is a bug; failures must arrive as ETableException or ESurvObjError.
//
// Input: chunks of [code byte][2-byte little-endian length n][n bytes]. The
// code's low four bits (mod 10) pick the fileblock, bit 4 says index file
// (else data file). Files no chunk gives are missing: the open creates the
// data files and rebuilds the indexes. Seeds: testdata/surveydb-fuzz-seeds/.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "DB/SURVDB.h"
#include "DB/Survobj.h"

namespace {

using namespace zelvora;
namespace fs = std::filesystem;

const std::string& Folder() {
  static const std::string folder = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const std::string path =
        std::string(base) + "/zelvora-fuzz-surveydb-" + std::to_string(getpid()) + "/";
    fs::create_directories(path);
    return path;
  }();
  return folder;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

// Loads everything below each object, resolving what experiences refer to.
void Walk(TDataRoot& root) {
  auto& companies = root.Companies();
  for (int c = 0; c < companies.Size(); ++c) {
    TCompany* company = companies.At(c);
    company->ObjectCount();
    auto& departments = company->Departments();
    for (int d = 0; d < departments.Size(); ++d) {
      TDepartment* department = departments.At(d);
      auto& experiences = department->Experiences();
      for (int e = 0; e < experiences.Size(); ++e) {
        TExperience* experience = experiences.At(e);
        experience->Subject();
        if (TSurvey* survey = experience->Survey()) survey->Questions();
        auto& sheets = experience->ScoreSheets();
        for (int s = 0; s < sheets.Size(); ++s) sheets.At(s)->CategoryName();
      }
      department->Subjects();
    }
  }
  root.LibrarySurveys().ObjectCount();
  root.LibrarySkillAreas().ObjectCount();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = Folder();
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
  std::vector<unsigned char> first_record;
  int first_fileblock = -1;
  std::size_t at = 0;
  while (at + 3 <= size) {
    const std::uint8_t code = data[at];
    const std::size_t length =
        std::min<std::size_t>(data[at + 1] | (data[at + 2] << 8), size - at - 3);
    const int fileblock = (code & 0x0F) % kFileblockCount;
    const bool index = (code & 0x10) != 0;
    const std::string path = folder + FileblockInfo(fileblock).BaseName + (index ? ".IX" : ".DAT");
    WriteFile(path, data + at + 3, length);
    if (!index && first_fileblock < 0) {
      first_fileblock = fileblock;
      first_record.assign(data + at + 3, data + at + 3 + length);
    }
    at += 3 + length;
  }

  try {
    TSurveyDB reader([](const std::string&) {});
    reader.Open(folder, TDBAccess::ReadOnly);
    {
      TDataRoot root;
      Walk(root);
    }
    reader.Close();
  } catch (const ETableException&) {
  } catch (const ESurvObjError&) {
  }

  try {
    TSurveyDB db([](const std::string&) {});
    db.Open(folder);
    try {
      {
        TDataRoot root;
        Walk(root);
        if (root.Companies().Size() > 0 && root.Companies().At(0)->Departments().Size() > 0) {
          TDepartment* department = root.Companies().At(0)->Departments().At(0);
          auto subject = std::make_unique<TSubject>();
          subject->Name = "Fuzz";
          TSubject* added = department->Subjects().Adopt(std::move(subject));
          added->Name = "Fuzz saved";
          added->Date += 1;
          added->Save();
        }
      }
      db.FindOrphans();
      if (first_fileblock >= 0) {
        const auto length = static_cast<std::size_t>(FileblockInfo(first_fileblock).RecordLength);
        std::vector<unsigned char> record(
            first_record.begin(),
            first_record.begin() + static_cast<long>(std::min(length, first_record.size())));
        db.MergeRecord(first_fileblock, true, record);
      }
      db.ReindexAll();
      TDataRoot again;
      Walk(again);
    } catch (const ETableException&) {
    } catch (const ESurvObjError&) {
    }
    db.Close();
  } catch (const ETableException&) {
  } catch (const ESurvObjError&) {
  }
  return 0;
}
