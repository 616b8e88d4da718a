#pragma once
// The test utilities as processes: where the tests install them, starting one, what Toolhelp
// sees running, the windows they show and the command lines their starts recorded.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace utilities {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

// A folder with a space in its name, so that commands starting them need quotes.
constexpr wchar_t kFolder[] = L"C:\\Corvane Test Utilities";

std::wstring PathOf(const std::wstring& executable);

// Copies the utilities from the test program's folder into kFolder and forgets their starts.
bool Install(const std::vector<std::wstring>& executables);

struct Started {
    ScopedHandle process;
    DWORD processId = 0;
};
// CreateProcessW of the installed utility; a null process on failure.
Started Start(const std::wstring& executable, const std::wstring& arguments);

// The program and arguments of each start, in order, split as the runtime would split the
// first argument off (the program, without its quotes; the rest without surrounding blanks).
struct CommandLine {
    std::wstring program;
    std::wstring arguments;
};
std::vector<CommandLine> StartsOf(const std::wstring& executable);

// The ids of the processes Toolhelp lists under that executable name (case does not matter).
std::vector<DWORD> RunningAs(const std::wstring& executable);
// Ends every process of that executable name.
void EndAll(const std::wstring& executable);

bool HasWindowOfClass(DWORD processId, const std::wstring& windowClass);

}  // namespace utilities
