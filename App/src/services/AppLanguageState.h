#pragma once

#include "services/LanguageID.h"

#include <MacKit/LanguageChoice.h>
#include <PhoneKit/stores/SharedValues.h>

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <optional>

/// The interface language: the user's choice, stored under
/// "languageChoice", resolved against the languages the system prefers, and
/// the translator every interface text is looked up in.
class AppLanguageState final : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the application makes it")
    Q_PROPERTY(QString id READ qmlID NOTIFY choiceChanged)
    Q_PROPERTY(bool rightToLeft READ isRightToLeft NOTIFY choiceChanged)
public:
    static constexpr const char* choiceKey = LanguageID::choiceKey;

    /// `preferred`: the user's interface languages in the platform's order
    /// (QLocale::system().uiLanguages(), which honours LANGUAGE).
    AppLanguageState(PhoneKit::DefaultsDomain& defaults, QStringList preferred, QObject* parent = nullptr);
    ~AppLanguageState() override;

    MacKit::LanguageChoice choice() const { return choice_; }
    /// "ar" or "en".
    std::string id() const;
    QString qmlID() const { return QString::fromStdString(id()); }
    bool isRightToLeft() const { return id() == "ar"; }
    /// Changes the choice (notifying only on a real change) and always
    /// stores it.
    void set(MacKit::LanguageChoice choice);
    /// The first preferred language that tovu ships (Arabic or English).
    std::optional<std::string> preferredLocalization() const;
    /// `english` in the current language.
    QString text(const char* english) const;

signals:
    void choiceChanged();

private:
    void installTranslator();

    PhoneKit::DefaultsDomain& defaults_;
    QStringList preferred_;
    MacKit::LanguageChoice choice_;
    std::unique_ptr<QTranslator> arabic_;
};
