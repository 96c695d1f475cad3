// A PNG's image data deflated in pieces of rows, each piece on whichever
// thread is free. Each piece but the last ends on a byte boundary (a sync
// flush), so the pieces joined make one zlib stream any decoder reads; the
// checksum is combined from the pieces' own. The pieces depend only on the
// image, so the file is the same whatever the thread count.
#pragma once

#include <cstdint>
#include <vector>

#include "cli/image/Image.h"

// Raw rows are gathered into pieces of about this many bytes.
constexpr size_t kPngPieceBytes = size_t(2) << 20;

// The zlib stream of the image's rows (filter byte 0, 16-bit samples
// big-endian) at the given level; false when memory ran out.
bool DeflatePngRows(const Image& image, int level, int threads, std::vector<uint8_t>* stream);
