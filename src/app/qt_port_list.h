#pragma once
// The port drop-down of "Настройка": the serial devices the system reports, each shown with its
// description ("/dev/ttyUSB0 — FT232R USB UART"), while the field takes the device's name alone.

#include <QList>
#include <QString>

class QComboBox;

namespace vexa::app {

struct PortChoice {
  QString name;         // what the port field takes: "/dev/ttyUSB0", "COM8"
  QString description;  // as the system reports it; may be empty
};

// The devices QSerialPortInfo finds now.
QList<PortChoice> SystemPorts();

// Offers `ports` in the editable `list`; picking one puts its name alone into the field. Typed
// names stay as typed (no completion from the descriptions).
void OfferPorts(QComboBox& list, const QList<PortChoice>& ports);

}  // namespace vexa::app
