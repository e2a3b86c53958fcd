#include <gtest/gtest.h>

#include <QApplication>

// The widgets need an application object; without a chosen platform the tests run offscreen, so
// listing the tests works without a display too.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
