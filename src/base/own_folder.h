// Folders the program made and marked as its own. Only such a folder is ever
// emptied: a folder of the same name that the user had, or that an older
// version made without a mark, cannot be told from the user's own and is
// left alone with everything in it.
#pragma once

// The mark: a file of this name whose first line is kOwnFolderSignature
// followed by CR LF. A user's folder does not hold it by chance.
extern const char kOwnFolderMarkName[];   // "Zelvista.tag"
extern const char kOwnFolderSignature[];  // "Zelvista work folder ..." with a number of its own

enum class OwnFolder {
    Ours,        // carries the mark (made and marked now, or earlier)
    NotOurs,     // is there, holds something, and carries no mark: left alone
    CannotMake,  // no path, a file of that name, or a place the program may not write to
};

// Makes folder (ending with a backslash) the program's own: a missing folder
// is made and marked, and so is an empty one, which holds nothing of anyone's.
OwnFolder MakeOwnFolder(const char* folder);

// The one check before anything is deleted: folder carries the mark.
bool IsOwnFolder(const char* folder);

// Deletes the files directly inside folder, except the mark and the file
// named keep (when given), after IsOwnFolder; false, with nothing deleted,
// when the folder is not the program's own. Subfolders stay.
bool EmptyOwnFolder(const char* folder, const char* keep = nullptr);

// Deletes one file of the program's own inside folder, after IsOwnFolder;
// false when the folder is not the program's own or the file is not deleted.
bool DeleteOwnFile(const char* folder, const char* name);
