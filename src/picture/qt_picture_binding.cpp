#include "picture/qt_picture_binding.h"

#include <QLineEdit>
#include <QPointer>

#include "picture/picture_view.h"
#include "picture/qt_codec.h"

namespace vexa::picture {

void BindPictureWidgets(WindowPicture& picture, const PictureWidgets& widgets) {
  QPointer<PictureView> view = widgets.view;
  QPointer<QLineEdit> pathField = widgets.pathField;
  QList<QPointer<QWidget>> panels;
  for (QWidget* panel : widgets.panels) panels << panel;
  QList<QPointer<QWidget>> buttons;
  for (QWidget* button : widgets.buttons) buttons << button;

  if (view) view->setPicture(&picture.copy(widgets.shownCopy));
  WindowPictureHooks hooks;
  hooks.showPanels = [view, panels](bool shown) {
    if (view) view->setVisible(shown);
    for (const QPointer<QWidget>& panel : panels) {
      if (panel) panel->setVisible(shown);
    }
  };
  hooks.enableButtons = [buttons](bool enabled) {
    for (const QPointer<QWidget>& button : buttons) {
      if (button) button->setEnabled(enabled);
    }
  };
  hooks.showPath = [pathField](const std::string& path) {
    if (pathField) pathField->setText(QString::fromStdString(path));
  };
  hooks.redraw = [view] {
    if (view) view->requestRedraw();
  };
  picture.setHooks(std::move(hooks));
}

PictureDecoder QtPictureDecoder() {
  return [](const std::filesystem::path& path) { return LoadPictureFile(path); };
}

}  // namespace vexa::picture
