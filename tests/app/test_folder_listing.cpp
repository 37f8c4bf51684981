// Reading the working directory into the file list, the two sort orders and
// the 3DS presence test, on real temporary folders.

#include "app/FolderListing.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillfen {
namespace {

using test::TempFolder;
using Names = std::vector<std::string>;

TEST(LiesDateiFeld, ListsFilesButNoSubfoldersWithIndexZeroEmpty) {
    TempFolder folder;
    const Names files{"house_100.3ds", "Wall.ACE", "read me.txt", "Häuschen_5.3DS", "noext"};
    // through the file service, so names with umlauts are UTF-8 on every platform
    for (const auto& name : files)
        ASSERT_TRUE(LocalFileSystem().replaceFile(joinPath(folder.path(), name), "x").ok());
    folder.write("SHAPES/inside.s", "x");
    folder.write("folder.3ds/inside.3ds", "x");
    ProgramState state;
    ASSERT_TRUE(LiesDateiFeld(state, LocalFileSystem(), folder.path(), "").ok());
    EXPECT_EQ(state.gintAnzahlDateien, 5);
    ASSERT_EQ(state.gstrArrDateiNamen.size(), 6U);
    EXPECT_EQ(state.gstrArrDateiNamen[0], "");
    EXPECT_THAT(Names(state.gstrArrDateiNamen.begin() + 1, state.gstrArrDateiNamen.end()),
                testing::UnorderedElementsAreArray(files));

    ASSERT_TRUE(LiesDateiFeld(state, LocalFileSystem(), folder.path(), "Suffix").ok());
    EXPECT_EQ(state.gstrArrDateiNamen,
              (Names{"", "house_100.3ds", "Häuschen_5.3DS", "Wall.ACE", "noext", "read me.txt"}));
}

TEST(LiesDateiFeld, EmptyOrMissingFolderLeavesTheListAsItWas) {
    TempFolder folder;
    folder.write("SHAPES/only.s", "x");
    ProgramState state;
    state.gstrArrDateiNamen = {"", "earlier.3ds"};
    state.gintAnzahlDateien = 1;
    EXPECT_TRUE(LiesDateiFeld(state, LocalFileSystem(), folder.path(), "name").ok());
    const auto missing = LiesDateiFeld(state, LocalFileSystem(), folder / "missing", "");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error().message().find("missing"), std::string::npos);
    EXPECT_EQ(state.gstrArrDateiNamen, (Names{"", "earlier.3ds"}));
    EXPECT_EQ(state.gintAnzahlDateien, 1);
}

TEST(FileNameSort, OrdersWithoutRegardToLetterCase) {
    const std::tuple<const char*, Names, Names> cases[] = {
        {"name", {"", "b.ace", "A.s", "c.3ds", "a.ace"}, {"", "a.ace", "A.s", "b.ace", "c.3ds"}},
        {"NAME", {"Zeta", "alpha", "Beta"}, {"alpha", "Beta", "Zeta"}},
        {"suffix",
         {"", "b.ace", "A.s", "c.3ds", "a.ACE", "Makefile", "x.tar.gz", "dot."},
         {"", "dot.", "c.3ds", "a.ACE", "b.ace", "x.tar.gz", "Makefile", "A.s"}},
        {"Suffix", {"B.DDS", "a.dds", "c.ace"}, {"c.ace", "a.dds", "B.DDS"}},
        // Latin-1 letters are lower-cased too; "ö" sorts after the ASCII letters
        {"name", {"Öl.ace", "oz.ace", "ol.ace"}, {"ol.ace", "oz.ace", "Öl.ace"}},
        // names equal but for letter case keep a fixed order
        {"name", {"a.ace", "A.ace"}, {"A.ace", "a.ace"}},
        {"size", {"b", "a"}, {"b", "a"}},
        {"", {"b", "a"}, {"b", "a"}},
    };
    for (auto [sortBy, names, sorted] : cases) {
        sortFileNames(names, sortBy);
        EXPECT_EQ(names, sorted) << sortBy;
    }
}

TEST(PruefeDateiTyp, EmptyWhenAnyCountedNameContainsTheExtension) {
    const std::tuple<Names, const char*, const char*> cases[] = {
        {{}, "*.3ds", ".3ds"},
        {{"wall.ace", "readme.txt"}, "*.3ds", ".3ds"},
        {{"wall.ace", "house.3DS"}, "*.3ds", ""},
        {{"house.3ds.bak"}, "*.3ds", ""},
        {{"house.3d", "house3ds"}, "*.3ds", ".3ds"},
        {{"x.ace"}, ".ace", ""},
        {{"x.ace"}, "**.ace", "*.ace"},
    };
    for (const auto& [names, pattern, result] : cases) {
        ProgramState state;
        state.gstrArrDateiNamen.insert(state.gstrArrDateiNamen.end(), names.begin(), names.end());
        state.gintAnzahlDateien = static_cast<int>(names.size());
        EXPECT_EQ(PruefeDateiTyp(state, pattern), result) << testing::PrintToString(names);
    }
    ProgramState state;
    state.gstrArrDateiNamen = {"", "wall.ace", "stale.3ds"};
    state.gintAnzahlDateien = 1;
    EXPECT_EQ(PruefeDateiTyp(state, "*.3ds"), ".3ds");
    state.gstrArrDateiNamen = {};
    state.gintAnzahlDateien = 3;
    EXPECT_EQ(PruefeDateiTyp(state, "*.3ds"), ".3ds");
}

} // namespace
} // namespace quillfen
