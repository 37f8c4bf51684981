#include "platform/CodePage.h"

#include "platform/Process.h"
#include "platform/Text.h"

#include <cstdlib>
#include <string>
#include <utility>

#ifdef _WIN32
#include "platform/RegistryWideText.h"

#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace quillfen {

int wineCodePageOfLocale(std::string_view locale) {
    const std::string name = toLowerLatin1(locale.substr(0, locale.find_first_of(".@")));
    const std::string language = name.substr(0, name.find('_'));
    // Serbian in Latin letters ("sr_RS@latin") is Central European, in Cyrillic Cyrillic.
    if (language == "sr" && locale.find("@latin") != std::string_view::npos) return 1250;
    // Chinese depends on the region: traditional characters in Taiwan, Hong Kong and Macau.
    if (language == "zh") return name == "zh_tw" || name == "zh_hk" || name == "zh_mo" ? 950 : 936;
    static constexpr std::pair<int, std::string_view> byLanguage[] = {
        {1250, " cs pl hu sk sl hr ro sq bs "},
        {1251, " ru uk be bg mk sr kk ky tt mn "},
        {1253, " el "},
        {1254, " tr az uz "},
        {1255, " he "},
        {1256, " ar fa ur "},
        {1257, " lt lv et "},
        {1258, " vi "},
        {874, " th "},
        {932, " ja "},
        {949, " ko "},
    };
    for (const auto& [codePage, languages] : byLanguage)
        if (!language.empty() && languages.find(" " + language + " ") != std::string_view::npos)
            return codePage;
    return 1252;
}

#ifdef _WIN32

bool takesCodePageArguments(const std::string& /*converterPath*/) {
    return true;
}

int converterCodePage() {
    return static_cast<int>(GetACP());
}

bool fitsCodePage(std::string_view utf8, int codePage) {
    // UTF-8 as the system's code page (a choice in newer Windows) holds every character.
    if (codePage == CP_UTF8) return true;
    const auto wide = windows_text::toWide(utf8);
    if (wide.empty()) return true;
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(wide.size());
    const int count = WideCharToMultiByte(static_cast<UINT>(codePage), WC_NO_BEST_FIT_CHARS, wide.data(),
                                          size, nullptr, 0, nullptr, &usedDefault);
    return count > 0 && usedDefault == FALSE;
}

#else

bool takesCodePageArguments(const std::string& converterPath) {
    return isWindowsExecutable(converterPath);
}

int converterCodePage() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return wineCodePageOfLocale(value);
    }
    return wineCodePageOfLocale("C");
}

bool fitsCodePage(std::string_view utf8, int codePage) {
    const std::string target = "CP" + std::to_string(codePage);
    iconv_t converter = iconv_open(target.c_str(), "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::string input(utf8);
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::string output(input.size() * 2 + 4, '\0');
    bool fits = true;
    while (inLeft > 0) {
        char* out = output.data();
        std::size_t outLeft = output.size();
        // Without "//TRANSLIT" a character the code page lacks is an error, never a look-alike.
        if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) &&
            errno != E2BIG) {
            fits = false;
            break;
        }
    }
    iconv_close(converter);
    return fits;
}

#endif

} // namespace quillfen
