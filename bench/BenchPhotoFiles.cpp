// Writes the benchmark photo (4000 x 3000 RGB, 8 bits) as the files the
// command benchmark engraves: photo.png and an uncompressed photo.tif in
// the folder given.
#include <cstdio>
#include <string>

#include "bench/BenchPhoto.h"
#include "cli/image/ImageIo.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "use: bench_photo_files DIR\n");
        return 2;
    }
    Image image;
    image.width = kWidth;
    image.height = kHeight;
    image.samples8 = Photo();
    const std::string dir = argv[1];
    image.format = FileFormat::Png;
    ImageIoResult png = WriteImageFile(dir + "/photo.png", image);
    image.format = FileFormat::Tiff;
    image.tiff.compression = 1;  // none
    ImageIoResult tiff = WriteImageFile(dir + "/photo.tif", image);
    for (const ImageIoResult* r : {&png, &tiff})
        if (!r->ok) std::fprintf(stderr, "%s\n", r->message.c_str());
    return png.ok && tiff.ok ? 0 : 1;
}
