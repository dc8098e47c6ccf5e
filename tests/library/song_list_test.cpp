#include "library/song_list.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using library::SongList;
using library::SongRow;

SongRow song(const std::string& file, const std::string& title = "",
             const std::string& artist = "") {
    SongRow row;
    row.path = "/music/" + file;
    row.title = title;
    row.artist = artist;
    return row;
}

std::vector<std::string> shownNames(const SongList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.shownCount(); ++i) {
        names.push_back(list.shownRow(i).name());
    }
    return names;
}

TEST(SongList, TheShippedSongLeadsTheRestSortByNameAndTheChoiceStaysAsRowsArrive) {
    SongList list;
    EXPECT_EQ(list.chosenRow(), nullptr);
    list.put(song("b.ogg", "Beta"));
    list.put(song("z.mp3")); // no title: its file name
    list.move(1);
    EXPECT_EQ(list.chosenRow()->name(), "z.mp3");
    SongRow shipped = song("nooneknows.mp3", "No One Knows");
    shipped.shipped = true;
    list.put(shipped);
    list.put(song("a.flac", "alpha"));
    EXPECT_EQ(shownNames(list),
              (std::vector<std::string>{"No One Knows", "alpha", "Beta", "z.mp3"}));
    EXPECT_EQ(list.chosenRow()->name(), "z.mp3") << "the choice follows its song";
    SongRow renamed = song("b.ogg", "Gamma");
    list.put(renamed); // the same file, learnt better: replaced, not added
    EXPECT_EQ(shownNames(list),
              (std::vector<std::string>{"No One Knows", "alpha", "Gamma", "z.mp3"}));
}

TEST(SongList, TypingFiltersByTitleArtistOrFileNameAndBackspaceTakesOneCharacter) {
    SongList list;
    list.put(song("one.mp3", "Night Drive", "Aurora"));
    list.put(song("two.ogg", "Morning", "Night Shift"));
    list.put(song("night_owl.flac"));
    list.put(song("caf\xc3\xa9.wav", "Caf\xc3\xa9"));
    list.type("NIGHT");
    EXPECT_EQ(shownNames(list),
              (std::vector<std::string>{"Morning", "Night Drive", "night_owl.flac"}));
    list.move(1);
    list.type(" d");
    EXPECT_EQ(shownNames(list), std::vector<std::string>{"Night Drive"});
    EXPECT_EQ(list.chosenIndex(), 0);
    list.eraseLast();
    list.eraseLast();
    EXPECT_EQ(list.filter(), "NIGHT");
    EXPECT_EQ(list.chosenRow()->name(), "Night Drive") << "the choice survives the filter";
    list.type("xyz");
    EXPECT_EQ(list.shownCount(), 0);
    EXPECT_EQ(list.chosenRow(), nullptr);
    list.move(1); // nothing to move over
    for (int i = 0; i < 8; ++i) {
        list.eraseLast();
    }
    list.type("\xc3\xa9");
    EXPECT_EQ(shownNames(list), std::vector<std::string>{"Caf\xc3\xa9"});
    list.eraseLast(); // both bytes of the é
    EXPECT_EQ(list.filter(), "");
    EXPECT_EQ(list.shownCount(), 4);
}

TEST(SongList, KeysAndTheWheelMoveWithinTheRowsAndTheViewFollowsTheChoice) {
    SongList list;
    for (int i = 0; i < 25; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "s%02d.ogg", i);
        list.put(song(name));
    }
    list.setPageRows(10);
    list.pageDown();
    EXPECT_EQ(list.chosenIndex(), 10);
    EXPECT_EQ(list.topIndex(), 1);
    list.end();
    EXPECT_EQ(list.chosenIndex(), 24);
    EXPECT_EQ(list.topIndex(), 15);
    list.move(5);
    EXPECT_EQ(list.chosenIndex(), 24);
    list.pageUp();
    list.pageUp();
    list.pageUp();
    EXPECT_EQ(list.chosenIndex(), 0);
    EXPECT_EQ(list.topIndex(), 0);
    list.scroll(7); // the view moves and takes the choice along
    EXPECT_EQ(list.topIndex(), 7);
    EXPECT_EQ(list.chosenIndex(), 7);
    list.scroll(100);
    EXPECT_EQ(list.topIndex(), 15);
    list.choose(20);
    EXPECT_EQ(list.chosenRow()->name(), "s20.ogg");
    list.choose(40); // below the last row: nothing
    EXPECT_EQ(list.chosenIndex(), 20);
    list.home();
    EXPECT_EQ(list.chosenIndex(), 0);

    EXPECT_EQ(list.density, library::Density::Normal);
    list.harder();
    list.harder();
    EXPECT_EQ(list.density, library::Density::Hard);
    list.easier();
    list.easier();
    list.easier();
    EXPECT_EQ(list.density, library::Density::Easy);
}

TEST(SongRow, TheLoudestStretchIsTheChartsWordElseAThirdOfTheWayIn) {
    library::SongRow row;
    row.lengthMs = 90000;
    EXPECT_EQ(row.loudestMs(), 30000.0) << "no chart yet";
    row.previewMs = 0.0; // a song loudest from its first moment
    EXPECT_EQ(row.loudestMs(), 0.0);
    row.previewMs = 61500.0;
    EXPECT_EQ(row.loudestMs(), 61500.0);
}

TEST(SongList, NamesAreDrawnInTheFontsCharactersWhateverTheirBytes) {
    EXPECT_EQ(library::drawableText("Plain Song 1"), "Plain Song 1");
    EXPECT_EQ(library::drawableText("Caf\xc3\xa9 \xe2\x99\xab"), "Caf? ?");
    EXPECT_EQ(library::drawableText("\xff\xfe latin1"), "?? latin1");
    EXPECT_EQ(library::drawableText("cut \xe2\x99"), "cut ??");
    EXPECT_EQ(library::drawableText("line\nbreak\ttab"), "line break tab");
}

} // namespace
