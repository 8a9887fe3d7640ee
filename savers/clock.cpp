// Clock.scr: the date and a large time in Japanese, drifting slowly across a
// night-blue screen so that nothing stays in one place; the setting is the
// 24-hour or the 12-hour (午前/午後) clock.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "base/handles.h"
#include "saver.h"
#include "saver_pixels.h"
#include "saver_resource.h"

namespace {

// Texts of the saver's string table.
constexpr UINT kWeekdayFirst = IDS_SAVER_FIRST;  // 日曜日 .. 土曜日
constexpr UINT kMorning = IDS_SAVER_FIRST + 7;
constexpr UINT kAfternoon = IDS_SAVER_FIRST + 8;
constexpr UINT kDateFormat = IDS_SAVER_FIRST + 9;  // year, month, day, weekday
constexpr int kTwelveHours = 1;                     // the setting's second choice
// Share of the free room crossed per second: a full crossing takes about 40 s.
constexpr double kDrift = 0.025;
constexpr wchar_t kFace[] = L"MS UI Gothic";

// The string table's texts, loaded once at the start rather than every frame.
// Drawn in UTF-16: GDI's byte-string calls read the system's code page, which
// need not be Japanese.
struct ClockWords {
    wchar_t weekdays[7][32];
    wchar_t morning[32], afternoon[32];
    wchar_t dateFormat[64];  // year, month, day, weekday
};

struct ClockFace {
    int setting = 0;
    double x = 0.3, y = 0.4, dx = kDrift, dy = kDrift * 0.7;  // place in the free room, 0..1
    GdiObject timeFont, dateFont, noonFont;
    ClockWords words;
};
ClockFace face;

HFONT MakeFont(int height, int weight) {
    return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, kFace);
}

void LoadWords(ClockWords& w) {
    for (UINT day = 0; day < 7; ++day) LoadText(kWeekdayFirst + day, w.weekdays[day], 32);
    LoadText(kMorning, w.morning, 32);
    LoadText(kAfternoon, w.afternoon, 32);
    LoadText(kDateFormat, w.dateFormat, 64);
}

void Start(int setting, int width, int height) {
    (void)width;
    std::srand(GetTickCount());
    face.setting = setting;
    face.x = 0.1 + 0.8 * Random01();
    face.y = 0.1 + 0.8 * Random01();
    LoadWords(face.words);
    face.timeFont.reset(MakeFont(height / 5, FW_NORMAL));
    face.dateFont.reset(MakeFont(height / 17, FW_NORMAL));
    face.noonFont.reset(MakeFont(height / 14, FW_NORMAL));
}

// Bounces between the edges of the free room.
void Move(double& at, double& speed, double seconds) {
    at += speed * seconds;
    if (at < 0) {
        at = -at;
        speed = std::fabs(speed);
    } else if (at > 1) {
        at = 2 - at;
        speed = -std::fabs(speed);
    }
}

void Step(double seconds) {
    Move(face.x, face.dx, seconds);
    Move(face.y, face.dy, seconds);
}

// Night blue, darker towards the edges.
void PaintBackground(BYTE* bits, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double dx = (x - width / 2.0) / width, dy = (y - height * 0.4) / height;
            double glow = std::max(0.0, 1 - std::sqrt(dx * dx + dy * dy) * 1.6);
            BYTE* p = bits + (static_cast<std::size_t>(y) * width + x) * 4;
            p[0] = static_cast<BYTE>(14 + 40 * glow);
            p[1] = static_cast<BYTE>(6 + 18 * glow);
            p[2] = static_cast<BYTE>(3 + 8 * glow);
            p[3] = 0;
        }
    }
}
Backdrop background(PaintBackground);

struct ClockTexts {
    std::wstring time;
    std::wstring noon;  // 午前 or 午後 on the 12-hour clock, else empty
    std::wstring date;
};

// The date format's "%d"s take the numbers in order and its "%s" the
// weekday; nothing else in it is formatted.
std::wstring FormatDate(const wchar_t* format, const int (&numbers)[3], const wchar_t* weekday) {
    std::wstring out;
    int next = 0;
    for (const wchar_t* p = format; *p; ++p) {
        if (p[0] == L'%' && p[1] == L'd' && next < 3) {
            out += std::to_wstring(numbers[next++]);
            ++p;
        } else if (p[0] == L'%' && p[1] == L's') {
            out += weekday;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

void FormatNow(ClockTexts& t) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    int hour = now.wHour;
    const ClockWords& w = face.words;
    t.noon.clear();
    if (face.setting == kTwelveHours) {
        t.noon = hour < 12 ? w.morning : w.afternoon;
        hour %= 12;
    }
    wchar_t time[32];
    std::swprintf(time, 32, L"%d:%02d:%02d", hour, now.wMinute, now.wSecond);
    t.time = time;
    t.date = FormatDate(w.dateFormat, {now.wYear, now.wMonth, now.wDay}, w.weekdays[now.wDayOfWeek % 7]);
}

SIZE TextSize(HDC dc, HGDIOBJ font, const std::wstring& text) {
    SelectObject(dc, font);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// The text with a soft halo, then the text itself.
void GlowText(HDC dc, int x, int y, const std::wstring& text, COLORREF color, COLORREF halo) {
    const int n = static_cast<int>(text.size());
    SetTextColor(dc, halo);
    for (int dy = -2; dy <= 2; dy += 2)
        for (int dx = -2; dx <= 2; dx += 2)
            if (dx || dy) TextOutW(dc, x + dx, y + dy, text.c_str(), n);
    SetTextColor(dc, color);
    TextOutW(dc, x, y, text.c_str(), n);
}

void Draw(HDC dc, int width, int height) {
    background.Draw(dc, width, height);

    ClockTexts t;
    FormatNow(t);
    HGDIOBJ oldFont = SelectObject(dc, face.timeFont.get());
    // Measured with the widest digits, so the block does not twitch as they change.
    SIZE time = TextSize(dc, face.timeFont.get(), L"00:00:00");
    SIZE noon = !t.noon.empty() ? TextSize(dc, face.noonFont.get(), t.noon) : SIZE{0, 0};
    SIZE date = TextSize(dc, face.dateFont.get(), t.date);
    int gap = noon.cx ? noon.cy / 3 : 0;
    int timeRow = noon.cx + gap + time.cx;
    int blockWidth = std::max(timeRow, static_cast<int>(date.cx));
    int blockHeight = time.cy + date.cy;
    int left = static_cast<int>(face.x * std::max(0, width - blockWidth));
    int top = static_cast<int>(face.y * std::max(0, height - blockHeight));

    SetBkMode(dc, TRANSPARENT);
    int rowLeft = left + (blockWidth - timeRow) / 2;
    if (noon.cx) {
        SelectObject(dc, face.noonFont.get());
        GlowText(dc, rowLeft, top + time.cy - noon.cy - time.cy / 8, t.noon, RGB(170, 195, 230), RGB(20, 40, 80));
    }
    SelectObject(dc, face.timeFont.get());
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    GlowText(dc, rowLeft + noon.cx + gap + time.cx / 2, top, t.time, RGB(235, 243, 255), RGB(25, 50, 100));
    SelectObject(dc, face.dateFont.get());
    GlowText(dc, left + blockWidth / 2, top + time.cy, t.date, RGB(160, 185, 220), RGB(15, 30, 60));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SelectObject(dc, oldFont);
}

}  // namespace

const SaverDefinition ThisSaver{
    "Clock", 100, {"HourStyle", 2, 0}, Start, Step, Draw,
};
