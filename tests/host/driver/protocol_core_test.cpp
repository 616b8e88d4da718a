// The protocol driver's core driven as the glue drives it: NDIS's binds and unbinds, the I/O
// manager's control requests and closes, with the adapter's answers made up by the test.

#include "driver/core/protocol_core.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::u16string kFirst = u"\\DEVICE\\{6B29FC40-CA47-1067-B31D-00DD010662DA}";
const std::u16string kSecond = u"\\DEVICE\\{ABCDEF01-2345-6789-ABCD-EF0123456789}";

const uint16_t* Units(const std::u16string& name) {
    return reinterpret_cast<const uint16_t*>(name.data());
}

// The bytes user mode sends: UTF-16LE without a terminator.
std::vector<uint8_t> NameBytes(const std::u16string& name) {
    std::vector<uint8_t> bytes;
    for (char16_t unit : name) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

// A request buffer exactly as long as the program's: the OID, then `valueLength` bytes (a
// query's value area is four bytes longer than the value the program reads).
std::unique_ptr<uint8_t[]> RequestBuffer(uint32_t oid, size_t length) {
    auto buffer = std::make_unique<uint8_t[]>(length);
    std::memset(buffer.get(), 0, length);
    if (length >= 4) {
        std::memcpy(buffer.get(), &oid, 4);
    }
    return buffer;
}

class ProtocolCoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CvCoreInit(&core);
        CvFileInit(&file);
        CvFileInit(&other);
    }

    int Bind(const std::u16string& name, void* lower) {
        int slot = -1;
        EXPECT_EQ(CvBindBegin(&core, Units(name), name.size(), &slot), CV_OK);
        CvBindComplete(&core, slot, CV_OK, lower);
        return slot;
    }

    CvStatus Open(CvFile& handle, const std::u16string& name) {
        std::vector<uint8_t> bytes = NameBytes(name);
        return CvOpenDevice(&core, &handle, bytes.data(), bytes.size());
    }

    // A whole query of OID_802_11_SSID's 36 bytes answered at once with `value`.
    CvStatus QuerySsid(CvFile& handle, const std::string& value, size_t* returned) {
        const size_t length = 36 + 8;
        auto buffer = RequestBuffer(CV_OID_802_11_SSID, length);
        CvRequest request{};
        CvStatus status = CvRequestBegin(&core, &handle, CV_IOCTL_QUERY_OID_VALUE, buffer.get(),
                                         length, length, &request);
        if (status != CV_OK) {
            return status;
        }
        std::memcpy(request.value, value.data(), value.size());
        int idle = 0;
        return CvRequestEnd(&core, &request, CV_OK, static_cast<uint32_t>(value.size()), length,
                            returned, &idle);
    }

    // A query of `file` left running, as the glue leaves one while the adapter pends it.
    struct RunningQuery {
        std::unique_ptr<uint8_t[]> buffer;
        CvRequest request{};
    };
    RunningQuery StartQuery(uint32_t oid, size_t length) {
        RunningQuery running{RequestBuffer(oid, length)};
        EXPECT_EQ(CvRequestBegin(&core, &file, CV_IOCTL_QUERY_OID_VALUE, running.buffer.get(),
                                 length, length, &running.request),
                  CV_OK);
        return running;
    }

    CvCore core{};
    CvFile file{};
    CvFile other{};
    int lowerA = 0;
    int lowerB = 0;
};

TEST_F(ProtocolCoreTest, BindsEachAdapterOnceAndFreesWhatFailsOrIsUnbound) {
    int first = Bind(kFirst, &lowerA);
    int second = Bind(kSecond, &lowerB);
    EXPECT_NE(first, second);
    int slot = -1;
    std::u16string lower = u"\\device\\{6b29fc40-ca47-1067-b31d-00dd010662da}";
    EXPECT_EQ(CvBindBegin(&core, Units(lower), lower.size(), &slot), CV_BUSY);
    EXPECT_EQ(CvNextBound(&core, -1), first);
    EXPECT_EQ(CvNextBound(&core, first), second);
    EXPECT_EQ(CvNextBound(&core, second), -1);

    void* closed = nullptr;
    EXPECT_EQ(CvUnbindBegin(&core, first, &closed), CV_OK);
    EXPECT_EQ(closed, &lowerA);
    CvUnbindComplete(&core, first);
    EXPECT_EQ(CvUnbindBegin(&core, first, &closed), CV_NOT_FOUND);
    EXPECT_EQ(Open(file, kFirst), CV_NOT_FOUND);

    // A failed open of the adapter frees the slot; the table holds a fixed number.
    ASSERT_EQ(CvBindBegin(&core, Units(kFirst), kFirst.size(), &slot), CV_OK);
    EXPECT_EQ(Open(file, kFirst), CV_NOT_FOUND) << "not open before NDIS completes the open";
    CvBindComplete(&core, slot, CV_FAILED, nullptr);
    for (int i = 1; i < CV_MAX_BINDINGS; ++i) {
        std::u16string name = kFirst + static_cast<char16_t>(u'A' + i);
        ASSERT_EQ(CvBindBegin(&core, Units(name), name.size(), &slot), CV_OK) << i;
    }
    EXPECT_EQ(CvBindBegin(&core, Units(kFirst), kFirst.size(), &slot), CV_NO_RESOURCES);
}

TEST_F(ProtocolCoreTest, BindWaitWaitsUntilNdisSaysTheBindsAreDone) {
    EXPECT_EQ(CvBindWait(&core), CV_PENDING);
    Bind(kFirst, &lowerA);
    EXPECT_EQ(CvBindWait(&core), CV_PENDING);
    CvBindsComplete(&core);
    EXPECT_EQ(CvBindWait(&core), CV_OK);
}

TEST_F(ProtocolCoreTest, OpensOneBoundAdapterByNameForOneHandle) {
    Bind(kFirst, &lowerA);
    Bind(kSecond, &lowerB);
    EXPECT_EQ(Open(file, u"\\DEVICE\\6B29FC40-CA47-1067-B31D-00DD010662DA"), CV_NOT_FOUND);
    EXPECT_EQ(Open(file, u"\\DEVICE\\{6B29FC40-CA47-1067-B31D-00DD010662DB}"), CV_NOT_FOUND);
    EXPECT_EQ(Open(file, kFirst.substr(0, kFirst.size() - 1)), CV_NOT_FOUND);
    EXPECT_EQ(Open(file, u"\\device\\{6b29fc40-ca47-1067-b31d-00dd010662da}"), CV_OK);
    EXPECT_EQ(Open(file, kSecond), CV_BUSY) << "a handle holds one adapter";
    EXPECT_EQ(Open(other, kFirst), CV_BUSY) << "an adapter is held by one handle";
    EXPECT_EQ(Open(other, kSecond), CV_OK);
    CvFileCleanup(&core, &file);
    EXPECT_EQ(Open(other, kFirst), CV_BUSY);
    CvFile third;
    CvFileInit(&third);
    EXPECT_EQ(Open(third, kFirst), CV_OK) << "free again once its handle closed";
}

TEST_F(ProtocolCoreTest, QueryAndSetPassTheValueInPlace) {
    Bind(kFirst, &lowerA);
    ASSERT_EQ(Open(file, kFirst), CV_OK);

    const size_t length = 36 + 8;
    auto query = RequestBuffer(CV_OID_802_11_SSID, length);
    CvRequest request{};
    ASSERT_EQ(CvRequestBegin(&core, &file, CV_IOCTL_QUERY_OID_VALUE, query.get(), length, length,
                             &request),
              CV_OK);
    EXPECT_TRUE(request.query);
    EXPECT_EQ(request.oid, CV_OID_802_11_SSID);
    EXPECT_EQ(request.value, query.get() + 4);
    EXPECT_EQ(request.valueLength, length - 4);
    EXPECT_EQ(request.lower, &lowerA);
    const uint8_t ssid[] = {6, 0, 0, 0, 'H', 'o', 'm', 'e', 'A', 'P'};
    std::memcpy(request.value, ssid, sizeof ssid);
    size_t returned = 0;
    int idle = 0;
    EXPECT_EQ(CvRequestEnd(&core, &request, CV_OK, 36, length, &returned, &idle), CV_OK);
    EXPECT_EQ(returned, 40u);
    EXPECT_FALSE(idle);
    EXPECT_EQ(std::memcmp(query.get() + 4, ssid, sizeof ssid), 0);

    const uint8_t mode[] = {0x08, 0x01, 0x01, 0x0D, 0, 0, 0, 0};
    auto set = std::make_unique<uint8_t[]>(sizeof mode);
    std::memcpy(set.get(), mode, sizeof mode);
    ASSERT_EQ(CvRequestBegin(&core, &file, CV_IOCTL_SET_OID_VALUE, set.get(), sizeof mode,
                             sizeof mode, &request),
              CV_OK);
    EXPECT_FALSE(request.query);
    EXPECT_EQ(request.oid, CV_OID_802_11_INFRASTRUCTURE_MODE);
    EXPECT_EQ(request.valueLength, 4u);
    EXPECT_EQ(CvRequestEnd(&core, &request, CV_OK, 4, sizeof mode, &returned, &idle), CV_OK);
    EXPECT_EQ(returned, 8u);
    ASSERT_EQ(
        CvRequestBegin(&core, &file, CV_IOCTL_SET_OID_VALUE, set.get(), sizeof mode, 0, &request),
        CV_OK);
    EXPECT_EQ(CvRequestEnd(&core, &request, CV_OK, 4, 0, &returned, &idle), CV_OK);
    EXPECT_EQ(returned, 0u) << "nothing comes back without an output buffer";

    ASSERT_EQ(CvRequestBegin(&core, &file, CV_IOCTL_SET_OID_VALUE, set.get(), sizeof mode,
                             sizeof mode, &request),
              CV_OK);
    EXPECT_EQ(CvRequestEnd(&core, &request, CV_FAILED, 0, sizeof mode, &returned, &idle), CV_FAILED)
        << "the adapter's refusal fails the control request";
}

// Unbind while a request runs: the binding stays until the request ends, takes nothing new,
// and a handle that held it never reaches the adapter bound in its slot afterwards.
TEST_F(ProtocolCoreTest, UnbindWaitsForTheRequestThatRuns) {
    int slot = Bind(kFirst, &lowerA);
    ASSERT_EQ(Open(file, kFirst), CV_OK);
    const size_t length = 8 + 4;
    RunningQuery running = StartQuery(CV_OID_802_11_WEP_STATUS, length);
    CvRequest& pending = running.request;
    void* lower = nullptr;
    EXPECT_EQ(CvUnbindBegin(&core, slot, &lower), CV_PENDING);
    size_t returned = 0;
    EXPECT_EQ(QuerySsid(file, "", &returned), CV_NOT_CONNECTED);
    EXPECT_EQ(Open(other, kFirst), CV_NOT_FOUND);
    CvUnbindComplete(&core, slot);  // too early: ignored while the request runs
    int idle = 0;
    EXPECT_EQ(CvRequestEnd(&core, &pending, CV_OK, 4, length, &returned, &idle), CV_OK);
    EXPECT_TRUE(idle);
    CvUnbindComplete(&core, slot);

    ASSERT_EQ(Bind(kFirst, &lowerB), slot);
    EXPECT_EQ(QuerySsid(file, "", &returned), CV_NOT_CONNECTED);
    EXPECT_EQ(CvRequestEnd(&core, &pending, CV_OK, 4, length, &returned, &idle), CV_OK)
        << "a stale end leaves the new binding's count alone";
    EXPECT_EQ(Open(other, kFirst), CV_OK);
    void* closed = nullptr;
    EXPECT_EQ(CvUnbindBegin(&core, slot, &closed), CV_OK);
}

// The handle closed while its request runs: the adapter is free for another handle at once,
// and the request still ends on the binding it started on.
TEST_F(ProtocolCoreTest, HandleClosedWhileItsRequestRuns) {
    int slot = Bind(kFirst, &lowerA);
    ASSERT_EQ(Open(file, kFirst), CV_OK);
    const size_t length = 16384 + 8;
    RunningQuery running = StartQuery(CV_OID_802_11_BSSID_LIST, length);
    CvRequest& pending = running.request;
    CvFileCleanup(&core, &file);
    EXPECT_EQ(Open(other, kFirst), CV_OK);
    void* lower = nullptr;
    EXPECT_EQ(CvUnbindBegin(&core, slot, &lower), CV_PENDING);
    size_t returned = 0;
    int idle = 0;
    EXPECT_EQ(CvRequestEnd(&core, &pending, CV_OK, 104, length, &returned, &idle), CV_OK);
    EXPECT_EQ(returned, 108u);
    EXPECT_TRUE(idle);
}

// The unload unbinds whatever is bound, handles still open: their requests fail from then on.
TEST_F(ProtocolCoreTest, UnloadWithHandlesOpen) {
    Bind(kFirst, &lowerA);
    Bind(kSecond, &lowerB);
    ASSERT_EQ(Open(file, kFirst), CV_OK);
    ASSERT_EQ(Open(other, kSecond), CV_OK);
    std::vector<void*> closed;
    for (int slot = CvNextBound(&core, -1); slot >= 0; slot = CvNextBound(&core, slot)) {
        void* lower = nullptr;
        ASSERT_EQ(CvUnbindBegin(&core, slot, &lower), CV_OK);
        closed.push_back(lower);
        CvUnbindComplete(&core, slot);
    }
    EXPECT_EQ(closed, (std::vector<void*>{&lowerA, &lowerB}));
    size_t returned = 0;
    EXPECT_EQ(QuerySsid(file, "", &returned), CV_NOT_CONNECTED);
    EXPECT_EQ(QuerySsid(other, "", &returned), CV_NOT_CONNECTED);
    CvFileCleanup(&core, &file);
    CvFileCleanup(&core, &other);
}

struct HostileRequest {
    const char* what;
    uint32_t code;
    uint32_t oid;
    size_t input;
    size_t output;
    CvStatus status;
};

// Every length and request a caller could send, each in a buffer of exactly its length (so
// that the sanitizers see any byte read past it).
TEST_F(ProtocolCoreTest, RefusesEveryRequestOutsideTheProgramsOwn) {
    Bind(kFirst, &lowerA);
    ASSERT_EQ(Open(file, kFirst), CV_OK);
    const size_t kMax = CV_MAX_REQUEST_BYTES;
    for (const HostileRequest& c : std::vector<HostileRequest>{
             {"empty", CV_IOCTL_QUERY_OID_VALUE, CV_OID_802_11_SSID, 0, 0, CV_INVALID_PARAMETER},
             {"OID only", CV_IOCTL_QUERY_OID_VALUE, CV_OID_802_11_SSID, 4, 4, CV_INVALID_PARAMETER},
             {"short value", CV_IOCTL_SET_OID_VALUE, CV_OID_802_11_SSID, 7, 7,
              CV_INVALID_PARAMETER},
             {"smallest", CV_IOCTL_SET_OID_VALUE, CV_OID_802_11_SSID, 8, 0, CV_OK},
             {"largest", CV_IOCTL_QUERY_OID_VALUE, CV_OID_802_11_BSSID_LIST, kMax, kMax, CV_OK},
             {"one byte more", CV_IOCTL_QUERY_OID_VALUE, CV_OID_802_11_BSSID_LIST, kMax + 1,
              kMax + 1, CV_INVALID_PARAMETER},
             {"query answer without room", CV_IOCTL_QUERY_OID_VALUE, CV_OID_802_11_SSID, 44, 43,
              CV_INVALID_PARAMETER},
             {"scan as a query", CV_IOCTL_QUERY_OID_VALUE, CV_OID_802_11_BSSID_LIST_SCAN, 1028,
              1028, CV_NOT_SUPPORTED},
             {"list as a set", CV_IOCTL_SET_OID_VALUE, CV_OID_802_11_BSSID_LIST, 1028, 1028,
              CV_NOT_SUPPORTED},
             {"another OID", CV_IOCTL_QUERY_OID_VALUE, 0x00010101, 12, 12, CV_NOT_SUPPORTED},
             {"a key", CV_IOCTL_SET_OID_VALUE, 0x0D01011D, 40, 40, CV_NOT_SUPPORTED},
             {"bind wait as a request", CV_IOCTL_BIND_WAIT, CV_OID_802_11_SSID, 44, 44,
              CV_NOT_SUPPORTED},
             {"another code", 0x0012C808, CV_OID_802_11_SSID, 44, 44, CV_NOT_SUPPORTED},
         }) {
        SCOPED_TRACE(c.what);
        auto buffer = RequestBuffer(c.oid, c.input);
        CvRequest request{};
        EXPECT_EQ(CvRequestBegin(&core, &file, c.code, c.input ? buffer.get() : nullptr, c.input,
                                 c.output, &request),
                  c.status);
        if (c.status == CV_OK) {
            size_t returned = 0;
            int idle = 0;
            CvRequestEnd(&core, &request, CV_FAILED, 0, c.output, &returned, &idle);
        }
    }

    // A miniport claiming more bytes than the room it had is not passed on.
    const size_t length = 12;
    auto buffer = RequestBuffer(CV_OID_802_11_WEP_STATUS, length);
    CvRequest request{};
    ASSERT_EQ(CvRequestBegin(&core, &file, CV_IOCTL_QUERY_OID_VALUE, buffer.get(), length, length,
                             &request),
              CV_OK);
    size_t returned = 0;
    int idle = 0;
    EXPECT_EQ(CvRequestEnd(&core, &request, CV_OK, 9, length, &returned, &idle), CV_FAILED);
    EXPECT_EQ(returned, 0u);

    // Device names: even lengths up to 256 units only.
    for (size_t bytes : {size_t{0}, size_t{1}, size_t{87}, size_t{514}}) {
        SCOPED_TRACE(bytes);
        std::vector<uint8_t> name(bytes, 'A');
        CvFile fresh;
        CvFileInit(&fresh);
        EXPECT_EQ(CvOpenDevice(&core, &fresh, bytes ? name.data() : nullptr, bytes),
                  CV_INVALID_PARAMETER);
    }
    std::vector<uint8_t> longest(512, 'A');
    EXPECT_EQ(CvOpenDevice(&core, &other, longest.data(), longest.size()), CV_NOT_FOUND);
    EXPECT_EQ(CvBindBegin(&core, Units(kFirst), CV_MAX_NAME_UNITS + 1, nullptr),
              CV_INVALID_PARAMETER);
}

}  // namespace
