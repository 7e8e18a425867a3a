#include "UI/QtTestApp.h"

#include <gtest/gtest.h>

#include <memory>

namespace zelvora::testing {
namespace {

class TQtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() == nullptr)
      app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[9] = "ui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new TQtApplicationEnvironment);

}  // namespace
}  // namespace zelvora::testing
