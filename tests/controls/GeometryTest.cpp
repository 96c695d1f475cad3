// The controls' geometry: slider positions, the dial's directions, steps,
// marker and blend, the navigator's frame, and resizing pictures for the
// DPI. (Drags, turns, clicks and hover are driven through the windows.)
#include <gtest/gtest.h>

#include <cmath>

#include "controls/PixelCanvas.h"
#include "controls/PixelResample.h"
#include "controls/PreviewModel.h"
#include "controls/RotorModel.h"
#include "controls/SliderModel.h"

namespace {

TEST(Slider, MapsXToValueWithinRangeAndMarks) {
    const SliderLimits plain = {0, 100, 0, 0, false};
    const SliderLimits marked = {0, 100, 20, 80, true};
    const SliderLimits centred = {-50, 50, 0, 0, false};
    const SliderLimits empty = {30, 30, 0, 0, false};
    const struct {
        int16_t x;
        int width;
        const SliderLimits* limits;
        float value;
    } cases[] = {
        {5, 110, &plain, 0},     {55, 110, &plain, 50},    {105, 110, &plain, 100}, {200, 110, &plain, 100},
        {-20, 110, &plain, 0},   {5, 110, &marked, 20},    {105, 110, &marked, 80}, {55, 110, &centred, 0},
        {30, 10, &plain, 0},     {30, 11, &plain, 100},    // a 1-pixel span reaches the maximum at once
        {60, 110, &empty, 30},   // no range: the minimum, never a division by zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(SliderValueAt(c.x, c.width, 5, *c.limits), c.value) << "x " << c.x << " width " << c.width;

    EXPECT_EQ(SliderThumbX(50, 0, 100, 110, 5), 55);
    EXPECT_EQ(SliderThumbX(0, 0, 100, 110, 5), 5);
    EXPECT_EQ(SliderThumbX(100, 0, 100, 110, 5), 105);
    EXPECT_EQ(SliderThumbX(33.3f, 0, 100, 60, 5), 22);  // 33.3 * 0.5 + 5.5 = 22.15
    EXPECT_EQ(SliderThumbX(7, 30, 30, 110, 5), 5);
    EXPECT_EQ(SliderThumbX(10, 0, 100, 110, 10), 19);   // the 192-DPI margin: 10 * 0.9 + 10.5
}

TEST(Rotor, DirectionsAreClockwiseFromUp) {
    const struct {
        int x, y;
        float degrees;
    } cases[] = {{50, 10, 0},   {90, 50, 90},  {50, 90, 180}, {10, 50, 270}, {50, 50, 90},
                 {90, 10, 45},  {90, 90, 135}, {10, 90, 225}, {10, 10, 315}, {49, 0, 358.854f}};
    for (const auto& c : cases) EXPECT_NEAR(PointDirection(c.x, c.y, 50, 50), c.degrees, 2e-3) << c.x << "," << c.y;
}

TEST(Rotor, StepsMarkerAndLimits) {
    const AngleRange free = {0, 360, false}, limited = {0, 360, true};
    EXPECT_EQ(RotorStep(45.7f, 1, free), 46);
    EXPECT_EQ(RotorStep(-0.5f, 1, free), 0);
    EXPECT_EQ(RotorStep(-0.5f, -1, free), -1);
    EXPECT_EQ(RotorStep(360, 1, limited), 360);
    EXPECT_EQ(RotorStep(-20, 1, free), -19);
    EXPECT_EQ(ClampAngle(400, limited), 360);
    EXPECT_EQ(ClampAngle(400, free), 400);

    const struct {
        float value;
        int x, y;
    } markers[] = {{90, 58, 30}, {180, 30, 58}, {270, 2, 30},
                   // The dial's pi (3.141592) leaves these a hair above the centre line.
                   {450, 58, 29}, {-90, 2, 29}};
    for (const auto& m : markers) {
        const Point2 p = RotorMarker(m.value, 60, 60, 28);
        EXPECT_EQ(p.x, m.x) << m.value;
        EXPECT_EQ(p.y, m.y) << m.value;
    }
}

// How the dial's outline looks at each pen width is pinned by the gallery's
// reference pictures; here, the blend it is drawn with.
TEST(RotorFace, CoverageBlendsFromTheBackgroundTowardTheInk) {
    const uint32_t background = PackRgb(232, 232, 232);
    EXPECT_EQ(BlendCoverage(background, 0, 0), background);
    EXPECT_EQ(BlendCoverage(background, 0, 255), 0u);
    EXPECT_EQ(BlendCoverage(background, 0, 128), PackRgb(115, 115, 115));  // 232 * (1 - 128 / 255), truncated
}

// (A 185 x 154 preview at scale 2.5: the preview window test's 74 x 62 frame.)
TEST(NavigatorFrame, IsEmptyWithoutAScale) {
    EXPECT_EQ(NavigatorFrameSize(185, 154, 0.0f).width, 0);
    EXPECT_EQ(NavigatorFrameSize(185, 154, NAN).height, 0);
}

TEST(Resample, AveragesCoveredAreas) {
    const uint32_t checker[4] = {0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF};
    uint32_t one = 0;
    ResamplePixels(checker, 2, 2, &one, 1, 1);
    EXPECT_EQ(one, 0x808080u);
    const uint32_t row[4] = {0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00};
    uint32_t half[2] = {};
    ResamplePixels(row, 4, 1, half, 2, 1);
    EXPECT_EQ(half[0], 0x0000FFu);
    EXPECT_EQ(half[1], 0x00FF00u);
    const uint32_t pair[2] = {0x000000, 0xFFFFFF};
    uint32_t grown[3] = {};
    ResamplePixels(pair, 2, 1, grown, 3, 1);  // 1.5 times: the middle pixel covers half of each
    EXPECT_EQ(grown[0], 0x000000u);
    for (int shift : {0, 8, 16}) EXPECT_NEAR(int(grown[1] >> shift & 0xFF), 128, 1);
    EXPECT_EQ(grown[2], 0xFFFFFFu);
}

}  // namespace
