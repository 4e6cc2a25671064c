// The app tests run on Qt's offscreen platform, in temporary XDG folders,
// so they need no display and never touch the user's own settings.
#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--read-settings") == 0) return readSettings(argv[2], argv[3]);
    QTemporaryDir home;
    for (const char* folder : {"config", "data", "runtime", "cache"}) QDir(home.path()).mkpath(folder);
    QFile::setPermissions(home.path() + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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
