#include "cli/image/PngDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <thread>

namespace {

struct Piece {
    uint32_t firstRow = 0, rows = 0;
    std::vector<uint8_t> deflated;
    uLong adler = 0;
    size_t rawBytes = 0;
    bool ok = false;
};

// One row as PNG stores it: the filter byte, then the samples.
void RawRow(const Image& image, uint32_t y, size_t rowBytes, uint8_t* raw) {
    raw[0] = 0;
    if (image.depth == 8) {
        std::copy_n(image.samples8.data() + y * rowBytes, rowBytes, raw + 1);
        return;
    }
    const uint16_t* row = image.samples16.data() + y * (rowBytes / 2);
    for (size_t i = 0; i < rowBytes / 2; ++i) {
        raw[1 + 2 * i] = uint8_t(row[i] >> 8);
        raw[2 + 2 * i] = uint8_t(row[i]);
    }
}

void DeflatePiece(const Image& image, int level, size_t rowBytes, bool last, Piece* piece) {
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return;
    try {
        std::vector<uint8_t> raw(rowBytes + 1);
        piece->rawBytes = size_t(piece->rows) * raw.size();
        // Line art deflates to a small fraction: start small and grow.
        piece->deflated.resize(piece->rawBytes / 8 + 1024);
        piece->adler = adler32(0, nullptr, 0);
        size_t used = 0;
        bool ok = true;
        for (uint32_t i = 0; i < piece->rows && ok; ++i) {
            RawRow(image, piece->firstRow + i, rowBytes, raw.data());
            piece->adler = adler32(piece->adler, raw.data(), uInt(raw.size()));
            z.next_in = raw.data();
            z.avail_in = uInt(raw.size());
            const bool end = i + 1 == piece->rows;
            const int flush = end ? (last ? Z_FINISH : Z_SYNC_FLUSH) : Z_NO_FLUSH;
            for (;;) {
                if (piece->deflated.size() - used < 1024) piece->deflated.resize(piece->deflated.size() * 2);
                z.next_out = piece->deflated.data() + used;
                z.avail_out = uInt(piece->deflated.size() - used);
                const int result = deflate(&z, flush);
                used = piece->deflated.size() - z.avail_out;
                if (result == Z_STREAM_END) break;
                if (result != Z_OK && result != Z_BUF_ERROR) {
                    ok = false;
                    break;
                }
                // Done with this row once its input is taken and, on a flush, nothing is held back.
                if (z.avail_in == 0 && z.avail_out != 0) break;
            }
            if (end && last && ok) ok = z.avail_in == 0;
        }
        piece->deflated.resize(used);
        piece->ok = ok;
    } catch (const std::bad_alloc&) {
        piece->ok = false;
    }
    deflateEnd(&z);
}

}  // namespace

bool DeflatePngRows(const Image& image, int level, int threads, std::vector<uint8_t>* stream) {
    const size_t rowBytes = size_t(image.width) * SamplesPerPixel(image) * (image.depth == 16 ? 2 : 1);
    if (image.height == 0 || rowBytes + 1 > (size_t(1) << 30)) return false;
    const uint32_t rowsPerPiece = uint32_t(std::max<size_t>(1, kPngPieceBytes / (rowBytes + 1)));
    std::vector<Piece> pieces;
    try {
        for (uint32_t top = 0; top < image.height; top += rowsPerPiece) {
            Piece piece;
            piece.firstRow = top;
            piece.rows = std::min(rowsPerPiece, image.height - top);
            pieces.push_back(std::move(piece));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; (i = next.fetch_add(1)) < pieces.size();)
            DeflatePiece(image, level, rowBytes, i + 1 == pieces.size(), &pieces[i]);
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads && size_t(t) < pieces.size(); ++t) {
        try {
            workers.emplace_back(work);
        } catch (...) {
            break;  // fewer threads: this one takes the rest
        }
    }
    work();
    for (std::thread& w : workers) w.join();

    size_t total = 6;
    for (const Piece& p : pieces) {
        if (!p.ok) return false;
        total += p.deflated.size();
    }
    try {
        stream->clear();
        stream->reserve(total);
        stream->push_back(0x78);  // deflate, 32K window
        stream->push_back(0x5E);  // a middle compression level; the header's check bits
        uLong adler = adler32(0, nullptr, 0);
        for (Piece& p : pieces) {
            stream->insert(stream->end(), p.deflated.begin(), p.deflated.end());
            adler = adler32_combine(adler, p.adler, z_off_t(p.rawBytes));
            p.deflated = {};
        }
        for (int shift = 24; shift >= 0; shift -= 8) stream->push_back(uint8_t(adler >> shift));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}
