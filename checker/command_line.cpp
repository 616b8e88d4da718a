#include "checker/command_line.h"

#include <algorithm>

#include "checker/halvex_app.h"
#include "common/debug_log.h"
#include "common/text.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// The program name: up to the first blank outside quotes; quotes are not part of it.
size_t SkipProgramName(const std::u16string& line) {
    size_t i = 0;
    bool quoted = false;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
        if (line[i] == u'"') {
            quoted = !quoted;
        }
    }
    return i;
}

size_t SkipBlanks(const std::u16string& line, size_t i) {
    while (i < line.size() && IsBlank(line[i])) {
        ++i;
    }
    return i;
}

void TrimRight(std::u16string& text, char16_t c) {
    while (!text.empty() && text.back() == c) {
        text.pop_back();
    }
}

void TrimLeft(std::u16string& text, char16_t c) {
    text.erase(0, std::min(text.find_first_not_of(c), text.size()));
}

}  // namespace

std::u16string CommandLineTail(const std::u16string& commandLine) {
    return commandLine.substr(SkipBlanks(commandLine, SkipProgramName(commandLine)));
}

// 2n backslashes before a quote give n and the quote opens or closes; 2n+1 give n and a
// literal quote; other backslashes are literal. Inside quotes, "" gives a literal quote and
// ends the quoted part (the rule of msvcrt.dll).
std::vector<std::u16string> SplitArguments(const std::u16string& commandLine) {
    std::vector<std::u16string> arguments;
    size_t i = SkipProgramName(commandLine);
    while (true) {
        i = SkipBlanks(commandLine, i);
        if (i >= commandLine.size()) {
            return arguments;
        }
        std::u16string argument;
        bool quoted = false;
        while (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) {
            size_t backslashes = 0;
            while (i < commandLine.size() && commandLine[i] == u'\\') {
                ++backslashes;
                ++i;
            }
            if (i < commandLine.size() && commandLine[i] == u'"') {
                argument.append(backslashes / 2, u'\\');
                if (backslashes % 2 == 1) {
                    argument.push_back(u'"');
                } else if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == u'"') {
                    argument.push_back(u'"');
                    ++i;
                    quoted = false;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, u'\\');
                if (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) {
                    argument.push_back(commandLine[i++]);
                }
            }
        }
        arguments.push_back(std::move(argument));
    }
}

bool IsFolder(const std::u16string& path) {
    if (path.empty()) {
        return false;
    }
    uint32_t attributes = platform::GetFileAttributesW(path.c_str());
    if (attributes == platform::kInvalidFileAttributes) {
        uint32_t error = platform::GetLastError();
        if (error == platform::kErrorFileNotFound || error == platform::kErrorPathNotFound) {
            return false;
        }
    }
    // Any other failure gives all ones, which has the directory bit.
    return (attributes & platform::kFileAttributeDirectory) != 0;
}

bool ParseCommandLine(const std::u16string& commandLine, CHalvexApp& app) {
    bool adminStart = false;
    for (std::u16string argument : SplitArguments(commandLine)) {
        DebugLog("VORTAU InitInstance Option:%s\r\n", ToAnsi(argument).c_str());
        if (!argument.empty() && (argument[0] == u'-' || argument[0] == u'/')) {
            std::u16string_view option = std::u16string_view(argument).substr(1);
            if (option.starts_with(u"ADMIN")) {
                adminStart = true;
            } else if (option.starts_with(u"DESKTOP=")) {
                std::u16string value = argument.substr(9);
                TrimRight(value, u' ');
                TrimLeft(value, u' ');
                TrimRight(value, u'"');
                TrimLeft(value, u'"');
                app.m_strDesktopOption = value;
            }
            continue;
        }
        TrimRight(argument, u'"');
        TrimLeft(argument, u'"');
        DebugLog("VORTAU InitInstance Option is Folder??\r\n");
        if (IsFolder(argument)) {
            DebugLog("VORTAU InitInstance TRUE == IsFolder()\r\n");
            app.m_strFolderOption = argument;
        } else {
            DebugLog("VORTAU InitInstance FALSE == IsFolder()\r\n");
        }
    }
    return adminStart;
}

}  // namespace corvane
