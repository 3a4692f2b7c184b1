#pragma once
// An operation window on a vexa-sim controller, with a picture file and a cnc.ini in a temporary
// program folder.

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "picture/bmp_file.h"
#include "picture/picture_samples.h"
#include "support/sim_link.h"
#include "support/sim_sync.h"

namespace vexa::test {

using Commands = std::vector<std::string>;

template <typename Window>
struct WindowBench {
  explicit WindowBench(const char* tag) : sim({"--tag", tag}), tag_(tag) {}
  // With further vexa-sim options: "--probe", "40,60", "--delay", "5" ...
  WindowBench(const char* tag, const QStringList& more)
      : sim(QStringList{"--tag", tag} + more), tag_(tag) {}
  // With `openPort` false the window finds no port, as on a computer without the machine.
  WindowBench(const char* tag, bool openPort) : sim({"--tag", tag}, openPort), tag_(tag) {}

  // The picture as a BMP file in the program folder, named under `imageKey`, with `settings`
  // (lines "key=value") in cnc.ini.
  void prepare(const picture::PixelBuffer& picture, const std::string& imageKey,
               const std::string& settings) {
    picture::WriteBmpFile(picture, sim.folder / "picture.bmp");
    sim.folder.write("cnc.ini", "[CNC]\r\n" + imageKey + "=" +
                                    (sim.folder / "picture.bmp").string() + "\r\n" + settings);
  }

  template <typename... Args>
  Window& open(Args&&... args) {
    window = std::make_unique<Window>(sim.link, sim.machine, sim.folder.path(),
                                      std::forward<Args>(args)...);
    window->show();
    return *window;
  }

  template <typename Control>
  Control* find(const char* name) const {
    return window->template findChild<Control*>(name);
  }
  QPushButton* button(const char* name) const { return find<QPushButton>(name); }
  QLineEdit* field(const char* name) const { return find<QLineEdit>(name); }
  QCheckBox* box(const char* name) const { return find<QCheckBox>(name); }
  QString label(const char* name) const { return find<QLabel>(name)->text(); }
  picture::PixelBuffer& picture() const { return window->picture().copy(); }

  // Every command the controller got: the firmware check's "V" first.
  Commands commands() { return CommandsSoFar(sim.link, sim.sim, tag_); }
  std::string setting(const std::string& key) const { return sim.settings.ReadSetting(key, "-"); }

  // As a person would: the text typed into the field, then the field left with Tab.
  void type(const char* name, const QString& text) {
    QLineEdit* edit = field(name);
    edit->setText(text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &leave);
  }

  // `during` runs from the first event processing inside the job the button starts.
  void click(const char* name, std::function<void()> during = {}) {
    if (during) QTimer::singleShot(0, window.get(), during);
    button(name)->click();
  }
  void engrave(std::function<void()> during = {}) { click("Command1", std::move(during)); }

  SimLink sim;
  std::string tag_;
  std::unique_ptr<Window> window;
};

}  // namespace vexa::test
