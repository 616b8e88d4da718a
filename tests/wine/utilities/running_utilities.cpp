#include "tests/wine/utilities/running_utilities.h"

#include <tlhelp32.h>

#include <algorithm>
#include <fstream>

namespace utilities {

namespace {

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring Widened(const std::string& text) {
    int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(size, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          size);
    return wide;
}

CommandLine Split(const std::wstring& line) {
    size_t end = 0;
    CommandLine split;
    if (!line.empty() && line[0] == L'"') {
        end = line.find(L'"', 1);
        split.program = line.substr(1, end - 1);
        end = end == std::wstring::npos ? line.size() : end + 1;
    } else {
        end = std::min(line.find_first_of(L" \t"), line.size());
        split.program = line.substr(0, end);
    }
    size_t first = line.find_first_not_of(L" \t", end);
    size_t last = line.find_last_not_of(L" \t\r");
    if (first != std::wstring::npos && last >= first) {
        split.arguments = line.substr(first, last - first + 1);
    }
    return split;
}

struct WindowSearch {
    DWORD processId;
    const std::wstring& windowClass;
    bool found = false;
};

BOOL CALLBACK LookAtWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t name[256];
    if (owner == search->processId && ::GetClassNameW(window, name, 256) != 0 &&
        search->windowClass == name) {
        search->found = true;
    }
    return !search->found;
}

std::wstring StartsFile(const std::wstring& executable) {
    return PathOf(executable) + L".started";
}

}  // namespace

std::wstring PathOf(const std::wstring& executable) {
    return std::wstring(kFolder) + L"\\" + executable;
}

bool Install(const std::vector<std::wstring>& executables) {
    ::CreateDirectoryW(kFolder, nullptr);
    const std::wstring from = OwnFolder();
    for (const std::wstring& executable : executables) {
        ::DeleteFileW(StartsFile(executable).c_str());
        if (!::CopyFileW((from + L"\\" + executable).c_str(), PathOf(executable).c_str(), FALSE)) {
            return false;
        }
    }
    return true;
}

Started Start(const std::wstring& executable, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + PathOf(executable) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Started started;
    if (::CreateProcessW(PathOf(executable).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                         nullptr, kFolder, &startup, &info)) {
        ::CloseHandle(info.hThread);
        started.process.reset(info.hProcess);
        started.processId = info.dwProcessId;
    }
    return started;
}

std::vector<CommandLine> StartsOf(const std::wstring& executable) {
    std::ifstream file(StartsFile(executable).c_str(), std::ios::binary);
    std::vector<CommandLine> starts;
    // A line is complete once its end is written.
    for (std::string line; std::getline(file, line) && !file.eof();) {
        starts.push_back(Split(Widened(line)));
    }
    return starts;
}

std::vector<DWORD> RunningAs(const std::wstring& executable) {
    std::vector<DWORD> ids;
    HANDLE taken = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) {
        return ids;
    }
    ScopedHandle snapshot(taken);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (::lstrcmpiW(entry.szExeFile, executable.c_str()) == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    return ids;
}

void EndAll(const std::wstring& executable) {
    for (DWORD id : RunningAs(executable)) {
        ScopedHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (process && ::TerminateProcess(process.get(), 1)) {
            ::WaitForSingleObject(process.get(), 5000);
        }
    }
}

bool HasWindowOfClass(DWORD processId, const std::wstring& windowClass) {
    WindowSearch search{processId, windowClass};
    ::EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace utilities
