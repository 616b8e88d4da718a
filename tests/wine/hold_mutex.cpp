// corvane-hold-mutex NAME PROGRAM [ARGUMENTS...]
// Creates the named mutex, runs the program while holding it and ends with its exit code.
// The end-to-end tests use it to play a first instance that is still running.

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

// Quotes one argument so that the runtime's command-line split gives it back unchanged.
std::wstring Quote(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: corvane-hold-mutex NAME PROGRAM [ARGUMENTS...]\n", stderr);
        return 125;
    }
    ScopedHandle mutex(::CreateMutexW(nullptr, TRUE, argv[1]));
    if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        std::fprintf(stderr, "corvane-hold-mutex: the mutex is not ours (error %lu)\n",
                     ::GetLastError());
        return 125;
    }

    std::wstring commandLine = Quote(argv[2]);
    for (int i = 3; i < argc; ++i) {
        commandLine += L" " + Quote(argv[i]);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        std::fprintf(stderr, "corvane-hold-mutex: cannot start the program (error %lu)\n",
                     ::GetLastError());
        return 125;
    }
    ScopedHandle process(started.hProcess);
    ScopedHandle thread(started.hThread);
    ::WaitForSingleObject(process.get(), INFINITE);
    DWORD exitCode = 125;
    ::GetExitCodeProcess(process.get(), &exitCode);
    return static_cast<int>(exitCode);
}
