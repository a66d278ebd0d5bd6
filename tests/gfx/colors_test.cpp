// CMemoryDC's color arithmetic, value by value.
#include <gtest/gtest.h>

#include "gfx/CMemoryDC.h"
#include "platform/user32.h"

namespace {

constexpr int32_t Sys(int index) { return static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index)); }

TEST(TranslateColor, RgbSystemReferencesAndFailures) {
    const CMemoryDC dc;  // needs no surface
    EXPECT_EQ(dc.TranslateColor(0x00123456), 0x00123456);
    EXPECT_EQ(dc.TranslateColor(Sys(15)), static_cast<int32_t>(user32::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(dc.TranslateColor(static_cast<int32_t>(0x800000FF)), -1);
    EXPECT_EQ(dc.TranslateColor(-1), -1);
    EXPECT_EQ(dc.TranslateColor(0x02123456), 0x00123456);
}

TEST(TranslateColor, FollowsTheCurrentSystemColors) {
    const CMemoryDC dc;
    const int index = COLOR_BTNFACE;
    const COLORREF value = RGB(1, 2, 3);
    user32::SetSysColors(1, &index, &value);
    EXPECT_EQ(dc.TranslateColor(Sys(15)), 0x00030201);
    user32::ResetSysColors();
}

struct GetRGBCase {
    int32_t value;
    int16_t channel;
    int16_t expected;
};
class GetRGB : public ::testing::TestWithParam<GetRGBCase> {};
TEST_P(GetRGB, ReadsOneChannelOrZero) {
    EXPECT_EQ(CMemoryDC().GetRGB(GetParam().value, GetParam().channel), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Colors, GetRGB,
                         ::testing::Values(GetRGBCase{0x00123456, 1, 0x56}, GetRGBCase{0x00123456, 2, 0x34},
                                           GetRGBCase{0x00123456, 3, 0x12}, GetRGBCase{0x00123456, 0, 0},
                                           GetRGBCase{0x00123456, 4, 0}, GetRGBCase{-1, 1, 0},
                                           GetRGBCase{Sys(15), 1, 0}, GetRGBCase{0x00FFFFFF, 3, 255},
                                           GetRGBCase{0x01000000, 1, 0}));

struct MixCase {
    const char* name;
    int32_t a, b, amount, expected;
};

class AlphaBlend : public ::testing::TestWithParam<MixCase> {};
TEST_P(AlphaBlend, WeightsTheFirstColor) {
    const MixCase& c = GetParam();
    EXPECT_EQ(CMemoryDC().AlphaBlend(c.a, c.b, c.amount), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Colors, AlphaBlend,
    ::testing::Values(MixCase{"full_first", 0x00102030, 0x00405060, 255, 0x00102030},
                      MixCase{"full_second", 0x00102030, 0x00405060, 0, 0x00405060},
                      // (155 × 200 + 100 × 100) / 255 = 160.78 -> 161
                      MixCase{"red_161", 0x00000064, 0x000000C8, 100, 161},
                      // Failed translations read as black.
                      MixCase{"invalid_reads_black", static_cast<int32_t>(0x800000FF), 0x000000FF, 255, 0},
                      // A system reference is translated first: white window over button face.
                      MixCase{"system_colors", Sys(5), Sys(15), 220,
                              // (35 × 240 + 220 × 255) / 255 = 252.94 -> 253 per channel
                              0x00FDFDFD}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AlphaBlend, AWeightOutsideTheByteRangeOverflows) {
    const CMemoryDC dc;
    try {
        dc.AlphaBlend(0x00FFFFFF, 0, 300);
        FAIL() << "no error";
    } catch (const ComponentError& e) {
        EXPECT_EQ(e.number(), 6);
        EXPECT_EQ(e.description(), "Overflow");
    }
    EXPECT_THROW(dc.AlphaBlend(0, 0x00FFFFFF, -1), ComponentError);
}

class LightenColor : public ::testing::TestWithParam<MixCase> {};
TEST_P(LightenColor, RoundsHalvesToEven) {
    const MixCase& c = GetParam();
    EXPECT_EQ(CMemoryDC().LightenColor(c.a, c.b, c.amount), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Colors, LightenColor,
    ::testing::Values(MixCase{"101_5_to_102", 101, 101, 50, 102}, MixCase{"100_5_to_100", 100, 100, 50, 100},
                      // Percent below 100: (50 + 1 × 0 + 99 × 200) / 100 = 198.5 -> 198
                      MixCase{"percent_99", 200, 0, 99, 198},
                      // Per mille from 100: (500 + 900 × 0 + 100 × 200) / 1000 = 20.5 -> 20
                      MixCase{"per_mille_100", 200, 0, 100, 20},
                      // Style 3 background: 20.5 % button face 240 over window 255 -> 251.925 + 0.5 -> 252
                      MixCase{"strip_background", 0x00F0F0F0, 0x00FFFFFF, 205, 0x00FCFCFC},
                      MixCase{"system_reference_is_black", Sys(5), 0, 1000, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShiftCase {
    const char* name;
    int32_t color, value;
    bool xp;
    int32_t expected;
};
class ShiftColor : public ::testing::TestWithParam<ShiftCase> {};
TEST_P(ShiftColor, MovesAndClampsEachChannel) {
    const ShiftCase& c = GetParam();
    EXPECT_EQ(CMemoryDC().ShiftColor(c.color, c.value, c.xp), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Colors, ShiftColor,
    ::testing::Values(ShiftCase{"white_stays", 0x00FFFFFF, 18, false, 0x00FFFFFF},
                      ShiftCase{"black_stays", 0, -5, false, 0},
                      // red 32 + 18, green 64 + 18, blue 96 + 96 × 18 / 192
                      ShiftCase{"xp_scales_blue_only", 0x00604020, 18, true, 0x00695232},
                      ShiftCase{"plain", 0x00604020, 18, false, 0x00725232},
                      // -1 reads red 255, green 0, blue 0
                      ShiftCase{"failed_translation", static_cast<int32_t>(0x800000FF), 10, false, 0x000A0AFF}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShiftExCase {
    const char* name;
    int32_t color;
    float percent;
    int32_t expected;
};
class ShiftColorEx : public ::testing::TestWithParam<ShiftExCase> {};
TEST_P(ShiftColorEx, ShiftsByAFractionOfFullScale) {
    const ShiftExCase& c = GetParam();
    EXPECT_EQ(CMemoryDC().ShiftColorEx(c.color, c.percent), c.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Colors, ShiftColorEx,
    ::testing::Values(ShiftExCase{"up_clamped", 0x00808080, 0.5f, 0x00FFFFFF},
                      ShiftExCase{"down_half_rounds_to_zero", 0x00808080, -0.5f, 0},
                      // 0.1 × 255 = 25.5 in single precision; 16 + 25.5 = 41.5 -> 42 (even)
                      ShiftExCase{"tenth", 0x00101010, 0.1f, 0x002A2A2A},
                      // A system reference's low byte reads as red; the truncating
                      // divisions of the negative value give green and blue 1.
                      ShiftExCase{"system_reference", Sys(15), 0.0f, 0x0001010F}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
