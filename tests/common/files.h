// Files and folders as the tests see them, for in-process and end-to-end tests alike.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

bool FileExists(const std::string &path);

// The whole file; empty when it cannot be opened.
std::vector<BYTE> ReadFileBytes(const std::string &path);

// Makes the file hold exactly these bytes.
void WriteFileBytes(const std::string &path, const std::vector<BYTE> &bytes);

// Names of everything in the folder, "." and ".." left out.
std::vector<std::string> FolderEntries(const std::string &folder);

// Removes the folder with everything in it, read-only files too; nonzero
// when the folder is gone.
int RemoveFolderTree(const std::string &folder);
