// Which paths a Windows converter can receive: the code page Wine takes from the locale, and whether a
// text fits a code page.

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace quillfen {
namespace {

TEST(WineCodePage, ComesFromTheLocaleLanguageAndRegion) {
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"de_DE.UTF-8", 1252}, {"en_GB", 1252}, {"C", 1252}, {"POSIX", 1252}, {"", 1252}, {"cs_CZ.UTF-8", 1250},
        {"pl_PL", 1250}, {"ru_RU.UTF-8", 1251}, {"uk_UA", 1251}, {"sr_RS", 1251}, {"sr_RS@latin", 1250},
        {"el_GR", 1253}, {"tr_TR", 1254}, {"he_IL", 1255}, {"ar_EG", 1256}, {"lt_LT", 1257}, {"vi_VN", 1258},
        {"th_TH", 874}, {"ja_JP.UTF-8", 932}, {"zh_CN.UTF-8", 936}, {"zh_TW.UTF-8", 950}, {"zh_HK", 950},
        {"ko_KR.EUC-KR", 949}, {"CS_cz", 1250},
    };
    // clang-format on
    for (const auto& [locale, codePage] : cases) EXPECT_EQ(wineCodePageOfLocale(locale), codePage) << locale;
}

TEST(FitsCodePage, OnlyTextWhoseEveryCharacterHasAPlace) {
    const std::string czech = "Zden\xC4\x9Bk", russian = "\xD0\x94\xD0\xBE\xD0\xBC"; // ě, Дом
    // € is in Windows-1252; ě is not, nor its best fit "e".
    const std::tuple<std::string, int, bool> cases[] = {
        {"C:\\models\\house_100.3ds", 1252, true},
        {"", 1252, true},
        {"H\xC3\xA4user", 1252, true},
        {"\xE2\x82\xAC", 1252, true},
        {czech, 1252, false},
        {czech, 1250, true},
        {russian, 1252, false},
        {russian, 1251, true},
        {czech + " " + russian, 1250, false},
        {czech + " " + russian, 1251, false},
        {"\xE6\x9D\xB1", 932, true},
        {"\xE6\x9D\xB1", 1252, false}, // 東
    };
    for (const auto& [text, codePage, fits] : cases)
        EXPECT_EQ(fitsCodePage(text, codePage), fits) << text << " in " << codePage;
}

} // namespace
} // namespace quillfen
