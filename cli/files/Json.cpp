#include "cli/files/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/NumberText.h"

namespace {

constexpr int kMaxDepth = 32;
constexpr size_t kMaxDocument = 1 << 20;

struct Parser {
    const std::string& s;
    size_t pos = 0;
    std::string error;

    bool Fail(const char* what) {
        if (!error.empty()) return false;
        int line = 1, column = 1;
        for (size_t i = 0; i < pos && i < s.size(); ++i) {
            if (s[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        error = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
        return false;
    }
    void Space() {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t' || s[pos] == '\n' || s[pos] == '\r')) ++pos;
    }
    bool Literal(const char* word) {
        const size_t n = std::strlen(word);
        if (s.compare(pos, n, word) != 0) return false;
        pos += n;
        return true;
    }
    bool Hex4(unsigned* out) {
        if (pos + 4 > s.size()) return Fail("truncated \\u escape");
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = s[pos++];
            v <<= 4;
            if (c >= '0' && c <= '9') v |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f') v |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') v |= unsigned(c - 'A' + 10);
            else return Fail("bad \\u escape");
        }
        *out = v;
        return true;
    }
    static void Utf8(unsigned cp, std::string* out) {
        if (cp < 0x80) {
            out->push_back(char(cp));
        } else if (cp < 0x800) {
            out->push_back(char(0xC0 | (cp >> 6)));
            out->push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out->push_back(char(0xE0 | (cp >> 12)));
            out->push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out->push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out->push_back(char(0xF0 | (cp >> 18)));
            out->push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out->push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out->push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    bool String(std::string* out) {
        ++pos;  // opening quote
        while (pos < s.size()) {
            const char c = s[pos++];
            if (c == '"') return true;
            if (uint8_t(c) < 0x20) return Fail("control character in string");
            if (c != '\\') {
                out->push_back(c);
                continue;
            }
            if (pos >= s.size()) break;
            const char e = s[pos++];
            switch (e) {
                case '"': out->push_back('"'); break;
                case '\\': out->push_back('\\'); break;
                case '/': out->push_back('/'); break;
                case 'b': out->push_back('\b'); break;
                case 'f': out->push_back('\f'); break;
                case 'n': out->push_back('\n'); break;
                case 'r': out->push_back('\r'); break;
                case 't': out->push_back('\t'); break;
                case 'u': {
                    unsigned cp = 0;
                    if (!Hex4(&cp)) return false;
                    if (cp >= 0xD800 && cp < 0xDC00) {
                        unsigned low = 0;
                        if (!Literal("\\u") || !Hex4(&low) || low < 0xDC00 || low >= 0xE000)
                            return Fail("unpaired surrogate");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else if (cp >= 0xDC00 && cp < 0xE000) {
                        return Fail("unpaired surrogate");
                    }
                    Utf8(cp, out);
                    break;
                }
                default: return Fail("bad escape in string");
            }
        }
        return Fail("unterminated string");
    }
    bool Number(double* out) {
        const size_t start = pos;
        if (pos < s.size() && s[pos] == '-') ++pos;
        if (pos >= s.size() || !(s[pos] >= '0' && s[pos] <= '9')) return Fail("bad number");
        if (s[pos] == '0') {
            ++pos;
        } else {
            while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') ++pos;
        }
        if (pos < s.size() && s[pos] == '.') {
            ++pos;
            if (pos >= s.size() || !(s[pos] >= '0' && s[pos] <= '9')) return Fail("bad number");
            while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') ++pos;
        }
        if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
            ++pos;
            if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
            if (pos >= s.size() || !(s[pos] >= '0' && s[pos] <= '9')) return Fail("bad number");
            while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') ++pos;
        }
        *out = ParseNumberPrefix(s.data() + start, pos - start);
        if (!std::isfinite(*out)) return Fail("number out of range");
        return true;
    }
    bool Value(JsonValue* v, int depth) {
        if (depth > kMaxDepth) return Fail("nested too deeply");
        Space();
        if (pos >= s.size()) return Fail("unexpected end of file");
        const char c = s[pos];
        if (c == '{') {
            v->kind = JsonValue::Kind::Object;
            ++pos;
            Space();
            if (pos < s.size() && s[pos] == '}') {
                ++pos;
                return true;
            }
            for (;;) {
                Space();
                if (pos >= s.size() || s[pos] != '"') return Fail("expected a member name");
                std::string name;
                if (!String(&name)) return false;
                for (const auto& m : v->members)
                    if (m.first == name) return Fail("duplicate member");
                Space();
                if (pos >= s.size() || s[pos] != ':') return Fail("expected ':'");
                ++pos;
                JsonValue member;
                if (!Value(&member, depth + 1)) return false;
                v->members.emplace_back(std::move(name), std::move(member));
                Space();
                if (pos < s.size() && s[pos] == ',') {
                    ++pos;
                    continue;
                }
                if (pos < s.size() && s[pos] == '}') {
                    ++pos;
                    return true;
                }
                return Fail("expected ',' or '}'");
            }
        }
        if (c == '[') {
            v->kind = JsonValue::Kind::Array;
            ++pos;
            Space();
            if (pos < s.size() && s[pos] == ']') {
                ++pos;
                return true;
            }
            for (;;) {
                JsonValue element;
                if (!Value(&element, depth + 1)) return false;
                v->elements.push_back(std::move(element));
                Space();
                if (pos < s.size() && s[pos] == ',') {
                    ++pos;
                    continue;
                }
                if (pos < s.size() && s[pos] == ']') {
                    ++pos;
                    return true;
                }
                return Fail("expected ',' or ']'");
            }
        }
        if (c == '"') {
            v->kind = JsonValue::Kind::String;
            return String(&v->text);
        }
        if (Literal("true")) {
            v->kind = JsonValue::Kind::Bool;
            v->boolean = true;
            return true;
        }
        if (Literal("false")) {
            v->kind = JsonValue::Kind::Bool;
            return true;
        }
        if (Literal("null")) return true;
        v->kind = JsonValue::Kind::Number;
        return Number(&v->number);
    }
};

}  // namespace

const JsonValue* JsonValue::Member(const std::string& name) const {
    for (const auto& m : members)
        if (m.first == name) return &m.second;
    return nullptr;
}

bool ParseJson(const std::string& document, JsonValue* value, std::string* error) {
    *value = JsonValue{};
    Parser parser{document, 0, std::string()};
    if (document.size() > kMaxDocument) {
        *error = "file too large for an action file";
        return false;
    }
    if (!parser.Value(value, 0)) {
        *error = parser.error;
        return false;
    }
    parser.Space();
    if (parser.pos != document.size()) {
        parser.Fail("unexpected text after the document");
        *error = parser.error;
        return false;
    }
    return true;
}

std::string JsonQuote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default:
                if (uint8_t(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(uint8_t(c)));
                    out += escaped;
                } else {
                    out.push_back(c);
                }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (std::isnan(value)) return "\"NaN\"";
    if (std::isinf(value)) return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    char text[64];
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        FormatFixed(value, 0, text, sizeof text);
        return text;
    }
    // The shortest text that reads back to the same double, '.' as the point
    // whatever the locale.
    const std::to_chars_result result = std::to_chars(text, text + sizeof text - 1, value);
    *result.ptr = '\0';
    return text;
}
