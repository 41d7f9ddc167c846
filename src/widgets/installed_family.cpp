#include "widgets/installed_family.h"

#include <QFont>
#include <QFontDatabase>

namespace orva {

// The font database picks the first installed family of a list anyway. But a font whose
// first family is missing, or that names more than one, makes it ask the system for every
// installed font sorted by likeness, once per script of the text shown (Han, kana, Latin):
// a good part of putting up a window of Japanese captions.
void SetFirstInstalledFamily(QFont& font, const QStringList& families) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : families) {
    if (installed.contains(family, Qt::CaseInsensitive)) {
      font.setFamily(family);
      return;
    }
  }
  font.setFamilies(families);
}

void SetSuiteFont(QFont& font, const QStringList& families, int points) {
  SetFirstInstalledFamily(font, families);
  font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
  font.setPointSize(points);
  font.setWeight(QFont::Normal);
}

}  // namespace orva
