// Every text inside the program is a code page 932 byte string, whatever code
// page Windows gives the process (932 on a Japanese system or through the
// manifest; 1252, 65001 and others where Windows ignores the manifest's
// request). Windows is spoken to in UTF-16, so the process's code page never
// touches a text. Every crossing between the two is made here.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

constexpr UINT kTextCodePage = 932;

// A code page 932 text as UTF-16 for one wide call:
//   SetWindowTextW(window, Wide(text));
// Texts up to the size of a path stay on the stack. Bytes that are no code
// page 932 character become U+30FB, as Windows converts them.
class Wide {
public:
    explicit Wide(std::string_view text);
    explicit Wide(const char* text) : Wide(std::string_view(text ? text : "")) {}
    Wide(const Wide&) = delete;
    Wide& operator=(const Wide&) = delete;
    const wchar_t* c_str() const { return data_; }
    operator const wchar_t*() const { return data_; }
    std::wstring_view view() const { return {data_, size_}; }
    std::size_t size() const { return size_; }

private:
    wchar_t small_[272];
    std::wstring large_;
    const wchar_t* data_ = small_;
    std::size_t size_ = 0;
};

// UTF-16 into code page 932. False, with out empty, when a character has no
// exact code page 932 form: nothing is ever replaced by '?' or a look-alike.
bool ToCodePage932(std::wstring_view wide, std::string& out);
// The same into a fixed buffer; false (and out empty) also when it does not fit.
bool ToCodePage932(std::wstring_view wide, char* out, std::size_t size);
// A text only to be shown: a character without a form becomes '?'. Never for
// a path or anything stored.
std::string ToCodePage932Shown(std::wstring_view wide);
// True when code page 932 writes the text exactly.
bool WritableInCodePage932(std::wstring_view wide);

// Texts shown by Windows, given in code page 932 (or, for a name code page
// 932 cannot write, in UTF-16). A message added anywhere calls these instead
// of the *A functions:
//   MessageBoxA(owner, text.c_str(), caption.c_str(), type)
//     -> ShowMessageBox(owner, text, caption, type)
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type);
int ShowMessageBox(HWND owner, std::wstring_view text, std::string_view caption, UINT type);
//   SetWindowTextA(window, text.c_str())          -> SetWindowTextTo(window, text)
//   SetDlgItemTextA(dialog, id, text.c_str())     -> SetDlgItemTextTo(dialog, id, text)
void SetWindowTextTo(HWND window, std::string_view text);
void SetDlgItemTextTo(HWND dialog, int id, std::string_view text);
// A window's or control's text as Windows holds it.
std::wstring WindowTextWide(HWND window);
std::wstring DlgItemTextWide(HWND dialog, int id);
