#include "base/text.h"

#include <cstring>

bool CopyText(char* dest, std::size_t destSize, const char* src) {
    if (destSize == 0) return false;
    std::size_t n = std::strlen(src);
    if (n >= destSize) {
        dest[0] = '\0';
        return false;
    }
    std::memcpy(dest, src, n + 1);
    return true;
}

void CopyTextCut(char* dest, std::size_t destSize, const char* src) {
    if (destSize == 0) return;
    std::size_t n = 0;
    while (src[n] != '\0') {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(src[n])) && src[n + 1] != '\0' ? 2 : 1;
        if (n + width >= destSize) break;
        n += width;
    }
    std::memcpy(dest, src, n);
    dest[n] = '\0';
}

bool AppendText(char* dest, std::size_t destSize, const char* src) {
    std::size_t have = strnlen(dest, destSize);
    std::size_t n = std::strlen(src);
    if (have >= destSize || n >= destSize - have) return false;
    std::memcpy(dest + have, src, n + 1);
    return true;
}

bool JoinPath(char* out, std::size_t size, const char* folder, const char* name) {
    if (CopyText(out, size, folder) && AppendText(out, size, name)) return true;
    if (size > 0) out[0] = '\0';
    return false;
}

std::size_t FileNameOffset(const char* path) {
    std::size_t start = 0;
    for (std::size_t i = 0; path[i] != '\0'; ++i) {
        if (IsLeadByte(static_cast<unsigned char>(path[i]))) {
            if (path[i + 1] == '\0') break;
            ++i;  // the trail byte may be 0x5C and is never a separator
            continue;
        }
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
    }
    return start;
}

bool IsFullPath(const char* path) {
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':' &&
                       separator(path[2]);
    return drive || (separator(path[0]) && separator(path[1]) && path[2] != '\0');
}

bool EndsWithSeparator(const char* path) {
    return path[0] && FileNameOffset(path) == std::strlen(path);
}

bool SplitFolderAndName(const char* path, char* folder, std::size_t folderSize,
                        char* name, std::size_t nameSize) {
    std::size_t cut = FileNameOffset(path);
    if (cut >= folderSize || std::strlen(path + cut) >= nameSize) return false;
    std::memcpy(folder, path, cut);
    folder[cut] = '\0';
    std::memcpy(name, path + cut, std::strlen(path + cut) + 1);
    return true;
}
