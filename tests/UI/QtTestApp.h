// The one QApplication of the widget tests. A global test environment makes
// it before the first test (unless a test main made one already) and frees
// it after the last, before the program's exit handlers run: Qt's own
// globals are gone by then.
#pragma once

#include <QApplication>

namespace zelvora::testing {

inline QApplication& TestApp() {
  return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

}  // namespace zelvora::testing
