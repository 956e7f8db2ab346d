#include "framework/Messages.h"

#include "framework/AnsiText.h"

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

bool AskYesNo(HWND owner, const std::string& text, const std::string& caption)
{
    return ShowMessage(owner, text, caption, MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) ==
           IDYES;
}

int ShowError(HWND owner, const std::string& text)
{
    return ShowMessage(owner, text, "エラー", MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}

int ShowError(HWND owner, const std::wstring& text)
{
    return MessageBoxW(owner, text.c_str(), ToWide("エラー").c_str(),
                       MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}

std::string GetLastErrorText()
{
    DWORD error = GetLastError();
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_FROM_SYSTEM,
                                  nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0 && buffer)
        text.assign(buffer, length);
    if (buffer)
        LocalFree(buffer);
    return text;
}

LRESULT PumpMessage(HWND dialog)
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return 0;
    if (message.message == WM_QUIT) {
        // The quit message belongs to the message loop: put it back for it.
        PostQuitMessage(static_cast<int>(message.wParam));
        return 0;
    }
    if (dialog && IsDialogMessageA(dialog, &message))
        return 0;
    TranslateMessage(&message);
    return DispatchMessageA(&message);
}
