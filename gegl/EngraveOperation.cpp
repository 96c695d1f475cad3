// lumeric:engrave: regions, formats and processing.
#include "gegl/EngraveOperation.h"

#include <cstdint>
#include <vector>

#include "engine/Engrave.h"
#include "gegl/BandPlan.h"
#include "gegl/RegionRender.h"

G_DEFINE_DYNAMIC_TYPE(LumericEngrave, lumeric_engrave, GEGL_TYPE_OPERATION_FILTER)

namespace {

PixelRect ToPixelRect(const GeglRectangle& r) { return PixelRect{r.x, r.y, r.width, r.height}; }
GeglRectangle ToGeglRectangle(const PixelRect& r) { return GeglRectangle{r.x, r.y, r.width, r.height}; }

// The input's extent when the engraving has one; null for no input and for
// an infinite plane, which passes through unchanged.
const GeglRectangle* FiniteInput(GeglOperation* operation) {
    const GeglRectangle* in = gegl_operation_source_get_bounding_box(operation, "input");
    if (!in || gegl_rectangle_is_infinite_plane(in) || in->width <= 0 || in->height <= 0) return nullptr;
    return in;
}

int ReachOf(GeglOperation* operation, const GeglRectangle& image) {
    return EngraveReach(EngraveSettingsOf(operation), image.width, image.height);
}

// 8-bit images stay 8-bit; deeper ones are engraved at 16 bits. Always
// gamma-encoded RGB(A) in the input's own RGB space, as a file stores it.
const Babl* ProcessingFormat(const Babl* input) {
    const Babl* space = nullptr;
    bool alpha = true, deep = false;
    if (input) {
        if (babl_get_model_flags(babl_format_get_model(input)) & BABL_MODEL_FLAG_RGB)
            space = babl_format_get_space(input);
        alpha = babl_format_has_alpha(input) != 0;
        deep = babl_format_get_type(input, 0) != babl_type("u8");
    }
    const char* encoding = deep ? (alpha ? "R'G'B'A u16" : "R'G'B' u16") : (alpha ? "R'G'B'A u8" : "R'G'B' u8");
    return babl_format_with_space(encoding, space);
}

void Prepare(GeglOperation* operation) {
    const Babl* format = ProcessingFormat(gegl_operation_get_source_format(operation, "input"));
    gegl_operation_set_format(operation, "input", format);
    gegl_operation_set_format(operation, "output", format);
}

GeglRectangle RequiredForOutput(GeglOperation* operation, const gchar*, const GeglRectangle* roi) {
    const GeglRectangle* image = FiniteInput(operation);
    if (!image) return *roi;
    return ToGeglRectangle(InputBand(ToPixelRect(*roi), ToPixelRect(*image), ReachOf(operation, *image)));
}

GeglRectangle InvalidatedByChange(GeglOperation* operation, const gchar*, const GeglRectangle* roi) {
    return RequiredForOutput(operation, "input", roi);
}

GeglRectangle CachedRegion(GeglOperation* operation, const GeglRectangle* roi) {
    const GeglRectangle* image = FiniteInput(operation);
    if (!image) return *roi;
    return ToGeglRectangle(CachedBand(ToPixelRect(*roi), ToPixelRect(*image)));
}

// Threads each take whole rows: the stroke walk is per region, and a
// stripe keeps its rows' source band small.
GeglSplitStrategy SplitStrategy(GeglOperation*, GeglOperationContext*, const gchar*, const GeglRectangle*, gint) {
    return GEGL_SPLIT_STRATEGY_HORIZONTAL;
}

gboolean OperationProcess(GeglOperation* operation, GeglOperationContext* context, const gchar* pad,
                          const GeglRectangle* roi, gint level) {
    if (!FiniteInput(operation)) {
        GObject* input = gegl_operation_context_get_object(context, "input");
        if (input) gegl_operation_context_take_object(context, "output", G_OBJECT(g_object_ref(input)));
        return TRUE;
    }
    return GEGL_OPERATION_CLASS(lumeric_engrave_parent_class)->process(operation, context, pad, roi, level);
}

gboolean FilterProcess(GeglOperation* operation, GeglBuffer* input, GeglBuffer* output, const GeglRectangle* roi,
                       gint) {
    const GeglRectangle* extent = FiniteInput(operation);
    if (!extent) return TRUE;
    const PixelRect image = ToPixelRect(*extent);
    const PixelRect region = Intersection(ToPixelRect(*roi), image);
    if (IsEmpty(region)) return TRUE;

    const EngraveSettings settings = EngraveSettingsOf(operation);
    const Babl* format = gegl_operation_get_format(operation, "output");
    const int planes = babl_format_get_n_components(format);
    const PixelLayout layout{planes, babl_format_get_bytes_per_pixel(format) / planes == 2 ? 16 : 8};
    const size_t pixelBytes = size_t(babl_format_get_bytes_per_pixel(format));

    const PixelRect band = InputBand(region, image, EngraveReach(settings, image.width, image.height));
    std::vector<uint8_t> source(size_t(band.width) * band.height * pixelBytes);
    const GeglRectangle bandRect = ToGeglRectangle(band);
    gegl_buffer_get(input, &bandRect, 1.0, format, source.data(), gint(size_t(band.width) * pixelBytes),
                    GEGL_ABYSS_NONE);

    std::vector<uint8_t> out(size_t(region.width) * region.height * pixelBytes);
    const size_t outRowBytes = size_t(region.width) * pixelBytes;
    if (!RenderRegion(settings, image, layout, PixelBlock{source.data(), size_t(band.width) * pixelBytes, band}, region,
                      PixelBlock{out.data(), outRowBytes, region}))
        return FALSE;
    const GeglRectangle outRect = ToGeglRectangle(region);
    gegl_buffer_set(output, &outRect, 0, format, out.data(), gint(outRowBytes));
    return TRUE;
}

}  // namespace

static void lumeric_engrave_init(LumericEngrave*) {}

static void lumeric_engrave_class_finalize(LumericEngraveClass*) {}

static void lumeric_engrave_class_init(LumericEngraveClass* klass) {
    InstallEngraveProperties(G_OBJECT_CLASS(klass));

    GeglOperationClass* operation = GEGL_OPERATION_CLASS(klass);
    operation->prepare = Prepare;
    operation->get_required_for_output = RequiredForOutput;
    operation->get_invalidated_by_change = InvalidatedByChange;
    operation->get_cached_region = CachedRegion;
    operation->process = OperationProcess;
    operation->threaded = TRUE;
    operation->want_in_place = FALSE;

    GeglOperationFilterClass* filter = GEGL_OPERATION_FILTER_CLASS(klass);
    filter->process = FilterProcess;
    filter->get_split_strategy = SplitStrategy;

    // clang-format off
    gegl_operation_class_set_keys(operation,
        "name", "lumeric:engrave",
        "title", "LumericII",
        "categories", "artistic",
        "description", "Turns the picture into an engraving: a field of strokes whose thickness follows the brightness",
        "gimp:menu-path", "<Image>/Filters/Artistic",
        "gimp:menu-label", "LumericII...",
        nullptr);
    // clang-format on
}

void RegisterEngraveOperation(GTypeModule* module) { lumeric_engrave_register_type(module); }
