#include "app/qt_port_list.h"

#include <QComboBox>
#include <QSerialPortInfo>

namespace vexa::app {

QList<PortChoice> SystemPorts() {
  QList<PortChoice> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    ports.append({info.systemLocation(), info.description()});
  }
  return ports;
}

void OfferPorts(QComboBox& list, const QList<PortChoice>& ports) {
  for (const PortChoice& port : ports) {
    const QString shown = port.description.isEmpty()
                              ? port.name
                              : port.name + QStringLiteral(" — ") + port.description;
    list.addItem(shown, port.name);
  }
  // Completing a typed name from the list would drag a description into the field.
  list.setCompleter(nullptr);
  const auto takeName = [&list](int index) {
    if (index >= 0) list.setEditText(list.itemData(index).toString());
  };
  QObject::connect(&list, &QComboBox::activated, &list, takeName);
  QObject::connect(&list, &QComboBox::currentIndexChanged, &list, takeName);
}

}  // namespace vexa::app
