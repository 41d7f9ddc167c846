#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(icons);
  // Widget tests need an application object; the offscreen platform is set by CTest.
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  // Qt logs to the debugger on Windows when no console is attached; tests read its log
  // from standard error. (Wine passes no QT_ variable from the host.)
  qputenv("QT_FORCE_STDERR_LOGGING", "1");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
