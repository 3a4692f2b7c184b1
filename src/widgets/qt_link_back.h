#pragma once
// Once a second while a job a cut link interrupted waits to go on: whether the line has come
// back with the window's firmware.

#include <QList>
#include <cstdint>
#include <string>

#include "link/machine_link.h"

class QAbstractButton;
class QWidget;

namespace vexa::widgets {

class MachineStatusWidget;
class QtJobGuard;

// True once the port was opened again since `cutAt` (MachineLink::openings() at the cut) and
// answered `tag`: the status line says so and `runBox` may be ticked again. A port opened again
// here first gets the window's firmware check, run as a job with `locked` switched off.
bool LinkCameBack(link::MachineLink& link, std::uint64_t cutAt, const std::string& tag,
                  MachineStatusWidget& status, QtJobGuard& guard, QAbstractButton* runBox,
                  const QList<QWidget*>& locked);

}  // namespace vexa::widgets
