#pragma once

#include <QStringList>

class QFont;

namespace orva {

// Gives `font` the first of `families` that is installed, alone, so that text drawn in it
// costs no search for fallback fonts; with none of them installed, all of them, so that the
// font database goes on choosing among them and its fallbacks as before.
void SetFirstInstalledFamily(QFont& font, const QStringList& families);

// Makes `font` the suite's text font: the first installed of `families`, at `points`, of
// normal weight, laid out without OpenType shaping where the script needs none. The suite's
// texts come from code page 932, whose scripts need none (Windows draws them unshaped too),
// and a grid lays out every visible cell's text again at each paint.
void SetSuiteFont(QFont& font, const QStringList& families, int points);

}  // namespace orva
