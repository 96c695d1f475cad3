#include "cli/session/HostDescriptor.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "cli/session/HostHandleProcs.h"

namespace {

// A descriptor travels inside its handle: a count, then fixed-size items.
struct StoredItem {
    uint32_t key, type, unit, pad;
    double number;
};

constexpr OSErr kWrongType = -1703;  // the value is not of the type asked for

struct ReadToken {
    Descriptor descriptor;
    size_t next = 0;
    const DescriptorItem* current = nullptr;
    DescriptorKeyIDArray expected = nullptr;
    OSErr sticky = noErr;
};

struct WriteToken {
    Descriptor descriptor;
};

ReadToken* AsRead(PIReadDescriptor t) { return reinterpret_cast<ReadToken*>(t); }
WriteToken* AsWrite(PIWriteDescriptor t) { return reinterpret_cast<WriteToken*>(t); }

const DescriptorItem* Current(PIReadDescriptor t, DescriptorTypeID type) {
    ReadToken* token = AsRead(t);
    if (!token || !token->current) return nullptr;
    if (token->current->type != type) {
        token->sticky = kWrongType;
        return nullptr;
    }
    return token->current;
}

PIReadDescriptor PI_CALL OpenRead(PIDescriptorHandle handle, DescriptorKeyIDArray keys) {
    ReadToken* token = new (std::nothrow) ReadToken;
    if (!token) return nullptr;
    if (!DescriptorFromHandle(handle, &token->descriptor)) {
        delete token;
        return nullptr;
    }
    token->expected = keys;
    return reinterpret_cast<PIReadDescriptor>(token);
}

OSErr PI_CALL CloseRead(PIReadDescriptor t) {
    ReadToken* token = AsRead(t);
    if (!token) return paramErr;
    OSErr error = token->sticky;
    // Like Photoshop: keys the module expected but never received make the
    // close answer errMissingParameter.
    if (error == noErr && token->expected)
        for (DescriptorKeyIDArray k = token->expected; *k; ++k)
            if (*k != typeNull) error = errMissingParameter;
    delete token;
    return error;
}

PIBoolean PI_CALL GetKey(PIReadDescriptor t, DescriptorKeyID* key, DescriptorTypeID* type, int32_t* flags) {
    ReadToken* token = AsRead(t);
    if (!token || token->next >= token->descriptor.items.size()) return 0;
    token->current = &token->descriptor.items[token->next++];
    if (key) *key = token->current->key;
    if (type) *type = token->current->type;
    if (flags) *flags = 0;
    if (token->expected)
        for (DescriptorKeyIDArray k = token->expected; *k; ++k)
            if (*k == token->current->key) *k = typeNull;  // delivered
    return 1;
}

// A module can leave any number in a stored integer: out of range it is
// held at the nearest end (and NaN reads 0) instead of converted blindly.
int32_t StoredInteger(double number) {
    if (!(number == number)) return 0;
    if (number <= -2147483648.0) return INT32_MIN;
    if (number >= 2147483647.0) return INT32_MAX;
    return int32_t(number);
}

OSErr PI_CALL GetInteger(PIReadDescriptor t, int32_t* value) {
    const DescriptorItem* item = Current(t, typeInteger);
    if (!item) return kWrongType;
    *value = StoredInteger(item->number);
    return noErr;
}
OSErr PI_CALL GetFloat(PIReadDescriptor t, double* value) {
    const DescriptorItem* item = Current(t, typeFloat);
    if (!item) return kWrongType;
    *value = item->number;
    return noErr;
}
OSErr PI_CALL GetUnitFloat(PIReadDescriptor t, DescriptorUnitID* unit, double* value) {
    const DescriptorItem* item = Current(t, typeUnitFloat);
    if (!item) return kWrongType;
    if (unit) *unit = item->unit;
    *value = item->number;
    return noErr;
}
OSErr PI_CALL GetBoolean(PIReadDescriptor t, PIBoolean* value) {
    const DescriptorItem* item = Current(t, typeBoolean);
    if (!item) return kWrongType;
    *value = item->number != 0;
    return noErr;
}
OSErr PI_CALL GetPinnedInteger(PIReadDescriptor t, int32_t min, int32_t max, int32_t* value) {
    OSErr error = GetInteger(t, value);
    if (error == noErr) *value = *value < min ? min : *value > max ? max : *value;
    return error;
}
OSErr PI_CALL GetPinnedFloat(PIReadDescriptor t, const double* min, const double* max, double* value) {
    OSErr error = GetFloat(t, value);
    if (error == noErr && min && *value < *min) *value = *min;
    if (error == noErr && max && *value > *max) *value = *max;
    return error;
}
OSErr PI_CALL GetPinnedUnitFloat(PIReadDescriptor t, const double* min, const double* max, DescriptorUnitID* unit,
                                 double* value) {
    OSErr error = GetUnitFloat(t, unit, value);
    if (error == noErr && min && *value < *min) *value = *min;
    if (error == noErr && max && *value > *max) *value = *max;
    return error;
}
// Kinds of value our descriptors never hold.
OSErr PI_CALL GetHandleValue(PIReadDescriptor t, Handle*) { return Current(t, 0xFFFFFFFFu) ? noErr : kWrongType; }
OSErr PI_CALL GetCode(PIReadDescriptor t, uint32_t*) { return Current(t, 0xFFFFFFFFu) ? noErr : kWrongType; }
OSErr PI_CALL GetReference(PIReadDescriptor t, PIDescriptorSimpleReference*) {
    return Current(t, 0xFFFFFFFFu) ? noErr : kWrongType;
}
OSErr PI_CALL GetObject(PIReadDescriptor t, DescriptorClassID*, PIDescriptorHandle*) {
    return Current(t, 0xFFFFFFFFu) ? noErr : kWrongType;
}
OSErr PI_CALL GetString(PIReadDescriptor t, uint8_t (*)[256]) { return Current(t, 0xFFFFFFFFu) ? noErr : kWrongType; }

PIWriteDescriptor PI_CALL OpenWrite() { return reinterpret_cast<PIWriteDescriptor>(new (std::nothrow) WriteToken); }

OSErr PI_CALL CloseWrite(PIWriteDescriptor t, PIDescriptorHandle* out) {
    WriteToken* token = AsWrite(t);
    if (!token) return paramErr;
    Handle handle = NewDescriptorHandle(token->descriptor);
    delete token;
    if (out) *out = handle;
    return handle ? noErr : memFullErr;
}

OSErr Put(PIWriteDescriptor t, DescriptorKeyID key, DescriptorTypeID type, DescriptorUnitID unit, double value) {
    WriteToken* token = AsWrite(t);
    if (!token) return paramErr;
    DescriptorItem item;
    item.key = key;
    item.type = type;
    item.unit = unit;
    item.number = value;
    token->descriptor.Set(item);
    return noErr;
}

OSErr PI_CALL PutInteger(PIWriteDescriptor t, DescriptorKeyID key, int32_t value) {
    return Put(t, key, typeInteger, 0, value);
}
OSErr PI_CALL PutFloat(PIWriteDescriptor t, DescriptorKeyID key, const double* value) {
    return value ? Put(t, key, typeFloat, 0, *value) : paramErr;
}
OSErr PI_CALL PutUnitFloat(PIWriteDescriptor t, DescriptorKeyID key, DescriptorUnitID unit, const double* value) {
    return value ? Put(t, key, typeUnitFloat, unit, *value) : paramErr;
}
OSErr PI_CALL PutBoolean(PIWriteDescriptor t, DescriptorKeyID key, PIBoolean value) {
    return Put(t, key, typeBoolean, 0, value ? 1 : 0);
}
// Kinds of value this host does not record.
OSErr PI_CALL PutHandleValue(PIWriteDescriptor, DescriptorKeyID, Handle) { return errPlugInHostInsufficient; }
OSErr PI_CALL PutEnumerated(PIWriteDescriptor, DescriptorKeyID, DescriptorEnumTypeID, DescriptorEnumID) {
    return errPlugInHostInsufficient;
}
OSErr PI_CALL PutCode(PIWriteDescriptor, DescriptorKeyID, uint32_t) { return errPlugInHostInsufficient; }
OSErr PI_CALL PutReference(PIWriteDescriptor, DescriptorKeyID, const PIDescriptorSimpleReference*) {
    return errPlugInHostInsufficient;
}
OSErr PI_CALL PutObject(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID, PIDescriptorHandle) {
    return errPlugInHostInsufficient;
}
OSErr PI_CALL PutString(PIWriteDescriptor, DescriptorKeyID, const uint8_t*) { return errPlugInHostInsufficient; }

const ReadDescriptorProcs kReadProcs = {
    kCurrentReadDescriptorProcsVersion,
    kCurrentReadDescriptorProcsCount,
    OpenRead,
    CloseRead,
    GetKey,
    GetInteger,
    GetFloat,
    GetUnitFloat,
    GetBoolean,
    GetHandleValue,  // text
    GetHandleValue,  // alias
    GetCode,         // enumerated
    GetCode,         // class
    GetReference,
    GetObject,
    GetCode,  // count
    GetString,
    GetPinnedInteger,
    GetPinnedFloat,
    GetPinnedUnitFloat,
};

const WriteDescriptorProcs kWriteProcs = {
    kCurrentWriteDescriptorProcsVersion,
    kCurrentWriteDescriptorProcsCount,
    OpenWrite,
    CloseWrite,
    PutInteger,
    PutFloat,
    PutUnitFloat,
    PutBoolean,
    PutHandleValue,  // text
    PutHandleValue,  // alias
    PutEnumerated,
    PutCode,  // class
    PutReference,
    PutObject,
    PutCode,  // count
    PutString,
    PutCode,    // scoped class
    PutObject,  // scoped object
};

}  // namespace

const DescriptorItem* Descriptor::Find(DescriptorKeyID key) const {
    for (const DescriptorItem& item : items)
        if (item.key == key) return &item;
    return nullptr;
}

void Descriptor::Set(const DescriptorItem& item) {
    for (DescriptorItem& existing : items)
        if (existing.key == item.key) {
            existing = item;
            return;
        }
    items.push_back(item);
}

const ReadDescriptorProcs* HostReadDescriptorProcs() { return &kReadProcs; }
const WriteDescriptorProcs* HostWriteDescriptorProcs() { return &kWriteProcs; }

Handle NewDescriptorHandle(const Descriptor& descriptor) {
    const size_t count = descriptor.items.size();
    if (count > 100000) return nullptr;
    Handle handle = NewBufferHandle(int32_t(sizeof(uint32_t) + count * sizeof(StoredItem)));
    if (!handle) return nullptr;
    const uint32_t stored = uint32_t(count);
    std::memcpy(*handle, &stored, sizeof stored);
    for (size_t i = 0; i < count; ++i) {
        const DescriptorItem& item = descriptor.items[i];
        const StoredItem s{item.key, item.type, item.unit, 0, item.number};
        std::memcpy(*handle + sizeof(uint32_t) + i * sizeof(StoredItem), &s, sizeof s);
    }
    return handle;
}

bool DescriptorFromHandle(Handle handle, Descriptor* descriptor) {
    descriptor->items.clear();
    if (!IsLiveBufferHandle(handle)) return false;
    const int32_t size = BufferHandleSize(handle);
    uint32_t count = 0;
    if (size < int32_t(sizeof count)) return false;
    std::memcpy(&count, *handle, sizeof count);
    if (count > (uint32_t(size) - sizeof count) / sizeof(StoredItem)) return false;
    for (uint32_t i = 0; i < count; ++i) {
        StoredItem s;
        std::memcpy(&s, *handle + sizeof(uint32_t) + i * sizeof(StoredItem), sizeof s);
        DescriptorItem item;
        item.key = s.key;
        item.type = s.type;
        item.unit = s.unit;
        item.number = s.number;
        descriptor->items.push_back(item);
    }
    return true;
}

std::string FourCCText(uint32_t code) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i) text[size_t(i)] = char((code >> (24 - 8 * i)) & 0xFF);
    return text;
}

bool ParseFourCC(const std::string& text, uint32_t* code) {
    if (text.size() != 4) return false;
    uint32_t value = 0;
    for (char c : text) {
        if (uint8_t(c) < 0x20 || uint8_t(c) > 0x7E) return false;
        value = (value << 8) | uint8_t(c);
    }
    *code = value;
    return true;
}
