// The app tests run on Qt's offscreen platform, in temporary XDG folders,
// so they need no display and never touch the user's own settings.
#include "platform/Settings.h"

#include <PhoneKit/companion/Locations.h>
#include <PhoneKit/companion/Reactions.h>
#include <PhoneKit/stores/TemplateStore.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

// `AppTests --read-settings FILE KEY`: prints what a fresh process reads, so
// tests can check that types survive the file.
int readSettings(const char* file, const char* key) {
    const SettingsDefaults settings(QString::fromUtf8(file));
    const auto value = settings.value(key);
    if (!value) {
        std::cout << "absent";
    } else if (const auto* blob = std::get_if<PhoneKit::DefaultsDomain::Blob>(&*value)) {
        std::cout << "bytes:" << blob->bytes;
    } else if (const auto* text = std::get_if<std::string>(&*value)) {
        std::cout << "text:" << *text;
    } else {
        std::cout << "bool:" << (std::get<bool>(*value) ? "true" : "false");
    }
    return 0;
}

// `AppTests --save-loop FOLDER`: saves the message list, the saved places
// and a reactions index over and over until killed.
int saveLoop(const char* folder) {
    auto settings = std::make_shared<SettingsDefaults>(QString::fromUtf8(folder) + "/tovu.conf");
    const PhoneKit::TemplateStore store(settings);
    const PhoneKit::ReactionVault vault(std::filesystem::path(folder) / "Reactions");
    std::filesystem::create_directories(vault.folder());
    // Each run goes on from where the last one was killed.
    unsigned first = 0;
    if (const auto stored = store.load(); stored && !stored->empty()) first = unsigned(stored->back().text.size()) + 1;
    for (unsigned round = first;; ++round) {
        std::vector<PhoneKit::MessageTemplate> messages = PhoneKit::Templates::defaults(round % 2 ? "ar" : "en");
        messages.push_back({"round", PhoneKit::MessageTemplate::Kind::custom, std::string(round, 'x')});
        store.save(messages);
        store.saveLocations({PhoneKit::Locations::newLocation(round, round)});
        std::vector<PhoneKit::Reaction> reactions(round % 50);
        for (auto& reaction : reactions) reaction = {"ID", PhoneKit::Reaction::Kind::gif, "ID.gif", {}, round, {}, {}};
        vault.markUsed({}, {});  // a read, as between saves
        PhoneKit::Files::writeAtomically(vault.folder() / "reactions.json", PhoneKit::encodeReactions(reactions));
        if (round == first) std::cout << "saved" << std::endl;  // the killer waits for a first whole round
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--read-settings") == 0) return readSettings(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "--save-loop") == 0) return saveLoop(argv[2]);
    QTemporaryDir home;
    for (const char* folder : {"config", "data", "runtime", "cache"}) QDir(home.path()).mkpath(folder);
    QFile::setPermissions(home.path() + "/runtime",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "app.tovu.app=false");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
