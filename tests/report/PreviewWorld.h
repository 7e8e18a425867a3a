// A preview model over a report of given pages, a fake recorder, a
// recording print target and a scripted fake view, for the preview model's
// tests.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/PreviewModel.h"
#include "report/PreviewView.h"
#include "report/PrintWindowFakes.h"

namespace zelvora::testing {

class TFakePreviewView : public TPreviewView {
 public:
  int changes = 0;
  int event_runs = 0;
  // What the view was told besides Changed: "busy cursor", "normal
  // cursor", "error <text>", "ask pdf", "close".
  std::vector<std::string> log;
  // The user's input noticed while events run.
  std::function<void()> on_events;
  std::string pdf_answer;

  void Changed() override { ++changes; }
  void SetBusyCursor(bool busy) override { log.push_back(busy ? "busy cursor" : "normal cursor"); }
  void LetEventsRun() override {
    ++event_runs;
    if (on_events) on_events();
  }
  void ShowError(const std::string& text) override { log.push_back("error " + text); }
  std::string AskPdfFile(const std::string& suggested_name) override {
    log.push_back("ask pdf " + suggested_name);
    return pdf_answer;
  }
  void Close() override { log.push_back("close"); }
};

struct TPreviewWorld {
  TFakePreviewView view;
  std::vector<TFakeRecorder*> recorders;
  TPagesReport* report = nullptr;
  TRecordingTarget* target = nullptr;
  int targets_made = 0;
  TPreviewModel model;

  explicit TPreviewWorld(std::vector<std::uint8_t> orientations)
      : model(ShippedTexts(), view, TFakeRecorder::Factory(&recorders), [this] {
          ++targets_made;
          auto made = std::make_unique<TRecordingTarget>();
          target = made.get();
          return made;
        }) {
    auto owned = std::make_unique<TPagesReport>();
    owned->orientations = std::move(orientations);
    report = owned.get();
    model.AttachReport(std::move(owned));
  }
  // Generates and clears what the view was told so far.
  void Generated() {
    model.GenerateReport(true);
    view.log.clear();
  }
};

}  // namespace zelvora::testing
