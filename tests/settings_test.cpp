// The settings record and its registry values.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/fixture.h"

namespace {

using SettingsTest = MainWindowTest;

TEST_F(SettingsTest, FirstStartGivesDefaultsAndCreatesTheKey) {
    DeleteSettingsKey();
    AppSettings = Settings{};
    AppSettings.ChgTime = 77;  // every field is filled, defaults included
    LoadSettings();
    EXPECT_EQ(AppSettings.ChgTime, 30);
    EXPECT_EQ(AppSettings.SSPos, 4);
    EXPECT_EQ(AppSettings.TimPtn, 1);
    EXPECT_EQ(AppSettings.FulScr, 1);  // the full-screen rule is on until the user turns it off
    for (int v : {AppSettings.EndSave, AppSettings.ZOrder, AppSettings.LopPlay, AppSettings.TskTray,
                  AppSettings.ScrSave, AppSettings.SscBgn, AppSettings.SscTim, AppSettings.MainL,
                  AppSettings.MainB, AppSettings.ViewL, AppSettings.ViewB})
        EXPECT_EQ(v, 0);
    EXPECT_TRUE(SettingsKeyExists());
}

TEST_F(SettingsTest, HandEditedValuesAreReadAsStored) {
    struct Case {
        const char* name;
        int stored;
        int Settings::*field;
    } cases[] = {
        {"ZOrder", 2, &Settings::ZOrder},   {"EndSave", 2, &Settings::EndSave}, {"SscBgn", 5, &Settings::SscBgn},
        {"SSPos", 5, &Settings::SSPos},     {"TimPtn", 3, &Settings::TimPtn},   {"ChgTime", 999, &Settings::ChgTime},
        {"ViewR", -20, &Settings::ViewR},   {"LopPlay", 1, &Settings::LopPlay}, {"FulScr", 0, &Settings::FulScr},
    };
    for (const Case& c : cases) WriteSettingInt(c.name, c.stored);
    LoadSettings();
    for (const Case& c : cases) EXPECT_EQ(AppSettings.*c.field, c.stored) << c.name;
}

TEST_F(SettingsTest, WrongTypedValuesCountAsAbsent) {
    const char text[] = "12345678";
    const unsigned char wide[8] = {1, 0, 0, 0, 0, 0, 0, 1};
    const unsigned char shortValue[2] = {9, 0};
    WriteSettingRaw("ChgTime", REG_SZ, text, sizeof text);
    WriteSettingRaw("SSPos", REG_BINARY, wide, sizeof wide);
    WriteSettingRaw("TimPtn", REG_BINARY, shortValue, sizeof shortValue);
    WriteSettingRaw("LopPlay", REG_QWORD, wide, sizeof wide);
    struct Guarded {
        int field = 55;
        int after = 0x5A5A5A5A;
    } guarded;
    for (const char* name : {"ChgTime", "SSPos", "TimPtn", "LopPlay"}) {
        EXPECT_EQ(ReadSettingDword(name, &guarded.field), 0) << name;
        EXPECT_EQ(guarded.field, 55) << name;  // a failed read leaves the field alone
        EXPECT_EQ(guarded.after, 0x5A5A5A5A) << name;
    }
    LoadSettings();
    EXPECT_EQ(AppSettings.ChgTime, 30);
    EXPECT_EQ(AppSettings.SSPos, 4);
    EXPECT_EQ(AppSettings.TimPtn, 1);
    EXPECT_EQ(AppSettings.LopPlay, 0);
}

TEST_F(SettingsTest, WriteThenReadBack) {
    WriteSettingDword("ChgTime", 120);
    int v = 0;
    EXPECT_EQ(ReadSettingDword("ChgTime", &v), 1);
    EXPECT_EQ(v, 120);
    EXPECT_EQ(ReadSettingDword("NoSuchValue", &v), 0);
    EXPECT_EQ(v, 120);
}

}  // namespace
