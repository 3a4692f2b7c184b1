// Every window opens at a size that shows all its controls whole on a 1366 x 768 screen, and
// still does with the main window on a 1280 x 720 screen (only a picture may then shrink or
// scroll). Offscreen, on a screen of that size; each window opened as the menu opens it.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/main_window.h"
#include "app/qt_window_registry.h"
#include "picture/picture_view.h"
#include "picture/qt_path.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

using vexa::app::MainWindow;

namespace {

// The menu's windows: the operation and settings windows live in the main window's MDI area,
// manual positioning and About are modal dialogs.
const char* const kWindows[] = {"Form1", "Form2", "Form3",  "Form4",  "Form5", "Form6",
                                "Form8", "Form9", "Form10", "Form12", "Form13"};

bool isControl(const QWidget* widget) {
  return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
         qobject_cast<const QComboBox*>(widget) || qobject_cast<const QLabel*>(widget) ||
         qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QProgressBar*>(widget) ||
         qobject_cast<const QTabBar*>(widget) || qobject_cast<const QAbstractScrollArea*>(widget);
}

// A picture and what shows it may be cut by their scroll area: that is the picture scrolling.
bool isPicture(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (qobject_cast<const vexa::picture::PictureView*>(w)) return true;
  }
  return false;
}

// Controls of `window` that are cut off: outside the window, outside the part of a scroll area
// that shows, or squeezed below the size they need to show their text.
QStringList clippedControls(QWidget* window) {
  QStringList clipped;
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (!control->isVisibleTo(window) || !isControl(control) || isPicture(control)) continue;
    const QString name = QString("%1 %2 \"%3\"")
                             .arg(control->metaObject()->className(), control->objectName(),
                                  control->property("text").toString());
    QRect rect = control->rect();
    for (QWidget* w = control; w != window; w = w->parentWidget()) {
      rect.translate(w->pos());
      if (!w->parentWidget()->rect().contains(rect)) {
        clipped << name + " outside " + w->parentWidget()->metaObject()->className();
        break;
      }
    }
    const QSize needed = control->minimumSizeHint();
    if (qobject_cast<QAbstractButton*>(control) &&
        (control->width() < needed.width() || control->height() < needed.height())) {
      clipped << name + " squeezed";
    }
  }
  return clipped;
}

}  // namespace

class FittingWindowTest : public QObject {
  Q_OBJECT

 private:
  // The main window at its size (or at `size`) on the screen, with the program folder's
  // default pictures, every window registered.
  struct Application {
    Application() {
      const QDir bin = QFileInfo(VEXA_EXE_PATH).dir();
      for (const char* name : {"gepard2.jpg", "ornament.bmp", "neuro.net"}) {
        QFile::copy(bin.filePath(name), vexa::picture::ToQString(folder / name));
      }
      window = std::make_unique<MainWindow>(folder.path(), prompts);
      vexa::app::RegisterWindows(*window, nullptr);
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    vexa::test::TempFolder folder;
    vexa::test::RecordingPrompts prompts;
    std::unique_ptr<MainWindow> window;
  };

  // Opens `form` as its menu entry does and returns what is cut off in it; `where` gets the
  // window's place in the main window's MDI area or on the screen.
  static QStringList openAndLook(MainWindow& main, const QString& form, QRect* where, QRect* room) {
    QStringList clipped;
    auto look = [&](QWidget* window, QWidget* frame, QRect space) {
      QApplication::processEvents();
      clipped = clippedControls(window);
      *where = frame->geometry();
      *room = space;
    };
    // Modal dialogs are looked at while they run, then closed.
    QTimer::singleShot(0, [&] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        look(dialog, dialog, dialog->screen()->availableGeometry());
        dialog->close();
      }
    });
    QWidget* window = main.showWindow(form);
    if (window != nullptr) {
      auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
      look(window, sub, sub->mdiArea()->viewport()->rect());
      sub->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return clipped;
  }

  static void checkEveryWindow(MainWindow& main) {
    for (const char* form : kWindows) {
      QRect where;
      QRect room;
      const QStringList clipped = openAndLook(main, form, &where, &room);
      QVERIFY2(!where.isNull(), form);
      QVERIFY2(room.contains(where), qPrintable(QString("%1 %2x%3 at %4,%5 does not fit in %6x%7")
                                                    .arg(form)
                                                    .arg(where.width())
                                                    .arg(where.height())
                                                    .arg(where.x())
                                                    .arg(where.y())
                                                    .arg(room.width())
                                                    .arg(room.height())));
      QVERIFY2(clipped.isEmpty(), qPrintable(QString(form) + ": " + clipped.join("; ")));
    }
  }

 private slots:
  void theMainWindowFitsTheScreen() {
    Application app;
    const QRect screen = app.window->screen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(1366, 768));
    QVERIFY(screen.contains(app.window->frameGeometry()));
  }

  void everyWindowShowsAllItsControlsAtItsDefaultSize() {
    Application app;
    checkEveryWindow(*app.window);
  }

  // A 1280 x 720 screen less a panel and the main window's title bar.
  void everyWindowStillDoesInTheMainWindowOfA1280x720Screen() {
    Application app;
    app.window->resize(1280, 720 - 60);
    QApplication::processEvents();
    checkEveryWindow(*app.window);
  }
};

// The offscreen platform on a screen of 1366 x 768, whatever QT_QPA_PLATFORM says.
int main(int argc, char* argv[]) {
  QTemporaryFile screens;
  screens.open();
  screens.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,
                    "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  screens.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
  QApplication application(argc, argv);
  FittingWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "fitting_window_test.moc"
