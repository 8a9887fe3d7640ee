// unzip32.dll: ZIP archives.
#include <climits>

#include "archiver_api.h"

namespace {

// Names flagged as UTF-8 reach the program in code page 932, like the others,
// composed first.
// A name that is not valid UTF-8, or holds a character code page 932 has no
// exact form for, is refused rather than shown with '?' or a look-alike.
bool CodePage932FromUtf8(std::string& name) {
    if (name.empty()) return true;
    if (name.size() > INT_MAX / 2) return false;
    const int length = static_cast<int>(name.size());
    const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), length, nullptr, 0);
    if (wide <= 0) return false;
    std::wstring w(static_cast<size_t>(wide), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), length, w.data(), wide) != wide) return false;
    // Some systems store names decomposed (a kana and a separate voiced mark);
    // code page 932 has only the composed characters.
    const int estimate = NormalizeString(NormalizationC, w.data(), wide, nullptr, 0);
    if (estimate <= 0) return false;
    std::wstring composed(static_cast<size_t>(estimate), L'\0');
    const int used = NormalizeString(NormalizationC, w.data(), wide, composed.data(), estimate);
    if (used <= 0) return false;
    BOOL usedDefault = FALSE;
    const int narrow = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, composed.data(), used, nullptr, 0, nullptr, &usedDefault);
    if (narrow <= 0 || usedDefault) return false;
    std::string converted(static_cast<size_t>(narrow), '\0');
    if (WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, composed.data(), used, converted.data(), narrow, nullptr,
                            &usedDefault) != narrow || usedDefault)
        return false;
    name = std::move(converted);
    return true;
}

arc::Status OpenZipSource(arc::Source& source, std::unique_ptr<arc::Archive>& a) {
    return arc::OpenZipDecodingUtf8(source, a, CodePage932FromUtf8);
}
arc::Status OpenZipFile(const std::string& path, std::unique_ptr<arc::Source>& keep, std::unique_ptr<arc::Archive>& a) {
    return archiver::OpenFileArchive(path, keep, a, OpenZipSource);
}
const archiver::Kind kZip{"UNZIP32.DLL", false, 100, OpenZipFile};

}  // namespace

ARCHIVER_EXPORTS(UnZip, kZip)
