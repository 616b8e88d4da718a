#pragma once
// What starts a program when the user logs on: a value of HKCU's Run key, and a shortcut in
// the user's Startup folder. Each entry is removed when its object goes.

#include <string>

namespace utilities {

class RunValue {
  public:
    RunValue(std::wstring name, const std::wstring& command);
    ~RunValue();
    RunValue(const RunValue&) = delete;
    RunValue& operator=(const RunValue&) = delete;
    bool Written() const { return written_; }

  private:
    std::wstring name_;
    bool written_ = false;
};

class StartupShortcut {
  public:
    // `name` without ".lnk"; the shortcut has a target and nothing else.
    StartupShortcut(const std::wstring& name, const std::wstring& target);
    ~StartupShortcut();
    StartupShortcut(const StartupShortcut&) = delete;
    StartupShortcut& operator=(const StartupShortcut&) = delete;
    bool Written() const { return !path_.empty(); }

  private:
    std::wstring path_;
};

}  // namespace utilities
