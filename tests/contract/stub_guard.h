#pragma once
// Windows (Wine) only. Wine exports some entry points as stubs that raise an exception instead of
// returning, which would end the whole test program. RunUnlessStub runs a call on a thread of its
// own and ends that thread at such a stub, so a test can name the stub and skip rather than crash.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace contract {

namespace stub_guard_detail {

// What Wine raises from an unimplemented stub; its parameters are the module's and the
// function's names.
constexpr DWORD kWineStubException = 0x80000100;
constexpr DWORD kEndedAtStub = 0x57AB;

struct GuardedCall {
    const std::function<void()>* call;
    DWORD threadId = 0;
    std::string stub;
};

inline GuardedCall*& Current() {
    static GuardedCall* current = nullptr;
    return current;
}

inline LONG CALLBACK EndThreadAtStub(EXCEPTION_POINTERS* info) {
    GuardedCall* guarded = Current();
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    if (guarded == nullptr || record.ExceptionCode != kWineStubException ||
        record.NumberParameters < 2 || ::GetCurrentThreadId() != guarded->threadId) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    guarded->stub = std::string(reinterpret_cast<const char*>(record.ExceptionInformation[0])) +
                    "." + reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    // The call's frames are abandoned, not unwound: what they held stays leaked.
    ::ExitThread(kEndedAtStub);
}

// The handler, installed for one guarded call.
class Guard {
  public:
    explicit Guard(GuardedCall* guarded) {
        Current() = guarded;
        handler_ = ::AddVectoredExceptionHandler(1, EndThreadAtStub);
    }
    ~Guard() {
        ::RemoveVectoredExceptionHandler(handler_);
        Current() = nullptr;
    }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

  private:
    void* handler_;
};

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

inline DWORD WINAPI RunGuarded(void* parameter) {
    (*static_cast<GuardedCall*>(parameter)->call)();
    return 0;
}

}  // namespace stub_guard_detail

// Runs `call` to its end and returns nothing, or the "module.function" name of the stub it ran
// into. Calls are not nested and come from one thread at a time.
inline std::optional<std::string> RunUnlessStub(const std::function<void()>& call) {
    namespace detail = stub_guard_detail;
    detail::GuardedCall guarded{.call = &call};
    detail::Guard guard(&guarded);
    std::unique_ptr<void, detail::HandleCloser> thread(::CreateThread(
        nullptr, 0, detail::RunGuarded, &guarded, CREATE_SUSPENDED, &guarded.threadId));
    if (!thread) {
        call();
        return std::nullopt;
    }
    ::ResumeThread(thread.get());
    ::WaitForSingleObject(thread.get(), INFINITE);
    DWORD code = 0;
    ::GetExitCodeThread(thread.get(), &code);
    if (code == detail::kEndedAtStub) {
        return guarded.stub;
    }
    return std::nullopt;
}

}  // namespace contract
