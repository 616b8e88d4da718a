#pragma once
// GoogleTest 1.12 builds its thread start signal on std::mutex, which MinGW compilers with
// Win32 threads lack. This replacement, on a Win32 event, is included before GoogleTest's
// own headers, which then skip theirs (GTEST_HAS_NOTIFICATION_).

namespace testing::internal {

class Notification {
  public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

  private:
    void* event_;
};

}  // namespace testing::internal
