// OLE color translation and picture objects: a picture holds one image handle
// and its kind, and destroys the handle when it owns it and goes away.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/wintypes.h"

namespace oleaut {

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);

// Color forms: 0x00BBGGRR; 0x80000000 | system color index; 0x01000000 |
// palette index; 0x02BBGGRR palette-relative RGB. Anything else fails.
HRESULT OleTranslateColor(int32_t clr, HPALETTE hpal, COLORREF* out);

constexpr int16_t PICTYPE_BITMAP = 1;
constexpr int16_t PICTYPE_ICON = 3;

struct PICTDESC {
    UINT cbSizeofstruct = 16;
    UINT picType = 0;
    HGDIOBJ handle = 0;
};

class Picture {
public:
    Picture(int16_t type, HGDIOBJ handle, bool owns) : m_type(type), m_handle(handle), m_owns(owns) {}
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int16_t Type() const { return m_type; }
    HGDIOBJ Handle() const { return m_handle; }

private:
    int16_t m_type;
    HGDIOBJ m_handle;
    bool m_owns;
};

// A picture of a bitmap or an icon; with own true it destroys the handle when
// the last reference goes. nullptr for a bad description.
std::shared_ptr<Picture> OleCreatePictureIndirect(const PICTDESC* desc, bool own);

}  // namespace oleaut
