// vop.exe itself, started as its own process: its window, "E" and closing end it with
// status 0, and its file carries the version, manifest and icon resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cards/card_name.h"
#include "game/vop_window.h"
#include "game/word_tables.h"
#include "win32/child_ids.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace vop::test {
namespace {

// VOP_EXE names vop.exe; a Unix path is reached through Wine's drive Z:.
std::wstring programPath(const char* variable = "VOP_EXE") {
    const char* path = std::getenv(variable);
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

// 120 x 63 pixels at 96 dpi, scaled as MulDiv rounds.
SIZE expectedClient() {
    switch (expectedDpi()) {
        case 120:
            return {150, 79};
        case 144:
            return {180, 95};
        case 192:
            return {240, 126};
        default:
            return {120, 63};
    }
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
    const std::string_view form = vopWindow().name;  // the game window's class
    if (owner == search.process && std::wstring(cls) == std::wstring(form.begin(), form.end()) &&
        IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// A shown card name in words, as the game says it in the language of this Windows: "H 7"
// is "Seven of hearts", or "ハートの7".
Text wordsFor(const Text& shown) {
    wchar_t language[16] = {};
    GetLocaleInfoW(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), LOCALE_SISO639LANGNAME,
                   language, 16);
    const SpokenWords& words = spokenWords(reinterpret_cast<const char16_t*>(language));
    for (Int16 n = 1; n <= 52; ++n) {
        clsCard card;
        card.color = suitOf(n);
        card.Number = rankOf(n);
        if (setCap(card) == shown) {
            return fill(words.card, {words.ranks[static_cast<std::size_t>(card.Number - 1)],
                                     words.suits[static_cast<std::size_t>(card.color)]});
        }
    }
    return u"(no card)";
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

    // A control of vop.exe's window, found by its id as the program numbers them.
    HWND control(ControlId id) const {
        return GetDlgItem(window, win32::dialogId(ControlPlaces(vopWindow()), id));
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
    const SIZE want = expectedClient();
    EXPECT_EQ(client.right, want.cx);
    EXPECT_EQ(client.bottom, want.cy);

    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    ASSERT_TRUE(GetGUIThreadInfo(process.dwThreadId, &gui));
    EXPECT_EQ(gui.hwndFocus, control(ctl::btnFocus));

    PostMessageW(control({ctl::cmdPlay, 1}), BM_CLICK, 0, 0);
    EXPECT_EQ(exitStatus(), 0u);
}

TEST_F(ProgramTest, ClosingTheWindowEndsWithStatusZero) {
    launch();
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitStatus(), 0u);
}

TEST_F(ProgramTest, ScreenReaderInAnotherProcessHearsTheCardsInWords) {
    if (const char* asked = std::getenv("VOP_ACP")) {
        ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(asked))) << "the run's locale did not take";
    }
    launch();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    for (int i = 0; i < 5; ++i) {
        const HWND slot = control({ctl::btnCard, static_cast<std::int16_t>(i)});
        IAccessible* object = nullptr;
        ASSERT_EQ(
            AccessibleObjectFromWindow(slot, static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
            S_OK);
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        EXPECT_EQ(object->get_accName(self, &name), S_OK);
        const std::u16string heard =
            name != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(name)) : u"";
        SysFreeString(name);
        object->Release();
        // The random deal's card, said in words: "H 7" is heard as "Seven of hearts".
        const Text shown = win32::windowText(slot);
        EXPECT_EQ(heard, wordsFor(shown)) << "slot " << i;
    }
    CoUninitialize();
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

// The files whose resources are read: vop.exe, and where only the 64-bit build can run
// here, the 32-bit one Vop ships as well (VOP_EXE32).
std::vector<std::wstring> programFiles() {
    std::vector<std::wstring> files{programPath()};
    if (const std::wstring shipped = programPath("VOP_EXE32"); !shipped.empty()) {
        files.push_back(shipped);
    }
    return files;
}

void expectVersionResource(const std::wstring& exe) {
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

void expectManifestAndIcon(const std::wstring& exe) {
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
    // Drawn for every scale from 100 % to 400 %, not scaled from one size.
    const HRSRC group = FindResourceW(image, MAKEINTRESOURCEW(IDI_VOP), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(image, group)));
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;  // GRPICONDIRENTRY
        sizes.push_back(entry[0] == 0 ? 256 : entry[0]);
        EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 32) << "size " << sizes.back();
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
    FreeLibrary(image);
}

TEST_F(ProgramTest, VersionResourceNamesVopOneInJapanese) {
    for (const std::wstring& file : programFiles()) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        expectVersionResource(file);
    }
}

TEST_F(ProgramTest, ManifestAndIconAreEmbedded) {
    for (const std::wstring& file : programFiles()) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        expectManifestAndIcon(file);
    }
}

}  // namespace
}  // namespace vop::test
