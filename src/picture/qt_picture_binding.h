#pragma once
// Connects a window's WindowPicture to its widgets.

#include <QList>

#include "picture/window_picture.h"

class QLineEdit;
class QWidget;

namespace vexa::picture {

class PictureView;

struct PictureWidgets {
  PictureView* view = nullptr;     // Pict
  QLineEdit* pathField = nullptr;  // Text1 (Text2 in the milling window)
  QList<QWidget*> panels;          // hidden with the view while there is no picture
  QList<QWidget*> buttons;         // switched by the 24-bit check
  int shownCopy = 0;               // the copy the view shows
  // Figure windows: one view per copy, entry i showing copy i (null entries are skipped); they
  // are hidden and shown with their panel among `panels`.
  QList<PictureView*> copyViews = {};
};

// Sets the picture's hooks to the widgets and, for the real application, LoadPictureFile as its
// decoder is QtPictureDecoder(). Widgets destroyed before the picture are left alone.
void BindPictureWidgets(WindowPicture& picture, const PictureWidgets& widgets);

PictureDecoder QtPictureDecoder();

}  // namespace vexa::picture
