#include "ui/Language.h"

#include <QCoreApplication>
#include <QTranslator>
#include <cstdlib>
#include <vector>

namespace nt {

namespace {

bool translating = false;

}  // namespace

bool ParseUiLanguage(const std::string& name, UiLanguage& language) {
    const std::string code = name.substr(0, name.find_first_of("_.@"));
    if (code == "en" || code == "C" || code == "POSIX") {
        language = UiLanguage::kEnglish;
        return true;
    }
    if (code == "fr") {
        language = UiLanguage::kFrench;
        return true;
    }
    return false;
}

UiLanguage ChooseUiLanguage(const std::string& option) {
    UiLanguage language = UiLanguage::kEnglish;
    if (!option.empty() && ParseUiLanguage(option, language)) {
        return language;
    }
    const char* chosen = std::getenv("NORDTELLER_LANGUAGE");
    if (chosen != nullptr && *chosen != '\0' && ParseUiLanguage(chosen, language)) {
        return language;
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return ParseUiLanguage(value, language) ? language : UiLanguage::kEnglish;
        }
    }
    return UiLanguage::kEnglish;
}

void InstallTranslations(QCoreApplication& app, UiLanguage language) {
    static std::vector<QTranslator*> installed;
    for (QTranslator* translator : installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed.clear();
    translating = language == UiLanguage::kFrench;
    if (!translating) {
        return;
    }
    // Qt's own first, so the program's texts win where both translate one.
    for (const char* file : {":/i18n/qtbase_fr.qm", ":/i18n/nordteller_fr.qm"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(file))) {
            QCoreApplication::installTranslator(translator);
            installed.push_back(translator);
        } else {
            delete translator;
        }
    }
}

bool Translating() {
    return translating;
}

}  // namespace nt
