#pragma once

#include <QStringList>

class QFont;

namespace orva {

// Gives `font` the first of `families` that is installed, alone, so that text drawn in it
// costs no search for fallback fonts; with none of them installed, all of them, so that the
// font database goes on choosing among them and its fallbacks as before.
void SetFirstInstalledFamily(QFont& font, const QStringList& families);

}  // namespace orva
