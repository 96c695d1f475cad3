// The scripting terminology (AETE) a filter module carries for hosts that
// record its settings as actions: suites, events, classes, comparison
// operators and enumerations. Parses the resource's bytes in their Windows
// form (int16 prelude 1, little-endian, no alignment after strings);
// strings are kept as their bytes (the system code page). The input is
// outside data, so a malformed list yields `false` with a reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct AeteParameter {
    std::string name;
    uint32_t key = 0;
    uint32_t type = 0;
    std::string description;
    uint16_t flags = 0;
};

struct AeteEvent {
    std::string name;
    std::string description;
    uint32_t eventClass = 0;
    uint32_t eventId = 0;
    uint32_t replyType = 0;
    std::string replyDescription;
    uint16_t replyFlags = 0;
    uint32_t directType = 0;
    std::string directDescription;
    uint16_t directFlags = 0;
    std::vector<AeteParameter> parameters;
};

struct AeteClassElement {
    uint32_t type = 0;
    std::vector<uint32_t> keyForms;
};

struct AeteClass {
    std::string name;
    uint32_t id = 0;
    std::string description;
    std::vector<AeteParameter> properties;  // name, key, type, description, flags
    std::vector<AeteClassElement> elements;
};

struct AeteComparison {
    std::string name;
    uint32_t id = 0;
    std::string description;
};

struct AeteEnumerator {
    std::string name;
    uint32_t id = 0;
    std::string description;
};

struct AeteEnumeration {
    uint32_t id = 0;
    std::vector<AeteEnumerator> enumerators;
};

struct AeteSuite {
    std::string name;
    std::string description;
    uint32_t id = 0;
    int16_t level = 0;
    int16_t version = 0;
    std::vector<AeteEvent> events;
    std::vector<AeteClass> classes;
    std::vector<AeteComparison> comparisons;
    std::vector<AeteEnumeration> enumerations;
};

struct Aete {
    uint8_t majorVersion = 0;
    uint8_t minorVersion = 0;
    int16_t language = 0;
    int16_t script = 0;
    std::vector<AeteSuite> suites;
    size_t trailingBytes = 0;  // after the last suite (a zero pad is usual)
};

bool ParseAete(const uint8_t* bytes, size_t size, Aete& aete, std::string* error = nullptr);
