// SPI_GETHIGHCONTRAST answered for this program, through its own import of
// SystemParametersInfoW, and the scheme's colours set for this process.
#include "high_contrast.h"

#include <cstring>

namespace vop::test {

namespace {

using SpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT);
SpiFn systemSpi = nullptr;
bool contrastOn = false;

BOOL WINAPI answeringSpi(UINT action, UINT number, void* data, UINT flags) {
    if (action == SPI_GETHIGHCONTRAST && data != nullptr) {
        auto* hc = static_cast<HIGHCONTRASTW*>(data);
        if (hc->cbSize != sizeof(HIGHCONTRASTW)) {
            return FALSE;
        }
        hc->dwFlags = HCF_AVAILABLE | (contrastOn ? HCF_HIGHCONTRASTON : 0);
        hc->lpszDefaultScheme = nullptr;
        return TRUE;
    }
    return systemSpi(action, number, data, flags);
}

// This program's slot for user32's SystemParametersInfoW in its import address table.
void** importSlot() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         dll->Name != 0; ++dll) {
        if (_stricmp(reinterpret_cast<const char*>(base + dll->Name), "user32.dll") != 0) {
            continue;
        }
        const auto* names =
            reinterpret_cast<const IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* named =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(named->Name), "SystemParametersInfoW") ==
                0) {
                return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
    }
    return nullptr;
}

void answerSpi() {
    if (systemSpi != nullptr) {
        return;
    }
    void** slot = importSlot();
    if (slot == nullptr) {
        return;
    }
    DWORD protection = 0;
    VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection);
    systemSpi = reinterpret_cast<SpiFn>(*slot);
    *slot = reinterpret_cast<void*>(&answeringSpi);
    VirtualProtect(slot, sizeof(*slot), protection, &protection);
}

}  // namespace

PretendHighContrast::PretendHighContrast() {
    answerSpi();
    for (std::size_t i = 0; i < kElements.size(); ++i) {
        before_[i] = GetSysColor(kElements[i]);
    }
    contrastOn = true;
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), kColours.data());
}

PretendHighContrast::~PretendHighContrast() {
    contrastOn = false;
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), before_.data());
}

}  // namespace vop::test
