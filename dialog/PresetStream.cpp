#include "dialog/PresetStream.h"

#include <cstring>

size_t FilePresetSource::Read(void* buffer, size_t size) { return std::fread(buffer, 1, size, file_); }

bool FilePresetSource::Rewind() {
    std::clearerr(file_);
    return std::fseek(file_, 0, SEEK_SET) == 0;
}

bool FilePresetSink::Write(const void* bytes, size_t size) {
    return std::fwrite(bytes, 1, size, file_) == size;
}

size_t MemoryPresetSource::Read(void* buffer, size_t size) {
    size_t left = size_ - position_;
    size_t count = size < left ? size : left;
    if (count > 0) std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return count;
}

bool MemoryPresetSource::Rewind() {
    position_ = 0;
    return true;
}

bool StringPresetSink::Write(const void* data, size_t size) {
    bytes.append(static_cast<const char*>(data), size);
    return true;
}
