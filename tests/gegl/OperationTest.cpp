// lumeric:engrave inside GEGL: random regions, chunk sizes and thread
// counts give exactly the whole engraving; deep input is engraved at 16
// bits; an infinite plane passes through; GIMP finds what its dialog needs.
#include <gegl-paramspecs.h>
#include <gegl.h>
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "tests/gegl/TestPixels.h"

namespace {

class GeglSession : public ::testing::Environment {
    void SetUp() override { gegl_init(nullptr, nullptr); }
    void TearDown() override { gegl_exit(); }
};
const auto* const kSession = ::testing::AddGlobalTestEnvironment(new GeglSession);

const Babl* FormatOf(const PixelLayout& l) {
    return babl_format(l.depth == 16 ? (l.planes == 4 ? "R'G'B'A u16" : "R'G'B' u16")
                                     : (l.planes == 4 ? "R'G'B'A u8" : "R'G'B' u8"));
}

// buffer-source -> lumeric:engrave with the settings of `s` that differ from the defaults here.
GeglNode* Engraving(GeglNode* graph, const TestPixels& picture, const Babl* stored, const EngraveSettings& s) {
    const GeglRectangle rect{picture.rect.x, picture.rect.y, picture.rect.width, picture.rect.height};
    GeglBuffer* buffer = gegl_buffer_new(&rect, stored);
    gegl_buffer_set(buffer, &rect, 0, FormatOf(picture.layout), picture.bytes.data(), gint(picture.RowBytes()));
    GeglNode* source = gegl_node_new_child(graph, "operation", "gegl:buffer-source", "buffer", buffer, nullptr);
    GeglNode* engrave = gegl_node_new_child(graph, "operation", "lumeric:engrave", "pattern", int(s.pattern),
                                            "color-schema", int(s.colorSchema), "no-antialias", s.noAntialias,
                                            "randomness", double(s.randomness), "fill-alpha", FALSE, nullptr);
    gegl_node_link(source, engrave);
    g_object_unref(buffer);
    return engrave;
}

TestPixels Blit(GeglNode* node, const PixelRect& rect, const PixelLayout& layout) {
    TestPixels out = MakeTestPixels(rect, layout, true);
    const GeglRectangle r{rect.x, rect.y, rect.width, rect.height};
    gegl_node_blit(node, 1.0, &r, FormatOf(layout), out.bytes.data(), gint(out.RowBytes()), GEGL_BLIT_DEFAULT);
    return out;
}

// Through a processor in chunks of about `pixels`, as gegl and GIMP render.
TestPixels InChunks(GeglNode* node, const PixelRect& rect, const PixelLayout& layout, int pixels) {
    g_object_set(gegl_config(), "chunk-size", pixels, nullptr);
    const GeglRectangle r{rect.x, rect.y, rect.width, rect.height};
    GeglBuffer* target = gegl_buffer_new(&r, FormatOf(layout));
    GeglNode* write =
        gegl_node_new_child(gegl_node_get_parent(node), "operation", "gegl:write-buffer", "buffer", target, nullptr);
    gegl_node_link(node, write);
    gegl_node_process(write);
    TestPixels out = MakeTestPixels(rect, layout, true);
    gegl_buffer_get(target, &r, 1.0, FormatOf(layout), out.bytes.data(), gint(out.RowBytes()), GEGL_ABYSS_NONE);
    g_object_unref(target);
    return out;
}

EngraveSettings Settings(int pattern, int schema, int direct, float randomness) {
    EngraveSettings s = DefaultEngraveSettings();
    s.pattern = uint8_t(pattern);
    s.colorSchema = uint8_t(schema);
    s.noAntialias = direct;
    s.randomness = randomness;
    s.fillAlpha = 0;
    return s;
}

}  // namespace

TEST(ThroughGegl, RegionsChunksAndThreadsGiveTheWholeEngraving) {
    const struct {
        PixelLayout layout;
        EngraveSettings settings;
    } cases[] = {
        {{4, 8}, Settings(kWaves1, kBlackAndWhite, 0, 0)},
        {{3, 16}, Settings(kSpiralWaves4, kSplitColor, 0, 400)},
        {{3, 8}, Settings(kRingsWaves1, kInitialColor, 1, -300)},
    };
    std::mt19937 random(7);
    for (const auto& c : cases) {
        const TestPixels picture = MakeTestPixels(PixelRect{0, 0, 263, 411}, c.layout);
        const TestPixels whole = RenderWhole(c.settings, picture);
        for (int threads : {1, 3}) {
            g_object_set(gegl_config(), "threads", threads, nullptr);
            GeglNode* graph = gegl_node_new();
            GeglNode* node = Engraving(graph, picture, FormatOf(c.layout), c.settings);
            for (int i = 0; i < 8; ++i) {  // later regions come from the node's cached bands
                const int w = 1 + int(random() % 200), h = 1 + int(random() % 200);
                const PixelRect rect{int(random() % uint32_t(264 - w)), int(random() % uint32_t(412 - h)), w, h};
                ASSERT_EQ(Difference(Blit(node, rect, c.layout), Crop(whole, rect)), "") << threads << " threads";
            }
            for (int chunk : {4096, 50000}) {
                GeglNode* fresh = Engraving(graph, picture, FormatOf(c.layout), c.settings);
                ASSERT_EQ(Difference(InChunks(fresh, picture.rect, c.layout, chunk), whole), "") << chunk << " pixels";
            }
            g_object_unref(graph);
        }
    }
}

TEST(ThroughGegl, FloatInputIsEngravedAt16Bits) {
    const TestPixels picture = MakeTestPixels(PixelRect{0, 0, 120, 90}, PixelLayout{4, 16});
    const EngraveSettings settings = Settings(kSpiralWaves1, kSplitColor, 0, 0);
    GeglNode* graph = gegl_node_new();
    GeglNode* node = Engraving(graph, picture, babl_format("RGBA float"), settings);
    EXPECT_EQ(Difference(Blit(node, picture.rect, picture.layout), RenderWhole(settings, picture)), "");
    g_object_unref(graph);
}

TEST(ThroughGegl, AnInfinitePlanePassesThrough) {
    GeglNode* graph = gegl_node_new();
    GeglColor* color = gegl_color_new("rgb(0.25, 0.5, 0.75)");
    GeglNode* plane = gegl_node_new_child(graph, "operation", "gegl:color", "value", color, nullptr);
    GeglNode* engrave = gegl_node_new_child(graph, "operation", "lumeric:engrave", nullptr);
    gegl_node_link(plane, engrave);
    const PixelRect rect{-1000, 5000, 40, 30};
    EXPECT_EQ(Difference(Blit(engrave, rect, {3, 16}), Blit(plane, rect, {3, 16})), "");
    g_object_unref(color);
    g_object_unref(graph);
}

// What GIMP builds its dialog from: a label per control, the list names
// in the combo boxes, an angle dial for the rotation, and the centre and
// wave controls shown only for the kinds that use them.
TEST(ThroughGegl, GimpFindsItsDialog) {
    EXPECT_STREQ(gegl_operation_get_key("lumeric:engrave", "gimp:menu-path"), "<Image>/Filters/Artistic");
    guint count = 0;
    GParamSpec** pspecs = gegl_operation_list_properties("lumeric:engrave", &count);
    std::set<std::string> labels;
    for (guint i = 0; i < count; ++i) {
        const std::string name = pspecs[i]->name;
        labels.insert(g_param_spec_get_nick(pspecs[i]));
        const char* visible = gegl_param_spec_get_property_key(pspecs[i], "visible");
        if (name == "center-x" || name == "center-y")
            EXPECT_STREQ(visible,
                         "pattern {rings, rings-waves-1, rings-waves-2, rings-waves-3, rings-waves-4, spiral, "
                         "spiral-waves-1, spiral-waves-2, spiral-waves-3, spiral-waves-4}");
        else if (name == "amplitude" || name == "frequency" || name == "phase-shift")
            EXPECT_STREQ(visible,
                         "pattern {waves-1, waves-2, rings-waves-1, rings-waves-2, rings-waves-3, "
                         "rings-waves-4, spiral-waves-1, spiral-waves-2, spiral-waves-3, spiral-waves-4}");
        else
            EXPECT_EQ(visible, nullptr) << name;
    }
    EXPECT_EQ(count, 21u);
    EXPECT_EQ(labels.size(), size_t(count));
    GParamSpec* rotation = gegl_operation_find_property("lumeric:engrave", "rotation");
    EXPECT_STREQ(gegl_param_spec_get_property_key(rotation, "unit"), "degree");
    EXPECT_EQ(GEGL_PARAM_SPEC_DOUBLE(rotation)->ui_maximum - GEGL_PARAM_SPEC_DOUBLE(rotation)->ui_minimum, 360.0);
    GEnumClass* kinds =
        G_ENUM_CLASS(g_type_class_ref(gegl_operation_find_property("lumeric:engrave", "pattern")->value_type));
    EXPECT_STREQ(g_enum_get_value_by_nick(kinds, "spiral-waves-2")->value_name, "Spiral waves 2");
    g_type_class_unref(kinds);
    g_free(pspecs);
}
