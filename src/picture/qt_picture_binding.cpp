#include "picture/qt_picture_binding.h"

#include <QLineEdit>
#include <QPointer>

#include "picture/picture_view.h"
#include "picture/qt_codec.h"

namespace vexa::picture {

void BindPictureWidgets(WindowPicture& picture, const PictureWidgets& widgets) {
  QList<QPointer<PictureView>> views;
  if (widgets.view) views << widgets.view;
  for (PictureView* copyView : widgets.copyViews) views << copyView;
  QPointer<QLineEdit> pathField = widgets.pathField;
  QList<QPointer<QWidget>> panels;
  for (QWidget* panel : widgets.panels) panels << panel;
  QList<QPointer<QWidget>> buttons;
  for (QWidget* button : widgets.buttons) buttons << button;

  if (widgets.view) widgets.view->setPicture(&picture.copy(widgets.shownCopy));
  for (int i = 0; i < widgets.copyViews.size() && i < picture.copyCount(); ++i) {
    if (widgets.copyViews[i]) widgets.copyViews[i]->setPicture(&picture.copy(i));
  }
  WindowPictureHooks hooks;
  // The views of a figure window stand under its tabs: the window hides their panel instead.
  QPointer<PictureView> single = widgets.view;
  hooks.showPanels = [single, panels](bool shown) {
    if (single) single->setVisible(shown);
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
  hooks.redraw = [views] {
    for (const QPointer<PictureView>& view : views) {
      if (view) view->requestRedraw();
    }
  };
  picture.setHooks(std::move(hooks));
}

PictureDecoder QtPictureDecoder() {
  return [](const std::filesystem::path& path) { return LoadPictureFile(path); };
}

}  // namespace vexa::picture
