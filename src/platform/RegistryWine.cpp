#include "platform/RegistryWine.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/TextCodec.h"

#include <cstddef>
#include <set>

namespace quillfen {

namespace {

// ---- Reading the file's text form -------------------------------------------------------

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned hexValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    return static_cast<unsigned>(c - 'A' + 10);
}

/// Collects UTF-16 code units, since Wine writes characters as "\x" escapes of
/// UTF-16 units (a surrogate pair as two escapes); plain bytes are UTF-8.
class Utf16Builder {
public:
    void addRaw(char byte) { m_pendingUtf8.push_back(byte); }
    void addUnit(unsigned unit) {
        flush();
        m_units.push_back(static_cast<char>(unit & 0xFFU));
        m_units.push_back(static_cast<char>((unit >> 8U) & 0xFFU));
    }
    std::string toUtf8() {
        flush();
        return decodeUtf16Le(m_units);
    }

private:
    void flush() {
        if (m_pendingUtf8.empty()) return;
        m_units += encodeUtf16Le(fromCodePoints(toCodePoints(m_pendingUtf8)));
        m_pendingUtf8.clear();
    }
    std::string m_pendingUtf8;
    std::string m_units;
};

/// Reads an escape after a backslash at `pos` (pointing past the backslash).
void readEscape(std::string_view text, std::size_t& pos, Utf16Builder& out) {
    if (pos >= text.size()) return;
    const char c = text[pos++];
    switch (c) {
    case 'a':
        out.addUnit(7);
        return;
    case 'b':
        out.addUnit(8);
        return;
    case 'e':
        out.addUnit(27);
        return;
    case 'f':
        out.addUnit(12);
        return;
    case 'n':
        out.addUnit(10);
        return;
    case 'r':
        out.addUnit(13);
        return;
    case 't':
        out.addUnit(9);
        return;
    case 'v':
        out.addUnit(11);
        return;
    case 'x': {
        unsigned unit = 0;
        int digits = 0;
        while (digits < 4 && pos < text.size() && isHexDigit(text[pos])) {
            unit = unit * 16 + hexValue(text[pos++]);
            ++digits;
        }
        if (digits == 0)
            out.addRaw('x');
        else
            out.addUnit(unit);
        return;
    }
    default:
        break;
    }
    if (c >= '0' && c <= '7') {
        unsigned unit = static_cast<unsigned>(c - '0');
        for (int digits = 1; digits < 3 && pos < text.size() && text[pos] >= '0' && text[pos] <= '7';
             ++digits)
            unit = unit * 8 + static_cast<unsigned>(text[pos++] - '0');
        out.addUnit(unit);
        return;
    }
    out.addRaw(c);
}

/// Reads escaped text from `pos` up to the unescaped `terminator`, leaving `pos`
/// past it. std::nullopt when the terminator never comes.
std::optional<std::string> readEscaped(std::string_view text, std::size_t& pos, char terminator) {
    Utf16Builder out;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == terminator) return out.toUtf8();
        if (c == '\\')
            readEscape(text, pos, out);
        else
            out.addRaw(c);
    }
    return std::nullopt;
}

std::optional<std::string> readHexBytes(std::string_view text) {
    std::string bytes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ',' || c == ' ' || c == '\t' || c == '\\') {
            ++pos;
            continue;
        }
        if (pos + 1 >= text.size() || !isHexDigit(c) || !isHexDigit(text[pos + 1])) return std::nullopt;
        bytes.push_back(static_cast<char>(hexValue(c) * 16 + hexValue(text[pos + 1])));
        pos += 2;
    }
    return bytes;
}

bool isTextType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

/// Reads "(N):" after "hex" or "str" at `pos`; the type number is hexadecimal.
std::optional<std::uint32_t> readTypeSuffix(std::string_view data, std::size_t& pos) {
    if (pos >= data.size() || data[pos] != '(') return std::nullopt;
    const auto close = data.find("):", pos);
    if (close == std::string_view::npos || close == pos + 1 || close - pos > 9) return std::nullopt;
    std::uint32_t type = 0;
    for (std::size_t i = pos + 1; i < close; ++i) {
        if (!isHexDigit(data[i])) return std::nullopt;
        type = type * 16 + hexValue(data[i]);
    }
    pos = close + 2;
    return type;
}

/// The data after "=": a string, str(N):"...", dword:, hex: or hex(N):.
std::optional<RegistryValue> readData(std::string_view data) {
    RegistryValue value;
    std::size_t pos = 0;
    if (startsWith(data, "\"")) {
        value.type = kRegSz;
    } else if (startsWith(data, "str")) {
        pos = 3;
        const auto type = readTypeSuffix(data, pos);
        if (!type || pos >= data.size() || data[pos] != '"') return std::nullopt;
        value.type = *type;
    } else if (startsWith(data, "dword:")) {
        const auto digits = data.substr(6);
        if (digits.size() != 8) return std::nullopt;
        std::uint32_t number = 0;
        for (const char c : digits) {
            if (!isHexDigit(c)) return std::nullopt;
            number = number * 16 + hexValue(c);
        }
        value.type = kRegDword;
        for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<char>((number >> (8 * i)) & 0xFFU));
        return value;
    } else if (startsWith(data, "hex")) {
        pos = 3;
        if (pos < data.size() && data[pos] == ':') {
            value.type = kRegBinary;
            ++pos;
        } else {
            const auto type = readTypeSuffix(data, pos);
            if (!type) return std::nullopt;
            value.type = *type;
        }
        auto bytes = readHexBytes(data.substr(pos));
        if (!bytes) return std::nullopt;
        value.data = isTextType(value.type) ? decodeUtf16Le(*bytes) : std::move(*bytes);
        return value;
    } else {
        return std::nullopt;
    }
    ++pos; // the opening quote
    auto text = readEscaped(data, pos, '"');
    if (!text) return std::nullopt;
    // The file leaves out the terminating NUL that the stored value has.
    value.data = std::move(*text) + '\0';
    return value;
}

/// A value line: "name"=data or @=data (the section's default value).
std::optional<RegistryValue> readValueLine(std::string_view line) {
    std::size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
        pos = 1;
    } else {
        pos = 1;
        auto quoted = readEscaped(line, pos, '"');
        if (!quoted) return std::nullopt;
        name = std::move(*quoted);
    }
    if (pos >= line.size() || line[pos] != '=') return std::nullopt;
    auto value = readData(line.substr(pos + 1));
    if (value) value->name = std::move(name);
    return value;
}

/// A section line: [path] followed by a time stamp.
std::optional<std::string> readSectionLine(std::string_view line) {
    std::size_t pos = 1;
    return readEscaped(line, pos, ']');
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        auto line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

/// Hex data continues on the next line when a line ends with a backslash.
bool continuesOnNextLine(const std::string& line) {
    return !line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos;
}

std::string keyOf(std::string_view path) {
    return toLowerLatin1(path);
}

/// The key path without backslashes at its ends.
std::string normalisedPath(std::string_view path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return std::string(path);
}

} // namespace

// ---- WineRegistryHive -------------------------------------------------------------------

WineRegistryHive::Key& WineRegistryHive::keyFor(const std::string& path) {
    auto& key = m_keys[keyOf(path)];
    if (key.path.empty()) key.path = path;
    return key;
}

std::optional<WineRegistryHive> WineRegistryHive::parse(std::string_view text) {
    if (startsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
    const auto lines = splitLines(text);
    std::size_t index = 0;
    while (index < lines.size() && trimBlanks(lines[index]).empty()) ++index;
    if (index == lines.size() || !startsWith(lines[index], "WINE REGISTRY Version")) return std::nullopt;

    WineRegistryHive hive;
    bool archKnown = false;
    Key* current = nullptr;
    for (++index; index < lines.size(); ++index) {
        std::string line = lines[index];
        while (continuesOnNextLine(line) && index + 1 < lines.size()) {
            line.pop_back();
            line += trimBlanks(lines[++index]);
        }
        if (line.empty()) continue;
        if (startsWith(line, "#arch=")) {
            hive.m_is64Bit = line.substr(6) == "win64";
            archKnown = true;
        } else if (line[0] == '[') {
            const auto path = readSectionLine(line);
            current = path ? &hive.keyFor(normalisedPath(*path)) : nullptr;
        } else if ((line[0] == '"' || line[0] == '@') && current != nullptr) {
            if (auto value = readValueLine(line)) {
                auto& values = current->values;
                std::erase_if(values,
                              [&](const RegistryValue& old) { return equalsNoCase(old.name, value->name); });
                values.push_back(std::move(*value));
            }
        }
    }
    if (!archKnown) hive.m_is64Bit = hive.hasKey("Software\\Wow6432Node");
    return hive;
}

bool WineRegistryHive::hasKey(std::string_view path) const {
    const auto wanted = keyOf(normalisedPath(path));
    if (wanted.empty() || m_keys.contains(wanted)) return true;
    // A key that only has subkeys has no section line of its own.
    const auto below = m_keys.lower_bound(wanted + "\\");
    return below != m_keys.end() && startsWith(below->first, wanted + "\\");
}

const std::vector<RegistryValue>* WineRegistryHive::values(std::string_view path) const {
    static const std::vector<RegistryValue> none;
    const auto found = m_keys.find(keyOf(normalisedPath(path)));
    if (found != m_keys.end()) return &found->second.values;
    return hasKey(path) ? &none : nullptr;
}

std::vector<std::string> WineRegistryHive::subKeyNames(std::string_view path) const {
    const auto parent = normalisedPath(path);
    const auto prefix = parent.empty() ? std::string() : keyOf(parent) + "\\";
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (auto it = m_keys.lower_bound(prefix); it != m_keys.end() && startsWith(it->first, prefix); ++it) {
        const std::string rest = it->second.path.substr(prefix.size());
        const std::string child = rest.substr(0, rest.find('\\'));
        if (!child.empty() && seen.insert(keyOf(child)).second) names.push_back(child);
    }
    return names;
}

std::string wow6432Path(std::string_view path) {
    const auto normal = normalisedPath(path);
    const auto lower = keyOf(normal);
    if (!startsWith(lower, "software\\") || startsWith(lower + "\\", "software\\wow6432node\\"))
        return normal;
    return normal.substr(0, 8) + "\\Wow6432Node" + normal.substr(8);
}

// ---- WineRegistryStore ------------------------------------------------------------------

WineRegistryStore::WineRegistryStore(std::string prefixFolder) : m_prefix(std::move(prefixFolder)) {}

const WineRegistryStore::LoadedHive& WineRegistryStore::hiveOf(std::uint32_t root) const {
    const auto cached = m_hives.find(root);
    if (cached != m_hives.end()) return cached->second;

    LoadedHive loaded;
    if (root != kHkeyLocalMachine && root != kHkeyCurrentUser) {
        loaded.code = kErrorInvalidHandle;
    } else if (m_prefix.empty()) {
        loaded.code = kErrorFileNotFound;
    } else {
        const auto file = joinPath(m_prefix, root == kHkeyLocalMachine ? "system.reg" : "user.reg");
        const auto bytes = LocalFileSystem().readBytes(file);
        if (!bytes) {
            loaded.code = kErrorFileNotFound;
        } else {
            loaded.hive = WineRegistryHive::parse(*bytes);
            if (!loaded.hive) loaded.code = kErrorBadDatabase;
        }
    }
    return m_hives.emplace(root, std::move(loaded)).first->second;
}

RegistryResult<std::string> WineRegistryStore::locate(std::uint32_t root, const std::string& section,
                                                      RegistryView view) const {
    const auto& loaded = hiveOf(root);
    if (!loaded.hive) return {loaded.code, {}};
    const bool redirect = view == RegistryView::Bits32 && root == kHkeyLocalMachine && loaded.hive->is64Bit();
    std::string path = redirect ? wow6432Path(section) : normalisedPath(section);
    if (!loaded.hive->hasKey(path)) return {kErrorFileNotFound, {}};
    return {kErrorSuccess, std::move(path)};
}

RegistryResult<RegistryValue> WineRegistryStore::queryValue(std::uint32_t root, const std::string& section,
                                                            const std::string& name,
                                                            RegistryView view) const {
    if (view == RegistryView::Bits32ThenNative)
        return readThroughViews(view,
                                [&](RegistryView single) { return queryValue(root, section, name, single); });
    const auto path = locate(root, section, view);
    if (!path.ok()) return {path.code, {}};
    for (const auto& value : *hiveOf(root).hive->values(path.value))
        if (equalsNoCase(value.name, name)) return {kErrorSuccess, value};
    return {kErrorFileNotFound, {}};
}

RegistryResult<RegistryKeyInfo> WineRegistryStore::queryInfo(std::uint32_t root, const std::string& section,
                                                             RegistryView view) const {
    if (view == RegistryView::Bits32ThenNative)
        return readThroughViews(view, [&](RegistryView single) { return queryInfo(root, section, single); });
    const auto path = locate(root, section, view);
    if (!path.ok()) return {path.code, {}};
    const auto& hive = *hiveOf(root).hive;
    RegistryKeyInfo info;
    info.subKeyCount = static_cast<long>(hive.subKeyNames(path.value).size());
    info.valueCount = static_cast<long>(hive.values(path.value)->size());
    return {kErrorSuccess, info};
}

RegistryResult<std::vector<std::string>>
WineRegistryStore::subKeyNames(std::uint32_t root, const std::string& section, RegistryView view) const {
    if (view == RegistryView::Bits32ThenNative)
        return readThroughViews(view,
                                [&](RegistryView single) { return subKeyNames(root, section, single); });
    const auto path = locate(root, section, view);
    if (!path.ok()) return {path.code, {}};
    return {kErrorSuccess, hiveOf(root).hive->subKeyNames(path.value)};
}

RegistryResult<std::vector<RegistryValue>>
WineRegistryStore::allValues(std::uint32_t root, const std::string& section, RegistryView view) const {
    if (view == RegistryView::Bits32ThenNative)
        return readThroughViews(view, [&](RegistryView single) { return allValues(root, section, single); });
    const auto path = locate(root, section, view);
    if (!path.ok()) return {path.code, {}};
    return {kErrorSuccess, *hiveOf(root).hive->values(path.value)};
}

} // namespace quillfen
