// The registry of Windows itself, through advapi32.

#ifdef _WIN32

#include "platform/Registry.h"
#include "platform/RegistryWideText.h"
#include "platform/TextCodec.h"

#include <windows.h>

namespace quillfen {

namespace {

using windows_text::fromWide;
using windows_text::toWide;

HKEY rootHandle(std::uint32_t root) {
    // The predefined handles are sign-extended 32-bit values.
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

REGSAM viewFlag(RegistryView view) {
    return view == RegistryView::Native ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

bool isTextType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

/// An opened key, closed when it goes out of scope.
class OpenKey {
public:
    OpenKey(std::uint32_t root, const std::string& section, REGSAM access, RegistryView view) {
        m_code = RegOpenKeyExW(rootHandle(root), toWide(section).c_str(), 0, access | viewFlag(view), &m_key);
    }
    ~OpenKey() {
        if (m_code == ERROR_SUCCESS) RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    [[nodiscard]] long code() const { return m_code; }
    [[nodiscard]] HKEY handle() const { return m_key; }

private:
    HKEY m_key = nullptr;
    LONG m_code = ERROR_SUCCESS;
};

RegistryResult<RegistryValue> readValue(HKEY key, const std::string& name) {
    const auto wideName = toWide(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG code = RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size);
    if (code != ERROR_SUCCESS) return {code, {}};
    std::string bytes;
    do { // the value may grow between the two calls
        bytes.resize(size);
        code = RegQueryValueExW(key, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                                &size);
    } while (code == ERROR_MORE_DATA);
    if (code != ERROR_SUCCESS) return {code, {}};
    bytes.resize(size);
    RegistryValue value{name, type, isTextType(type) ? decodeUtf16Le(bytes) : bytes};
    return {ERROR_SUCCESS, std::move(value)};
}

class WindowsRegistryStore final : public RegistryStore {
public:
    [[nodiscard]] RegistryResult<RegistryValue> queryValue(std::uint32_t root, const std::string& section,
                                                           const std::string& name,
                                                           RegistryView view) const override {
        if (view == RegistryView::Bits32ThenNative)
            return readThroughViews(
                view, [&](RegistryView single) { return queryValue(root, section, name, single); });
        const OpenKey key(root, section, KEY_QUERY_VALUE, view);
        if (key.code() != ERROR_SUCCESS) return {key.code(), {}};
        return readValue(key.handle(), name);
    }

    [[nodiscard]] RegistryResult<RegistryKeyInfo> queryInfo(std::uint32_t root, const std::string& section,
                                                            RegistryView view) const override {
        if (view == RegistryView::Bits32ThenNative)
            return readThroughViews(view,
                                    [&](RegistryView single) { return queryInfo(root, section, single); });
        const OpenKey key(root, section, KEY_QUERY_VALUE, view);
        if (key.code() != ERROR_SUCCESS) return {key.code(), {}};
        DWORD subKeys = 0;
        DWORD values = 0;
        const LONG code = RegQueryInfoKeyW(key.handle(), nullptr, nullptr, nullptr, &subKeys, nullptr,
                                           nullptr, &values, nullptr, nullptr, nullptr, nullptr);
        if (code != ERROR_SUCCESS) return {code, {}};
        return {ERROR_SUCCESS, RegistryKeyInfo{static_cast<long>(subKeys), static_cast<long>(values)}};
    }

    [[nodiscard]] RegistryResult<std::vector<std::string>>
    subKeyNames(std::uint32_t root, const std::string& section, RegistryView view) const override {
        if (view == RegistryView::Bits32ThenNative)
            return readThroughViews(view,
                                    [&](RegistryView single) { return subKeyNames(root, section, single); });
        const OpenKey key(root, section, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, view);
        if (key.code() != ERROR_SUCCESS) return {key.code(), {}};
        std::vector<std::string> names;
        for (DWORD index = 0;; ++index) {
            wchar_t name[256]; // the longest key name the registry allows is 255 characters
            DWORD length = 256;
            const LONG code =
                RegEnumKeyExW(key.handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (code == ERROR_NO_MORE_ITEMS) break;
            if (code != ERROR_SUCCESS) return {code, {}};
            names.push_back(fromWide(std::wstring_view(name, length)));
        }
        return {ERROR_SUCCESS, std::move(names)};
    }

    [[nodiscard]] RegistryResult<std::vector<RegistryValue>>
    allValues(std::uint32_t root, const std::string& section, RegistryView view) const override {
        if (view == RegistryView::Bits32ThenNative)
            return readThroughViews(view,
                                    [&](RegistryView single) { return allValues(root, section, single); });
        const OpenKey key(root, section, KEY_QUERY_VALUE, view);
        if (key.code() != ERROR_SUCCESS) return {key.code(), {}};
        DWORD longestName = 0;
        LONG code = RegQueryInfoKeyW(key.handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, &longestName, nullptr, nullptr, nullptr);
        if (code != ERROR_SUCCESS) return {code, {}};
        std::vector<RegistryValue> values;
        std::wstring name(longestName + 1, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD length = longestName + 1;
            code =
                RegEnumValueW(key.handle(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (code == ERROR_NO_MORE_ITEMS) break;
            if (code != ERROR_SUCCESS) return {code, {}};
            auto value = readValue(key.handle(), fromWide(std::wstring_view(name.data(), length)));
            if (!value.ok()) return {value.code, {}};
            values.push_back(std::move(value.value));
        }
        return {ERROR_SUCCESS, std::move(values)};
    }
};

} // namespace

bool systemRegistryIsNative() {
    return true;
}

std::shared_ptr<RegistryStore> makeSystemRegistry() {
    return std::make_shared<WindowsRegistryStore>();
}

std::string registryErrorText(long code) {
    // Text from the system, without line breaks; inserts are left as they are,
    // since there are no arguments to put in.
    wchar_t buffer[512];
    const DWORD flags =
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
    const DWORD length = FormatMessageW(flags, nullptr, static_cast<DWORD>(code), 0, buffer, 512, nullptr);
    std::string text = fromWide(std::wstring_view(buffer, length));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

} // namespace quillfen

#endif
