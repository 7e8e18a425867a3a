// What the preview and print tests share, without a toolkit: a report that
// draws a given list of pages (each with its orientation) on its printer, a
// recording printer that keeps the orientations of the pages drawn on it, a
// print target that records what it was sent, and the shipped language
// table.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "APP/LanguageTable.h"
#include "report/PageRecorder.h"
#include "report/PrintTarget.h"
#include "report/RecordedPages.h"
#include "report/prBase.h"
#include "report/rptBase.h"

namespace zelvora::testing {

inline const TLanguageTable& ShippedTexts() {
  static const TLanguageTable table = [] {
    TLanguageTable t;
    t.Load(std::string(ZELVORA_SOURCE_DIR) + "/dist/LocU.ini");
    return t;
  }();
  return table;
}

class TPagesReport : public TReportBase {
 public:
  std::vector<std::uint8_t> orientations;
  // Called after page `n` (1-based) was drawn, before the page-progress
  // notification lets events run.
  std::function<void(int)> after_page;
  bool fail = false;
  bool raise = false;  // the generation throws
  int runs = 0;
  std::string title = "Individual Feedback";
  std::string subject = "Pat Example";

  TPagesReport() : TReportBase(1) { ErrorMessage = "No Output Generated"; }
  bool Generate() override {
    ++runs;
    if (Printer == nullptr || !Printer->Open(false, 0, 0, " ", false)) return false;
    if (raise) throw std::runtime_error("device lost");
    ErrorMessage = fail ? "No valid data found to process" : "";
    NotifyStart(title, subject, 0, int(orientations.size()), 0);
    int n = 0;
    for (std::uint8_t orientation : orientations) {
      if (fail || Cancelled) break;
      Printer->SetOrientation(orientation);
      Printer->StartPage();
      Printer->MoveTo(500, 500);
      Printer->Print("Page " + std::to_string(++n));
      Printer->EndPage();
      if (after_page) after_page(n);
      NotifyPageProgress("", "", n);
    }
    Printer->Close();
    NotifyEnd("", "", 0);
    return !fail && !Cancelled && n > 0;
  }
  bool NextReport() override { return Generate(); }
  bool PrevReport() override { return Generate(); }
  void Cancel() override {
    TReportBase::Cancel();
    ErrorMessage = "Cancelled";
  }
};

// Pages as a list of orientations; a PDF "written" to a path holding
// "missing-folder" fails as a real one would.
class TOrientationPages : public TRecordedPages {
 public:
  std::vector<std::uint8_t> orientations;
  mutable std::vector<std::string> saved;

  int Count() const override { return static_cast<int>(orientations.size()); }
  std::uint8_t Orientation(int index) const override {
    return orientations.at(static_cast<std::size_t>(index));
  }
  void SaveAsPdf(const std::string& path, int copies) const override {
    if (path.find("missing-folder") != std::string::npos)
      throw std::runtime_error("Could not write the file " + path + ".");
    saved.push_back(path + " x" + std::to_string(copies));
  }
};

// A recording printer that keeps each ended page's orientation.
class TFakeRecorder : public TPageRecorder {
 public:
  TBasePrinter& Printer() override { return printer_; }
  const TRecordedPages& Pages() const override { return printer_.pages; }

  // Every recorder made by Factory() (the tests look at the latest).
  static TPageRecorderFactory Factory(std::vector<TFakeRecorder*>* made = nullptr) {
    return [made]() -> std::unique_ptr<TPageRecorder> {
      auto recorder = std::make_unique<TFakeRecorder>();
      if (made != nullptr) made->push_back(recorder.get());
      return recorder;
    };
  }

 private:
  class TPrinter : public TBasePrinter {
   public:
    TOrientationPages pages;
    void EndPage() override { pages.orientations.push_back(Orientation); }
  };
  TPrinter printer_;
};

class TRecordingTarget : public TPrintTarget {
 public:
  std::vector<std::string> log;
  std::uint8_t orientation = 0;
  bool in_job = false;
  bool refuse = false;
  std::function<void(int)> on_draw;  // the page index drawn

  std::string Name() const override { return "Test Printer"; }
  std::uint8_t Orientation() const override { return orientation; }
  void SetOrientation(std::uint8_t o) override {
    if (o != orientation) log.push_back(o == 1 ? "landscape" : "portrait");
    orientation = o;
  }
  bool BeginJob(const std::string& title) override {
    if (refuse) return false;
    log.push_back("begin " + title);
    in_job = true;
    return true;
  }
  void NewSheet() override { log.push_back("sheet"); }
  void DrawPage(const TRecordedPages& pages, int index) override {
    if (index < 0 || index >= pages.Count()) throw std::out_of_range("No such page.");
    log.push_back("page " + std::to_string(index + 1));
    if (on_draw) on_draw(index);
  }
  void EndJob() override {
    if (!in_job) return;
    log.push_back("end");
    in_job = false;
  }
  void AbortJob() override {
    if (!in_job) return;
    log.push_back("abort");
    in_job = false;
  }
  bool InJob() const override { return in_job; }
};

}  // namespace zelvora::testing
