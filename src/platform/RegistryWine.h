#pragma once
// The registry of a Wine prefix, read from its text files: system.reg holds
// HKEY_LOCAL_MACHINE, user.reg HKEY_CURRENT_USER. MSTS users run the simulator
// under Wine, so this is where its installation key is found without Windows.
// The files are only read.

#include "platform/Registry.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

/// One registry file as data: its keys (sections) and their values.
class WineRegistryHive {
public:
    /// The hive of a file's text, or std::nullopt when the text is not a Wine
    /// registry file (no "WINE REGISTRY Version" header). Lines that cannot
    /// be read are passed over; the rest of the file still counts.
    [[nodiscard]] static std::optional<WineRegistryHive> parse(std::string_view text);

    /// True for a 64-bit prefix, whose 32-bit programs keep their keys under Wow6432Node.
    [[nodiscard]] bool is64Bit() const { return m_is64Bit; }

    /// Key paths are joined by "\" and compared without regard to letter case.
    [[nodiscard]] bool hasKey(std::string_view path) const;
    /// The key's values in file order, or nullptr when the key does not exist.
    [[nodiscard]] const std::vector<RegistryValue>* values(std::string_view path) const;
    /// Names of the key's direct subkeys, in order, without repeats.
    [[nodiscard]] std::vector<std::string> subKeyNames(std::string_view path) const;

private:
    struct Key {
        std::string path;
        std::vector<RegistryValue> values;
    };
    Key& keyFor(const std::string& path);

    std::map<std::string, Key> m_keys; // by lower-cased path
    bool m_is64Bit = false;
};

/// The path as the 32-bit view of a 64-bit machine stores it: a key below
/// HKEY_LOCAL_MACHINE\Software moves under Software\Wow6432Node.
[[nodiscard]] std::string wow6432Path(std::string_view path);

class WineRegistryStore final : public RegistryStore {
public:
    /// `prefixFolder` is the prefix's folder; "" means no prefix, where every
    /// lookup finds nothing (code 2).
    explicit WineRegistryStore(std::string prefixFolder);

    [[nodiscard]] RegistryResult<RegistryValue> queryValue(std::uint32_t root, const std::string& section,
                                                           const std::string& name,
                                                           RegistryView view) const override;
    [[nodiscard]] RegistryResult<RegistryKeyInfo> queryInfo(std::uint32_t root, const std::string& section,
                                                            RegistryView view) const override;
    [[nodiscard]] RegistryResult<std::vector<std::string>>
    subKeyNames(std::uint32_t root, const std::string& section, RegistryView view) const override;
    [[nodiscard]] RegistryResult<std::vector<RegistryValue>>
    allValues(std::uint32_t root, const std::string& section, RegistryView view) const override;

private:
    struct LoadedHive {
        long code = kErrorSuccess;
        std::optional<WineRegistryHive> hive;
    };
    /// The hive of a root key, read once; its code tells why it is missing.
    const LoadedHive& hiveOf(std::uint32_t root) const;
    /// The hive and the key path in it, after the view's redirection.
    [[nodiscard]] RegistryResult<std::string> locate(std::uint32_t root, const std::string& section,
                                                     RegistryView view) const;

    std::string m_prefix;
    mutable std::map<std::uint32_t, LoadedHive> m_hives;
};

} // namespace quillfen
