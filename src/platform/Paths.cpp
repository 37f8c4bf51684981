#include "platform/Paths.h"

#include "platform/Text.h"

namespace quillfen {

namespace {

bool isSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

} // namespace

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    while (!path.empty() && isSeparator(path.back()) && path.size() > 1) path.pop_back();
    if (path.empty() || !isSeparator(path.back())) path += kPathSeparator;
    std::size_t start = 0;
    while (start < name.size() && isSeparator(name[start])) ++start;
    path.append(name.substr(start));
    return path;
}

std::string collapseSeparators(std::string_view path) {
    std::string result;
    result.reserve(path.size());
    std::size_t start = 0;
#ifdef _WIN32
    // A UNC path keeps its leading pair.
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        result += "\\\\";
        start = 2;
        while (start < path.size() && isSeparator(path[start])) ++start;
    }
#endif
    for (std::size_t i = start; i < path.size(); ++i) {
        if (isSeparator(path[i]) && !result.empty() && isSeparator(result.back()) && i > start) continue;
        result += path[i];
    }
    return result;
}

std::string fileNameOf(std::string_view path) {
    std::size_t i = path.size();
    while (i > 0 && !isSeparator(path[i - 1])) --i;
    return std::string(path.substr(i));
}

std::string parentOf(std::string_view path) {
    std::size_t i = path.size();
    while (i > 0 && !isSeparator(path[i - 1])) --i;
    while (i > 1 && isSeparator(path[i - 1])) --i;
    return std::string(path.substr(0, i));
}

bool endsWithSeparator(std::string_view path) {
    return !path.empty() && isSeparator(path.back());
}

bool sameFileName(std::string_view a, std::string_view b) {
#ifdef _WIN32
    return equalsNoCase(a, b);
#else
    return a == b;
#endif
}

std::string toNativeSeparators(std::string_view path) {
    std::string result(path);
    for (char& c : result)
        if (c == '\\' || c == '/') c = kPathSeparator;
    return result;
}

} // namespace quillfen
