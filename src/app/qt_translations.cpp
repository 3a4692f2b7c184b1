#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vexa::app {

QTranslator* LoadQtTranslations(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  // qtbase holds every text of Qt Widgets' dialogs and standard buttons.
  if (!translator->load(QStringLiteral("qtbase_ru"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace vexa::app
