#pragma once

class QTranslator;

namespace tallyer {

// Loads Qt's own Japanese texts (Qt-drawn file dialogs, the overwrite
// question, the text fields' edit menu, standard buttons) from Qt's
// translations folder, whatever the system's language, and installs them in
// the application. False when they are not installed (Debian:
// qt6-translations-l10n); the translator must outlive the application's use.
bool InstallQtJapanese(QTranslator& translator);

}  // namespace tallyer
