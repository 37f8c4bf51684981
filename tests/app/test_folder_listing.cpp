// Reading the working directory into the file list, the two sort orders and
// the 3DS presence test, on real temporary folders.

#include "app/FolderListing.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quillfen {
namespace {

using test::TempFolder;
using testing::UnorderedElementsAreArray;

std::vector<std::string> namesAfterIndexZero(const ProgramState& state) {
    return {state.gstrArrDateiNamen.begin() + 1, state.gstrArrDateiNamen.end()};
}

TEST(LiesDateiFeld, ListsFilesButNoSubfoldersWithIndexZeroEmpty) {
    TempFolder folder;
    const std::vector<std::string> files{"house_100.3ds", "Wall.ACE", "read me.txt", "Häuschen_5.3DS",
                                         "noext"};
    // through the file service, so names with umlauts are UTF-8 on every platform
    for (const auto& name : files)
        ASSERT_TRUE(LocalFileSystem().replaceFile(joinPath(folder.path(), name), "x").ok());
    folder.write("SHAPES/inside.s", "x");
    folder.write("folder.3ds/inside.3ds", "x");

    ProgramState state;
    const LocalFileSystem fileSystem;
    ASSERT_TRUE(LiesDateiFeld(state, fileSystem, folder.path(), "").ok());
    EXPECT_EQ(state.gintAnzahlDateien, 5);
    ASSERT_EQ(state.gstrArrDateiNamen.size(), 6U);
    EXPECT_EQ(state.gstrArrDateiNamen[0], "");
    EXPECT_THAT(namesAfterIndexZero(state), UnorderedElementsAreArray(files));
}

TEST(LiesDateiFeld, SortsWhenASortWordIsGiven) {
    TempFolder folder;
    for (const auto* name : {"b.s", "a.ACE", "C.ace", "d.3ds"}) folder.write(name, "");
    ProgramState state;
    ASSERT_TRUE(LiesDateiFeld(state, LocalFileSystem(), folder.path(), "Suffix").ok());
    EXPECT_EQ(state.gstrArrDateiNamen, (std::vector<std::string>{"", "d.3ds", "a.ACE", "C.ace", "b.s"}));
}

TEST(LiesDateiFeld, FolderWithoutFilesLeavesTheListAsItWas) {
    TempFolder folder;
    folder.write("SHAPES/only.s", "x");
    ProgramState state;
    state.gstrArrDateiNamen = {"", "earlier.3ds"};
    state.gintAnzahlDateien = 1;
    const LocalFileSystem fileSystem;

    EXPECT_TRUE(LiesDateiFeld(state, fileSystem, folder.path(), "name").ok());
    EXPECT_EQ(state.gstrArrDateiNamen, (std::vector<std::string>{"", "earlier.3ds"}));
    EXPECT_EQ(state.gintAnzahlDateien, 1);

    const auto missing = LiesDateiFeld(state, fileSystem, folder / "missing", "");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error().message().find("missing"), std::string::npos);
    EXPECT_EQ(state.gstrArrDateiNamen, (std::vector<std::string>{"", "earlier.3ds"}));
    EXPECT_EQ(state.gintAnzahlDateien, 1);
}

struct SortCase {
    std::string sortBy;
    std::vector<std::string> names;
    std::vector<std::string> sorted;
};

class FileNameSort : public testing::TestWithParam<SortCase> {};

TEST_P(FileNameSort, OrdersWithoutRegardToLetterCase) {
    auto names = GetParam().names;
    sortFileNames(names, GetParam().sortBy);
    EXPECT_EQ(names, GetParam().sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Words, FileNameSort,
    testing::Values(
        SortCase{"name", {"", "b.ace", "A.s", "c.3ds", "a.ace"}, {"", "a.ace", "A.s", "b.ace", "c.3ds"}},
        SortCase{"NAME", {"Zeta", "alpha", "Beta"}, {"alpha", "Beta", "Zeta"}},
        SortCase{"suffix",
                 {"", "b.ace", "A.s", "c.3ds", "a.ACE", "Makefile", "x.tar.gz", "dot."},
                 {"", "dot.", "c.3ds", "a.ACE", "b.ace", "x.tar.gz", "Makefile", "A.s"}},
        SortCase{"Suffix", {"B.DDS", "a.dds", "c.ace"}, {"c.ace", "a.dds", "B.DDS"}},
        // Latin-1 letters are lower-cased too; "ö" sorts after the ASCII letters
        SortCase{"name", {"Öl.ace", "oz.ace", "ol.ace"}, {"ol.ace", "oz.ace", "Öl.ace"}},
        // names equal but for letter case keep a fixed order
        SortCase{"name", {"a.ace", "A.ace"}, {"A.ace", "a.ace"}}, SortCase{"size", {"b", "a"}, {"b", "a"}},
        SortCase{"", {"b", "a"}, {"b", "a"}}, SortCase{"suffix", {}, {}}));

/// The exchange sort the file list's order is defined by, to compare against.
std::vector<std::string> exchangeSortBySuffix(std::vector<std::string> names) {
    const auto lower = [](const std::string& s) {
        std::string l = s;
        std::transform(l.begin(), l.end(), l.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
        return l;
    };
    const auto suffix = [&](const std::string& s) {
        const auto l = lower(s);
        const auto dot = l.rfind('.');
        return dot == std::string::npos ? l : l.substr(dot + 1);
    };
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = i; j < names.size(); ++j)
            if (suffix(names[i]) > suffix(names[j])) std::swap(names[i], names[j]);
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = i; j < names.size(); ++j)
            if (suffix(names[i]) == suffix(names[j]) && lower(names[i]) > lower(names[j]))
                std::swap(names[i], names[j]);
    return names;
}

TEST(FileNameSortBySuffix, MatchesTheExchangeSortOnAMixedFolder) {
    std::vector<std::string> names{""};
    const std::vector<std::string> stems{"house_", "Wall", "roof", "ZAUN", "a", "tree 2"};
    const std::vector<std::string> endings{".3ds", ".ACE", ".ace", ".s", ".sd", "", ".dds", ".txt"};
    int n = 0;
    for (const auto& ending : endings)
        for (const auto& stem : stems) names.push_back(stem + std::to_string(n++ * 37 % 101) + ending);
    std::reverse(names.begin() + 1, names.end());

    auto sorted = names;
    sortFileNames(sorted, "suffix");
    EXPECT_EQ(sorted, exchangeSortBySuffix(names));
    EXPECT_EQ(sorted.front(), "");
}

struct PresenceCase {
    std::vector<std::string> names;
    std::string pattern;
    std::string result;
};

class ThreeDsPresence : public testing::TestWithParam<PresenceCase> {};

TEST_P(ThreeDsPresence, EmptyWhenAnyNameContainsTheExtension) {
    ProgramState state;
    state.gstrArrDateiNamen.insert(state.gstrArrDateiNamen.end(), GetParam().names.begin(),
                                   GetParam().names.end());
    state.gintAnzahlDateien = static_cast<int>(GetParam().names.size());
    EXPECT_EQ(PruefeDateiTyp(state, GetParam().pattern), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Names, ThreeDsPresence,
                         testing::Values(PresenceCase{{}, "*.3ds", ".3ds"},
                                         PresenceCase{{"wall.ace", "readme.txt"}, "*.3ds", ".3ds"},
                                         PresenceCase{{"wall.ace", "house.3DS"}, "*.3ds", ""},
                                         PresenceCase{{"house.3ds.bak"}, "*.3ds", ""},
                                         PresenceCase{{"house.3d"}, "*.3ds", ".3ds"},
                                         PresenceCase{{"house3ds"}, "*.3ds", ".3ds"},
                                         PresenceCase{{"x.ace"}, ".ace", ""},
                                         PresenceCase{{"x.ace"}, "**.ace", "*.ace"}));

TEST(ThreeDsPresence, LooksOnlyAtTheCountedNames) {
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
