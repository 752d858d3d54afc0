#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>

// The client and the launcher wait in local event loops; they need an application object.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
