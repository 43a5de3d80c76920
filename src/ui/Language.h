#pragma once

#include <string>

class QCoreApplication;

namespace nt {

enum class UiLanguage { kEnglish, kFrench };

// "en" or "fr" (a locale name such as "fr_CA.UTF-8" counts by its language); none for anything
// else.
bool ParseUiLanguage(const std::string& name, UiLanguage& language);

// The window's language: `option` (--language) when given, else NORDTELLER_LANGUAGE when set,
// else the locale's language for messages (LC_ALL, LC_MESSAGES, LANG, the first one set). French
// for French, English for any other.
UiLanguage ChooseUiLanguage(const std::string& option);

// Installs the window's translations into the application, in place of any installed before:
// the program's own and Qt's standard buttons and dialogs, both built into the program. None
// for English, whose texts are the sources.
void InstallTranslations(QCoreApplication& app, UiLanguage language);

// True once French translations are installed.
bool Translating();

}  // namespace nt
