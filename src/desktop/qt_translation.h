#pragma once

class QCoreApplication;
class QTranslator;

namespace orva {

// Qt's own texts (file dialog, message-box buttons) in Japanese, whatever the user's
// locale, to match the launcher's own texts. Returns the installed translator, owned by
// the application, or nullptr when Qt's Japanese translation is not installed.
QTranslator* InstallQtJapaneseTranslation(QCoreApplication& app);

}  // namespace orva
