// The bytes a preset is read from and written to: a stdio file, or memory
// (the fuzzer, tests and anything that holds a preset as text).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class PresetSource {
public:
    virtual ~PresetSource() = default;
    // Reads up to `size` bytes and returns how many it read; fewer only at
    // the end of the data or on a read error.
    virtual size_t Read(void* buffer, size_t size) = 0;
    // Back to the first byte; false when that is not possible.
    virtual bool Rewind() = 0;
};

class PresetSink {
public:
    virtual ~PresetSink() = default;
    // False unless every byte was written.
    virtual bool Write(const void* bytes, size_t size) = 0;
};

// Reads an open stdio file; the caller keeps ownership and closes it.
class FilePresetSource : public PresetSource {
public:
    explicit FilePresetSource(std::FILE* file) : file_(file) {}
    size_t Read(void* buffer, size_t size) override;
    bool Rewind() override;

private:
    std::FILE* file_;
};

// Writes to an open stdio file; the caller closes it and checks that too.
class FilePresetSink : public PresetSink {
public:
    explicit FilePresetSink(std::FILE* file) : file_(file) {}
    bool Write(const void* bytes, size_t size) override;

private:
    std::FILE* file_;
};

// Reads bytes the caller keeps alive.
class MemoryPresetSource : public PresetSource {
public:
    MemoryPresetSource(const void* data, size_t size)
        : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    size_t Read(void* buffer, size_t size) override;
    bool Rewind() override;

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

class StringPresetSink : public PresetSink {
public:
    bool Write(const void* bytes, size_t size) override;
    std::string bytes;
};
