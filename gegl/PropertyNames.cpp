#include "gegl/PropertyNames.h"

namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
char Lower(char c) { return IsUpper(c) ? char(c - 'A' + 'a') : c; }

}  // namespace

std::string GeglPropertyName(const char* fieldName) {
    std::string name;
    for (const char* c = fieldName; *c; ++c) {
        if (IsUpper(*c) && c != fieldName) name += '-';
        name += Lower(*c);
    }
    return name;
}

std::string GeglValueNick(const char* listName) {
    std::string nick;
    for (const char* c = listName; *c; ++c) nick += *c == ' ' ? '-' : Lower(*c);
    return nick;
}
