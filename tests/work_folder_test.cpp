// The work folder: only a folder the program made and marked is ever
// emptied; a folder of the user's is left alone with everything in it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "base/own_folder.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "launch_support.h"
#include "list/entry_list.h"
#include "play/prepare_entry.h"
#include "res/resource.h"
#include "support/files.h"

namespace {

std::string MarkText() {
    return std::string(kOwnFolderSignature) + "\r\n";
}

// What a folder holds before: files (name and bytes; a name ending in a
// backslash is a folder) and then what the program makes of it.
struct OwnFolderCase {
    const char* name;
    bool exists;
    std::vector<std::pair<std::string, std::string>> files;
    OwnFolder made;                  // MakeOwnFolder
    std::vector<std::string> after;  // what is left after EmptyOwnFolder(folder, "Recovered.lst")
};

TEST(OwnFolderTest, OnlyAMarkedFolderIsEmptied) {
    const std::string mark = kOwnFolderMarkName;
    const OwnFolderCase cases[] = {
        {"missing: made and marked", false, {}, OwnFolder::Ours, {mark}},
        {"empty, of anyone: marked", true, {}, OwnFolder::Ours, {mark}},
        {"the user's, with files", true, {{"my notes.txt", "mine"}, {"a.scr", "x"}}, OwnFolder::NotOurs,
         {"a.scr", "my notes.txt"}},
        {"the user's, with only a folder in it", true, {{"sub\\", ""}}, OwnFolder::NotOurs, {"sub"}},
        {"a file of the mark's name but not the mark", true, {{mark, "my own tag\r\n"}, {"my notes.txt", "mine"}},
         OwnFolder::NotOurs, {mark, "my notes.txt"}},
        {"the signature without its line end", true,
         {{mark, std::string(kOwnFolderSignature)}, {"my notes.txt", "mine"}}, OwnFolder::NotOurs,
         {mark, "my notes.txt"}},
        {"the signature with more on its line", true,
         {{mark, std::string(kOwnFolderSignature) + "x\r\n"}, {"my notes.txt", "mine"}}, OwnFolder::NotOurs,
         {mark, "my notes.txt"}},
        {"ours, with files and a subfolder", true,
         {{mark, MarkText() + "what it says\r\n"},
          {"a.scr", "x"},
          {"~zl0", "y"},
          {"Recovered.lst", "kept"},
          {"sub\\", ""},
          {"sub\\inner.txt", "z"}},
         OwnFolder::Ours, {"Recovered.lst", mark, "sub"}},
    };
    for (const OwnFolderCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder scratch;
        const std::string folder = scratch.path() + "Work\\";
        if (c.exists) {
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        }
        for (const auto& [name, bytes] : c.files) {
            if (name.back() == '\\') {
                ASSERT_TRUE(CreateDirectoryA((folder + name).c_str(), nullptr));
            } else {
                WriteFileBytes(folder + name, bytes);
            }
        }
        EXPECT_EQ(MakeOwnFolder(folder.c_str()), c.made);
        EXPECT_EQ(IsOwnFolder(folder.c_str()), c.made == OwnFolder::Ours);
        EXPECT_EQ(EmptyOwnFolder(folder.c_str(), "Recovered.lst"), c.made == OwnFolder::Ours);
        EXPECT_EQ(FolderEntries(folder), c.after);
        // Nothing of a folder that is not ours changed.
        for (const auto& [name, bytes] : c.files) {
            if (c.made != OwnFolder::Ours && name.back() != '\\') {
                EXPECT_EQ(ReadFileBytes(folder + name), bytes);
            }
        }
        if (c.made == OwnFolder::Ours) {
            EXPECT_EQ(ReadFileBytes(folder + mark).substr(0, MarkText().size()), MarkText());
        }
    }
}

TEST(OwnFolderTest, WhatCannotBeMadeOursAndSingleFiles) {
    ScratchFolder scratch;
    const std::string file = scratch.path() + "Work";
    WriteFileBytes(file, "a file of that name");
    EXPECT_EQ(MakeOwnFolder((file + "\\").c_str()), OwnFolder::CannotMake);
    EXPECT_EQ(ReadFileBytes(file), "a file of that name");
    EXPECT_EQ(MakeOwnFolder(""), OwnFolder::CannotMake);
    EXPECT_EQ(MakeOwnFolder((scratch.path() + "no\\such\\place\\").c_str()), OwnFolder::CannotMake);
    EXPECT_FALSE(EmptyOwnFolder(""));

    // One file: only inside a folder of ours, never the mark, never outside.
    const std::string users = scratch.path() + "Users\\", ours = scratch.path() + "Ours\\";
    ASSERT_TRUE(CreateDirectoryA(users.c_str(), nullptr));
    WriteFileBytes(users + "Recovered.lst", "mine");
    WriteFileBytes(scratch.path() + "outside.txt", "mine");
    ASSERT_EQ(MakeOwnFolder(ours.c_str()), OwnFolder::Ours);
    WriteFileBytes(ours + "Recovered.lst", "kept");
    EXPECT_FALSE(DeleteOwnFile(users.c_str(), "Recovered.lst"));
    EXPECT_FALSE(DeleteOwnFile(ours.c_str(), kOwnFolderMarkName));
    EXPECT_FALSE(DeleteOwnFile(ours.c_str(), "..\\outside.txt"));
    EXPECT_TRUE(DeleteOwnFile(ours.c_str(), "Recovered.lst"));
    EXPECT_EQ(FolderEntries(users), std::vector<std::string>{"Recovered.lst"});
    EXPECT_EQ(FolderEntries(ours), std::vector<std::string>{kOwnFolderMarkName});
    EXPECT_EQ(ReadFileBytes(scratch.path() + "outside.txt"), "mine");
}

// The program at start-up and preparing an archived entry, with a folder of
// the user's where the work folder goes and a "temp" folder of the user's
// (or of an older version) beside it.
using WorkFolderStartTest = SaverRunTest;

TEST_F(WorkFolderStartTest, FoldersOfTheUsersAreLeftAlone) {
    const std::string work = TestProgramFolder() + kWorkFolderName;
    const std::string temp = TestProgramFolder() + "temp\\";
    const bool tempThere = GetFileAttributesA(temp.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!tempThere) {
        ASSERT_TRUE(CreateDirectoryA(temp.c_str(), nullptr));
    }
    WriteFileBytes(temp + "my notes.txt", "mine");
    const Row member = ArchivedProbe("lzh", "ArcProbe.scr");

    // Our own work folder beside the user's temp folder: the member goes into
    // ours, and temp keeps its file.
    Restart();
    ASSERT_EQ(std::string(AppPaths.WorkFolder), work);
    AddRow(member);
    EXPECT_EQ(PrepareEntry(0, AppPaths.WorkFolder).outcome, PrepareOutcome::Ready);
    EXPECT_EQ(WorkFolderFiles(), std::vector<std::string>{"ArcProbe.scr"});
    EXPECT_EQ(ReadFileBytes(temp + "my notes.txt"), "mine");

    // A folder of the work folder's name that the program did not make: told
    // once at start-up, used for nothing, its files kept.
    EmptyWorkFolder();
    ASSERT_TRUE(DeleteFileA((work + kOwnFolderMarkName).c_str()));
    WriteFileBytes(work + "my notes.txt", "mine too");
    {
        DialogDriver driver;
        driver.On("Zelvista", [](HWND box) { ClickButton(box, IDOK); });
        Restart();
        EXPECT_TRUE(driver.allHandled());
        ASSERT_EQ(driver.seen().size(), 1u);
        EXPECT_EQ(driver.seen()[0].text, FormatText(IDS_WORK_FOLDER_NOT_OURS, work));
    }
    EXPECT_STREQ(AppPaths.WorkFolder, "");
    AddRow(member);
    EXPECT_EQ(PrepareEntry(0, AppPaths.WorkFolder).outcome, PrepareOutcome::ExtractionFailed);
    EXPECT_EQ(FolderEntries(work), std::vector<std::string>{"my notes.txt"});
    EXPECT_EQ(ReadFileBytes(work + "my notes.txt"), "mine too");
    EXPECT_EQ(ReadFileBytes(temp + "my notes.txt"), "mine");

    // Emptied by its owner, the folder holds nothing of anyone's and becomes
    // the program's own at the next start.
    ASSERT_TRUE(DeleteFileA((work + "my notes.txt").c_str()));
    Restart();
    EXPECT_EQ(std::string(AppPaths.WorkFolder), work);
    EXPECT_TRUE(IsOwnFolder(work.c_str()));

    DeleteFileA((temp + "my notes.txt").c_str());
    if (!tempThere) RemoveDirectoryA(temp.c_str());
}

}  // namespace
