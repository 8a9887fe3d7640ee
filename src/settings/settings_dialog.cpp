#include "settings/settings_dialog.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "base/strings.h"
#include "base/wide.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "settings/settings_dialog_ids.h"

namespace {

constexpr int kMinSeconds = 1;
constexpr int kMaxSeconds = 999;
constexpr int kSecondsDigits = 3;

// A check box and the option behind it. Hand-edited values are shown the way
// the program reads them: some options are on only at 1, others at any
// value but 0.
struct CheckOption {
    int control;
    int Settings::*field;
    const char* valueName;
    bool onWhenNotZero;
};
// In the order their values are stored: those before the corner, then those after it.
const CheckOption kChecksBeforeCorner[] = {
    {IDC_SET_END_SAVE, &Settings::EndSave, kEndSave, false},
    {IDC_SET_ON_TOP, &Settings::ZOrder, kZOrder, true},
    {IDC_SET_LOOP, &Settings::LopPlay, kLopPlay, false},
    {IDC_SET_TRAY_AT_START, &Settings::TskTray, kTskTray, false},
    {IDC_SET_CORNER_START, &Settings::ScrSave, kScrSave, false},
};
const CheckOption kChecksAfterCorner[] = {
    {IDC_SET_FULL_SCREEN, &Settings::FulScr, kFulScr, true},
    {IDC_SET_RANDOM_STANDARD, &Settings::SscBgn, kSscBgn, true},
    {IDC_SET_CHANGER, &Settings::SscTim, kSscTim, false},
};

// A radio button and the option value it stands for.
struct RadioChoice {
    int control;
    int value;
};
const RadioChoice kCornerChoices[] = {
    {IDC_SET_TOP_LEFT, 1}, {IDC_SET_TOP_RIGHT, 2}, {IDC_SET_BOTTOM_LEFT, 3}, {IDC_SET_BOTTOM_RIGHT, 4}};
const RadioChoice kOrderChoices[] = {{IDC_SET_IN_ORDER, 1}, {IDC_SET_AT_RANDOM, 2}};

// The pages in tab order, and which page each option control belongs to.
const UINT kPageTitles[] = {IDS_PAGE_START, IDS_PAGE_PLAY, IDS_PAGE_CORNER, IDS_PAGE_CHANGER};
struct PageControl {
    int control;
    int page;
};
const PageControl kPageControls[] = {
    {IDC_SET_END_SAVE, 0},        {IDC_SET_TRAY_AT_START, 0},   {IDC_SET_SECONDS_LABEL, 1},
    {IDC_SET_SECONDS, 1},         {IDC_SET_SECONDS_SPIN, 1},    {IDC_SET_ON_TOP, 1},
    {IDC_SET_LOOP, 1},            {IDC_SET_CORNER_START, 2},    {IDC_SET_CORNER_GROUP, 2},
    {IDC_SET_TOP_LEFT, 2},        {IDC_SET_TOP_RIGHT, 2},       {IDC_SET_BOTTOM_LEFT, 2},
    {IDC_SET_BOTTOM_RIGHT, 2},    {IDC_SET_FULL_SCREEN, 2},     {IDC_SET_RANDOM_STANDARD, 3},
    {IDC_SET_CHANGER, 3},         {IDC_SET_ORDER_GROUP, 3},     {IDC_SET_IN_ORDER, 3},
    {IDC_SET_AT_RANDOM, 3},
};
constexpr int kSecondsPage = 1;
constexpr int kCornerPage = 2;
constexpr int kChangerPage = 3;

// A master check box and the run of controls it enables.
struct EnablingRule {
    int master;
    int first;
    int last;
};
const EnablingRule kEnablingRules[] = {
    {IDC_SET_CORNER_START, IDC_SET_CORNER_GROUP, IDC_SET_FULL_SCREEN},
    {IDC_SET_CHANGER, IDC_SET_ORDER_GROUP, IDC_SET_AT_RANDOM},
};

// The dialog while it is open. The tray menu stays reachable meanwhile, and
// a second dialog would store its own, older state over the first one's.
HWND OpenDialog = nullptr;

// What the dialog is opened with, reached through the dialog.
struct DialogContext {
    HWND owner;
    const OptionTimers* timers;
    SystemSaverFacts facts;
};

// What the administrator's policy means for the options of a page, in plain
// words; empty when it means nothing there.
std::string PolicyNote(const SystemSaverFacts& facts, int page) {
    std::string note;
    auto add = [&note](unsigned id) {
        if (!note.empty()) note += "\n";
        note += LoadText(id);
    };
    if (page == kChangerPage && facts.standardSaverFixed) add(IDS_POLICY_STANDARD_NOTE);
    if (page == kCornerPage && facts.saverForcedOff) add(IDS_POLICY_CORNER_OFF);
    if (page == kChangerPage && facts.saverForcedOff) add(IDS_POLICY_CHANGER_OFF);
    return note;
}

// What the changer does with a password-protected system screen saver, in one line.
std::string SecureNote(const SystemSaverFacts& facts) {
    if (!facts.secure) return std::string();
    if (!facts.changerCanCatch) return LoadText(IDS_CHANGER_SECURE_NO_GRACE);
    return FormatText(IDS_CHANGER_SECURE, std::to_string(facts.graceSeconds));
}

const DialogContext* ContextOf(HWND dialog) {
    return reinterpret_cast<const DialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool IsChecked(HWND dialog, int control) {
    return SendDlgItemMessageA(dialog, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND dialog, int control, bool on) {
    SendDlgItemMessageA(dialog, control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ShowCheckOptions(HWND dialog, std::span<const CheckOption> options) {
    for (const CheckOption& option : options) {
        const int value = AppSettings.*option.field;
        SetCheck(dialog, option.control, option.onWhenNotZero ? value != 0 : value == 1);
    }
}

void ShowRadioChoice(HWND dialog, std::span<const RadioChoice> choices, int value) {
    for (const RadioChoice& choice : choices) SetCheck(dialog, choice.control, choice.value == value);
}

void StoreCheckOptions(HWND dialog, std::span<const CheckOption> options, std::vector<SettingValue>& values) {
    for (const CheckOption& option : options)
        values.push_back({option.valueName, IsChecked(dialog, option.control) ? 1 : 0});
}

// The field takes the value of the selected button and is written; with no
// button selected it keeps its value.
void StoreRadioChoice(HWND dialog, std::span<const RadioChoice> choices, int* field, const char* valueName,
                      std::vector<SettingValue>& values) {
    for (const RadioChoice& choice : choices)
        if (IsChecked(dialog, choice.control)) *field = choice.value;
    values.push_back({valueName, *field});
}

int ReadSecondsField(HWND dialog) {
    char text[kSecondsDigits + 1] = "";
    GetDlgItemTextA(dialog, IDC_SET_SECONDS, text, sizeof text);
    return static_cast<int>(std::strtol(text, nullptr, 10));
}

void ShowControl(HWND control, bool show) {
    const bool shown = (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (show != shown) ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
}

// A note of the page, shown only when it has something to say.
void ShowNote(HWND dialog, int control, const std::string& text) {
    SetDlgItemTextTo(dialog, control, text);
    ShowControl(GetDlgItem(dialog, control), !text.empty());
}

// Shows the option controls of the selected page and hides the others.
// Only controls whose state differs are touched, so nothing flickers.
void ShowSelectedPage(HWND dialog) {
    const LRESULT page = SendDlgItemMessageA(dialog, IDC_SETTINGS_TABS, TCM_GETCURSEL, 0, 0);
    for (const PageControl& pc : kPageControls) ShowControl(GetDlgItem(dialog, pc.control), pc.page == page);
    const DialogContext* context = ContextOf(dialog);
    const SystemSaverFacts facts = context ? context->facts : SystemSaverFacts{};
    ShowNote(dialog, IDC_SET_SECURE_NOTE, page == kChangerPage ? SecureNote(facts) : std::string());
    ShowNote(dialog, IDC_SET_POLICY_NOTE, PolicyNote(facts, static_cast<int>(page)));
}

void ApplyEnablingRule(HWND dialog, int master) {
    for (const EnablingRule& rule : kEnablingRules) {
        if (rule.master != master) continue;
        const bool on = IsChecked(dialog, master);
        for (int id = rule.first; id <= rule.last; ++id) EnableWindow(GetDlgItem(dialog, id), on);
    }
}

void InsertPages(HWND dialog) {
    HWND tabs = GetDlgItem(dialog, IDC_SETTINGS_TABS);
    // The option controls are the dialog's own and paint the dialog's
    // colour; a themed tab body would show a lighter box behind each.
    SetWindowTheme(tabs, L" ", L" ");
    int index = 0;
    for (UINT title : kPageTitles) {
        const Wide text(LoadText(title));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text.c_str());  // only read
        SendMessageW(tabs, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
    }
}

void SetUpSecondsField(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_SET_SECONDS);
    SendMessageA(edit, EM_LIMITTEXT, kSecondsDigits, 0);
    HWND spin = GetDlgItem(dialog, IDC_SET_SECONDS_SPIN);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(spin, UDM_SETRANGE32, kMinSeconds, kMaxSeconds);
    SendMessageA(spin, UDM_SETPOS32, 0, AppSettings.ChgTime);
    SetDlgItemInt(dialog, IDC_SET_SECONDS, static_cast<UINT>(AppSettings.ChgTime), TRUE);
}

INT_PTR OnInitDialog(HWND dialog, const DialogContext* context) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
    OpenDialog = dialog;
    ShowCheckOptions(dialog, kChecksBeforeCorner);
    ShowCheckOptions(dialog, kChecksAfterCorner);
    ShowRadioChoice(dialog, kCornerChoices, AppSettings.SSPos);
    ShowRadioChoice(dialog, kOrderChoices, AppSettings.TimPtn);
    SetUpSecondsField(dialog);
    InsertPages(dialog);
    ApplyEnablingRule(dialog, IDC_SET_CHANGER);
    ApplyEnablingRule(dialog, IDC_SET_CORNER_START);
    // The policy chooses the standard screen saver: no random one is made
    // at start-up, whatever the box says.
    if (context && context->facts.standardSaverFixed) EnableWindow(GetDlgItem(dialog, IDC_SET_RANDOM_STANDARD), FALSE);
    ShowSelectedPage(dialog);
    return TRUE;
}

// Writes the dialog's state to the registry, one value after another,
// through one opening of the key.
void StoreDialogSettings(HWND dialog) {
    std::vector<SettingValue> values{{kChgTime, ReadSecondsField(dialog)}};
    StoreCheckOptions(dialog, kChecksBeforeCorner, values);
    StoreRadioChoice(dialog, kCornerChoices, &AppSettings.SSPos, kSSPos, values);
    StoreCheckOptions(dialog, kChecksAfterCorner, values);
    StoreRadioChoice(dialog, kOrderChoices, &AppSettings.TimPtn, kTimPtn, values);
    WriteSettingDwords(values);
}

// Each timer is set again, the changer's with its new period, when its
// option is on, and stopped when it is off.
void RearmOptionTimers(const DialogContext& context) {
    const OptionTimers& timers = *context.timers;
    if (timers.startCornerTimer) timers.startCornerTimer(context.owner);
    if (timers.startChangerTimer) timers.startChangerTimer(context.owner);
    if (AppSettings.ScrSave != 1 && timers.stopCornerTimer) timers.stopCornerTimer(context.owner);
    if (AppSettings.SscTim != 1 && timers.stopChangerTimer) timers.stopChangerTimer(context.owner);
}

// The field may be on a page the user has left: bring it back into view.
void ShowSecondsError(HWND dialog) {
    ShowMessageBox(dialog, LoadText(IDS_SECONDS_RANGE), LoadText(IDS_SECONDS_ERROR),
                MB_ICONEXCLAMATION | MB_OK);
    SendDlgItemMessageA(dialog, IDC_SETTINGS_TABS, TCM_SETCURSEL, kSecondsPage, 0);
    ShowSelectedPage(dialog);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_SET_SECONDS)), TRUE);
}

void OnOk(HWND dialog) {
    const int seconds = ReadSecondsField(dialog);
    if (seconds < kMinSeconds || seconds > kMaxSeconds) {
        ShowSecondsError(dialog);
        return;
    }
    StoreDialogSettings(dialog);
    LoadSettings();
    if (const DialogContext* context = ContextOf(dialog)) RearmOptionTimers(*context);
    EndDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK: OnOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, 1); break;  // also Esc and the close box
    case IDC_SET_CORNER_START:
    case IDC_SET_CHANGER: ApplyEnablingRule(dialog, id); break;
    default: break;
    }
    return TRUE;
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<const DialogContext*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_SETTINGS_TABS || header->code != TCN_SELCHANGE) return FALSE;
        ShowSelectedPage(dialog);
        return TRUE;
    }
    default: return FALSE;
    }
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(dialog, message, wParam, lParam);
    } catch (...) {
        return FALSE;  // nothing may unwind into the dialog manager
    }
}

}  // namespace

void ShowSettingsDialog(HWND owner, const OptionTimers& timers, SystemSaverFacts (*readFacts)()) {
    if (OpenDialog) {
        SetForegroundWindow(OpenDialog);
        return;
    }
    const DialogContext context{owner, &timers, readFacts ? readFacts() : SystemSaverFacts{}};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), owner, SettingsDialogProc,
                    reinterpret_cast<LPARAM>(&context));
    OpenDialog = nullptr;
}
