#pragma once
// Rows whose files a batch rename names by their own word: the stylesheet Echo.xsl beside the
// test program gives each record the text of its NewName element.
#include "RunTestSupport.h"

#include "RecordFixtures.h"

#include <algorithm>
#include <string>
#include <vector>

namespace echo {

const char kStylesheet[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
    "<xsl:output method=\"text\"/>\n"
    "<xsl:template match=\"/\"><xsl:value-of select=\"normalize-space(/*/NewName)\"/></xsl:template>\n"
    "</xsl:stylesheet>\n";

// The main window with the batch rename set to Echo.xsl; every question answered Yes.
class EchoWindow : public runtest::RunWindow {
protected:
    static void SetUpTestSuite()
    {
        RunWindow::SetUpTestSuite();
        HANDLE file = CreateFileA(runtest::BesideTheProgram("Echo.xsl").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, kStylesheet, sizeof(kStylesheet) - 1, &written, nullptr);
        CloseHandle(file);
    }
    void SetUp() override
    {
        RunWindow::SetUp();
        boxes.answer = IDYES;
        mainWnd.data.option.templates["Rename"].value = "Echo.xsl";
    }

    // A folder of the test's own in the scratch folder.
    void UseFolder(const std::string& name)
    {
        folderName = name;
        folder = runtest::Folder(folderName);
    }
    // A row for the file name in the folder whose record's NewName is newName (UTF-8).
    int EchoRow(const std::string& name, const std::string& newName)
    {
        return AddRow(fixtures::WriteRecord(folderName + "\\" + name,
                                            "<GameSettings><NewName>" + newName + "</NewName></GameSettings>"));
    }
    // Rows r1.rec, r2.rec, ... in a folder of that name, named by Echo.xsl with the given names,
    // all selected.
    void EchoRows(const std::string& name, const std::vector<std::string>& newNames)
    {
        UseFolder(name);
        std::vector<int> rows;
        for (size_t i = 0; i < newNames.size(); ++i)
            rows.push_back(EchoRow("r" + std::to_string(i + 1) + ".rec", newNames[i]));
        Select(rows);
    }
    // The first column of every row, in list order.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int row = 0; row < mainWnd.list.GetItemCount(); ++row)
            rows.push_back(RowText(row));
        return rows;
    }
    std::vector<std::string> Files() { return runtest::FilesIn(folder); }

    std::string folderName;
    std::string folder;
};

// Names "prefix1", "prefix2", ... "prefixN".
inline std::vector<std::string> Numbered(const std::string& prefix, int count)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(prefix + std::to_string(i));
    return names;
}

// The same names with an extension, sorted as the folder lists them.
inline std::vector<std::string> Sorted(std::vector<std::string> names, const std::string& extension = ".rec")
{
    for (std::string& name : names)
        name += extension;
    std::sort(names.begin(), names.end());
    return names;
}

}
