// The Japanese guide beside the program: a text that Notepad on a Japanese Windows shows as it
// is, and that names every command of the program's menus as the menus show it.
#include "resources/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string BinaryPath(const std::string& name)
{
    return std::string(std::getenv("TV_BINARY_DIR")) + "\\bin\\" + name;
}

std::string Guide()
{
    std::ifstream in(BinaryPath("はじめにお読みください.txt"), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The guide's lines without their CR LF.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A menu item as the guide writes it: the text before the key, without the "&" that marks the
// underlined letter and without a trailing "...": "検索(&F)...\tCtrl+F" is "検索(F)" with the key
// "Ctrl+F".
struct Command {
    std::string name;
    std::string key;
};

Command AsWritten(const std::string& text)
{
    Command command;
    size_t tab = text.find('\t');
    std::string name = text.substr(0, tab);
    if (tab != std::string::npos)
        command.key = text.substr(tab + 1);
    for (char c : name) {
        if (c != '&')
            command.name += c;
    }
    while (!command.name.empty() && (command.name.back() == '.' || command.name.back() == ' '))
        command.name.pop_back();
    return command;
}

// Every item of the menu and its submenus: the commands, and the submenus' own titles.
void Collect(HMENU menu, std::vector<Command>& commands, std::vector<std::string>& titles)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = sizeof(text);
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &item));
        if (item.fType & MFT_SEPARATOR)
            continue;
        if (item.hSubMenu) {
            titles.push_back(AsWritten(text).name);
            Collect(item.hSubMenu, commands, titles);
        } else {
            commands.push_back(AsWritten(text));
        }
    }
}

struct MenuCase {
    const char* label;
    int resource;
    // The menu bar shows its popups' titles; a context menu's one popup has an unseen title.
    bool titlesShown;
};

class GuideMenu : public ::testing::TestWithParam<MenuCase> {};

}

TEST(Guide, ShiftJisWithCrLfAsNotepadReadsIt)
{
    std::string text = Guide();
    ASSERT_GT(text.size(), 1000u) << "no guide beside the program";
    EXPECT_NE(0u, text.rfind("\xEF\xBB\xBF", 0)) << "no UTF-8 byte order mark";
    int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    ASSERT_GT(length, 0) << "not valid Shift_JIS";
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    std::string back(WideCharToMultiByte(932, 0, wide.data(), length, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(932, 0, wide.data(), length, &back[0], static_cast<int>(back.size()), nullptr, nullptr);
    EXPECT_EQ(text, back) << "Shift_JIS that reads back the same";
    EXPECT_NE(std::wstring::npos, wide.find(L"はじめにお読みください")) << "Japanese text";

    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "a line feed without CR at byte " << i;
        }
        if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "a CR without line feed at byte " << i;
        }
    }
    EXPECT_EQ("\r\n", text.substr(text.size() - 2)) << "the last line ends too";
    std::vector<std::string> lines = Lines(text);
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_LE(lines[i].size(), 80u) << "line " << i + 1 << " is wider than 80 columns: " << lines[i];
}

TEST_P(GuideMenu, NamesEveryCommandWithItsKeyOnOneLine)
{
    HMODULE program = LoadLibraryExA(BinaryPath("tallyvane.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, program);
    HMENU menu = LoadMenuA(program, MAKEINTRESOURCEA(GetParam().resource));
    ASSERT_NE(nullptr, menu);
    std::vector<Command> commands;
    std::vector<std::string> titles;
    Collect(menu, commands, titles);
    DestroyMenu(menu);
    FreeLibrary(program);
    ASSERT_FALSE(commands.empty());

    std::string guide = Guide();
    std::vector<std::string> lines = Lines(guide);
    for (const Command& command : commands) {
        bool found = false;
        for (const std::string& line : lines) {
            if (line.find(command.name) != std::string::npos && line.find(command.key) != std::string::npos)
                found = true;
        }
        EXPECT_TRUE(found) << "the guide has no line with \"" << command.name << "\" and its key \""
                           << command.key << "\"";
    }
    if (GetParam().titlesShown) {
        for (const std::string& title : titles)
            EXPECT_NE(std::string::npos, guide.find(title)) << "the guide does not name the menu \"" << title << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(Menus, GuideMenu,
                         ::testing::Values(MenuCase{"MainMenu", IDR_MAINMENU, true},
                                           MenuCase{"TreeMenu", IDR_TREEMENU, false}),
                         [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.label); });

namespace {

// What a player on Linux has to know, as the guide's Linux section says it (Shift_JIS here as
// there).
struct LinuxFact {
    const char* name;
    const char* text;
};

const LinuxFact kLinuxFacts[] = {
    {"WhereThePrefixIs", "~/.local/share/tallyvane/prefix"},
    {"HowBigItIs", "約 700 MB"},
    {"ThatItStaysAfterRemove", "sudo apt-get remove tallyvane でプログラムを削除しても"},
    {"HowToRemoveIt", "rm -rf ~/.local/share/tallyvane"},
    {"ThatTheGameFoldersAreNotFound", "「Karthenがインストールされていません。」"},
    {"WhereTheLicencesAre", "/usr/share/doc/tallyvane/copyright"},
    {"ThatTheOutputIsUtf8", "ファイルへ、「|」で他のプログラムへ渡すときも UTF-8 です"},
};

void PrintTo(const LinuxFact& fact, std::ostream* os)
{
    *os << fact.name;
}

class GuideLinux : public ::testing::TestWithParam<LinuxFact> {};

}

TEST_P(GuideLinux, SectionTells)
{
    std::string guide = Guide();
    size_t start = guide.find("\r\n12. Linux");
    size_t end = guide.find("\r\n13. ", start);
    ASSERT_NE(std::string::npos, start) << "no Linux section";
    std::string section = guide.substr(start, end - start);
    // The section's lines joined, so that a text may run over a line's end.
    std::string joined;
    for (const std::string& line : Lines(section)) {
        size_t first = line.find_first_not_of(' ');
        joined += first == std::string::npos ? "" : line.substr(first);
    }
    std::string text = GetParam().text;
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    joined.erase(std::remove(joined.begin(), joined.end(), ' '), joined.end());
    EXPECT_NE(std::string::npos, joined.find(text)) << "the Linux section does not say \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Facts, GuideLinux, ::testing::ValuesIn(kLinuxFacts),
                         [](const ::testing::TestParamInfo<LinuxFact>& info) { return std::string(info.param.name); });
