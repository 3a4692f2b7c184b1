// Entry point of the Qt-backed GoogleTest suites. With "--hold-port PATH" it instead opens the
// port and keeps it until its standard input closes: the "other program" of the busy-port test.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>
#include <iostream>
#include <string>

#include "link/qt_serial_port.h"

namespace {

int holdPort(const char* path) {
  vexa::link::QtSerialPort port;
  if (port.open(path, 9600).status != vexa::link::OpenStatus::Ok) return 1;
  std::cout << "held" << std::endl;
  std::string ignored;
  std::getline(std::cin, ignored);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], "--hold-port") == 0) return holdPort(argv[2]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
