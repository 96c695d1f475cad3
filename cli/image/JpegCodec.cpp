// JPEG through libjpeg(-turbo): 8-bit gray, RGB (any YCbCr or RGB file) and
// CMYK (plain or YCCK). libjpeg reports errors by longjmp, so the functions
// that call setjmp keep only plain locals alive across the library calls.
//
// CMYK: files with Adobe's APP14 marker store inverted samples (255 = no
// ink), as Photoshop writes them; files without it store ink amounts. Both
// become ink amounts in memory. CMYK is written inverted with the marker.
#include <cstdio>
#include <cstring>
#include <csetjmp>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "cli/image/Codecs.h"
#include "cli/image/ImageLimits.h"

namespace {

struct JpegErrors {
    jpeg_error_mgr manager;  // first: libjpeg hands us a pointer to it
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings that mean lost image data end the read: libjpeg would otherwise
// hand back gray filler for the missing part. The rest are ignored.
void OnJpegMessage(j_common_ptr info, int level) {
    if (level >= 0) return;  // trace messages
    switch (info->err->msg_code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_MUST_RESYNC:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_BOGUS_PROGRESSION: OnJpegError(info);
        default: info->err->num_warnings++;
    }
}

void InitErrors(JpegErrors& errors) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnJpegError;
    errors.manager.emit_message = OnJpegMessage;
    errors.message[0] = '\0';
}

struct JpegHeader {
    JOCTET* icc;  // malloc'ed by libjpeg, freed by the caller
    unsigned int iccLength;
};

bool ReadJpegHeader(jpeg_decompress_struct* info, JpegErrors* errors, const uint8_t* data, size_t size,
                    JpegHeader* header) {
    if (setjmp(errors->jump)) return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, data, (unsigned long)size);
    jpeg_save_markers(info, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(info, TRUE);
    if (!jpeg_read_icc_profile(info, &header->icc, &header->iccLength)) {
        header->icc = nullptr;  // none, or a broken chain: no profile
        header->iccLength = 0;
    }
    switch (info->jpeg_color_space) {
        case JCS_GRAYSCALE: info->out_color_space = JCS_GRAYSCALE; break;
        case JCS_CMYK:
        case JCS_YCCK: info->out_color_space = JCS_CMYK; break;
        case JCS_YCbCr:
        case JCS_RGB: info->out_color_space = JCS_RGB; break;
        default: info->out_color_space = JCS_UNKNOWN; break;
    }
    return true;
}

bool ReadJpegRows(jpeg_decompress_struct* info, JpegErrors* errors, JSAMPROW* rows) {
    if (setjmp(errors->jump)) return false;
    jpeg_start_decompress(info);
    while (info->output_scanline < info->output_height) {
        jpeg_read_scanlines(info, rows + info->output_scanline, info->output_height - info->output_scanline);
    }
    jpeg_finish_decompress(info);
    return true;
}

std::string DecodeJpeg(jpeg_decompress_struct& info, JpegErrors& errors, const uint8_t* data, size_t size,
                       Image& image, JpegHeader& header) {
    if (!ReadJpegHeader(&info, &errors, data, size, &header)) {
        return std::string("not a valid JPEG file (") + errors.message + ")";
    }
    if (header.icc) image.iccProfile.assign(header.icc, header.icc + header.iccLength);
    if (info.out_color_space == JCS_UNKNOWN) return "unsupported JPEG colour mode (only gray, RGB and CMYK are read)";
    std::string reason = CheckImageSize(info.image_width, info.image_height);
    if (!reason.empty()) return reason;
    // Huffman data spends at least one bit on the DC term of every 8 x 8
    // block (at most 4096 samples for 19 blocks of the widest sampling), so
    // a short file cannot hold a huge image: refuse it before allocating and
    // decoding. Arithmetic coding has no such floor; its bound is one no
    // photograph comes near.
    constexpr uint64_t kHuffmanExpansion = 4096, kArithmeticExpansion = uint64_t(1) << 20;
    const uint64_t samples = uint64_t(info.image_width) * info.image_height * uint64_t(info.num_components);
    reason = CheckDataCanFill(samples, size, info.arith_code ? kArithmeticExpansion : kHuffmanExpansion);
    if (!reason.empty()) return reason;

    image.width = info.image_width;
    image.height = info.image_height;
    image.depth = 8;
    image.hasAlpha = false;
    image.model = info.out_color_space == JCS_GRAYSCALE ? ColorModel::Gray
                  : info.out_color_space == JCS_CMYK    ? ColorModel::Cmyk
                                                        : ColorModel::Rgb;
    image.jpeg.progressive = info.progressive_mode != 0;
    image.jpeg.ycck = info.jpeg_color_space == JCS_YCCK;
    image.jpeg.components = info.num_components <= 4 ? info.num_components : 0;
    for (int c = 0; c < image.jpeg.components; ++c) {
        image.jpeg.sampling[c][0] = uint8_t(info.comp_info[c].h_samp_factor);
        image.jpeg.sampling[c][1] = uint8_t(info.comp_info[c].v_samp_factor);
    }
    if (info.saw_JFIF_marker && info.X_density > 0 && info.Y_density > 0) {
        image.resolution.present = true;
        image.resolution.x = info.X_density;
        image.resolution.y = info.Y_density;
        image.resolution.unit = info.density_unit == 1   ? ResolutionUnit::Inch
                                : info.density_unit == 2 ? ResolutionUnit::Centimetre
                                                         : ResolutionUnit::None;
    }
    AllocateSamples(image);
    const size_t stride = size_t(image.width) * SamplesPerPixel(image);
    std::vector<JSAMPROW> rows(image.height);
    for (uint32_t y = 0; y < image.height; ++y) rows[y] = image.samples8.data() + y * stride;
    const bool inverted = image.model == ColorModel::Cmyk && info.saw_Adobe_marker;
    if (!ReadJpegRows(&info, &errors, rows.data())) {
        return std::string("the JPEG data is truncated or corrupt (") + errors.message + ")";
    }
    if (inverted) {
        for (uint8_t& s : image.samples8) s = uint8_t(255 - s);
    }
    return {};
}

J_COLOR_SPACE InputSpace(const Image& image) {
    return image.model == ColorModel::Gray ? JCS_GRAYSCALE : image.model == ColorModel::Cmyk ? JCS_CMYK : JCS_RGB;
}

bool EncodeJpeg(jpeg_compress_struct* info, JpegErrors* errors, FILE* file, const Image* image, int quality,
                JSAMPROW* rows) {
    if (setjmp(errors->jump)) return false;
    jpeg_create_compress(info);
    jpeg_stdio_dest(info, file);
    info->image_width = image->width;
    info->image_height = image->height;
    info->input_components = ColorChannels(image->model);
    info->in_color_space = InputSpace(*image);
    jpeg_set_defaults(info);
    if (image->model == ColorModel::Cmyk) jpeg_set_colorspace(info, image->jpeg.ycck ? JCS_YCCK : JCS_CMYK);
    if (image->jpeg.components == info->num_components) {
        for (int c = 0; c < info->num_components; ++c) {
            info->comp_info[c].h_samp_factor = image->jpeg.sampling[c][0];
            info->comp_info[c].v_samp_factor = image->jpeg.sampling[c][1];
        }
    }
    jpeg_set_quality(info, quality, TRUE);
    if (image->jpeg.progressive) jpeg_simple_progression(info);
    if (image->resolution.present && image->resolution.x >= 1 && image->resolution.y >= 1 &&
        image->resolution.x <= 65535 && image->resolution.y <= 65535) {
        info->density_unit = image->resolution.unit == ResolutionUnit::Inch         ? 1
                             : image->resolution.unit == ResolutionUnit::Centimetre ? 2
                                                                                     : 0;
        info->X_density = UINT16(image->resolution.x + 0.5);
        info->Y_density = UINT16(image->resolution.y + 0.5);
    }
    jpeg_start_compress(info, TRUE);
    if (image->iccProfile.size() > 0) {
        jpeg_write_icc_profile(info, image->iccProfile.data(), (unsigned int)image->iccProfile.size());
    }
    jpeg_write_scanlines(info, rows, image->height);
    jpeg_finish_compress(info);
    return true;
}

}  // namespace

std::string ReadJpeg(const uint8_t* data, size_t size, Image& image) {
    jpeg_decompress_struct info{};  // zeroed, so destroying it is safe even if creating it failed
    JpegErrors errors;
    InitErrors(errors);
    info.err = &errors.manager;
    JpegHeader header{nullptr, 0};
    std::string reason;
    try {
        reason = DecodeJpeg(info, errors, data, size, image, header);
    } catch (...) {
        jpeg_destroy_decompress(&info);
        std::free(header.icc);
        throw;
    }
    jpeg_destroy_decompress(&info);
    std::free(header.icc);
    return reason;
}

std::string WriteJpeg(FILE* file, const Image& image, const WriteOptions& options) {
    // Inverted CMYK goes through a copy; other samples are read in place.
    std::vector<uint8_t> inverted;
    const uint8_t* samples = image.samples8.data();
    if (image.model == ColorModel::Cmyk) {
        inverted.resize(image.samples8.size());
        for (size_t i = 0; i < inverted.size(); ++i) inverted[i] = uint8_t(255 - image.samples8[i]);
        samples = inverted.data();
    }
    const size_t stride = size_t(image.width) * SamplesPerPixel(image);
    std::vector<JSAMPROW> rows(image.height);
    for (uint32_t y = 0; y < image.height; ++y) rows[y] = const_cast<JSAMPROW>(samples + y * stride);

    jpeg_compress_struct info{};
    JpegErrors errors;
    InitErrors(errors);
    info.err = &errors.manager;
    const bool written = EncodeJpeg(&info, &errors, file, &image, options.jpegQuality, rows.data());
    jpeg_destroy_compress(&info);
    if (!written) return std::string("cannot write the JPEG data (") + errors.message + ")";
    return {};
}
