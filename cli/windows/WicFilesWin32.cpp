#include "cli/windows/WicFiles.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "cli/image/ImageLimits.h"
#include "cli/image/PackedPixels.h"
#include "cli/image/ProfileEmbedding.h"
#include "cli/image/TiffEncoder.h"
#include "cli/windows/WindowsText.h"

namespace {

// Owns one COM reference.
template <typename T>
class Com {
public:
    Com() = default;
    ~Com() { Reset(); }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T** Put() {
        Reset();
        return &pointer_;
    }
    void Reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }
    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

constexpr size_t kBandBytes = size_t(16) << 20;  // pixels move in bands of about this size

struct LayoutFormat {
    const GUID* format;
    PackedLayout layout;
};

// Pixel formats taken as they are; anything else goes through a converter.
const LayoutFormat kDirectFormats[] = {
    {&GUID_WICPixelFormat8bppGray, PackedLayout::Gray8},
    {&GUID_WICPixelFormat16bppGray, PackedLayout::Gray16},
    {&GUID_WICPixelFormat24bppBGR, PackedLayout::Bgr8},
    {&GUID_WICPixelFormat24bppRGB, PackedLayout::Rgb8},
    {&GUID_WICPixelFormat32bppBGR, PackedLayout::Bgrx8},
    {&GUID_WICPixelFormat32bppBGRA, PackedLayout::Bgra8},
    {&GUID_WICPixelFormat32bppRGBA, PackedLayout::Rgba8},
    {&GUID_WICPixelFormat48bppRGB, PackedLayout::Rgb16},
    {&GUID_WICPixelFormat48bppBGR, PackedLayout::Bgr16},
    {&GUID_WICPixelFormat64bppRGBA, PackedLayout::Rgba16},
    {&GUID_WICPixelFormat64bppBGRA, PackedLayout::Bgra16},
    {&GUID_WICPixelFormat32bppCMYK, PackedLayout::Cmyk8},
    {&GUID_WICPixelFormat64bppCMYK, PackedLayout::Cmyk16},
    {&GUID_WICPixelFormat40bppCMYKAlpha, PackedLayout::CmykAlpha8},
    {&GUID_WICPixelFormat80bppCMYKAlpha, PackedLayout::CmykAlpha16},
};

const GUID& FormatFor(PackedLayout layout) {
    for (const LayoutFormat& entry : kDirectFormats) {
        if (entry.layout == layout) return *entry.format;
    }
    return GUID_WICPixelFormatDontCare;
}

bool DirectLayout(const GUID& format, PackedLayout* layout) {
    for (const LayoutFormat& entry : kDirectFormats) {
        if (IsEqualGUID(*entry.format, format)) {
            *layout = entry.layout;
            return true;
        }
    }
    return false;
}

// The factory of this thread (COM set up here if the caller has not).
IWICImagingFactory* Factory(std::string* error) {
    thread_local Com<IWICImagingFactory> factory;
    if (!factory) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        const HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Put()));
        if (FAILED(hr)) {
            *error = "the Windows Imaging Component is not available: " + DescribeHresult(hr);
            return nullptr;
        }
    }
    return factory.Get();
}

bool ContainerFormat(const GUID& container, WindowsFormat* format) {
    if (IsEqualGUID(container, GUID_ContainerFormatPng)) *format = WindowsFormat::Png;
    else if (IsEqualGUID(container, GUID_ContainerFormatTiff)) *format = WindowsFormat::Tiff;
    else if (IsEqualGUID(container, GUID_ContainerFormatJpeg)) *format = WindowsFormat::Jpeg;
    else if (IsEqualGUID(container, GUID_ContainerFormatBmp)) *format = WindowsFormat::Bmp;
    else return false;
    return true;
}

// For a pixel format we do not take directly: the nearest one we do.
GUID ConversionTarget(IWICImagingFactory* factory, const GUID& source, IWICBitmapSource* frame) {
    Com<IWICComponentInfo> info;
    Com<IWICPixelFormatInfo2> format;
    UINT bits = 0, channels = 0;
    BOOL transparent = FALSE;
    WICPixelFormatNumericRepresentation numbers = WICPixelFormatNumericRepresentationUnspecified;
    if (SUCCEEDED(factory->CreateComponentInfo(source, info.Put())) &&
        SUCCEEDED(info->QueryInterface(IID_IWICPixelFormatInfo2, reinterpret_cast<void**>(format.Put())))) {
        format->GetBitsPerPixel(&bits);
        format->GetChannelCount(&channels);
        format->SupportsTransparency(&transparent);
        format->GetNumericRepresentation(&numbers);
    }
    if (numbers == WICPixelFormatNumericRepresentationIndexed) {
        // A palette: transparent entries make it RGBA.
        Com<IWICPalette> palette;
        BOOL alpha = FALSE;
        if (SUCCEEDED(factory->CreatePalette(palette.Put())) && SUCCEEDED(frame->CopyPalette(palette.Get())))
            palette->HasAlpha(&alpha);
        return alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    }
    if (channels == 1) return bits > 8 ? GUID_WICPixelFormat16bppGray : GUID_WICPixelFormat8bppGray;
    const bool deep = channels > 0 && bits / channels > 8;
    if (transparent) return deep ? GUID_WICPixelFormat64bppRGBA : GUID_WICPixelFormat32bppBGRA;
    return deep ? GUID_WICPixelFormat48bppRGB : GUID_WICPixelFormat24bppBGR;
}

std::vector<uint8_t> EmbeddedProfile(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
    UINT count = 0;
    if (FAILED(frame->GetColorContexts(0, nullptr, &count)) || count == 0 || count > 16) return {};
    std::vector<IWICColorContext*> contexts(count, nullptr);
    std::vector<uint8_t> profile;
    UINT made = 0;
    for (; made < count; ++made) {
        if (FAILED(factory->CreateColorContext(&contexts[made]))) break;
    }
    UINT actual = 0;
    if (made == count && SUCCEEDED(frame->GetColorContexts(count, contexts.data(), &actual))) {
        for (UINT i = 0; i < actual && profile.empty(); ++i) {
            WICColorContextType type;
            UINT size = 0;
            if (FAILED(contexts[i]->GetType(&type)) || type != WICColorContextProfile) continue;
            if (FAILED(contexts[i]->GetProfileBytes(0, nullptr, &size)) || size == 0) continue;
            profile.resize(size);
            if (FAILED(contexts[i]->GetProfileBytes(size, profile.data(), &size))) profile.clear();
        }
    }
    for (UINT i = 0; i < made; ++i) contexts[i]->Release();
    return profile;
}

// `jpegBytes`: the file when it is a JPEG, whose profile wine's decoder does not hand over.
std::string ReadFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, const std::vector<uint8_t>* jpegBytes,
                      Image* image) {
    UINT width = 0, height = 0;
    HRESULT hr = frame->GetSize(&width, &height);
    if (FAILED(hr)) return "cannot read the image size: " + DescribeHresult(hr);
    const std::string size = CheckImageSize(width, height);
    if (!size.empty()) return size;

    GUID format;
    if (FAILED(frame->GetPixelFormat(&format))) return "cannot read the pixel format";
    PackedLayout layout = PackedLayout::Bgr8;
    IWICBitmapSource* source = frame;
    Com<IWICFormatConverter> converter;
    if (!DirectLayout(format, &layout)) {
        const GUID target = ConversionTarget(factory, format, frame);
        DirectLayout(target, &layout);
        hr = factory->CreateFormatConverter(converter.Put());
        if (SUCCEEDED(hr)) {
            hr = converter->Initialize(frame, target, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
        }
        if (FAILED(hr)) return "its pixel format cannot be read: " + DescribeHresult(hr);
        source = converter.Get();
    }

    const PackedShape& shape = ShapeOf(layout);
    image->width = width;
    image->height = height;
    image->model = shape.model;
    image->hasAlpha = shape.alpha;
    image->depth = shape.depth;
    AllocateSamples(*image);

    const size_t stride = size_t(width) * PackedBytesPerPixel(layout);
    const UINT bandRows = UINT(std::max<size_t>(1, std::min<size_t>(height, kBandBytes / stride)));
    std::vector<uint8_t> band(stride * bandRows);
    for (UINT top = 0; top < height; top += bandRows) {
        const UINT rows = std::min(bandRows, height - top);
        const WICRect rect = {0, INT(top), INT(width), INT(rows)};
        hr = source->CopyPixels(&rect, UINT(stride), UINT(stride * rows), band.data());
        if (FAILED(hr)) return "the file is truncated or corrupt: " + DescribeHresult(hr);
        UnpackRows(layout, band.data(), stride, top, rows, *image);
    }

    image->iccProfile = EmbeddedProfile(factory, frame);
    if (image->iccProfile.empty() && jpegBytes) image->iccProfile = FindJpegProfile(jpegBytes->data(), jpegBytes->size());
    double dpiX = 0, dpiY = 0;
    if (SUCCEEDED(frame->GetResolution(&dpiX, &dpiY)) && dpiX > 0 && dpiY > 0) {
        image->resolution.present = true;
        // Kept to a hundredth: the decoders hand 300/1 over as 299.999.
        image->resolution.x = std::round(dpiX * 100) / 100;
        image->resolution.y = std::round(dpiY * 100) / 100;
        image->resolution.unit = ResolutionUnit::Inch;
    }
    return {};
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (LONGLONG(1) << 31);
    if (ok) {
        bytes->resize(size_t(size.QuadPart));
        DWORD got = 0;
        ok = ReadFile(file, bytes->data(), DWORD(bytes->size()), &got, nullptr) && got == bytes->size();
    }
    CloseHandle(file);
    if (!ok) bytes->clear();
    return ok;
}

bool HeadFormat(const std::wstring& path, WindowsFormat* format) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    uint8_t head[8] = {};
    DWORD got = 0;
    const bool read = ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    return read && DetectWindowsFormat(head, got, format);
}

// ---------------------------------------------------------------- writing

std::string WriteBytes(const std::wstring& path, const void* data, size_t size, HANDLE* file) {
    if (*file == INVALID_HANDLE_VALUE) {
        *file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (*file == INVALID_HANDLE_VALUE) return "cannot create: " + DescribeWindowsError(GetLastError());
    }
    const uint8_t* at = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const DWORD chunk = DWORD(std::min<size_t>(size, size_t(1) << 30));
        DWORD written = 0;
        if (!WriteFile(*file, at, chunk, &written, nullptr) || written != chunk)
            return "cannot write: " + DescribeWindowsError(GetLastError());
        at += chunk;
        size -= chunk;
    }
    return {};
}

std::string FinishFile(HANDLE file, std::string reason) {
    if (file != INVALID_HANDLE_VALUE) {
        if (reason.empty() && !FlushFileBuffers(file)) reason = "cannot write: " + DescribeWindowsError(GetLastError());
        if (!CloseHandle(file) && reason.empty()) reason = "cannot write: " + DescribeWindowsError(GetLastError());
    }
    return reason;
}

std::string WriteTiffFile(const std::wstring& path, const Image& image) {
    HANDLE file = INVALID_HANDLE_VALUE;
    std::string failure;
    std::string reason = EncodeTiff(image, [&](const void* data, size_t size) {
        failure = WriteBytes(path, data, size, &file);
        return failure.empty();
    });
    if (!failure.empty()) reason = failure;
    return FinishFile(file, reason);
}

const GUID& ContainerOf(WindowsFormat format) {
    switch (format) {
        case WindowsFormat::Png: return GUID_ContainerFormatPng;
        case WindowsFormat::Jpeg: return GUID_ContainerFormatJpeg;
        case WindowsFormat::Bmp: return GUID_ContainerFormatBmp;
        case WindowsFormat::Tiff: break;
    }
    return GUID_ContainerFormatTiff;
}

// JPEG at quality 92, as the Linux command writes: fine engraved lines stay
// free of ringing.
void SetJpegQuality(IPropertyBag2* options) {
    PROPBAG2 name = {};
    name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = 0.92f;
    options->Write(1, &name, &value);
}

PackedLayout LayoutFor(const Image& image, WindowsFormat format) {
    return format == WindowsFormat::Png    ? LayoutForPng(image)
           : format == WindowsFormat::Jpeg ? LayoutForJpeg(image)
                                           : LayoutForBmp(image);
}

void SwapBytes16(uint8_t* data, size_t size) {
    for (size_t i = 0; i + 1 < size; i += 2) std::swap(data[i], data[i + 1]);
}

bool Swaps16(IWICImagingFactory* factory, WindowsFormat format, PackedLayout layout);
bool InvertsCmykJpeg(IWICImagingFactory* factory);

// Encodes into memory: the profile goes in before the bytes reach the file.
std::string EncodeWithWic(IWICImagingFactory* factory, const Image& image, WindowsFormat format,
                          std::vector<uint8_t>* bytes, bool probing = false) {
    const PackedLayout layout = LayoutFor(image, format);
    const bool swap = !probing && ShapeOf(layout).depth == 16 && Swaps16(factory, format, layout);
    const bool invert = !probing && layout == PackedLayout::Cmyk8 && InvertsCmykJpeg(factory);
    Com<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
    Com<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(hr)) hr = factory->CreateEncoder(ContainerOf(format), nullptr, encoder.Put());
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.Put(), options.Put());
    if (FAILED(hr)) return std::string("the system's ") + WindowsFormatName(format) + " encoder cannot start: " +
                           DescribeHresult(hr);
    if (format == WindowsFormat::Jpeg && options) SetJpegQuality(options.Get());
    hr = frame->Initialize(options.Get());
    if (SUCCEEDED(hr)) hr = frame->SetSize(image.width, image.height);
    if (SUCCEEDED(hr) && image.resolution.present && image.resolution.x > 0 && image.resolution.y > 0) {
        const double scale = image.resolution.unit == ResolutionUnit::Centimetre ? 2.54 : 1.0;
        if (image.resolution.unit != ResolutionUnit::None)
            frame->SetResolution(image.resolution.x * scale, image.resolution.y * scale);
    }
    GUID pixelFormat = FormatFor(layout);
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&pixelFormat);
    if (FAILED(hr)) return std::string("the system's ") + WindowsFormatName(format) + " encoder fails: " +
                           DescribeHresult(hr);
    if (!IsEqualGUID(pixelFormat, FormatFor(layout))) {
        return std::string("the system's ") + WindowsFormatName(format) + " encoder cannot store " +
               ModelName(image.model) + (image.hasAlpha ? "+alpha " : " ") + std::to_string(image.depth) +
               "-bit pixels; choose another format";
    }

    const size_t stride = size_t(image.width) * PackedBytesPerPixel(layout);
    const uint32_t bandRows = uint32_t(std::max<size_t>(1, std::min<size_t>(image.height, kBandBytes / stride)));
    std::vector<uint8_t> band(stride * bandRows);
    for (uint32_t top = 0; top < image.height && SUCCEEDED(hr); top += bandRows) {
        const uint32_t rows = std::min(bandRows, image.height - top);
        PackRows(image, layout, top, rows, band.data(), stride);
        if (swap) SwapBytes16(band.data(), stride * rows);
        if (invert) {
            for (size_t i = 0; i < stride * rows; ++i) band[i] = uint8_t(255 - band[i]);
        }
        hr = frame->WritePixels(rows, UINT(stride), UINT(stride * rows), band.data());
    }
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    if (FAILED(hr)) return "cannot encode the image: " + DescribeHresult(hr);

    HGLOBAL memory = nullptr;
    hr = GetHGlobalFromStream(stream.Get(), &memory);
    STATSTG info = {};
    if (SUCCEEDED(hr)) hr = stream->Stat(&info, STATFLAG_NONAME);
    if (FAILED(hr)) return "cannot encode the image: " + DescribeHresult(hr);
    const void* data = GlobalLock(memory);
    if (!data) return "cannot encode the image: out of memory";
    bytes->assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + info.cbSize.QuadPart);
    GlobalUnlock(memory);
    return {};
}

// Decodes a tiny file the encoder just made: its first pixel in `layout`.
bool DecodeFirstPixel(IWICImagingFactory* factory, std::vector<uint8_t>& bytes, PackedLayout layout, Image* back) {
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    GUID decoded;
    uint8_t pixel[16] = {};
    const size_t size = PackedBytesPerPixel(layout);
    const WICRect first = {0, 0, 1, 1};
    if (FAILED(factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromMemory(bytes.data(), DWORD(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetPixelFormat(&decoded)) ||
        !IsEqualGUID(decoded, FormatFor(layout)) ||
        FAILED(frame->CopyPixels(&first, UINT(size), UINT(size), pixel)))
        return false;
    UnpackRows(layout, pixel, size, 0, 1, *back);
    return true;
}

Image ProbeImage(PackedLayout layout, uint32_t side) {
    const PackedShape& shape = ShapeOf(layout);
    Image probe;
    probe.width = probe.height = side;
    probe.model = shape.model;
    probe.hasAlpha = shape.alpha;
    probe.depth = shape.depth;
    AllocateSamples(probe);
    return probe;
}

// Wine's JPEG encoder stores CMYK ink as it comes although it marks the
// file as Adobe's (inverted) CMYK, which every decoder then inverts. An
// 8 x 8 patch of one colour through encoder and decoder finds out, once.
bool InvertsCmykJpeg(IWICImagingFactory* factory) {
    static int known = 0;  // 0 unknown, 1 no, 2 yes
    if (known) return known == 2;
    known = 1;
    Image probe = ProbeImage(PackedLayout::Cmyk8, 8);
    const uint8_t ink[4] = {30, 80, 170, 220};
    for (size_t i = 0; i < probe.samples8.size(); ++i) probe.samples8[i] = ink[i % 4];
    std::vector<uint8_t> bytes;
    Image back = ProbeImage(PackedLayout::Cmyk8, 1);
    if (!EncodeWithWic(factory, probe, WindowsFormat::Jpeg, &bytes, true).empty() ||
        !DecodeFirstPixel(factory, bytes, PackedLayout::Cmyk8, &back))
        return false;
    int straight = 0, inverted = 0;
    for (int c = 0; c < 4; ++c) {
        straight += std::abs(int(back.samples8[size_t(c)]) - ink[c]);
        inverted += std::abs(int(back.samples8[size_t(c)]) - (255 - ink[c]));
    }
    if (inverted < straight) known = 2;
    return known == 2;
}

// Wine's PNG encoder stores 16-bit samples with their two bytes swapped
// (the system's decoders and Windows' own encoders do not). A one-pixel
// round trip through the encoder and decoder finds out, once per layout.
bool Swaps16(IWICImagingFactory* factory, WindowsFormat format, PackedLayout layout) {
    static int known[2][int(PackedLayout::CmykAlpha16) + 1] = {};  // 0 unknown, 1 no, 2 yes
    int& answer = known[format == WindowsFormat::Png ? 0 : 1][int(layout)];
    if (answer) return answer == 2;
    answer = 1;
    Image probe = ProbeImage(layout, 1);
    for (size_t i = 0; i < probe.samples16.size(); ++i) probe.samples16[i] = uint16_t(0x0102 + 0x0202 * i);
    std::vector<uint8_t> bytes;
    Image back = probe;
    if (!EncodeWithWic(factory, probe, format, &bytes, true).empty() ||
        !DecodeFirstPixel(factory, bytes, layout, &back))
        return false;
    if (back.samples16[0] == 0x0201) answer = 2;
    return answer == 2;
}

}  // namespace

std::string ReadImageWithWic(const std::wstring& path, Image* image, WindowsFormat* format) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return "cannot open: " + DescribeWindowsError(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "not a regular file";
    std::string error;
    IWICImagingFactory* factory = Factory(&error);
    if (!factory) return error;
    try {
        Com<IWICBitmapDecoder> decoder;
        HRESULT hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, decoder.Put());
        if (FAILED(hr)) {
            // The first bytes tell a damaged file of a known kind from any other file.
            WindowsFormat signature;
            if (!HeadFormat(path, &signature)) return "not a PNG, TIFF, JPEG or BMP file";
            return std::string("the ") + WindowsFormatName(signature) +
                   " file is truncated or damaged, or of a kind this system's decoder cannot read (" +
                   DescribeHresult(hr) + ")";
        }
        GUID container;
        if (FAILED(decoder->GetContainerFormat(&container)) || !ContainerFormat(container, format))
            return "not a PNG, TIFF, JPEG or BMP file";
        Com<IWICBitmapFrameDecode> frame;
        hr = decoder->GetFrame(0, frame.Put());
        if (FAILED(hr)) return "the file is truncated or corrupt: " + DescribeHresult(hr);
        std::vector<uint8_t> jpegBytes;
        if (*format == WindowsFormat::Jpeg) ReadWholeFile(path, &jpegBytes);
        Image read;
        const std::string reason =
            ReadFrame(factory, frame.Get(), *format == WindowsFormat::Jpeg ? &jpegBytes : nullptr, &read);
        if (!reason.empty()) return reason;
        *image = std::move(read);
        return {};
    } catch (const std::bad_alloc&) {
        return "not enough memory to read the image";
    }
}

std::string WriteImageWithWic(const std::wstring& path, const Image& image, WindowsFormat format) {
    std::string reason = CheckWindowsWritable(image, format);
    if (!reason.empty()) return reason;
    try {
        if (format == WindowsFormat::Tiff) return WriteTiffFile(path, image);
        IWICImagingFactory* factory = Factory(&reason);
        if (!factory) return reason;
        std::vector<uint8_t> bytes;
        reason = EncodeWithWic(factory, image, format, &bytes);
        if (!reason.empty()) return reason;
        if (!image.iccProfile.empty()) {
            // BMP holds no profile; PNG and JPEG get theirs here.
            if (format == WindowsFormat::Png) EmbedPngProfile(bytes, image.iccProfile);
            if (format == WindowsFormat::Jpeg) EmbedJpegProfile(bytes, image.iccProfile);
        }
        HANDLE file = INVALID_HANDLE_VALUE;
        reason = WriteBytes(path, bytes.data(), bytes.size(), &file);
        return FinishFile(file, reason);
    } catch (const std::bad_alloc&) {
        return "not enough memory to write the image";
    }
}
