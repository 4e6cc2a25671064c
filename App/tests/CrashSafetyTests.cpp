// Killing tovu at any moment of a save leaves every store readable: the old
// state or the new one, never a torn file.
#include "platform/Settings.h"

#include <PhoneKit/companion/Locations.h>
#include <PhoneKit/companion/Reactions.h>
#include <PhoneKit/stores/TemplateStore.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <filesystem>
#include <random>
#include <set>

namespace {

// The stored bytes under `key`, as a new process reads them ("[]" when
// nothing is stored yet, "absent" for the places).
std::string readInFreshProcess(const QString& folder, const char* key) {
    QProcess reader;
    reader.start(QCoreApplication::applicationFilePath(), {"--read-settings", folder + "/tovu.conf", key});
    reader.waitForFinished();
    const std::string out = reader.readAllStandardOutput().toStdString();
    if (out.starts_with("bytes:")) return out.substr(6);
    return std::string(key) == "templates" ? "[]" : out;
}

}  // namespace

TEST(CrashSafety, EveryStoreReadsAfterAKillMidSave) {
    QTemporaryDir folder;
    std::mt19937 random(42);
    std::set<std::string> statesSeen;  // different saved lists: the kills fell between and inside saves
    for (int kill = 0; kill < 200; ++kill) {
        QProcess saver;
        saver.start(QCoreApplication::applicationFilePath(), {"--save-loop", folder.path()});
        ASSERT_TRUE(saver.waitForStarted());
        // Past start-up, a first round saved: the kill lands somewhere in the
        // following saves.
        ASSERT_TRUE(saver.waitForReadyRead(30000));
        QThread::usleep(random() % 8000);
        ::kill(static_cast<pid_t>(saver.processId()), SIGKILL);
        saver.waitForFinished();

        // Read as the next start would: in a fresh process (this one's
        // QSettings would answer from its cache).
        const auto messages = PhoneKit::decodeTemplates(readInFreshProcess(folder.path(), "templates"));
        ASSERT_TRUE(messages) << "the message list does not read after kill " << kill;
        if (!messages->empty()) statesSeen.insert(messages->back().text);
        const auto places = readInFreshProcess(folder.path(), "locations");
        ASSERT_TRUE(places == "absent" || PhoneKit::decodeLocations(places))
            << "the places do not read after kill " << kill;
        const auto index = std::filesystem::path(folder.path().toStdString()) / "Reactions" / "reactions.json";
        if (std::filesystem::exists(index)) {
            const auto bytes = PhoneKit::Files::readRegularFile(index);
            ASSERT_TRUE(bytes && PhoneKit::decodeReactions(*bytes)) << "the index does not read after kill " << kill;
        }
    }
    EXPECT_EQ(statesSeen.size(), 200U);  // every run saved at least once before its kill
}
