// The picture view: the picture's own bytes, proportions kept, cheap repeated redraws.

#include "picture/picture_view.h"

#include <QtTest>

using vexa::picture::PictureView;
using vexa::picture::PixelBuffer;

class PictureViewTest : public QObject {
  Q_OBJECT

 private:
  static PixelBuffer halves(int width, int height) {
    PixelBuffer picture(width, height);
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x) {
        if (x <= width / 2) {
          picture.setColor(x, y, 255, 0, 0);  // blue
        } else {
          picture.setColor(x, y, 0, 0, 255);  // red
        }
      }
    }
    return picture;
  }

 private slots:
  void showsThePictureItIsGivenWithoutACopy() {
    PixelBuffer picture = halves(100, 100);
    PictureView view;
    view.resize(200, 100);
    view.setPicture(&picture);
    QCOMPARE(view.picture(), &picture);
    QCOMPARE(view.objectName(), QString("Pict"));

    QCOMPARE(view.drawnRect(), QRect(0, 0, 100, 100));
    QImage shown = view.grab().toImage();
    QCOMPARE(shown.pixelColor(10, 10), QColor(0, 0, 255));
    QCOMPARE(shown.pixelColor(90, 90), QColor(255, 0, 0));
    QCOMPARE(shown.pixelColor(150, 50), view.palette().window().color());

    picture.setColor(11, 11, 0, 255, 0);  // the job marks a pixel
    view.requestRedraw();
    shown = view.grab().toImage();
    QCOMPARE(shown.pixelColor(10, 10), QColor(0, 255, 0));
  }

  void fitsTheProportionsIntoTheView() {
    PixelBuffer picture = halves(1000, 750);
    PictureView view;
    view.setPicture(&picture);
    view.resize(400, 600);
    QCOMPARE(view.drawnRect(), QRect(0, 0, 400, 300));
    view.resize(900, 300);
    QCOMPARE(view.drawnRect(), QRect(0, 0, 400, 300));
    view.resize(0, 300);
    QVERIFY(view.drawnRect().isEmpty());
  }

  void enlargesWithoutSmoothingSoPixelsStaySquares() {
    PixelBuffer picture = halves(2, 1);
    PictureView view;
    view.resize(200, 100);
    view.setPicture(&picture);
    const QImage shown = view.grab().toImage();
    QCOMPARE(shown.pixelColor(99, 50), QColor(0, 0, 255));
    QCOMPARE(shown.pixelColor(100, 50), QColor(255, 0, 0));
  }

  void emptyOrNoPictureShowsTheBackground() {
    PixelBuffer none;
    PictureView view;
    view.resize(50, 50);
    QVERIFY(view.drawnRect().isEmpty());
    view.setPicture(&none);
    QVERIFY(view.drawnRect().isEmpty());
    QCOMPARE(view.grab().toImage().pixelColor(25, 25), view.palette().window().color());
  }

  void asksForThePictureSizeWithAMarginWithinReason() {
    PixelBuffer small(100, 50);
    PixelBuffer large(1000, 750);
    PictureView view;
    view.setPicture(&small);
    QCOMPARE(view.sizeHint(), QSize(104, 54));
    view.setPicture(&large);
    QVERIFY(view.sizeHint().width() <= 640 && view.sizeHint().height() <= 480);
    QVERIFY(qAbs(view.sizeHint().width() * 754 - view.sizeHint().height() * 1004) < 1004);
  }

  void manyRedrawRequestsGiveOnePaint() {
    PixelBuffer picture = halves(64, 64);
    PictureView view;
    view.resize(64, 64);
    view.setPicture(&picture);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    int paints = 0;
    struct PaintCounter : QObject {
      int* count;
      explicit PaintCounter(int* c) : count(c) {}
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++*count;
        return false;
      }
    } counter(&paints);
    // The paints of showing the window are done before counting starts.
    QCoreApplication::processEvents();
    view.installEventFilter(&counter);

    for (int i = 0; i < 1000; ++i) view.requestRedraw();
    QCOMPARE(paints, 0);  // nothing painted inside the requests
    QTRY_VERIFY(paints >= 1);
    QVERIFY(paints <= 2);
  }
};

QTEST_MAIN(PictureViewTest)
#include "picture_view_test.moc"
