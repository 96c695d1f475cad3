// A small strict JSON reader and writer for the action files: objects keep
// their member order; depth and size are bounded because the files come
// from outside.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> elements;
    std::vector<std::pair<std::string, JsonValue>> members;

    const JsonValue* Member(const std::string& name) const;
};

// Parses a whole document; on failure returns false with "line L, column C: what".
bool ParseJson(const std::string& document, JsonValue* value, std::string* error);

// Text helpers for writers.
std::string JsonQuote(const std::string& text);
std::string JsonNumber(double value);  // exact round trip; non-finite as the strings "NaN", "Infinity", "-Infinity"
