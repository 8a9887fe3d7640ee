#include "base/wide.h"

#include <climits>
#include <iterator>

Wide::Wide(std::string_view text) {
    small_[0] = L'\0';
    if (text.empty() || text.size() > INT_MAX) return;
    const int length = static_cast<int>(text.size());
    // A byte string never needs more UTF-16 units than it has bytes.
    wchar_t* out = small_;
    if (text.size() >= std::size(small_)) {
        large_.resize(text.size());
        out = large_.data();
    }
    const int n = MultiByteToWideChar(kTextCodePage, 0, text.data(), length, out, length);
    size_ = n > 0 ? static_cast<std::size_t>(n) : 0;
    out[size_] = L'\0';  // std::wstring keeps room for its terminator
    data_ = out;
}

namespace {

// The code page 932 bytes of wide into out (size bytes, no terminator);
// the count, or -1 when a character has no exact form or out is too small.
int ConvertExactly(std::wstring_view wide, char* out, int size) {
    if (wide.size() > INT_MAX / 2) return -1;
    BOOL usedDefault = FALSE;
    // No best fit: a character without its own code point is refused rather
    // than turned into a look-alike ('e' for 'é') that names another file.
    const int n = WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      out, size, nullptr, &usedDefault);
    return n > 0 && !usedDefault ? n : -1;
}

}  // namespace

bool ToCodePage932(std::wstring_view wide, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    const int n = ConvertExactly(wide, nullptr, 0);
    if (n < 0) return false;
    out.resize(static_cast<std::size_t>(n));
    if (ConvertExactly(wide, out.data(), n) != n) {
        out.clear();
        return false;
    }
    return true;
}

bool ToCodePage932(std::wstring_view wide, char* out, std::size_t size) {
    if (size == 0) return false;
    out[0] = '\0';
    if (wide.empty()) return true;
    const int room = size - 1 > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size - 1);
    const int n = room > 0 ? ConvertExactly(wide, out, room) : -1;
    if (n < 0) {
        out[0] = '\0';
        return false;
    }
    out[n] = '\0';
    return true;
}

std::string ToCodePage932Shown(std::wstring_view wide) {
    std::string out;
    if (wide.empty() || wide.size() > INT_MAX / 2) return out;
    const int length = static_cast<int>(wide.size());
    const int n =
        WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, "?", nullptr);
    if (n <= 0) return out;
    out.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data(), n, "?", nullptr);
    return out;
}

bool WritableInCodePage932(std::wstring_view wide) {
    return wide.empty() || ConvertExactly(wide, nullptr, 0) >= 0;
}

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return MessageBoxW(owner, Wide(text), Wide(caption), type);
}

int ShowMessageBox(HWND owner, std::wstring_view text, std::string_view caption, UINT type) {
    return MessageBoxW(owner, std::wstring(text).c_str(), Wide(caption), type);
}

void SetWindowTextTo(HWND window, std::string_view text) {
    SetWindowTextW(window, Wide(text));
}

void SetDlgItemTextTo(HWND dialog, int id, std::string_view text) {
    SetDlgItemTextW(dialog, id, Wide(text));
}

std::wstring WindowTextWide(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::wstring DlgItemTextWide(HWND dialog, int id) {
    return WindowTextWide(GetDlgItem(dialog, id));
}
