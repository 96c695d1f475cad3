// lumeric:engrave inside GEGL: random regions, chunk sizes and thread
// counts give exactly the whole engraving; an infinite plane passes
// through; deep input is engraved at 16 bits; GIMP finds what it reads.
#include <gegl.h>
#include <gegl-paramspecs.h>
#include <gtest/gtest.h>

#include <random>

#include "gegl/PropertySpecs.h"
#include "tests/gegl/TestPixels.h"

namespace {

class GeglSession : public ::testing::Environment {
    void SetUp() override { gegl_init(nullptr, nullptr); }
    void TearDown() override { gegl_exit(); }
};
const auto* const kSession = ::testing::AddGlobalTestEnvironment(new GeglSession);

const Babl* FormatOf(const PixelLayout& layout) {
    if (layout.depth == 16) return babl_format(layout.planes == 4 ? "R'G'B'A u16" : "R'G'B' u16");
    return babl_format(layout.planes == 4 ? "R'G'B'A u8" : "R'G'B' u8");
}

GeglRectangle ToGegl(const PixelRect& r) { return GeglRectangle{r.x, r.y, r.width, r.height}; }

GeglBuffer* BufferOf(const TestPixels& p, const Babl* format) {
    const GeglRectangle rect = ToGegl(p.rect);
    GeglBuffer* buffer = gegl_buffer_new(&rect, format);
    gegl_buffer_set(buffer, &rect, 0, FormatOf(p.layout), p.bytes.data(), gint(p.RowBytes()));
    return buffer;
}

// buffer-source -> lumeric:engrave, with the settings set as properties.
struct EngraveGraph {
    GeglNode* graph = gegl_node_new();
    GeglNode* engrave = nullptr;

    EngraveGraph(GeglBuffer* input, int pattern, int schema, bool direct, double randomness) {
        GeglNode* source = gegl_node_new_child(graph, "operation", "gegl:buffer-source", "buffer", input, nullptr);
        engrave = gegl_node_new_child(graph, "operation", "lumeric:engrave", "pattern", pattern, "color-schema",
                                      schema, "no-antialias", gboolean(direct), "randomness", randomness,
                                      "fill-alpha", FALSE, nullptr);
        gegl_node_link(source, engrave);
    }
    ~EngraveGraph() { g_object_unref(graph); }

    TestPixels Blit(const PixelRect& rect, const PixelLayout& layout) const {
        TestPixels out = BlankPixels(rect, layout);
        const GeglRectangle r = ToGegl(rect);
        gegl_node_blit(engrave, 1.0, &r, FormatOf(layout), out.bytes.data(), gint(out.RowBytes()), GEGL_BLIT_DEFAULT);
        return out;
    }

    // Through a processor in chunks of about `chunkPixels`, as gegl and GIMP render.
    TestPixels InChunks(const PixelRect& rect, const PixelLayout& layout, int chunkPixels) const {
        g_object_set(gegl_config(), "chunk-size", chunkPixels, nullptr);
        const GeglRectangle r = ToGegl(rect);
        GeglBuffer* target = gegl_buffer_new(&r, FormatOf(layout));
        GeglNode* write = gegl_node_new_child(graph, "operation", "gegl:write-buffer", "buffer", target, nullptr);
        gegl_node_link(engrave, write);
        GeglProcessor* processor = gegl_node_new_processor(write, &r);
        while (gegl_processor_work(processor, nullptr)) {
        }
        g_object_unref(processor);
        TestPixels out = BlankPixels(rect, layout);
        gegl_buffer_get(target, &r, 1.0, FormatOf(layout), out.bytes.data(), gint(out.RowBytes()), GEGL_ABYSS_NONE);
        g_object_unref(target);
        return out;
    }
};

struct Case {
    const char* name;
    PixelLayout layout;
    int pattern, schema;
    bool direct;
    double randomness;
};

class ThroughGegl : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(ThroughGegl, RegionsChunksAndThreadsGiveTheWholeEngraving) {
    const Case& c = GetParam();
    const TestPixels picture = MakeTestPixels(PixelRect{0, 0, 263, 411}, c.layout, 3);
    EngraveSettings settings = DefaultEngraveSettings();
    settings.pattern = uint8_t(c.pattern);
    settings.colorSchema = uint8_t(c.schema);
    settings.noAntialias = c.direct;
    settings.randomness = float(c.randomness);
    settings.fillAlpha = 0;
    const TestPixels whole = RenderWhole(settings, picture);

    GeglBuffer* input = BufferOf(picture, FormatOf(picture.layout));
    std::mt19937 random(7);
    for (int threads : {1, 3}) {
        g_object_set(gegl_config(), "threads", threads, nullptr);
        const EngraveGraph graph(input, c.pattern, c.schema, c.direct, c.randomness);
        for (int i = 0; i < 10; ++i) {  // one node: later regions come from its cached bands
            const int w = 1 + int(random() % 200), h = 1 + int(random() % 200);
            const PixelRect rect{int(random() % uint32_t(263 - w + 1)), int(random() % uint32_t(411 - h + 1)), w, h};
            ASSERT_EQ(Difference(graph.Blit(rect, c.layout), Crop(whole, rect)), "") << threads << " threads";
        }
        for (int chunk : {4096, 50000})
            ASSERT_EQ(Difference(EngraveGraph(input, c.pattern, c.schema, c.direct, c.randomness)
                                     .InChunks(picture.rect, c.layout, chunk),
                                 whole),
                      "")
                << threads << " threads, chunks of " << chunk;
    }
    g_object_unref(input);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ThroughGegl,
                         ::testing::Values(Case{"waves_rgba8", {4, 8}, 1, 2, false, 0},
                                           Case{"spiral_relief_rgb16", {3, 16}, 12, 1, false, 400},
                                           Case{"rings_direct_rgb8", {3, 8}, 4, 0, true, -300}),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ThroughGegl, DeepInputIsEngravedAt16Bits) {
    const PixelLayout layout{4, 16};
    const TestPixels picture = MakeTestPixels(PixelRect{0, 0, 120, 90}, layout, 9);
    GeglBuffer* asFloat = BufferOf(picture, babl_format("RGBA float"));
    EngraveGraph graph(asFloat, 9, 1, false, 0);
    EngraveSettings settings = DefaultEngraveSettings();
    settings.pattern = 9;
    settings.colorSchema = 1;
    settings.fillAlpha = 0;
    EXPECT_EQ(Difference(graph.Blit(picture.rect, layout), RenderWhole(settings, picture)), "");
    g_object_unref(asFloat);
}

TEST(ThroughGegl, AnInfinitePlanePassesThrough) {
    GeglNode* graph = gegl_node_new();
    GeglColor* grey = gegl_color_new("rgb(0.25, 0.5, 0.75)");
    GeglNode* color = gegl_node_new_child(graph, "operation", "gegl:color", "value", grey, nullptr);
    GeglNode* engrave = gegl_node_new_child(graph, "operation", "lumeric:engrave", nullptr);
    gegl_node_link(color, engrave);
    GeglRectangle bounds = gegl_node_get_bounding_box(engrave);
    EXPECT_TRUE(gegl_rectangle_is_infinite_plane(&bounds));
    const GeglRectangle rect{-1000, 5000, 40, 30};
    std::vector<float> in(40 * 30 * 4), out(40 * 30 * 4);
    gegl_node_blit(color, 1.0, &rect, babl_format("RGBA float"), in.data(), GEGL_AUTO_ROWSTRIDE, GEGL_BLIT_DEFAULT);
    gegl_node_blit(engrave, 1.0, &rect, babl_format("RGBA float"), out.data(), GEGL_AUTO_ROWSTRIDE, GEGL_BLIT_DEFAULT);
    EXPECT_EQ(in, out);
    g_object_unref(grey);
    g_object_unref(graph);
}

TEST(ThroughGegl, GimpFindsListsUnitsVisibilityAndMenu) {
    EXPECT_STREQ(gegl_operation_get_key("lumeric:engrave", "gimp:menu-path"), "<Image>/Filters/Artistic");
    guint count = 0;
    GParamSpec** pspecs = gegl_operation_list_properties("lumeric:engrave", &count);
    ASSERT_EQ(count, EngravePropertySpecs().size());
    for (guint i = 0; i < count; ++i) {
        const PropertySpec& spec = EngravePropertySpecs()[i];
        ASSERT_STREQ(pspecs[i]->name, spec.name.c_str());
        EXPECT_STREQ(g_param_spec_get_nick(pspecs[i]), spec.label.c_str());
        const char* visible = gegl_param_spec_get_property_key(pspecs[i], "visible");
        EXPECT_EQ(visible ? visible : "", spec.visibleWhen);
        if (spec.kind == PropertyKind::List) {
            GEnumClass* list = G_ENUM_CLASS(g_type_class_ref(pspecs[i]->value_type));
            for (int v = 0; v < spec.setting->listCount; ++v) {
                EXPECT_STREQ(g_enum_get_value(list, v)->value_name, spec.setting->listNames[v]);  // the combo's text
                EXPECT_STREQ(g_enum_get_value(list, v)->value_nick, spec.listNicks[size_t(v)].c_str());
            }
            g_type_class_unref(list);
        }
        if (spec.kind == PropertyKind::Number) {
            const GeglParamSpecDouble* slider = GEGL_PARAM_SPEC_DOUBLE(pspecs[i]);
            EXPECT_EQ(slider->ui_minimum, spec.uiMinimum);
            EXPECT_EQ(slider->ui_maximum, spec.uiMaximum);
        }
    }
    g_free(pspecs);
}
