#include <gtest/gtest.h>

#include <filesystem>
#include <set>

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
