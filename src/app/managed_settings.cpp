#include "app/managed_settings.h"

#include <iterator>
#include <string>

#include "app/commands.h"
#include "app/main_window.h"
#include "base/strings.h"
#include "base/text.h"
#include "base/wide.h"
#include "res/resource.h"
#include "system/secure_saver.h"

namespace {

// The commands that change a setting a policy may fix, and the reason shown
// while it does.
struct ManagedCommand {
    int command;
    ManagedSetting setting;
};
const ManagedCommand kManagedCommands[] = {
    {kCmdSaverOff, ManagedSetting::Active},  {kCmdSaverOn, ManagedSetting::Active},
    {kCmdWait1, ManagedSetting::Timeout},    {kCmdWait2, ManagedSetting::Timeout},
    {kCmdWait3, ManagedSetting::Timeout},    {kCmdWait4, ManagedSetting::Timeout},
    {kCmdWait5, ManagedSetting::Timeout},    {kCmdWait10, ManagedSetting::Timeout},
    {kCmdWait15, ManagedSetting::Timeout},   {kCmdWait20, ManagedSetting::Timeout},
    {kCmdSetStandard, ManagedSetting::StandardSaver},
};
struct SettingReason {
    ManagedSetting setting;
    unsigned reason;
};
const SettingReason kReasons[] = {
    {ManagedSetting::Active, IDS_POLICY_ACTIVE},
    {ManagedSetting::Timeout, IDS_POLICY_TIMEOUT},
    {ManagedSetting::StandardSaver, IDS_POLICY_STANDARD},
};

// The policy as the menu being shown found it, for the status bar while
// the user moves through it.
ScreenSaverPolicy menuPolicy;
// The tooltip's text must outlive the notification that asks for it.
std::wstring tooltip;

bool AnySettingFixed(const ScreenSaverPolicy& policy) {
    for (const SettingReason& r : kReasons)
        if (PolicyFixes(policy, r.setting)) return true;
    return false;
}

// True while the status bar's text is the standing note below.
bool standingNoteShown = false;

// The standing note: shown while the policy fixes anything the program
// changes. The status bar also tells what playback skipped; that text stays
// until playback clears it, so the note takes only an empty bar and clears
// only itself.
void ShowStandingNote(const ScreenSaverPolicy& policy) {
    if (!MainChildren.statusBar) return;
    const bool empty = LOWORD(SendMessageW(MainChildren.statusBar, SB_GETTEXTLENGTHW, 0, 0)) == 0;
    if (!empty && !standingNoteShown) return;
    const std::string note = AnySettingFixed(policy) ? LoadText(IDS_POLICY_STATUS) : std::string();
    SendMessageW(MainChildren.statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Wide(note).c_str()));
    standingNoteShown = !note.empty();
}

// Over a disabled menu item the reason shows in the bar's simple mode, which
// gives the bar's own text back when the menu closes.
void ShowMenuReason(unsigned reason) {
    if (!MainChildren.statusBar) return;
    if (!reason) {
        SendMessageA(MainChildren.statusBar, SB_SIMPLE, FALSE, 0);
        return;
    }
    const std::string text = LoadText(reason);
    SendMessageA(MainChildren.statusBar, SB_SIMPLE, TRUE, 0);
    SendMessageW(MainChildren.statusBar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

// Menu texts are read and written in UTF-16: the menu comes from the
// resources in UTF-16, and the process's code page may not be 932.
std::wstring ItemText(HMENU menu, UINT position) {
    wchar_t text[256] = L"";
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = text;
    item.cch = static_cast<UINT>(std::size(text));
    if (!GetMenuItemInfoW(menu, position, TRUE, &item)) return std::wstring();
    return text;
}

void SetItemText(HMENU menu, UINT position, const std::wstring& text) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, position, TRUE, &item);
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return !end.empty() && text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Greys the item and marks it, or gives it back; its text keeps one mark at most.
void SetItemBlocked(HMENU menu, UINT position, bool blocked, const std::wstring& mark) {
    EnableMenuItem(menu, position, MF_BYPOSITION | (blocked ? MF_GRAYED : MF_ENABLED));
    const std::wstring text = ItemText(menu, position);
    const bool marked = EndsWith(text, mark);
    if (blocked && !marked) SetItemText(menu, position, text + mark);
    if (!blocked && marked) SetItemText(menu, position, text.substr(0, text.size() - mark.size()));
}

// Applies the policy to the menu's items; true when it holds commands and
// every one of them is disabled.
bool ApplyToItems(HMENU menu, const ScreenSaverPolicy& policy, const std::wstring& mark) {
    const int count = GetMenuItemCount(menu);
    int commands = 0, blocked = 0;
    for (int i = 0; i < count; ++i) {
        const UINT position = static_cast<UINT>(i);
        bool itemBlocked = false;
        if (HMENU sub = GetSubMenu(menu, i)) {
            // A submenu of disabled commands is greyed itself; its items
            // say why when it opens, which it then cannot.
            itemBlocked = ApplyToItems(sub, policy, mark);
            if (itemBlocked || EndsWith(ItemText(menu, position), mark))
                SetItemBlocked(menu, position, itemBlocked, mark);
        } else {
            const UINT id = GetMenuItemID(menu, i);
            ManagedSetting setting;
            if (id == static_cast<UINT>(-1) || id == 0 || !CommandSetting(static_cast<int>(id), &setting)) continue;
            itemBlocked = PolicyFixes(policy, setting);
            SetItemBlocked(menu, position, itemBlocked, mark);
        }
        ++commands;
        if (itemBlocked) ++blocked;
    }
    return commands > 0 && blocked == commands;
}

}  // namespace

bool CommandSetting(int command, ManagedSetting* setting) {
    for (const ManagedCommand& m : kManagedCommands) {
        if (m.command != command) continue;
        *setting = m.setting;
        return true;
    }
    return false;
}

unsigned PolicyReasonForCommand(int command, const ScreenSaverPolicy& policy) {
    ManagedSetting setting;
    if (!CommandSetting(command, &setting) || !PolicyFixes(policy, setting)) return 0;
    for (const SettingReason& r : kReasons)
        if (r.setting == setting) return r.reason;
    return 0;
}

void ApplyPolicyToMenu(HMENU menu) {
    menuPolicy = ReadScreenSaverPolicy();
    ApplyToItems(menu, menuPolicy, std::wstring(Wide(LoadText(IDS_POLICY_MENU_MARK)).view()));
}

void OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) {  // the menu has closed
        ShowMenuReason(0);
        ShowStandingNote(ReadScreenSaverPolicy());
        return;
    }
    ShowMenuReason((flags & MF_POPUP) ? 0 : PolicyReasonForCommand(LOWORD(wParam), menuPolicy));
}

void RefreshPolicyState() {
    const ScreenSaverPolicy policy = ReadScreenSaverPolicy();
    if (MainChildren.toolbar) {
        for (const ManagedCommand& m : kManagedCommands)
            SendMessageA(MainChildren.toolbar, TB_ENABLEBUTTON, m.command, MAKELPARAM(!PolicyFixes(policy, m.setting), 0));
    }
    ShowStandingNote(policy);
}

const wchar_t* PolicyTooltip(int command) {
    const unsigned reason = PolicyReasonForCommand(command, ReadScreenSaverPolicy());
    if (!reason) return nullptr;
    tooltip = Wide(LoadText(reason)).view();
    return tooltip.c_str();
}

bool AdmitManagedCommand(HWND owner, int command) {
    const unsigned reason = PolicyReasonForCommand(command, ReadScreenSaverPolicy());
    if (!reason) return true;
    const std::string text = LoadText(reason);
    const std::string caption = LoadText(IDS_APP_TITLE);
    ShowMessageBox(owner, text, caption, MB_OK | MB_ICONINFORMATION);
    return false;
}

SystemSaverFacts ReadSystemSaverFacts() {
    const ScreenSaverPolicy policy = ReadScreenSaverPolicy();
    SystemSaverFacts facts;
    facts.standardSaverFixed = PolicyFixes(policy, ManagedSetting::StandardSaver);
    facts.saverForcedOff = policy.activeFixed && !policy.active;
    facts.secure = ReadScreenSaverSecure(policy);
    const DWORD grace = ReadGracePeriodSeconds();
    facts.graceSeconds = static_cast<int>(grace);
    facts.changerCanCatch = ChangerCanCatchSecureSaver(grace * 1000);
    return facts;
}
