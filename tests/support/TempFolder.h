#pragma once
// A real temporary folder for one test, removed with everything in it at the end.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace quillfen::test {

/// The raw bytes of a file ("" when it cannot be read).
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The blank-separated words of `text`.
inline std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        do m_path = std::filesystem::temp_directory_path() / ("quillfen-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(m_path));
    }
    ~TempFolder() { std::filesystem::remove_all(m_path, m_ignored); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    /// The folder as the program writes paths (UTF-8, platform separators).
    [[nodiscard]] std::string path() const { return utf8Of(m_path); }
    [[nodiscard]] std::filesystem::path fsPath() const { return m_path; }
    /// A path inside the folder (`name` is UTF-8 and may use "/").
    [[nodiscard]] std::string operator/(const std::string& name) const {
        return utf8Of((m_path / pathOf(name)).make_preferred());
    }

    /// A UTF-8 text as a path (a narrow string would be read in Windows' ANSI code page).
    static std::filesystem::path pathOf(const std::string& utf8) {
        return std::u8string(utf8.begin(), utf8.end());
    }
    static std::string utf8Of(const std::filesystem::path& path) {
        const std::u8string text = path.u8string();
        return {text.begin(), text.end()};
    }

    /// Writes raw bytes to a file inside the folder (creating subfolders).
    void write(const std::string& name, const std::string& bytes) const {
        const auto target = m_path / pathOf(name);
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << bytes;
    }
    [[nodiscard]] std::string read(const std::string& name) const { return readFile(m_path / pathOf(name)); }
    [[nodiscard]] bool exists(const std::string& name) const {
        return std::filesystem::exists(m_path / pathOf(name));
    }

private:
    std::filesystem::path m_path;
    std::error_code m_ignored;
};

/// The shared folder of real files made by other tools, or "" when absent.
inline std::string testDataDir() {
    const std::filesystem::path dir(QUILLFEN_TESTDATA_DIR);
    return std::filesystem::is_directory(dir) ? dir.string() : std::string();
}

} // namespace quillfen::test

/// Skips the current test with a clear message when the shared test data is absent.
#define QUILLFEN_REQUIRE_TESTDATA()                                                                          \
    do {                                                                                                     \
        if (::quillfen::test::testDataDir().empty())                                                         \
            GTEST_SKIP() << "shared test data not found at " QUILLFEN_TESTDATA_DIR                           \
                            " (real files from other tools); skipping";                                      \
    } while (false)
