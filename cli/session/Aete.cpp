#include "cli/session/Aete.h"

#include "cli/session/ResourceCursor.h"

namespace {

AeteParameter ReadAeteParameter(ResourceCursor& in) {
    AeteParameter parameter;
    parameter.name = in.Pascal();
    parameter.key = in.U32();
    parameter.type = in.U32();
    parameter.description = in.Pascal();
    parameter.flags = in.U16();
    return parameter;
}

bool ReadAeteEvent(ResourceCursor& in, AeteEvent& event) {
    event.name = in.Pascal();
    event.description = in.Pascal();
    event.eventClass = in.U32();
    event.eventId = in.U32();
    event.replyType = in.U32();
    event.replyDescription = in.Pascal();
    event.replyFlags = in.U16();
    event.directType = in.U32();
    event.directDescription = in.Pascal();
    event.directFlags = in.U16();
    for (size_t n = in.Count16(); in.ok && n > 0; --n) event.parameters.push_back(ReadAeteParameter(in));
    return in.ok;
}

bool ReadAeteClass(ResourceCursor& in, AeteClass& cls) {
    cls.name = in.Pascal();
    cls.id = in.U32();
    cls.description = in.Pascal();
    for (size_t n = in.Count16(); in.ok && n > 0; --n) cls.properties.push_back(ReadAeteParameter(in));
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteClassElement element;
        element.type = in.U32();
        for (size_t k = in.Count16(); in.ok && k > 0; --k) element.keyForms.push_back(in.U32());
        cls.elements.push_back(element);
    }
    return in.ok;
}

bool ReadAeteSuite(ResourceCursor& in, AeteSuite& suite) {
    suite.name = in.Pascal();
    suite.description = in.Pascal();
    suite.id = in.U32();
    suite.level = in.I16();
    suite.version = in.I16();
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteEvent event;
        if (ReadAeteEvent(in, event)) suite.events.push_back(event);
    }
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteClass cls;
        if (ReadAeteClass(in, cls)) suite.classes.push_back(cls);
    }
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteComparison comparison;
        comparison.name = in.Pascal();
        comparison.id = in.U32();
        comparison.description = in.Pascal();
        if (in.ok) suite.comparisons.push_back(comparison);
    }
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteEnumeration enumeration;
        enumeration.id = in.U32();
        for (size_t k = in.Count16(); in.ok && k > 0; --k) {
            AeteEnumerator enumerator;
            enumerator.name = in.Pascal();
            enumerator.id = in.U32();
            enumerator.description = in.Pascal();
            if (in.ok) enumeration.enumerators.push_back(enumerator);
        }
        if (in.ok) suite.enumerations.push_back(enumeration);
    }
    return in.ok;
}

}  // namespace

bool ParseAete(const uint8_t* bytes, size_t size, Aete& aete, std::string* error) {
    aete = Aete{};
    ResourceCursor in(bytes, size);
    if (in.I16() != 1) {
        if (error) *error = "no AETE prelude";
        return false;
    }
    aete.majorVersion = in.U8();
    aete.minorVersion = in.U8();
    aete.language = in.I16();
    aete.script = in.I16();
    for (size_t n = in.Count16(); in.ok && n > 0; --n) {
        AeteSuite suite;
        if (ReadAeteSuite(in, suite)) aete.suites.push_back(suite);
    }
    if (!in.ok) {
        if (error) *error = "AETE truncated or with a negative count";
        return false;
    }
    aete.trailingBytes = in.Remaining();
    return true;
}
