#pragma once
#include <windows.h>

#include <string>

// The program's message boxes, the system's text for the last error and a one-message pump.

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// The confirmation box (caption given, Yes and No, question icon); true only for Yes.
bool AskYesNo(HWND owner, const std::string& text, const std::string& caption);

// The error box: caption "エラー", exclamation icon, OK, brought to the foreground.
int ShowError(HWND owner, const std::string& text);
// The same box for a text in UTF-16: one that names files as they are, with characters that the
// code page lacks.
int ShowError(HWND owner, const std::wstring& text);

// The system's text for GetLastError; empty when the system has none.
std::string GetLastErrorText();

// Translates and dispatches at most one waiting message of the thread; the dispatch result,
// or 0 when none was waiting or the dialog took it. A quit message is left for the message loop.
// Given a modeless dialog, its messages go through the dialog manager first, so that Tab, Enter
// and Escape work in it.
LRESULT PumpMessage(HWND dialog = nullptr);
