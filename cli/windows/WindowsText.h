// Text at the Windows edge: the command's strings are in the process code
// page (UTF-8 where the manifest's activeCodePage is honoured), the API's
// in UTF-16; and readable reasons for Windows and COM error codes.
#pragma once

#include <windows.h>

#include <string>

std::wstring WideFromCodePage(const std::string& text);
std::string CodePageFromWide(const std::wstring& text);

// "the system cannot find the file specified (error 2)"
std::string DescribeWindowsError(DWORD code);
std::string DescribeHresult(HRESULT hr);

// The folder of lumeric.exe, with a trailing backslash.
std::wstring ExecutableFolder();

// True when the program runs on Linux through wine.
bool RunningUnderWine();
