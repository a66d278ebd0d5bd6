// Icons, DrawState, OLE color translation and picture ownership.
#include <gtest/gtest.h>

#include "gdi/memory_canvas.h"
#include "platform/gdi/oleaut.h"
#include "platform/user32.h"

using testgdi::MemoryCanvas;

namespace {

std::vector<uint32_t> Solid(int w, int h, uint32_t argb) { return std::vector<uint32_t>(static_cast<size_t>(w) * h, argb); }

TEST(Icons, CopyImageAveragesDownToSixteenAndIgnoresTransparentColor) {
    // 32 × 32: left half opaque red, right half fully transparent green.
    std::vector<uint32_t> px(32 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) px[y * 32 + x] = x < 16 ? 0xFFFF0000 : 0x0000FF00;
    px[0] = 0xFF0000FF;  // one blue pixel in the top-left 2 × 2 block
    HICON big = gdi32::CreateIconFromPixels(32, 32, px.data());
    HICON small = gdi32::CopyImage(big, gdi32::IMAGE_ICON, 16, 16, 0);
    int w, h;
    std::vector<uint32_t> out;
    ASSERT_TRUE(gdi32::GetIconPixels(small, &w, &h, &out));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    EXPECT_EQ(out[0], 0xFFBF0040u);       // three red, one blue
    EXPECT_EQ(out[1], 0xFFFF0000u);
    EXPECT_EQ(out[8] >> 24, 0u);          // transparent stays transparent
    EXPECT_TRUE(gdi32::DestroyIcon(small));
    EXPECT_TRUE(gdi32::DestroyIcon(big));
    EXPECT_FALSE(gdi32::DestroyIcon(big));
    EXPECT_EQ(gdi32::CopyImage(big, gdi32::IMAGE_ICON, 16, 16, 0), 0u);
}

TEST(Icons, DrawStateBlendsByAlphaOrDrawsTheSilhouette) {
    std::vector<uint32_t> px = Solid(2, 1, 0);
    px[0] = 0xFF00FF00;  // opaque green
    px[1] = 0x80FF0000;  // half red
    HICON icon = gdi32::CreateIconFromPixels(2, 1, px.data());
    MemoryCanvas c(4, 2, RGB(0, 0, 255));
    EXPECT_TRUE(gdi32::DrawStateA(c.dc, 0, nullptr, static_cast<LPARAM>(icon), 0, 0, 0, 0, 0, gdi32::DST_ICON));
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(1, 0), RGB(128, 0, 127));
    EXPECT_EQ(c.At(2, 0), RGB(0, 0, 255));
    HBRUSH shadow = gdi32::CreateSolidBrush(RGB(50, 50, 50));
    gdi32::DrawStateA(c.dc, shadow, nullptr, static_cast<LPARAM>(icon), 0, 0, 1, 0, 0, gdi32::DST_ICON | gdi32::DSS_MONO);
    EXPECT_EQ(c.At(0, 1), RGB(50, 50, 50));
    EXPECT_EQ(c.At(1, 1), RGB(50, 50, 50));  // alpha 128 counts as part of the shape
    EXPECT_FALSE(gdi32::DrawStateA(c.dc, 0, nullptr, static_cast<LPARAM>(icon), 0, 0, 0, 0, 0, gdi32::DST_COMPLEX));
    gdi32::DeleteObject(shadow);
    gdi32::DestroyIcon(icon);
}

struct ColorCase {
    const char* name;
    int32_t clr;
    bool ok;
    COLORREF expected;
};

class TranslateColor : public ::testing::TestWithParam<ColorCase> {};

TEST_P(TranslateColor, FormsThatTranslateAndFormsThatFail) {
    const ColorCase& c = GetParam();
    COLORREF out = 0xABCDEF;
    const auto hr = oleaut::OleTranslateColor(c.clr, 0, &out);
    EXPECT_EQ(hr == oleaut::S_OK, c.ok);
    if (c.ok) {
        EXPECT_EQ(out, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ole, TranslateColor,
    ::testing::Values(ColorCase{"rgb_unchanged", 0x00123456, true, 0x00123456},
                      ColorCase{"button_face", static_cast<int32_t>(0x8000000F), true, user32::GetSysColor(COLOR_BTNFACE)},
                      ColorCase{"button_shadow", static_cast<int32_t>(0x80000010), true, user32::GetSysColor(COLOR_BTNSHADOW)},
                      ColorCase{"no_such_system_color", static_cast<int32_t>(0x800000FF), false, 0},
                      ColorCase{"palette_index_of_default_palette", 0x0100000D, true, RGB(255, 0, 0)},
                      ColorCase{"palette_index_out_of_range", 0x01000100, false, 0},
                      ColorCase{"palette_rgb", 0x02010203, true, 0x00010203},
                      ColorCase{"minus_one", -1, false, 0},
                      ColorCase{"other_top_byte", 0x40000000, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Pictures, AnOwningIconPictureDestroysItsIconWhenReleased) {
    const auto px = Solid(16, 16, 0xFF000000);
    HICON icon = gdi32::CreateIconFromPixels(16, 16, px.data());
    const size_t icons = gdi32::LiveObjectCount(gdi32::ObjectKind::Icon);
    {
        oleaut::PICTDESC d{16, oleaut::PICTYPE_ICON, icon};
        auto pic = oleaut::OleCreatePictureIndirect(&d, true);
        ASSERT_TRUE(pic);
        EXPECT_EQ(pic->Type(), oleaut::PICTYPE_ICON);
        EXPECT_EQ(pic->Handle(), icon);
        auto second = pic;  // a shared reference keeps it
        pic.reset();
        EXPECT_TRUE(gdi32::GetIconPixels(icon, nullptr, nullptr, nullptr));
    }
    EXPECT_FALSE(gdi32::GetIconPixels(icon, nullptr, nullptr, nullptr));
    EXPECT_EQ(gdi32::LiveObjectCount(gdi32::ObjectKind::Icon), icons - 1);
}

TEST(Pictures, ANonOwningPictureLeavesItsHandleAndBadDescriptionsGiveNone) {
    HBITMAP bm = gdi32::CreateBitmap(2, 2, 1, 32, nullptr);
    {
        oleaut::PICTDESC d{16, oleaut::PICTYPE_BITMAP, bm};
        EXPECT_TRUE(oleaut::OleCreatePictureIndirect(&d, false));
    }
    EXPECT_TRUE(gdi32::DeleteObject(bm));
    oleaut::PICTDESC wrongSize{12, oleaut::PICTYPE_ICON, 0};
    EXPECT_FALSE(oleaut::OleCreatePictureIndirect(&wrongSize, true));
    oleaut::PICTDESC deadHandle{16, oleaut::PICTYPE_BITMAP, bm};
    EXPECT_FALSE(oleaut::OleCreatePictureIndirect(&deadHandle, true));
}

}  // namespace
