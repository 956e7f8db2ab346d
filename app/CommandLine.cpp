#include "app/CommandLine.h"
#include "framework/StringUtil.h"
#include "record/CRecord.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <windows.h>

namespace {
const char* const kInstanceRunningText = "ほかの Tallyvane が起動しているため、実行できません。";

void WriteAll(HANDLE handle, const std::string& text)
{
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// "Error : " and the text with a line feed on standard error, when there is one.
void WriteError(const std::string& text)
{
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != INVALID_HANDLE_VALUE)
        WriteAll(error, "Error : " + text + "\n");
}
}

bool RunCommandLine()
{
    if (__argc < 2)
        return false;
    std::string errorText;
    try {
        CRecord record;
        if (!record.Load(__argv[1]))
            throw std::runtime_error(record.GetMessageText());
        HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
        if (output == INVALID_HANDLE_VALUE)
            throw std::runtime_error("STDOUT Open Error");
        if (!record.UnpackGameData(record.path))
            throw std::runtime_error(record.GetMessageText());
        std::string text = record.GetGameSettings();
        ReplaceAll(text, "\n", "\r\n");
        WriteAll(output, text);
    } catch (const std::exception& e) {
        errorText = e.what();
    }
    if (!errorText.empty())
        WriteError(errorText);
    return true;
}

void ReportInstanceRunning()
{
    if (__argc >= 2)
        WriteError(kInstanceRunningText);
}
