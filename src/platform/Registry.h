#pragma once
// Raw access to the Windows registry, or to the registry files of a Wine
// prefix where there is no Windows. The registry classes of the settings
// layer build on this; nothing else in the program touches the registry.
//
// Codes are Windows result codes (0 success, 2 not found, ...), so a caller
// records the same number on every platform.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

/// Root keys, as the Windows handle values.
inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000U;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001U;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002U;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003U;

/// Registry data types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

/// The Windows result codes this layer produces itself.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidData = 13;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorBadDatabase = 1009;

/// Which half of a 64-bit registry to use. MSTS is a 32-bit program: its
/// installer wrote its key into the 32-bit view (Wow6432Node), so that is where
/// to look first; a key added by hand (`wine reg add` without "/reg:32", a .reg
/// file naming the plain key) is in the plain one.
enum class RegistryView {
    Bits32,          ///< the 32-bit view
    Native,          ///< the plain key (the 64-bit view on a 64-bit system)
    Bits32ThenNative ///< the 32-bit view, and the plain key where that finds nothing
};

/// Runs `read` (a callable taking a RegistryView and giving a RegistryResult)
/// in `view`; for Bits32ThenNative in the 32-bit view and, when that finds no
/// key or value there (code 2), again in the plain one.
template <class Read> auto readThroughViews(RegistryView view, const Read& read) {
    if (view != RegistryView::Bits32ThenNative) return read(view);
    auto first = read(RegistryView::Bits32);
    if (first.code != kErrorFileNotFound) return first;
    return read(RegistryView::Native);
}

/// One value. Text data (types 1, 2 and 7) is UTF-8 with every NUL kept as
/// stored (a terminated REG_SZ ends with one 0 byte); other types are the raw bytes.
struct RegistryValue {
    std::string name;
    std::uint32_t type = kRegNone;
    std::string data;
};

struct RegistryKeyInfo {
    long subKeyCount = 0;
    long valueCount = 0;
};

/// A result code with what was obtained (meaningful only when the code is 0).
template <class T> struct RegistryResult {
    long code = kErrorSuccess;
    T value{};
    [[nodiscard]] bool ok() const { return code == kErrorSuccess; }
};

/// The operations the registry classes need. Section paths are joined by "\".
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    [[nodiscard]] virtual RegistryResult<RegistryValue> queryValue(std::uint32_t root,
                                                                   const std::string& section,
                                                                   const std::string& name,
                                                                   RegistryView view) const = 0;
    [[nodiscard]] virtual RegistryResult<RegistryKeyInfo>
    queryInfo(std::uint32_t root, const std::string& section, RegistryView view) const = 0;
    [[nodiscard]] virtual RegistryResult<std::vector<std::string>>
    subKeyNames(std::uint32_t root, const std::string& section, RegistryView view) const = 0;
    /// Every value of the section with its data, in the store's order.
    [[nodiscard]] virtual RegistryResult<std::vector<RegistryValue>>
    allValues(std::uint32_t root, const std::string& section, RegistryView view) const = 0;
};

/// True where the store of `makeSystemRegistry` is the machine's own registry
/// (Windows); false where it reads a Wine prefix's files.
[[nodiscard]] bool systemRegistryIsNative();

/// The machine's registry: advapi32 on Windows; elsewhere the registry files
/// of the Wine prefix (see winePrefixFolder), read only.
[[nodiscard]] std::shared_ptr<RegistryStore> makeSystemRegistry();

/// The system's message text for a result code, on one line; "" when unknown.
[[nodiscard]] std::string registryErrorText(long code);

} // namespace quillfen
