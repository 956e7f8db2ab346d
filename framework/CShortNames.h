#pragma once
#include <windows.h>

#include <map>
#include <string>

// How the program names files in the ANSI code page: by their long names when those convert
// exactly, else by their short (8.3) names, which are ASCII. A short name is taken only when no
// other entry of its folder answers to it: Wine makes a short name from a 15-bit hash of the long
// name, so that two files of a folder can share one, which then opens the first of them alone.
// Each folder is read once for that, the first time one of its files needs its short name.
class CShortNames {
public:
    // The name by which the program opens an entry of a folder (the folder in UTF-16 as the
    // system gives it); false (name empty) when neither of its names will do.
    bool NameOf(const std::wstring& folder, const WIN32_FIND_DATAW& entry, std::string& name);
    // The same for a file of a folder known by its long name; false also when it is not there.
    bool NameOf(const std::wstring& folder, const std::wstring& longName, std::string& name);

private:
    // How many entries of the folder answer to a name: those that have it as their long or as
    // their short name, letter case aside.
    int Answering(const std::wstring& folder, const std::wstring& name);

    // Per folder, the number of entries by each of their names, upper-cased.
    std::map<std::wstring, std::map<std::wstring, int>> folders;
};
