// What the preview and print window tests share: a report that draws a
// given list of pages (each with its orientation) on its printer, a print
// target that records what it was sent, and the shipped language table.
#pragma once

#include <QApplication>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "APP/LanguageTable.h"
#include "UI/PrintTarget.h"
#include "report/prBase.h"
#include "report/prDelphi.h"
#include "report/prSystem.h"
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

// A small, fast printer for the windows' recording printers.
inline std::shared_ptr<TSystemPrinter> TestSystemPrinter() {
  static auto printer = std::make_shared<TSystemPrinter>(72);
  return printer;
}

class TPagesReport : public TReportBase {
 public:
  std::vector<std::uint8_t> orientations;
  // Called after page `n` (1-based) was drawn, before the page-progress
  // notification lets events run.
  std::function<void(int)> after_page;
  bool fail = false;
  int runs = 0;
  std::string subject = "Pat Example";

  TPagesReport() : TReportBase(1) { ErrorMessage = "No Output Generated"; }
  bool Generate() override {
    ++runs;
    if (Printer == nullptr || !Printer->Open(false, 0, 0, " ", false)) return false;
    ErrorMessage = fail ? "No valid data found to process" : "";
    NotifyStart("Individual Feedback", subject, 0, int(orientations.size()), 0);
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
  void DrawPage(const TMetaPageList& pages, int index) override {
    (void)pages.Get(index);
    log.push_back("page " + std::to_string(index + 1));
    if (on_draw) on_draw(index);
  }
  void EndJob() override {
    if (!in_job) return;
    log.push_back("end");
    in_job = false;
  }
  void AbortJob() override {
    log.push_back("abort");
    in_job = false;
  }
  bool InJob() const override { return in_job; }
};

}  // namespace zelvora::testing
