// `tovu-screenshots DIR`: renders the panel offscreen in each state, in
// English and Arabic, light and dark, as DIR/<language>-<appearance>-<state>.png,
// and once more after a switch at run time from the other language, as
// DIR/switched-<language>-<appearance>-<state>.png.
#include "tests/Fakes.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QQuickItem>

#include <functional>
#include <iostream>
#include <string_view>

namespace {

struct State {
    const char* name;
    std::function<void(PanelRig&)> arrange;
    const char* press = nullptr;  // a button pressed then (one that opens a menu)
};

QQuickItem* find(QQuickItem* root, const char* name) {
    if (root->objectName() == QLatin1String(name)) return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = find(child, name)) return found;
    }
    return nullptr;
}

const State states[] = {
    {"empty", [](PanelRig&) {}},
    {"prefilled",
     [](PanelRig& rig) {
         rig.clipboard.copy("Call me on 050 123 4567 after six");
         rig.open();
     }},
    {"paste-offer",
     [](PanelRig& rig) {
         rig.clipboard.copyBehindPermission("050 123 4567");
         rig.open();
     }},
    {"which-number",
     [](PanelRig& rig) {
         rig.model.setText("050 123 4567, +44 7700 900123, 011 234 5678");
         rig.model.submit();
         rig.workspace.acceptsApp = rig.workspace.acceptsWeb = false;
         rig.model.openChoice(0);
     }},
    {"no-number",
     [](PanelRig& rig) {
         rig.model.setText("see you tomorrow");
         rig.model.submit();
     }},
    {"messages", [](PanelRig& rig) { rig.model.setSection(PanelModel::Section::messages); }},
    {"messages-in-french",
     [](PanelRig& rig) {
         rig.model.setSection(PanelModel::Section::messages);
         rig.messages.chooseLanguage("fr");
     }},
    {"more-menu", [](PanelRig&) {}, "more"},
    {"language-menu", [](PanelRig& rig) { rig.model.setSection(PanelModel::Section::messages); }, "messagesLanguage"},
    {"new-message",
     [](PanelRig& rig) {
         rig.model.setSection(PanelModel::Section::messages);
         rig.messages.startNew();
     }},
    {"message-too-long",
     [](PanelRig& rig) {
         rig.model.setSection(PanelModel::Section::messages);
         rig.messages.startNew();
         rig.messages.setDraft(QString(rig.messages.maximumCharacters() + 1, 'x'));
     }},
};

}  // namespace

int main(int argc, char** argv) {
    constexpr std::string_view usage =
        "usage: tovu-screenshots [DIR]\n"
        "Renders the panel offscreen in each state, English and Arabic, light and dark,\n"
        "into DIR (default: screenshots).\n";
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "-h" || first == "--help") {
        std::cout << usage;
        return 0;
    }
    // An option taken for a folder would leave a folder named "--help".
    if (argc > 2 || first.starts_with('-')) {
        std::cerr << usage;
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(out.path())) {
        std::cerr << "cannot create " << out.path().toStdString() << "\n";
        return 1;
    }
    int failures = 0;
    const struct {
        const char* language;
        const char* other;
        MacKit::LanguageChoice choice;
    } languages[] = {{"en", "ar", MacKit::LanguageChoice::english}, {"ar", "en", MacKit::LanguageChoice::arabic}};
    for (const bool switched : {false, true}) {
        for (const auto& [language, other, choice] : languages) {
            for (const auto appearance : {Palette::Appearance::light, Palette::Appearance::dark}) {
                for (const State& state : states) {
                    PanelOnScreen screen({switched ? other : language});
                    auto& rig = screen.rig;
                    auto& window = screen.window;
                    if (!window.errors().isEmpty()) {
                        std::cerr << window.errors().toStdString();
                        return 1;
                    }
                    window.palette().setAppearance(appearance);
                    window.show();
                    if (switched) rig.model.setLanguage(choice);
                    rig.open();
                    state.arrange(rig);
                    settle();
                    if (state.press) {
                        settledImage(window);
                        QQuickItem* button = find(window.contentItem(), state.press);
                        if (!button || !QMetaObject::invokeMethod(button, "clicked")) {
                            std::cerr << "no " << state.press << " to press\n";
                            ++failures;
                        }
                    }
                    const QString file =
                        out.filePath(QStringLiteral("%1%2-%3-%4.png")
                                         .arg(switched ? "switched-" : "", language,
                                              appearance == Palette::Appearance::dark ? "dark" : "light", state.name));
                    if (!settledImage(window).save(file)) {
                        std::cerr << "cannot write " << file.toStdString() << "\n";
                        ++failures;
                    }
                }
            }
        }
    }
    std::cout << "screenshots in " << out.absolutePath().toStdString() << "\n";
    return failures == 0 ? 0 : 1;
}
