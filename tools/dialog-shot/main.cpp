// vexa-dialog-shot OUT.png FOLDER: photographs the open-file dialog of a picture window's "..."
// button as Vexa shows it (the same prompts, title, file kinds and Qt translations) on FOLDER,
// and saves it to OUT.png. scripts/demo-screenshot.sh --file-dialog runs it for docs/.

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <cstdio>

#include "app/qt_translations.h"
#include "picture/picture_messages.h"
#include "picture/window_picture.h"
#include "widgets/qt_prompts.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: vexa-dialog-shot OUT.png FOLDER\n");
    return 2;
  }
  if (!vexa::app::LoadQtTranslations(application)) {
    std::fprintf(stderr, "vexa-dialog-shot: Qt's Russian translation is not installed\n");
    return 1;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  bool saved = false;
  // The dialog lists the folder in the background; it is photographed once that had time.
  QTimer poll;
  int looks = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    // Wide enough for the columns of sizes, kinds and dates.
    if (++looks == 1) dialog->resize(760, 420);
    if (looks < 10) return;
    poll.stop();
    saved = dialog->grab().save(out);
    dialog->reject();
  });
  poll.start(100);
  vexa::widgets::QtPrompts prompts;
  prompts.chooseFileToOpen(vexa::picture::kOpenPictureTitle, vexa::picture::PictureFileFilters(),
                           argv[2]);
  if (!saved) std::fprintf(stderr, "vexa-dialog-shot: could not save %s\n", argv[1]);
  return saved ? 0 : 1;
}
