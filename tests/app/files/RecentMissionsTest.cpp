#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "app/files/RecentMissions.h"

using quendar::app::RecentMissions;

namespace {

// A scripted file system: the paths in `present` exist.
struct Files {
    std::set<std::string> present;
    RecentMissions::FileTest test() {
        return [this](const std::string& p) { return present.count(p) > 0; };
    }
};

}  // namespace

TEST(RecentMissions, NewestFirstEachOnceAtMostEight) {
    Files files;
    RecentMissions recent(files.test());
    for (int i = 1; i <= 10; ++i) recent.add("/m/" + std::to_string(i) + ".tie");
    ASSERT_EQ(recent.paths().size(), 8u);
    EXPECT_EQ(recent.paths().front(), "/m/10.tie");
    EXPECT_EQ(recent.paths().back(), "/m/3.tie") << "the two oldest fell off";

    // Reopening one moves it to the front without a second copy.
    recent.add("/m/5.tie");
    EXPECT_EQ(recent.paths().front(), "/m/5.tie");
    EXPECT_EQ(recent.paths().size(), 8u);
    EXPECT_EQ(std::count(recent.paths().begin(), recent.paths().end(), "/m/5.tie"), 1);
    EXPECT_EQ(recent.paths().back(), "/m/3.tie") << "a move to the front drops nothing";

    // The same file named two ways is one entry.
    recent.add("/m/sub/../6.tie");
    EXPECT_EQ(recent.paths().front(), "/m/6.tie");
    EXPECT_EQ(std::count(recent.paths().begin(), recent.paths().end(), "/m/6.tie"), 1);

    recent.add("");
    EXPECT_EQ(recent.paths().front(), "/m/6.tie") << "an unnamed mission is not listed";
}

TEST(RecentMissions, RelativePathsAreKeptAbsolute) {
    RecentMissions recent;
    recent.add("noname.tie");
    ASSERT_EQ(recent.paths().size(), 1u);
    EXPECT_EQ(std::filesystem::path(recent.paths()[0]),
              (std::filesystem::current_path() / "noname.tie").lexically_normal());
}

TEST(RecentMissions, MissingFilesAreMarkedAndRemovable) {
    Files files;
    files.present = {"/m/a.tie", "/m/c.tie"};
    RecentMissions recent(files.test());
    recent.add("/m/a.tie");
    recent.add("/m/b.tie");
    recent.add("/m/c.tie");
    const auto entries = recent.entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_FALSE(entries[0].missing);
    EXPECT_TRUE(entries[1].missing);
    EXPECT_FALSE(entries[2].missing);

    // A file that comes back is shown again.
    files.present.insert("/m/b.tie");
    EXPECT_FALSE(recent.entries()[1].missing);
    files.present.erase("/m/b.tie");

    EXPECT_EQ(recent.removeMissing(), 1);
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/m/c.tie", "/m/a.tie"}));
    EXPECT_TRUE(recent.remove("/m/a.tie"));
    EXPECT_FALSE(recent.remove("/m/a.tie"));
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/m/c.tie"}));
}

TEST(RecentMissions, StoredListIsCleanedOnLoad) {
    // A settings file edited by hand: empty and repeated entries, too many.
    RecentMissions recent;
    recent.load({"/a.tie", "", "/b.tie", "/a.tie", "/c.tie", "/d.tie", "/e.tie", "/f.tie", "/g.tie",
                 "/h.tie", "/i.tie"});
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/a.tie", "/b.tie", "/c.tie", "/d.tie",
                                                        "/e.tie", "/f.tie", "/g.tie", "/h.tie"}));
    recent.load({});
    EXPECT_TRUE(recent.empty()) << "loading replaces the list";
}

TEST(RecentMissions, MenuTextNumbersTheEntryAndShowsAmpersands) {
    EXPECT_EQ(RecentMissions::menuText(0, "/home/ann/missions/raid.tie", "/home/ann"),
              "&1 raid.tie  (~/missions)");
    EXPECT_EQ(RecentMissions::menuText(7, "/home/ann/raid.tie", "/home/ann/"), "&8 raid.tie  (~)");
    // A neighbour whose name starts like the home folder is not under it.
    EXPECT_EQ(RecentMissions::menuText(1, "/home/annex/r.tie", "/home/ann"),
              "&2 r.tie  (/home/annex)");
    EXPECT_EQ(RecentMissions::menuText(2, "/srv/R&D/a&b.tie", ""), "&3 a&&b.tie  (/srv/R&&D)");
}

namespace quendar::app {
namespace {
// Two editors share one stored list: each writes by merging the stored list
// with what it changed since its last write. Steps: editor 'a' or 'b', then
// '+' add, '-' remove, 'c' clear, 'w' write; `stored` is the list after the
// last step.
TEST(RecentMissions, TwoEditorsKeepEachOthersMissions) {
    const struct {
        const char* steps;
        const char* stored;
    } rows[] = {
        {"a+/x b+/y aw bw", "/y /x"},                           // both open, both write
        {"a+/x aw b+/y bw a+/z aw", "/z /y /x"},                // written in turn
        {"a+/x aw b+/y a-/x aw bw", "/y"},                      // a removal stays removed
        {"a+/x aw b+/y ac aw bw", "/y"},                        // a clear and another's add
        {"a+/x aw b+/y bw b-/y bw aw", "/x"},                   // written once, not again
        {"a+/1 a+/2 a+/3 a+/4 a+/5 aw b+/6 b+/7 b+/8 b+/9 bw",  // at most eight
         "/9 /8 /7 /6 /5 /4 /3 /2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.steps);
        RecentMissions a([](const std::string&) { return true; }), b(a);
        std::vector<std::string> stored;
        std::istringstream steps(row.steps);
        for (std::string step; steps >> step;) {
            RecentMissions& e = step[0] == 'a' ? a : b;
            const std::string path = step.substr(2);
            if (step[1] == '+') e.add(path);
            if (step[1] == '-') e.remove(path);
            if (step[1] == 'c') e.clear();
            if (step[1] == 'w') {
                e.merge(stored);
                stored = e.paths();
                e.stored();
            }
        }
        std::string text;
        for (const std::string& p : stored) text += (text.empty() ? "" : " ") + p;
        EXPECT_EQ(text, row.stored);
    }
}
}  // namespace
}  // namespace quendar::app
