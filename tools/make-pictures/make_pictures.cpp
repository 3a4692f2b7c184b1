// Writes the default files of the program folder into the folder given: gepard2.jpg,
// ornament.bmp and neuro.net. Everything is drawn here; nothing is taken from elsewhere.

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <fstream>
#include <iostream>

#include "picture/bmp_file.h"
#include "picture/pixel_buffer.h"

namespace make_pictures {
QImage MakeGepard(int width, int height);
vexa::picture::PixelBuffer MakeOrnament(int size);
}  // namespace make_pictures

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: make-pictures OUTPUT_FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];

  QImageWriter jpeg(QString::fromStdString((folder / "gepard2.jpg").string()), "jpeg");
  jpeg.setQuality(80);
  jpeg.setOptimizedWrite(true);
  if (!jpeg.write(make_pictures::MakeGepard(800, 600))) {
    std::cerr << "gepard2.jpg: " << jpeg.errorString().toStdString() << "\n";
    return 1;
  }

  vexa::picture::WriteBmpFile(make_pictures::MakeOrnament(300), folder / "ornament.bmp");

  std::ofstream net(folder / "neuro.net", std::ios::binary);
  net << "VEXA-NET 1\r\n"
         "; Network file of the cutting window's processing chain (\"Обработать\").\r\n"
         "; The chain requires this file to exist beside the program; its content is not read.\r\n";
  if (!net) {
    std::cerr << "neuro.net could not be written\n";
    return 1;
  }
  return 0;
}
