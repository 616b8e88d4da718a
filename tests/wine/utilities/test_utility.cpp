// corvane-test-utility [--class NAME] [ARGUMENTS...]
// Plays a vendor's wireless utility; the build gives it the table's executable names and file
// descriptions. It shows a top-level window of class NAME when asked, then appends its whole
// command line as one UTF-8 line to "<its own path>.started", so that a test sees both that it
// is ready and what it was started with. It runs until its window is closed, and then exits with
// kExitWindowClosed (or, without a window, until it is ended).

#include <windows.h>

#include <cwchar>
#include <memory>
#include <string>

#include "tests/wine/utilities/test_utility.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(utilities::kExitWindowClosed);
        return 0;
    }
    // WM_CLOSE's default is DestroyWindow.
    return ::DefWindowProcW(window, message, wParam, lParam);
}

bool ShowWindowOfClass(const wchar_t* name) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    if (::RegisterClassW(&windowClass) == 0) {
        return false;
    }
    return ::CreateWindowExW(0, name, L"Corvane test utility", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, 320, 200, nullptr, nullptr, windowClass.hInstance,
                             nullptr) != nullptr;
}

bool RecordStart() {
    wchar_t path[MAX_PATH + 16];
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    std::wcscat(path, L".started");
    const wchar_t* commandLine = ::GetCommandLineW();
    int size = ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string line(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line.data(), size, nullptr, nullptr);
    line.back() = '\n';
    HANDLE opened = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return false;
    }
    ScopedHandle file(opened);
    DWORD written = 0;
    return ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written,
                       nullptr) != FALSE &&
           written == line.size();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], L"--class") == 0 && !ShowWindowOfClass(argv[i + 1])) {
            return 2;
        }
    }
    if (!RecordStart()) {
        return 3;
    }
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
