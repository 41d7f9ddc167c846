#include "desktop/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace orva {

QTranslator* InstallQtJapaneseTranslation(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  // qtbase alone: the widgets the launcher shows need no other Qt module's texts, and one
  // file keeps start-up cheap.
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace orva
