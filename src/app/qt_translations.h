#pragma once
// Qt's own texts (the file dialog, the message boxes' buttons, the context menus of text
// fields) in Russian, like the rest of the program.

class QCoreApplication;
class QTranslator;

namespace vexa::app {

// Installs Qt's Russian translation from Qt's translations folder and returns it (owned by
// `application`). Null when it is not there (Debian: qt6-translations-l10n): Qt's texts then
// stay English and nothing else changes.
QTranslator* LoadQtTranslations(QCoreApplication& application);

}  // namespace vexa::app
