// Files in and out: whole-file reads, signature dispatch, and writes that
// go through a temporary file so that no half-written image is left behind.
#include "cli/image/ImageIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "cli/image/Codecs.h"
#include "cli/image/ImageLimits.h"

namespace {

ImageIoResult Fail(const std::string& name, const std::string& reason) {
    return ImageIoResult{false, name + ": " + reason};
}

std::string SystemError() { return std::strerror(errno); }

// The samples must match the declared shape before any writer trusts them.
std::string CheckShape(const Image& image) {
    if (image.depth != 8 && image.depth != 16) return "the image depth must be 8 or 16 bits";
    const std::string size = CheckImageSize(image.width, image.height);
    if (!size.empty()) return size;
    const size_t expected = SampleCount(image);
    const size_t actual = image.depth == 16 ? image.samples16.size() : image.samples8.size();
    if (actual != expected) return "the image holds the wrong number of samples";
    return {};
}

std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

std::string WriteToDescriptor(int fd, const std::string& path, const Image& image, const WriteOptions& options) {
    if (image.format == FileFormat::Tiff) return WriteTiff(fd, path.c_str(), image);
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        const std::string reason = "cannot write: " + SystemError();
        close(fd);
        return reason;
    }
    std::string reason;
    try {
        reason = image.format == FileFormat::Png ? WritePng(file, image) : WriteJpeg(file, image, options);
    } catch (const std::bad_alloc&) {
        reason = "not enough memory to write the image";
    }
    if (std::fflush(file) != 0 && reason.empty()) reason = "cannot write: " + SystemError();
    if (std::fclose(file) != 0 && reason.empty()) reason = "cannot write: " + SystemError();
    return reason;
}

}  // namespace

ImageIoResult ReadImageMemory(const uint8_t* data, size_t size, const std::string& name, Image& image) {
    FileFormat format;
    if (!DetectFormat(data, size, format)) return Fail(name, "not a PNG, TIFF or JPEG file");
    Image read;
    read.format = format;
    std::string reason;
    try {
        switch (format) {
            case FileFormat::Png: reason = ReadPng(data, size, read); break;
            case FileFormat::Tiff: reason = ReadTiff(data, size, read); break;
            case FileFormat::Jpeg: reason = ReadJpeg(data, size, read); break;
        }
    } catch (const std::bad_alloc&) {
        reason = "not enough memory to read the image";
    }
    if (!reason.empty()) return Fail(name, reason);
    image = std::move(read);
    return ImageIoResult{true, {}};
}

ImageIoResult ReadImageFile(const std::string& path, Image& image) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return Fail(path, "cannot open: " + SystemError());
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return Fail(path, "not a regular file");
    }
    if (uint64_t(info.st_size) > kMaxImageFileBytes) {
        std::fclose(file);
        return Fail(path, "the file is too large (more than 4 GiB)");
    }
    // Not zero-filled first: fread overwrites every byte that is used.
    const size_t size = size_t(info.st_size);
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size ? size : 1]);
    if (!bytes) {
        std::fclose(file);
        return Fail(path, "not enough memory to read the file");
    }
    const size_t got = size == 0 ? 0 : std::fread(bytes.get(), 1, size, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed || got != size) return Fail(path, "cannot read the file");
    return ReadImageMemory(bytes.get(), size, path, image);
}

std::string CheckWritable(const Image& image, FileFormat format) {
    if (format == FileFormat::Png && image.model == ColorModel::Cmyk) return "PNG cannot hold a CMYK image";
    if (format == FileFormat::Jpeg && (image.depth != 8 || image.hasAlpha)) {
        return "JPEG holds only 8-bit images without transparency";
    }
    return {};
}

ImageIoResult WriteImageFile(const std::string& path, const Image& image, const WriteOptions& options) {
    std::string reason = CheckShape(image);
    if (reason.empty()) reason = CheckWritable(image, image.format);
    if (reason.empty() && (options.jpegQuality < 1 || options.jpegQuality > 100)) {
        reason = "the JPEG quality must be 1 to 100";
    }
    if (!reason.empty()) return Fail(path, reason);

    const std::string temporary = TemporaryNameFor(path);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return Fail(path, "cannot create: " + SystemError());
    reason = WriteToDescriptor(fd, path, image, options);
    if (reason.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
        reason = "cannot replace the file: " + SystemError();
    }
    if (!reason.empty()) {
        unlink(temporary.c_str());
        return Fail(path, reason);
    }
    return ImageIoResult{true, {}};
}
