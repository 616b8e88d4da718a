#include "launcher/payload.h"

#include "common/log_channel.h"
#include "common/unique_handle.h"
#include "platform/file.h"
#include "platform/kernel.h"
#include "platform/resource.h"
#include "resources/launcher_resource.h"

namespace corvane {

namespace {

struct Bytes {
    const void* data = nullptr;
    uint32_t size = 0;
};

bool FindPayload(int resourceId, Bytes& bytes) {
    platform::Resource resource = platform::FindResourceA(resourceId, RT_PAYLOAD);
    if (resource == nullptr) {
        g_logChannel.Printf("VORTA Error FindResource(%d) [%d]", resourceId,
                            static_cast<int>(platform::GetLastError()));
        return false;
    }
    platform::ResourceData data = platform::LoadResource(resource);
    bytes.data = data == nullptr ? nullptr : platform::LockResource(data);
    bytes.size = platform::SizeofResource(resource);
    if (bytes.data == nullptr || bytes.size == 0) {
        // A damaged launcher: an empty VORTAU or driver would only fail later and worse.
        g_logChannel.Printf("VORTA Error SizeofResource(%d) [%d]", resourceId,
                            static_cast<int>(platform::GetLastError()));
        return false;
    }
    return true;
}

}  // namespace

std::array<PayloadFile, 4> PayloadFiles(int languageFile) {
    return {{{IDR_PAYLOAD_INF, "TAVIR_CorvaneWD.inf", "VORTA Decompression -> TAVIR_CorvaneWD.INF"},
             {IDR_PAYLOAD_SYS, "TAVIR_CorvaneWD.sys", "VORTA Decompression -> TAVIR_CorvaneWD.SYS"},
             {languageFile, "Language.ini", "VORTA Decompression -> Language.ini"},
             {IDR_PAYLOAD_VORTAU, "VORTAU.exe", "VORTA Decompression -> VORTAU.exe"}}};
}

bool HasPayload(int resourceId) {
    Bytes bytes;
    return FindPayload(resourceId, bytes);
}

bool WritePayloadFile(int resourceId, const std::string& path) {
    Bytes bytes;
    if (!FindPayload(resourceId, bytes)) {
        return false;
    }
    UniqueHandle file(platform::CreateFileA(path.c_str()));
    if (!file) {
        g_logChannel.Printf("VORTA Error CFile::Open() [%d]",
                            static_cast<int>(platform::GetLastError()));
        return false;
    }
    uint32_t written = 0;
    if (!platform::WriteFile(file.Get(), bytes.data, bytes.size, &written) ||
        written != bytes.size) {
        g_logChannel.Printf("VORTA Error CFile::Write() [%d]",
                            static_cast<int>(platform::GetLastError()));
        return false;
    }
    return true;
}

}  // namespace corvane
