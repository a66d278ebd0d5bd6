// OLE color translation and picture objects.
#include "platform/gdi/oleaut.h"

#include "platform/gdi/gdi32.h"
#include "platform/gdi/objects.h"
#include "platform/user32.h"

namespace oleaut {

HRESULT OleTranslateColor(int32_t clr, HPALETTE hpal, COLORREF* out) {
    const uint32_t u = static_cast<uint32_t>(clr);
    COLORREF result = 0;
    switch (u >> 24) {
        case 0x00:
            result = u;
            break;
        case 0x80: {
            const int index = static_cast<int>(u & 0xFF);
            if (index >= COLOR_COUNT) return E_INVALIDARG;
            result = user32::GetSysColor(index);
            break;
        }
        case 0x01: {
            HPALETTE pal = hpal ? hpal : gdi32::GetStockObject(gdi32::DEFAULT_PALETTE);
            auto* p = gdi32::detail::Get<gdi32::detail::PaletteObj>(pal);
            const size_t index = u & 0xFFFF;
            if (!p || index >= p->entries.size()) return E_INVALIDARG;
            result = p->entries[index];
            break;
        }
        case 0x02:
            // 32-bit surfaces show every RGB value: the palette changes nothing.
            if (hpal && !gdi32::detail::Get<gdi32::detail::PaletteObj>(hpal)) return E_INVALIDARG;
            result = u & 0x00FFFFFF;
            break;
        default:
            return E_INVALIDARG;
    }
    if (out) *out = result;
    return S_OK;
}

Picture::~Picture() {
    if (!m_owns) return;
    if (m_type == PICTYPE_ICON) gdi32::DestroyIcon(m_handle);
    else if (m_type == PICTYPE_BITMAP) gdi32::DeleteObject(m_handle);
}

std::shared_ptr<Picture> OleCreatePictureIndirect(const PICTDESC* desc, bool own) {
    if (!desc || desc->cbSizeofstruct != 16) return nullptr;
    if (desc->picType == static_cast<UINT>(PICTYPE_ICON)) {
        if (!gdi32::GetIconPixels(desc->handle, nullptr, nullptr, nullptr)) return nullptr;
    } else if (desc->picType == static_cast<UINT>(PICTYPE_BITMAP)) {
        if (!gdi32::GetBitmapInfo(desc->handle, nullptr, nullptr, nullptr)) return nullptr;
    } else {
        return nullptr;
    }
    return std::make_shared<Picture>(static_cast<int16_t>(desc->picType), desc->handle, own);
}

}  // namespace oleaut
