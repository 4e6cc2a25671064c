#include "services/AppLanguageState.h"

#include <QCoreApplication>

AppLanguageState::AppLanguageState(PhoneKit::DefaultsDomain& defaults, QStringList preferred, QObject* parent)
    : QObject(parent), defaults_(defaults), preferred_(std::move(preferred)) {
    choice_ = LanguageID::storedChoice(defaults_);
    arabic_ = std::make_unique<QTranslator>();
    if (!arabic_->load(":/i18n/tovu_ar.qm")) arabic_.reset();  // an install without Arabic still runs
    installTranslator();
}

AppLanguageState::~AppLanguageState() {
    if (arabic_) QCoreApplication::removeTranslator(arabic_.get());
}

void AppLanguageState::installTranslator() {
    // The views look their texts up through the application's translators.
    if (!arabic_ || !QCoreApplication::instance()) return;
    if (id() == "ar") {
        QCoreApplication::installTranslator(arabic_.get());
    } else {
        QCoreApplication::removeTranslator(arabic_.get());
    }
}

std::optional<std::string> AppLanguageState::preferredLocalization() const {
    return LanguageID::preferredLocalization(preferred_);
}

std::string AppLanguageState::id() const {
    const auto localization = preferredLocalization();
    return std::string(
        MacKit::resolved(choice_, localization ? std::optional<std::string_view>(*localization) : std::nullopt));
}

void AppLanguageState::set(MacKit::LanguageChoice choice) {
    const bool changed = choice != choice_;
    choice_ = choice;
    defaults_.setValue(choiceKey, std::string(MacKit::toString(choice)));
    if (!changed) return;
    installTranslator();
    emit choiceChanged();
}

QString AppLanguageState::text(const char* english) const {
    if (id() == "ar" && arabic_) {
        const QString translated = arabic_->translate("tovu", english);
        if (!translated.isEmpty()) return translated;
    }
    return QString::fromUtf8(english);
}
