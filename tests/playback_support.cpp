#include "playback_support.h"

#include <gtest/gtest.h>

#include "play/list_playback.h"
#include "base/handles.h"
#include "play/play_window.h"
#include "play/play_window_ids.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "support/ui.h"

namespace {
PlaybackScript* activeScript;
}  // namespace

PlaybackScript::PlaybackScript(DWORD deadlineMs) : deadline_(GetTickCount() + deadlineMs) {
    activeScript = this;
    timer_ = SetTimer(nullptr, 0, 25, &PlaybackScript::Tick);
}

PlaybackScript::~PlaybackScript() {
    KillTimer(nullptr, timer_);
    activeScript = nullptr;
}

PlaybackScript& PlaybackScript::When(std::function<bool()> ready, std::function<void()> act) {
    steps_.push_back({std::move(ready), std::move(act)});
    return *this;
}

void CALLBACK PlaybackScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeScript) activeScript->Poll();
}

void PlaybackScript::Poll() {
    // A step's action may pump messages itself: no step runs inside another.
    if (running_ || finished()) return;
    if (static_cast<LONG>(GetTickCount() - deadline_) > 0) {
        ADD_FAILURE() << "step " << next_ << " of the playback script never became ready";
        next_ = steps_.size();
        RequestPlaybackStop();
        return;
    }
    if (!steps_[next_].ready()) return;
    running_ = true;
    Step step = steps_[next_++];
    step.act();
    running_ = false;
}

void PlayInPlayWindowAndClose() {
    PlaybackScript script;
    script.When([] { return PlayWindow() && !IsListPlaying(); }, [] { ClickButton(PlayWindow(), IDC_PLAY_CLOSE); });
    DialogDriver driver;
    driver.Allow("再生ウィンドウ");
    SendMessageA(MainWindow, WM_COMMAND, kCmdPlayWindow, 0);
}

size_t RunsShown(const ProbeLog& log) {
    size_t shown = 0;
    for (const ProbeRun& run : log.Runs())
        if (run.windowUs >= 0) ++shown;
    return shown;
}

namespace {

std::vector<DWORD> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

}  // namespace

bool PlayAreaShows(const std::string& bytes) {
    HWND area = PlayArea();
    if (!area) return false;
    RECT client{};
    GetClientRect(area, &client);
    const int width = client.right, height = client.bottom;
    HDC dc = GetDC(area);
    HDC shot = CreateCompatibleDC(dc), expected = CreateCompatibleDC(dc);
    GdiObject shotBits(CreateCompatibleBitmap(dc, width, height));
    GdiObject expectedBits(CreateCompatibleBitmap(dc, width, height));
    HGDIOBJ oldShot = SelectObject(shot, shotBits.get());
    HGDIOBJ oldExpected = SelectObject(expected, expectedBits.get());
    BitBlt(shot, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    FillRect(expected, &client, reinterpret_cast<HBRUSH>(COLOR_MENUTEXT + 1));
    SelectObject(expected, GetCurrentObject(dc, OBJ_FONT));
    SetTextColor(expected, RGB(255, 255, 0));
    SetBkColor(expected, RGB(0, 0, 0));
    TextOutA(expected, 10, 15, bytes.data(), static_cast<int>(bytes.size()));
    SelectObject(shot, oldShot);
    SelectObject(expected, oldExpected);
    const bool same = Pixels(dc, static_cast<HBITMAP>(shotBits.get()), width, height) ==
                      Pixels(dc, static_cast<HBITMAP>(expectedBits.get()), width, height);
    DeleteDC(shot);
    DeleteDC(expected);
    ReleaseDC(area, dc);
    return same;
}

double SecondsBetween(long long fromUs, long long toUs) {
    return static_cast<double>(toUs - fromUs) / 1e6;
}

long long NowUs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<long long>(static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart));
}
