#include "FileNames.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

namespace win32 {

namespace {

void AppendUtf8(std::string& out, uint32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) codePoint = 0xFFFD;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The first entry of the folder, in byte order, that spells name in another case.
bool FindIgnoringCase(const std::string& folder, const std::string& name, std::string& found) {
    DIR* directory = opendir(folder.empty() ? "." : folder.c_str());
    if (!directory) return false;
    bool any = false;
    while (dirent* entry = readdir(directory)) {
        if (strcasecmp(entry->d_name, name.c_str()) != 0) continue;
        if (!any || found.compare(entry->d_name) > 0) found = entry->d_name;
        any = true;
    }
    closedir(directory);
    return any;
}

}  // namespace

std::string WideToUtf8(const wchar_t* text) {
    std::string out;
    if (!text) return out;
    for (; *text; ++text) AppendUtf8(out, static_cast<uint32_t>(*text));
    return out;
}

std::string ResolvePathIgnoringCase(const std::string& path) {
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (slashed.empty() || Exists(slashed)) return slashed;

    std::string resolved = slashed.front() == '/' ? "/" : "";
    size_t start = 0;
    while (start <= slashed.size()) {
        size_t end = slashed.find('/', start);
        if (end == std::string::npos) end = slashed.size();
        const std::string component = slashed.substr(start, end - start);
        start = end + 1;
        if (component.empty()) continue;
        const std::string exact = Join(resolved, component);
        std::string other;
        if (component == "." || component == ".." || Exists(exact))
            resolved = exact;
        else if (FindIgnoringCase(resolved, component, other))
            resolved = Join(resolved, other);
        else
            return slashed;
    }
    return resolved;
}

}  // namespace win32
