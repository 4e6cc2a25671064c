// The companion stores on real folders in a temporary directory.
#include "PhoneKit/companion/HomeState.h"
#include "PhoneKit/companion/LaunchQueue.h"
#include "PhoneKit/companion/Locations.h"
#include "PhoneKit/companion/Reactions.h"
#include "PhoneKit/stores/TemplateStore.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cmath>
#include <fstream>
#include <limits>

using namespace PhoneKit;
using PhoneKit::testing::TemporaryFolder;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

void write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

const Date kNow = Date(std::chrono::seconds(1'780'000'000));

}  // namespace

TEST(ReactionVault, AddsUsesAndDeletesMedia) {
    TemporaryFolder temp;
    const ReactionVault vault(temp.path() / "Reactions");
    EXPECT_TRUE(vault.load().empty());

    const auto gif = vault.add("GIF89a", Reaction::Kind::gif, "GIF", std::nullopt, kNow);
    ASSERT_TRUE(gif) << gif.error().message();
    EXPECT_EQ(gif->fileName, gif->id + ".gif");
    EXPECT_EQ(read(*vault.url(gif.value())), "GIF89a");

    write(temp.path() / "clip", "video");
    const auto video = vault.add(temp.path() / "clip", Reaction::Kind::video, 12.5, kNow + 1s);
    ASSERT_TRUE(video);
    EXPECT_EQ(video->fileName, video->id + ".mov");  // no extension: a QuickTime movie
    EXPECT_TRUE(fs::exists(temp.path() / "clip"));   // the source stays

    vault.markUsed(video.value(), kNow + 2s);
    const auto loaded = vault.load();
    ASSERT_EQ(loaded.size(), 2U);
    EXPECT_EQ(loaded[0], gif.value());
    EXPECT_EQ(loaded[1].useCount, 1);
    EXPECT_EQ(loaded[1].lastUsed, kNow + 2s);
    EXPECT_EQ(loaded[1].duration, 12.5);
    EXPECT_EQ(ReactionOrder::sorted(loaded).front().id, video->id);

    write(*vault.thumbnailURL(gif.value()), "jpeg");
    vault.remove(gif.value());
    EXPECT_FALSE(fs::exists(*vault.url(gif.value())));
    EXPECT_FALSE(fs::exists(*vault.thumbnailURL(gif.value())));
    EXPECT_EQ(vault.load().size(), 1U);

    // A reaction no longer listed: nothing is written.
    const auto before = fs::last_write_time(vault.folder() / "reactions.json");
    const auto indexText = read(vault.folder() / "reactions.json");
    vault.markUsed(gif.value(), kNow + 3s);
    EXPECT_EQ(read(vault.folder() / "reactions.json"), indexText);
    EXPECT_EQ(fs::last_write_time(vault.folder() / "reactions.json"), before);
}

// A crafted index must never reach outside the vault.
TEST(ReactionVault, CraftedNamesNeverTouchFilesOutside) {
    TemporaryFolder temp;
    const fs::path folder = temp.path() / "vault" / "Reactions";
    write(temp.path() / "vault" / "sentinel", "keep me");
    write(temp.path() / "vault" / "Thumbnails" / "x.jpg", "keep me too");
    write(folder / "reactions.json", R"([
        {"id":"A","kind":"image","fileName":"..","created":0,"useCount":0},
        {"id":"B","kind":"image","fileName":".","created":0,"useCount":0},
        {"id":"C","kind":"image","fileName":"","created":0,"useCount":0},
        {"id":"../Thumbnails/x","kind":"image","fileName":"x/..","created":0,"useCount":0},
        {"id":"..","kind":"image","fileName":"../sentinel","created":0,"useCount":0}])");
    const ReactionVault vault(folder);
    const auto entries = vault.load();
    ASSERT_EQ(entries.size(), 5U);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_FALSE(vault.url(entries[i])) << entries[i].fileName;
    EXPECT_FALSE(vault.thumbnailURL(entries[3]));
    EXPECT_FALSE(vault.thumbnailURL(entries[4]));
    EXPECT_EQ(vault.url(entries[4]), folder / "sentinel");  // the last component only: inside the folder

    for (const Reaction& entry : entries) vault.remove(entry);
    EXPECT_TRUE(vault.load().empty());  // dropped from the index all the same
    EXPECT_EQ(read(temp.path() / "vault" / "sentinel"), "keep me");
    EXPECT_EQ(read(temp.path() / "vault" / "Thumbnails" / "x.jpg"), "keep me too");
    EXPECT_TRUE(fs::is_directory(folder));

    EXPECT_EQ(vault.add("x", Reaction::Kind::image, "png/../../escape", std::nullopt, kNow).error(),
              std::errc::invalid_argument);
    EXPECT_FALSE(fs::exists(temp.path() / "escape"));
}

TEST(ReactionVault, AnUnreadableIndexIsKeptBeforeItIsReplaced) {
    for (const std::string& bad : {std::string("[{\"id\":\"A\",\"kind\":\"sticker\"}]"), std::string("[{\"id\":"),
                                   std::string("\xFF\xFE"), std::string("{}")}) {
        TemporaryFolder temp;
        const ReactionVault vault(temp.path());
        write(temp.path() / "reactions.json", bad);
        write(temp.path() / "reactions.json.unreadable", "an older copy");
        EXPECT_TRUE(vault.load().empty());
        ASSERT_TRUE(vault.add("png", Reaction::Kind::image, "png", std::nullopt, kNow));
        EXPECT_EQ(read(temp.path() / "reactions.json.unreadable"), "an older copy");  // never over an earlier copy
        EXPECT_EQ(read(temp.path() / "reactions.json.unreadable.2"), bad);
        EXPECT_EQ(vault.load().size(), 1U);
    }
    // A symbolic link in place of the index is moved aside, never written through.
    TemporaryFolder temp;
    write(temp.path() / "elsewhere.json", "[]");
    fs::create_directories(temp.path() / "Reactions");
    fs::create_symlink(temp.path() / "elsewhere.json", temp.path() / "Reactions" / "reactions.json");
    const ReactionVault vault(temp.path() / "Reactions");
    EXPECT_TRUE(vault.load().empty());
    ASSERT_TRUE(vault.add("png", Reaction::Kind::image, "png", std::nullopt, kNow));
    EXPECT_EQ(read(temp.path() / "elsewhere.json"), "[]");
    EXPECT_TRUE(fs::is_symlink(temp.path() / "Reactions" / "reactions.json.unreadable"));
    EXPECT_EQ(vault.load().size(), 1U);
}

TEST(ReactionVault, FailuresAreReportedOrLeaveTheIndexAlone) {
    TemporaryFolder temp;
    write(temp.path() / "file", "not a folder");
    EXPECT_FALSE(ReactionVault(temp.path() / "file").add("x", Reaction::Kind::image, "png", std::nullopt, kNow));
    EXPECT_FALSE(
        ReactionVault(temp.path() / "file" / "sub").add("x", Reaction::Kind::image, "png", std::nullopt, kNow));
    EXPECT_FALSE(ReactionVault(temp.path()).add(temp.path() / "missing", Reaction::Kind::video, 1.0, kNow));

    // A read-only folder. Root writes through permission bits, so then the
    // attempt runs in a child that has become "nobody".
    const fs::path locked = temp.path() / "locked";
    fs::create_directories(locked);
    fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(locked,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        const bool added = ReactionVault(locked).add("x", Reaction::Kind::image, "png", std::nullopt, kNow).ok();
        ::_exit(added ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write into a read-only folder succeeded";
    EXPECT_TRUE(fs::is_empty(locked));
    EXPECT_TRUE(ReactionVault(locked).load().empty());
}

TEST(ReactionVault, TakeOverMovesMediaAndIndexEntries) {
    TemporaryFolder temp;
    const ReactionVault own(temp.path() / "own"), shared(temp.path() / "shared");
    const auto a = own.add("a", Reaction::Kind::image, "png", std::nullopt, kNow).value();
    const auto b = own.add("b", Reaction::Kind::image, "png", std::nullopt, kNow).value();
    fs::remove(*own.url(b));  // its move will fail: it stays behind

    ReactionVault(temp.path() / "own" / ".").takeOver(own);  // the same folder, spelled differently
    EXPECT_EQ(own.load().size(), 2U);

    shared.takeOver(own);
    EXPECT_EQ(shared.load(), std::vector<Reaction>{a});
    EXPECT_EQ(read(*shared.url(a)), "a");
    EXPECT_EQ(own.load(), std::vector<Reaction>{b});

    // A file of the same name in the new vault is never replaced.
    const auto c = own.add("c", Reaction::Kind::image, "png", std::nullopt, kNow).value();
    write(*shared.url(c), "theirs");
    shared.takeOver(own);
    EXPECT_EQ(read(*shared.url(c)), "theirs");
    EXPECT_EQ(read(*own.url(c)), "c");
    EXPECT_EQ(own.load(), (std::vector<Reaction>{b, c}));
}

TEST(ReactionVault, AThumbnailsLinkLeadsNowhereToDelete) {
    TemporaryFolder temp;
    const ReactionVault vault(temp.path() / "Reactions");
    const auto r = vault.add("png", Reaction::Kind::image, "png", std::nullopt, kNow).value();
    write(temp.path() / "outside" / (r.id + ".jpg"), "not the vault's");
    fs::create_symlink(temp.path() / "outside", vault.thumbnails());
    vault.remove(r);
    EXPECT_EQ(read(temp.path() / "outside" / (r.id + ".jpg")), "not the vault's");
    EXPECT_TRUE(vault.load().empty());

    // A source named "clip." is a movie, stored under a name with its extension.
    write(temp.path() / "clip.", "moov");
    const auto clip = vault.add(temp.path() / "clip.", Reaction::Kind::video, 2.0, kNow).value();
    EXPECT_EQ(clip.fileName, clip.id + ".mov");
}

TEST(ReactionIndex, FormatAndOrder) {
    Reaction r{"ID",     Reaction::Kind::video,
               "ID.mp4", Date(std::chrono::seconds(978'307'200 + 10)),
               3,        Date(std::chrono::seconds(978'307'200 + 20)),
               4.5};
    EXPECT_EQ(
        encodeReactions({r}),
        R"([{"id":"ID","kind":"video","fileName":"ID.mp4","created":10.0,"useCount":3,"lastUsed":20.0,"duration":4.5}])");
    EXPECT_EQ(decodeReactions(encodeReactions({r})), std::vector<Reaction>{r});
    r.lastUsed.reset();
    r.duration = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(encodeReactions({r}), R"([{"id":"ID","kind":"video","fileName":"ID.mp4","created":10.0,"useCount":3}])");
    for (const char* bad : {R"([{"id":"a","kind":"gif","fileName":"f","created":1e300,"useCount":0}])",
                            R"([{"id":"a","kind":"gif","fileName":"f","created":0,"useCount":1.5}])",
                            // past 2262, where the clock's nanoseconds since 1970 run out
                            R"([{"id":"a","kind":"gif","fileName":"f","created":8.5e9,"useCount":0}])",
                            R"([{"id":"a","kind":"gif","fileName":"f","created":-1e10,"useCount":0}])",
                            R"([{"id":"a","kind":"gif","fileName":"f","created":0,"useCount":18446744073709551615}])",
                            R"([{"id":"a","kind":"gif","fileName":"f","created":"0","useCount":0}])",
                            R"([{"id":"a","kind":"gif","fileName":"f","useCount":0}])"}) {
        EXPECT_EQ(decodeReactions(bad), std::nullopt) << bad;
    }

    const Reaction older{"1", Reaction::Kind::image, "1.png", kNow, 2, std::nullopt, std::nullopt};
    const Reaction newer{"2", Reaction::Kind::image, "2.png", kNow + 1s, 2, std::nullopt, std::nullopt};
    const Reaction twin{"3", Reaction::Kind::image, "3.png", kNow, 2, std::nullopt, std::nullopt};
    const Reaction popular{"4", Reaction::Kind::image, "4.png", kNow - 1s, 9, std::nullopt, std::nullopt};
    EXPECT_EQ(ReactionOrder::sorted({older, twin, newer, popular}),
              (std::vector<Reaction>{popular, newer, older, twin}));
}

TEST(ReactionMedia, TypesExtensionsAndDurations) {
    using ReactionMedia::kind;
    EXPECT_EQ(kind({"public.png", "com.compuserve.gif"}), Reaction::Kind::gif);
    EXPECT_EQ(kind({"public.jpeg", "public.mpeg-4"}), Reaction::Kind::video);
    EXPECT_EQ(kind({"image/png"}), Reaction::Kind::image);
    EXPECT_EQ(kind({"image/pjpeg"}), Reaction::Kind::image);  // an alias of image/jpeg
    EXPECT_EQ(ReactionMedia::fileExtension("image/pjpeg"), "jpg");
    EXPECT_EQ(kind({"video/quicktime"}), Reaction::Kind::video);
    EXPECT_EQ(kind({"public.image"}), Reaction::Kind::image);
    EXPECT_EQ(kind({"org.example.unknown", "foo/bar"}), std::nullopt);
    EXPECT_EQ(kind({"text/plain"}), std::nullopt);
    EXPECT_EQ(kind({}), std::nullopt);

    EXPECT_EQ(ReactionMedia::fileExtension("public.png"), "png");
    EXPECT_EQ(ReactionMedia::fileExtension("public.jpeg"), "jpg");
    EXPECT_EQ(ReactionMedia::fileExtension("public.mpeg-4"), "mp4");
    EXPECT_EQ(ReactionMedia::fileExtension("com.apple.quicktime-movie"), "mov");
    EXPECT_EQ(ReactionMedia::fileExtension("org.example.unknown"), "bin");
    EXPECT_EQ(ReactionMedia::fileExtension("public.movie"), "bin");
    EXPECT_EQ(ReactionMedia::pasteboardType("ABC.gif"), "image/gif");
    EXPECT_EQ(ReactionMedia::pasteboardType("clip.mov"), "video/quicktime");
    EXPECT_EQ(ReactionMedia::pasteboardType("noextension"), "application/octet-stream");
    EXPECT_EQ(ReactionMedia::pasteboardType("x.zzzunknown"), "application/octet-stream");

    const struct {
        double seconds;
        const char* text;
    } durations[] = {
        {0, "0:01"},          {59.5, "1:00"},  {125, "2:05"},           {3599.6, "1:00:00"},     {3725, "1:02:05"},
        {-5, "0:01"},         {0.49, "0:01"},  {86400 * 2, "48:00:00"}, {std::nan(""), "--:--"}, {INFINITY, "--:--"},
        {-INFINITY, "--:--"}, {1e19, "--:--"},
    };
    for (const auto& d : durations) EXPECT_EQ(ReactionMedia::durationText(d.seconds), d.text) << d.seconds;
}

TEST(SavedLocation, TextsLinksAndStoredForm) {
    SavedLocation place = Locations::newLocation(Locations::fallbackLatitude, Locations::fallbackLongitude);
    EXPECT_EQ(place.id.size(), 36U);
    place.name = "  Home ";
    EXPECT_EQ(place.coordinateText(), "24.713600, 46.675300");
    EXPECT_EQ(place.mapsURL().string(), "https://www.google.com/maps?q=24.713600,46.675300");
    EXPECT_EQ(place.shareText(), "📍 Home\n\nhttps://www.google.com/maps?q=24.713600,46.675300");
    place.address = " King Fahd Rd ";
    place.notes = "  ";
    EXPECT_EQ(place.shareText(), "📍 Home\nKing Fahd Rd\n\nhttps://www.google.com/maps?q=24.713600,46.675300");
    place.notes = "Gate 2";
    EXPECT_EQ(place.asMessage().id, "loc:" + place.id);
    EXPECT_EQ(place.asMessage().kind, MessageTemplate::Kind::location);
    EXPECT_EQ(place.asMessage().text,
              "📍 Home\nKing Fahd Rd\n\nGate 2\n\nhttps://www.google.com/maps?q=24.713600,46.675300");
    EXPECT_FALSE(place.hasPhotos());

    EXPECT_EQ(Locations::locationID("loc:ABC"), "ABC");
    EXPECT_EQ(Locations::locationID("loc:"), std::nullopt);
    EXPECT_EQ(Locations::locationID("ABC"), std::nullopt);

    place.photoFiles = {"P.jpg"};
    EXPECT_EQ(decodeLocations(encodeLocations({place})), std::vector<SavedLocation>{place});
    EXPECT_EQ(decodeLocations(R"([{"id":"a","name":"n","latitude":1,"longitude":2,"address":"","notes":""}])"),
              std::nullopt);  // no photoFiles
    SavedLocation lost = place;
    lost.latitude = std::nan("");
    const auto kept = decodeLocations(encodeLocations({lost}));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->front().latitude, Locations::fallbackLatitude);
    EXPECT_EQ(kept->front().name, place.name);

    auto defaults = std::make_shared<InMemoryDefaults>();
    const TemplateStore store(defaults);
    EXPECT_TRUE(store.loadLocations().empty());
    defaults->setValue("locations", DefaultsDomain::Blob{"[{\"id\":\"from a newer version\"}]"});
    EXPECT_TRUE(store.loadLocations().empty());
    store.saveLocations({place});
    EXPECT_EQ(store.loadLocations(), std::vector<SavedLocation>{place});
    EXPECT_EQ(defaults->data("locations.unreadable"), "[{\"id\":\"from a newer version\"}]");
    // A second unreadable list goes beside the first copy, not over it.
    defaults->setValue("locations", DefaultsDomain::Blob{"[{\"id\":"});
    store.saveLocations({place});
    EXPECT_EQ(defaults->data("locations.unreadable"), "[{\"id\":\"from a newer version\"}]");
    EXPECT_EQ(defaults->data("locations.unreadable.2"), "[{\"id\":");
}

TEST(PhotoFiles, SavesAndKeepsOnlyNamedPhotos) {
    TemporaryFolder temp;
    const PhotoFiles photos(temp.path() / "LocationPhotos");
    photos.keepOnly({});  // no folder yet: nothing happens
    const auto first = photos.save("one"), second = photos.save("two");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(read(*photos.url(first.value())), "one");
    EXPECT_EQ(photos.url("a/../" + first.value()), photos.url(first.value()));
    EXPECT_FALSE(photos.url(".."));
    EXPECT_FALSE(photos.url(""));

    write(temp.path() / "outside.jpg", "outside");
    fs::create_directories(photos.folder() / "album");
    fs::create_symlink(temp.path() / "outside.jpg", photos.folder() / "link.jpg");
    photos.keepOnly({first.value(), "../outside.jpg"});
    EXPECT_TRUE(fs::exists(*photos.url(first.value())));
    EXPECT_FALSE(fs::exists(*photos.url(second.value())));
    EXPECT_TRUE(fs::is_directory(photos.folder() / "album"));
    EXPECT_TRUE(fs::is_symlink(photos.folder() / "link.jpg"));
    EXPECT_EQ(read(temp.path() / "outside.jpg"), "outside");
    photos.keepOnly({});
    EXPECT_FALSE(fs::exists(*photos.url(first.value())));

    write(temp.path() / "file", "x");
    EXPECT_FALSE(PhotoFiles(temp.path() / "file").save("x"));
}

TEST(HomeState, NumberLinesFocusWebsiteAndLaunchQueue) {
    const struct {
        const char* display;
        const char* code;
        const char* middle;
        const char* last;
    } lines[] = {
        {"+966 50 123 4567", "+966", "50 123", "4567"},
        {"+44 7400123456", "+44", "7400123456", ""},
        {"+999123", "+999123", "", ""},
        {"", "", "", ""},
        {"  +966   50  123 4567 ", "+966", "50 123", "4567"},
    };
    for (const auto& l : lines) {
        const NumberLines parts(l.display);
        EXPECT_EQ(parts.code, l.code) << l.display;
        EXPECT_EQ(parts.middle, l.middle) << l.display;
        EXPECT_EQ(parts.last, l.last) << l.display;
    }

    using HomeFocusRules::current;
    EXPECT_EQ(current(true, kNow, true, kNow), HomeFocus::notice);
    EXPECT_EQ(current(false, kNow, true, kNow + 599s), HomeFocus::opened);
    EXPECT_EQ(current(false, kNow, true, kNow + 600s), HomeFocus::copied);
    EXPECT_EQ(current(false, kNow, false, kNow + 600s), HomeFocus::idle);
    EXPECT_EQ(current(false, std::nullopt, false, kNow), HomeFocus::idle);
    EXPECT_TRUE(HomeFocusRules::isFresh(kNow + 5s, kNow));

    EXPECT_EQ(Website::url("privacy", "ar").string(), "https://tovu.app/ar/privacy");
    EXPECT_EQ(Website::url("privacy", "AR").string(), "https://tovu.app/en/privacy");
    EXPECT_EQ(Website::url("help/start", "fr").string(), "https://tovu.app/en/help/start");
    EXPECT_EQ(Website::url("a b#c", "en").string(), "https://tovu.app/en/a%20b%23c");

    LaunchQueue queue;
    EXPECT_FALSE(queue.widgetLinkArrived());
    queue.becameActive();
    EXPECT_TRUE(queue.activationFired());
    EXPECT_FALSE(queue.activationFired());  // once only
    EXPECT_TRUE(queue.widgetLinkArrived());
    queue.wentInactive();
    EXPECT_FALSE(queue.widgetLinkArrived());
    queue.wentInactive();
    queue.becameActive();
    EXPECT_TRUE(queue.activationFired());  // going inactive kept it
    queue.wentInactive();
    EXPECT_FALSE(queue.widgetLinkArrived());
    queue.wentToBackground();
    queue.becameActive();
    EXPECT_FALSE(queue.activationFired());  // the background dropped it
}
