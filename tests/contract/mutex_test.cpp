// Named mutexes as the single-instance check uses them.

#include "platform/kernel.h"
#include "tests/contract/environment.h"
#include "tests/contract/scoped_handle.h"

namespace contract {
namespace {

constexpr char16_t kName[] = u"Corvane_Contract_Mutex";
constexpr char kNameA[] = "Corvane_Contract_Mutex";

// The error after a create, with a stale ERROR_ALREADY_EXISTS planted first so that a call
// that leaves the error alone cannot pass.
ScopedHandle Create(bool wide, const char* nameA, const char16_t* nameW, uint32_t* error) {
    platform::SetLastError(platform::kErrorAlreadyExists);
    ScopedHandle handle(wide ? platform::CreateMutexW(true, nameW)
                             : platform::CreateMutexA(true, nameA));
    *error = platform::GetLastError();
    return handle;
}

using Mutex = ContractTest;

TEST_F(Mutex, ASecondCreateOfTheSameNameFindsTheFirst) {
    uint32_t error = 0;
    ScopedHandle first = Create(true, nullptr, kName, &error);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(error, platform::kErrorAlreadyExists);

    ScopedHandle second = Create(true, nullptr, kName, &error);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second.get(), first.get());
    EXPECT_EQ(error, platform::kErrorAlreadyExists);

    // The 8-bit and the wide name are the same name.
    ScopedHandle narrow = Create(false, kNameA, nullptr, &error);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(error, platform::kErrorAlreadyExists);

    ScopedHandle opened(platform::OpenMutexA(kNameA));
    EXPECT_NE(opened, nullptr);
}

TEST_F(Mutex, TheNameIsFreeAgainOnceEveryHandleIsClosed) {
    uint32_t error = 0;
    ScopedHandle first = Create(true, nullptr, kName, &error);
    ScopedHandle second = Create(true, nullptr, kName, &error);
    ASSERT_EQ(error, platform::kErrorAlreadyExists);

    first.reset();
    ScopedHandle third = Create(true, nullptr, kName, &error);
    EXPECT_EQ(error, platform::kErrorAlreadyExists) << "the second handle still holds the name";

    second.reset();
    third.reset();
    ScopedHandle fresh = Create(true, nullptr, kName, &error);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(error, platform::kErrorAlreadyExists);
}

TEST_F(Mutex, NamesDifferingInCaseAreDifferentMutexes) {
    uint32_t error = 0;
    ScopedHandle first = Create(true, nullptr, kName, &error);
    ScopedHandle other = Create(true, nullptr, u"CORVANE_CONTRACT_MUTEX", &error);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(error, platform::kErrorAlreadyExists);
}

TEST_F(Mutex, OpeningANameNobodyHoldsFails) {
    platform::SetLastError(0);
    ScopedHandle opened(platform::OpenMutexA("Corvane_Contract_Nobody"));
    EXPECT_EQ(opened, nullptr);
    EXPECT_EQ(platform::GetLastError(), platform::kErrorFileNotFound);
}

}  // namespace
}  // namespace contract
