// What the backup window's tests start from: a data folder whose database
// holds one company, an empty folder standing for the first backup disk,
// and the scripted user.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "APP/TempFolder.h"
#include "DB/SURVDB.h"
#include "DB/Survobj.h"
#include "UI/model/FakeUserInterface.h"

namespace zelvora::testing {

struct TBackupWorld {
  TBackupWorld() {
    db.Open(data.path().string());
    {
      TDataRoot root;
      auto company = std::make_unique<TCompany>();
      company->Name = "Acme";
      root.Companies().Adopt(std::move(company));
    }
    disk = disks.File("disk1");
    std::filesystem::create_directories(disk);
  }

  TempFolder data;
  TempFolder disks;
  std::string disk;
  TSurveyDB db;
  TFakeUserInterface ui;
};

}  // namespace zelvora::testing
