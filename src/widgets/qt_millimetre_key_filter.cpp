#include "widgets/qt_millimetre_key_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "settings/settings.h"

namespace vexa::widgets {

namespace {

class MillimetreKeyFilter : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (key->key() == Qt::Key_Backspace || text.isEmpty() || !text.at(0).isPrint()) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;  // shortcuts
    const QChar typed = text.at(0);
    const std::optional<char> accepted =
        typed.unicode() < 128 ? settings::FilterMillimetreKey(static_cast<char>(typed.unicode()))
                              : std::nullopt;
    if (!accepted) return true;  // swallowed
    if (*accepted == typed.unicode()) return false;
    // "." is typed as ",".
    QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), QString(QChar(*accepted)));
    QCoreApplication::sendEvent(watched, &replaced);
    return true;
  }
};

}  // namespace

void ApplyMillimetreKeyFilter(QLineEdit* field) {
  field->installEventFilter(new MillimetreKeyFilter(field));
}

}  // namespace vexa::widgets
