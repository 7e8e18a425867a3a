// The one QApplication of the widget tests, made on first use (or the one a
// test main made already).
#pragma once

#include <QApplication>

namespace zelvora::testing {

inline QApplication& TestApp() {
  if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return *existing;
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

}  // namespace zelvora::testing
