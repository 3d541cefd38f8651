// vop.exe itself, started as its own process: its window, "E" and closing end it with
// status 0, and its file carries the version, manifest and icon resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "window/win32/control_ids.h"
#include "window/win32/resource.h"
#include "window/win32/wide_text.h"

namespace vop::test {
namespace {

// VOP_EXE names vop.exe; a Unix path is reached through Wine's drive Z:.
std::wstring programPath() {
    const char* path = std::getenv("VOP_EXE");
    if (path == nullptr) {
        return {};
    }
    std::wstring wide;
    if (path[0] == '/') {
        wide = L"Z:";
    }
    for (const char* c = path; *c != '\0'; ++c) {
        wide += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    return wide;
}

int expectedDpi() {
    const char* value = std::getenv("VOP_DPI");
    return value != nullptr ? std::atoi(value) : 96;
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findGameWindow(HWND window, LPARAM searching) {
    auto& search = *reinterpret_cast<Search*>(searching);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (owner == search.process && std::wstring(cls) == win32::kWindowClass &&
        IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        exe = programPath();
        ASSERT_FALSE(exe.empty()) << "set VOP_EXE to vop.exe";
    }

    void TearDown() override {
        if (process.hProcess != nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 99);
            }
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    // Starts vop.exe and waits (five seconds at most) for its window.
    void launch() {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + exe + L"\"";
        ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &startup, &process))
            << "cannot start vop.exe, error " << GetLastError();
        WaitForInputIdle(process.hProcess, 5000);
        const ULONGLONG deadline = GetTickCount64() + 5000;
        while (window == nullptr && GetTickCount64() < deadline) {
            Search search{process.dwProcessId, nullptr};
            EnumWindows(&findGameWindow, reinterpret_cast<LPARAM>(&search));
            window = search.found;
            if (window == nullptr) {
                ASSERT_EQ(WaitForSingleObject(process.hProcess, 20), WAIT_TIMEOUT)
                    << "vop.exe ended before showing its window";
            }
        }
        ASSERT_NE(window, nullptr) << "vop.exe showed no window";
    }

    // Waits (ten seconds at most) for vop.exe to end; its exit status.
    DWORD exitStatus() {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0)
            << "vop.exe is still running";
        DWORD status = 12345;
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }

    std::wstring exe;
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

TEST_F(ProgramTest, OpensItsWindowAndEndsWithStatusZeroOnE) {
    launch();
    EXPECT_EQ(win32::windowText(window), u"Vop:\u73FE\u57280\u679A");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, expectedDpi() == 144 ? 180 : 120);
    EXPECT_EQ(client.bottom, expectedDpi() == 144 ? 95 : 63);

    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    ASSERT_TRUE(GetGUIThreadInfo(process.dwThreadId, &gui));
    EXPECT_EQ(gui.hwndFocus, GetDlgItem(window, win32::kFocusId));

    PostMessageW(GetDlgItem(window, win32::kPlayId + 1), BM_CLICK, 0, 0);
    EXPECT_EQ(exitStatus(), 0u);
}

TEST_F(ProgramTest, ClosingTheWindowEndsWithStatusZero) {
    launch();
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitStatus(), 0u);
}

std::u16string versionString(const std::vector<BYTE>& info, const wchar_t* name) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) {
        return u"(missing)";
    }
    return std::u16string(static_cast<const char16_t*>(value));
}

TEST_F(ProgramTest, VersionResourceNamesVopOneInJapanese) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);  // Japanese
    EXPECT_EQ(translation[1], 1200);    // Unicode text

    EXPECT_EQ(versionString(info, L"ProductName"), u"Vop");
    EXPECT_EQ(versionString(info, L"InternalName"), u"Vop");
    EXPECT_EQ(versionString(info, L"FileVersion"), u"1.00");
    EXPECT_EQ(versionString(info, L"ProductVersion"), u"1.00");
}

TEST_F(ProgramTest, ManifestAndIconAreEmbedded) {
    const HMODULE image = LoadLibraryExW(exe.c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    const HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no RT_MANIFEST 1";
    const char* text = static_cast<const char*>(LockResource(LoadResource(image, found)));
    const std::string manifest(text, SizeofResource(image, found));
    EXPECT_NE(manifest.find(">PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    // The title-bar icon as the window class loads it (Wine keeps another process's
    // window icons out of reach, so it is read from the file).
    EXPECT_NE(LoadImageW(image, MAKEINTRESOURCEW(IDI_VOP), IMAGE_ICON, 16, 16, LR_SHARED), nullptr)
        << "no small icon";
    EXPECT_NE(LoadImageW(image, MAKEINTRESOURCEW(IDI_VOP), IMAGE_ICON, 32, 32, LR_SHARED), nullptr)
        << "no large icon";
    FreeLibrary(image);
}

}  // namespace
}  // namespace vop::test
