// Move-only owners for the Windows handles the program opens; each releases
// its handle when the operation that acquired it ends.
#pragma once
#include <windows.h>

template <typename T, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    T get() const { return h_; }
    T* put() { reset(); return &h_; }
    explicit operator bool() const { return Traits::valid(h_); }
    T release() { T h = h_; h_ = Traits::invalid(); return h; }
    void reset(T h = Traits::invalid()) {
        if (Traits::valid(h_)) Traits::close(h_);
        h_ = h;
    }

private:
    T h_ = Traits::invalid();
};

struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE, CreateMutex and
// CreateProcess as null; both count as "no handle".
using Handle = UniqueHandle<HANDLE, KernelHandleTraits>;

struct FindHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void close(HANDLE h) { FindClose(h); }
};
using FindHandle = UniqueHandle<HANDLE, FindHandleTraits>;

struct KeyHandleTraits {
    static HKEY invalid() { return nullptr; }
    static bool valid(HKEY h) { return h != nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};
using KeyHandle = UniqueHandle<HKEY, KeyHandleTraits>;

struct ModuleHandleTraits {
    static HMODULE invalid() { return nullptr; }
    static bool valid(HMODULE h) { return h != nullptr; }
    static void close(HMODULE h) { FreeLibrary(h); }
};
using ModuleHandle = UniqueHandle<HMODULE, ModuleHandleTraits>;

struct GdiObjectTraits {
    static HGDIOBJ invalid() { return nullptr; }
    static bool valid(HGDIOBJ h) { return h != nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};
using GdiObject = UniqueHandle<HGDIOBJ, GdiObjectTraits>;

struct MenuHandleTraits {
    static HMENU invalid() { return nullptr; }
    static bool valid(HMENU h) { return h != nullptr; }
    static void close(HMENU h) { DestroyMenu(h); }
};
using MenuHandle = UniqueHandle<HMENU, MenuHandleTraits>;
