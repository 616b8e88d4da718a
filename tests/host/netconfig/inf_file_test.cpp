// The setup information file as VORTA carries it: 8-bit text with CRLF line ends, our two
// comment lines, then the install, service and removal sections and the strings.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr char kExpected[] = R"(; TAVIR Projector NDIS Protocol Driver
; Copyright (C) 2026 Corvane Developers
[version]
Signature   = "$Windows NT$"
Class       = NetTrans
ClassGUID   = {4d36e975-e325-11ce-bfc1-08002be10318}
Provider    = %TavirMfg%
LayoutFile  = layout.inf

[Manufacturer]
%TavirMfg%=TAVIR

[TAVIR]
%TAVIR_CorvaneWD_Desc%=Install, TAVIR_Corvane_Ndisprot

;-------------------------------------------------------------------------
; Installation Section
;-------------------------------------------------------------------------
[Install]
AddReg=Inst_Ndi
Characteristics=0x0 ; 
CopyFiles=CpyFiles_Sys

;-------------------------------------------------------------------------
; Ndi installation support
;-------------------------------------------------------------------------
[Inst_Ndi]
HKR,Ndi,Service,,"CorvaneNdisprot"
HKR,Ndi,HelpText,,%TAVIR_CorvaneWD_HelpText%
HKR, Ndi\Interfaces, UpperRange,, noupper
HKR,"Ndi\Interfaces","LowerRange",,"ndis5,ndis4,ndis5_prot"

;-------------------------------------------------------------------------
; Service installation support
;-------------------------------------------------------------------------
[Install.Services]
AddService=CorvaneNdisprot,,NDISPROT_Service_Inst

[NDISPROT_Service_Inst]
DisplayName     = %TAVIR_CorvaneWD_Desc%
ServiceType     = 1 ;SERVICE_KERNEL_DRIVER
StartType       = 3 ;SERVICE_MANUAL_START
ErrorControl    = 1 ;SERVICE_ERROR_NORMAL
ServiceBinary   = %12%\TAVIR_CorvaneWD.sys
LoadOrderGroup  = NDIS
Description     = %TAVIR_CorvaneWD_Desc%

[Install.Remove.Services]
DelService=CorvaneNdisprot,0x200

;-------------------------------------------------------------------------
; Declare Destination Directories for file copy/deletion
;-------------------------------------------------------------------------
[DestinationDirs]
CpyFiles_Sys    = 12    ; DIRID_DRIVERS


;-------------------------------------------------------------------------
; Files to Copy/Delete - Referenced by Install and Remove sections above
;-------------------------------------------------------------------------
[CpyFiles_Sys]
TAVIR_CorvaneWD.sys,,,2

[Strings]
TAVIR_CorvaneWD_Desc = "TAVIR_CorvaneWD NDIS Protocol Driver"
TAVIR_CorvaneWD_HelpText = "A driver to support user-mode I/O on NDIS devices"
TavirMfg = "Corvane Developers"
)";

TEST(InfFileTest, IsAsciiWithCrLfAndTheInstallText) {
    std::ifstream in(CORVANE_INF_FILE, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    const std::string bytes = read.str();
    ASSERT_FALSE(bytes.empty());
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        ASSERT_TRUE((c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n') << "byte " << i;
        if (c == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    std::string text;
    for (char c : bytes) {
        if (c != '\r') {
            text.push_back(c);
        }
    }
    EXPECT_EQ(text, kExpected);
}

}  // namespace
