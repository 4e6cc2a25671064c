// The companion stores on real folders in a temporary directory.
#include "PhoneKit/companion/HomeState.h"
#include "PhoneKit/companion/LaunchQueue.h"
#include "PhoneKit/companion/Locations.h"
#include "PhoneKit/companion/Reactions.h"
#include "PhoneKit/stores/TemplateStore.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <cmath>
#include <limits>
#include <sstream>

using namespace PhoneKit;
using namespace PhoneKit::testing;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const Date kNow = Date(std::chrono::seconds(1'780'000'000));

FileResult<Reaction> addPNG(const ReactionVault& vault, const std::string& bytes = "png") {
    return vault.add(bytes, Reaction::Kind::image, "png", std::nullopt, kNow);
}

}  // namespace

TEST(ReactionVault, AddsUsesAndDeletesMedia) {
    TemporaryFolder temp;
    const ReactionVault vault(temp.path() / "Reactions");
    EXPECT_TRUE(vault.load().empty());
    const auto gif = vault.add("GIF89a", Reaction::Kind::gif, "GIF", std::nullopt, kNow);
    ASSERT_TRUE(gif) << gif.error().message();
    EXPECT_EQ(gif->fileName, gif->id + ".gif");
    EXPECT_EQ(read(*vault.url(gif.value())), "GIF89a");

    // A source without extension, or named "clip.", is a QuickTime movie; the source stays.
    for (const char* name : {"clip", "clip."}) {
        write(temp.path() / name, "video");
        const auto video = vault.add(temp.path() / name, Reaction::Kind::video, 12.5, kNow + 1s);
        ASSERT_TRUE(video);
        EXPECT_EQ(video->fileName, video->id + ".mov");
        EXPECT_TRUE(fs::exists(temp.path() / name));
        vault.markUsed(video.value(), kNow + 2s);
    }
    const auto loaded = vault.load();
    ASSERT_EQ(loaded.size(), 3U);
    EXPECT_EQ(loaded[0], gif.value());
    EXPECT_EQ(loaded[1].useCount, 1);
    EXPECT_EQ(loaded[1].lastUsed, kNow + 2s);
    EXPECT_EQ(loaded[1].duration, 12.5);

    write(*vault.thumbnailURL(gif.value()), "jpeg");
    vault.remove(gif.value());
    EXPECT_FALSE(fs::exists(*vault.url(gif.value())));
    EXPECT_FALSE(fs::exists(*vault.thumbnailURL(gif.value())));
    EXPECT_EQ(vault.load().size(), 2U);

    // A reaction no longer listed: nothing is written.
    const auto before = fs::last_write_time(vault.folder() / "reactions.json");
    vault.markUsed(gif.value(), kNow + 3s);
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
        {"id":"D","kind":"image","fileName":"/","created":0,"useCount":0},
        {"id":"../Thumbnails/x","kind":"image","fileName":"x/..","created":0,"useCount":0},
        {"id":"..","kind":"image","fileName":"../sentinel","created":0,"useCount":0}])");
    const ReactionVault vault(folder);
    const auto entries = vault.load();
    ASSERT_EQ(entries.size(), 6U);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_FALSE(vault.url(entries[i])) << entries[i].fileName;
    EXPECT_FALSE(vault.thumbnailURL(entries[4]));
    EXPECT_FALSE(vault.thumbnailURL(entries[5]));
    EXPECT_EQ(vault.url(entries[5]), folder / "sentinel");  // the last component only: inside the folder

    for (const Reaction& entry : entries) vault.remove(entry);
    EXPECT_TRUE(vault.load().empty());  // dropped from the index all the same
    EXPECT_EQ(read(temp.path() / "vault" / "sentinel"), "keep me");
    EXPECT_EQ(read(temp.path() / "vault" / "Thumbnails" / "x.jpg"), "keep me too");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(vault.add("x", Reaction::Kind::image, "png/../../escape", std::nullopt, kNow).error(),
              std::errc::invalid_argument);
    EXPECT_FALSE(fs::exists(temp.path() / "escape"));

    // Nor may a Thumbnails link lead to files to delete.
    const ReactionVault linked(temp.path() / "linked");
    const auto r = addPNG(linked).value();
    write(temp.path() / "outside" / (r.id + ".jpg"), "not the vault's");
    fs::create_symlink(temp.path() / "outside", linked.thumbnails());
    linked.remove(r);
    EXPECT_EQ(read(temp.path() / "outside" / (r.id + ".jpg")), "not the vault's");
    EXPECT_TRUE(linked.load().empty());
}

TEST(ReactionVault, AnUnreadableIndexIsKeptBeforeItIsReplaced) {
    for (const std::string& bad : {std::string("[{\"id\":\"A\",\"kind\":\"sticker\"}]"), std::string("[{\"id\":"),
                                   std::string("\xFF\xFE"), std::string("{}")}) {
        TemporaryFolder temp;
        const ReactionVault vault(temp.path());
        write(temp.path() / "reactions.json", bad);
        write(temp.path() / "reactions.json.unreadable", "an older copy");
        EXPECT_TRUE(vault.load().empty());
        ASSERT_TRUE(addPNG(vault));
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
    ASSERT_TRUE(addPNG(vault));
    EXPECT_EQ(read(temp.path() / "elsewhere.json"), "[]");
    EXPECT_TRUE(fs::is_symlink(temp.path() / "Reactions" / "reactions.json.unreadable"));
    EXPECT_EQ(vault.load().size(), 1U);
}

TEST(ReactionVault, FailuresAreReportedOrLeaveTheIndexAlone) {
    TemporaryFolder temp;
    write(temp.path() / "file", "not a folder");
    EXPECT_FALSE(addPNG(ReactionVault(temp.path() / "file")));
    EXPECT_FALSE(addPNG(ReactionVault(temp.path() / "file" / "sub")));
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
        ::_exit(addPNG(ReactionVault(locked)).ok() ? 1 : 0);
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
    const auto a = addPNG(own, "a").value();
    const auto b = addPNG(own, "b").value();
    fs::remove(*own.url(b));  // its move will fail: it stays behind

    ReactionVault(temp.path() / "own" / ".").takeOver(own);  // the same folder, spelled differently
    EXPECT_EQ(own.load().size(), 2U);
    shared.takeOver(own);
    EXPECT_EQ(shared.load(), std::vector<Reaction>{a});
    EXPECT_EQ(read(*shared.url(a)), "a");
    EXPECT_EQ(own.load(), std::vector<Reaction>{b});

    // A file of the same name in the new vault is never replaced.
    const auto c = addPNG(own, "c").value();
    write(*shared.url(c), "theirs");
    shared.takeOver(own);
    EXPECT_EQ(read(*shared.url(c)), "theirs");
    EXPECT_EQ(read(*own.url(c)), "c");
    EXPECT_EQ(own.load(), (std::vector<Reaction>{b, c}));
}

TEST(ReactionIndex, FormatAndOrder) {
    Reaction r{"ID",     Reaction::Kind::video,
               "ID.mp4", Date(std::chrono::seconds(978'307'210)),
               3,        Date(std::chrono::seconds(978'307'220)),
               4.5};
    EXPECT_EQ(
        encodeReactions({r}),
        R"([{"id":"ID","kind":"video","fileName":"ID.mp4","created":10.0,"useCount":3,"lastUsed":20.0,"duration":4.5}])");
    EXPECT_EQ(decodeReactions(encodeReactions({r})), std::vector<Reaction>{r});
    r.lastUsed.reset();
    r.duration = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(encodeReactions({r}), R"([{"id":"ID","kind":"video","fileName":"ID.mp4","created":10.0,"useCount":3}])");
    for (const char* bad : {R"("created":1e300,"useCount":0)", R"("created":0,"useCount":1.5)",
                            R"("created":8.5e9,"useCount":0)",  // past 2262: the clock's nanoseconds run out
                            R"("created":-1e10,"useCount":0)", R"("created":0,"useCount":18446744073709551615)",
                            R"("created":"0","useCount":0)", R"("useCount":0)"}) {
        EXPECT_EQ(decodeReactions(std::string(R"([{"id":"a","kind":"gif","fileName":"f",)") + bad + "}]"), std::nullopt)
            << bad;
    }
    // Most used first, then the newest.
    const auto image = [](const char* id, Date created, int uses) {
        return Reaction{id, Reaction::Kind::image, "f", created, uses, std::nullopt, std::nullopt};
    };
    const Reaction older = image("1", kNow, 2), newer = image("2", kNow + 1s, 2), twin = image("3", kNow, 2),
                   popular = image("4", kNow - 1s, 9);
    EXPECT_EQ(ReactionOrder::sorted({older, twin, newer, popular}),
              (std::vector<Reaction>{popular, newer, older, twin}));
}

TEST(ReactionMedia, TypesExtensionsAndDurations) {
    using Kind = Reaction::Kind;
    const struct {
        std::vector<std::string> types;
        std::optional<Kind> kind;
    } kinds[] = {
        {{"public.png", "com.compuserve.gif"}, Kind::gif},
        {{"public.jpeg", "public.mpeg-4"}, Kind::video},
        {{"image/png"}, Kind::image},
        {{"image/pjpeg"}, Kind::image},  // an alias of image/jpeg
        {{"video/quicktime"}, Kind::video},
        {{"public.image"}, Kind::image},
        {{"org.example.unknown", "foo/bar"}, std::nullopt},
        {{"text/plain"}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& c : kinds) EXPECT_EQ(ReactionMedia::kind(c.types), c.kind) << ::testing::PrintToString(c.types);

    const std::pair<const char*, const char*> extensions[] = {{"image/pjpeg", "jpg"},
                                                              {"public.png", "png"},
                                                              {"public.jpeg", "jpg"},
                                                              {"public.mpeg-4", "mp4"},
                                                              {"com.apple.quicktime-movie", "mov"},
                                                              {"org.example.unknown", "bin"},
                                                              {"public.movie", "bin"}};
    for (const auto& [type, extension] : extensions) EXPECT_EQ(ReactionMedia::fileExtension(type), extension) << type;
    const std::pair<const char*, const char*> pasteboard[] = {{"ABC.gif", "image/gif"},
                                                              {"clip.mov", "video/quicktime"},
                                                              {"noextension", "application/octet-stream"},
                                                              {"x.zzzunknown", "application/octet-stream"}};
    for (const auto& [name, type] : pasteboard) EXPECT_EQ(ReactionMedia::pasteboardType(name), type) << name;

    const std::pair<double, const char*> durations[] = {
        {0, "0:01"},          {59.5, "1:00"},  {125, "2:05"},           {3599.6, "1:00:00"},     {3725, "1:02:05"},
        {-5, "0:01"},         {0.49, "0:01"},  {86400 * 2, "48:00:00"}, {std::nan(""), "--:--"}, {INFINITY, "--:--"},
        {-INFINITY, "--:--"}, {1e19, "--:--"},
    };
    for (const auto& [seconds, text] : durations) EXPECT_EQ(ReactionMedia::durationText(seconds), text) << seconds;
}

TEST(SavedLocation, TextsLinksAndStoredForm) {
    SavedLocation place = Locations::newLocation(Locations::fallbackLatitude, Locations::fallbackLongitude);
    EXPECT_EQ(place.id.size(), 36U);
    const std::string link = "https://www.google.com/maps?q=24.713600,46.675300";
    place.name = "  Home ";
    EXPECT_EQ(place.coordinateText(), "24.713600, 46.675300");
    EXPECT_EQ(place.mapsURL().string(), link);
    EXPECT_EQ(place.shareText(), "📍 Home\n\n" + link);
    place.address = " King Fahd Rd ";
    place.notes = "  ";
    EXPECT_EQ(place.shareText(), "📍 Home\nKing Fahd Rd\n\n" + link);
    place.notes = "Gate 2";
    EXPECT_EQ(place.asMessage(), (MessageTemplate{"loc:" + place.id, MessageTemplate::Kind::location,
                                                  "📍 Home\nKing Fahd Rd\n\nGate 2\n\n" + link}));
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

    // Unreadable lists are kept aside, a second one beside the first copy.
    auto defaults = std::make_shared<InMemoryDefaults>();
    const TemplateStore store(defaults);
    EXPECT_TRUE(store.loadLocations().empty());
    for (const char* bad : {"[{\"id\":\"from a newer version\"}]", "[{\"id\":"}) {
        defaults->setValue("locations", DefaultsDomain::Blob{bad});
        EXPECT_TRUE(store.loadLocations().empty());
        store.saveLocations({place});
        EXPECT_EQ(store.loadLocations(), std::vector<SavedLocation>{place});
    }
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
    for (const char* name : {"..", "", "/", "a/.."}) EXPECT_FALSE(photos.url(name)) << name;

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

TEST(HomeState, NumberLinesFocusAndWebsite) {
    const struct {
        const char *display, *code, *middle, *last;
    } lines[] = {
        {"+966 50 123 4567", "+966", "50 123", "4567"},
        {"+44 7400123456", "+44", "7400123456", ""},
        {"+999123", "+999123", "", ""},
        {"", "", "", ""},
        {"  +966   50  123 4567 ", "+966", "50 123", "4567"},
    };
    for (const auto& l : lines) {
        const NumberLines parts(l.display);
        EXPECT_EQ((std::vector<std::string>{parts.code, parts.middle, parts.last}),
                  (std::vector<std::string>{l.code, l.middle, l.last}))
            << l.display;
    }
    const struct {
        bool notice;
        std::optional<Date> opened;
        bool copied;
        Date now;
        HomeFocus focus;
    } focus[] = {
        {true, kNow, true, kNow, HomeFocus::notice},         {false, kNow, true, kNow + 599s, HomeFocus::opened},
        {false, kNow, true, kNow + 600s, HomeFocus::copied}, {false, kNow, false, kNow + 600s, HomeFocus::idle},
        {false, std::nullopt, false, kNow, HomeFocus::idle},
    };
    for (const auto& f : focus) {
        EXPECT_EQ(HomeFocusRules::current(f.notice, f.opened, f.copied, f.now), f.focus) << static_cast<int>(f.focus);
    }
    const std::tuple<const char*, const char*, const char*> pages[] = {
        {"privacy", "ar", "https://tovu.app/ar/privacy"},
        {"privacy", "AR", "https://tovu.app/en/privacy"},
        {"help/start", "fr", "https://tovu.app/en/help/start"},
        {"a b#c", "en", "https://tovu.app/en/a%20b%23c"}};
    for (const auto& [page, language, url] : pages) EXPECT_EQ(Website::url(page, language).string(), url) << page;
}

// L: a widget link arrives (then whether it is handled now), F: whether the
// activation fires a held link, A/I/B: active, inactive, background.
TEST(HomeState, LaunchQueueHoldsATapUntilActive) {
    LaunchQueue queue;
    std::istringstream steps("L0 A F1 F0 L1 I L0 I A F1 I L0 B A F0");
    for (std::string step; steps >> step;) {
        SCOPED_TRACE(step);
        switch (step[0]) {
            case 'L': EXPECT_EQ(queue.widgetLinkArrived(), step[1] == '1'); break;
            case 'F': EXPECT_EQ(queue.activationFired(), step[1] == '1'); break;
            case 'A': queue.becameActive(); break;
            case 'I': queue.wentInactive(); break;
            case 'B': queue.wentToBackground(); break;
        }
    }
}
