#include "cli/files/ActionFile.h"

#include <cmath>

#include "cli/files/Json.h"

namespace {

constexpr int kVersion = 1;
constexpr size_t kMaxItems = 1000;

const char* PlayName(int16_t play) {
    switch (play) {
        case plugInDialogDisplay: return "display";
        case plugInDialogDontDisplay: return "dontDisplay";
        default: return "silent";
    }
}

bool ParsePlay(const std::string& name, int16_t* play) {
    if (name == "silent") *play = plugInDialogSilent;
    else if (name == "display") *play = plugInDialogDisplay;
    else if (name == "dontDisplay") *play = plugInDialogDontDisplay;
    else return false;
    return true;
}

bool NumberOf(const JsonValue& v, double* out) {
    if (v.kind == JsonValue::Kind::Number) {
        *out = v.number;
        return true;
    }
    if (v.kind != JsonValue::Kind::String) return false;
    if (v.text == "NaN") *out = NAN;
    else if (v.text == "Infinity") *out = INFINITY;
    else if (v.text == "-Infinity") *out = -INFINITY;
    else return false;
    return true;
}

bool ParseItem(const JsonValue& v, size_t index, DescriptorItem* item, std::string* error) {
    const std::string where = "descriptor item " + std::to_string(index + 1) + ": ";
    if (v.kind != JsonValue::Kind::Object) return *error = where + "not an object", false;
    for (const auto& m : v.members)
        if (m.first != "key" && m.first != "type" && m.first != "unit" && m.first != "value")
            return *error = where + "unknown member \"" + m.first + "\"", false;
    const JsonValue* key = v.Member("key");
    const JsonValue* type = v.Member("type");
    const JsonValue* unit = v.Member("unit");
    const JsonValue* value = v.Member("value");
    if (!key || key->kind != JsonValue::Kind::String || !ParseFourCC(key->text, &item->key))
        return *error = where + "\"key\" must be a four-character code", false;
    if (!type || type->kind != JsonValue::Kind::String || !ParseFourCC(type->text, &item->type))
        return *error = where + "\"type\" must be a four-character code", false;
    if (!value) return *error = where + "no \"value\"", false;
    item->unit = 0;
    if (item->type == typeUnitFloat) {
        if (!unit || unit->kind != JsonValue::Kind::String || !ParseFourCC(unit->text, &item->unit))
            return *error = where + "a \"UntF\" value needs a four-character \"unit\"", false;
    } else if (unit) {
        return *error = where + "only \"UntF\" values have a \"unit\"", false;
    }
    if (item->type == typeUnitFloat || item->type == typeFloat) {
        if (!NumberOf(*value, &item->number)) return *error = where + "\"value\" must be a number", false;
    } else if (item->type == typeInteger) {
        if (value->kind != JsonValue::Kind::Number || value->number != std::floor(value->number) ||
            value->number < -2147483648.0 || value->number > 2147483647.0)
            return *error = where + "\"value\" must be a 32-bit integer", false;
        item->number = value->number;
    } else if (item->type == typeBoolean) {
        if (value->kind != JsonValue::Kind::Bool) return *error = where + "\"value\" must be true or false", false;
        item->number = value->boolean ? 1 : 0;
    } else {
        return *error = where + "type \"" + type->text + "\" is not one of UntF, doub, long, bool", false;
    }
    return true;
}

}  // namespace

bool ParseActionFile(const std::string& text, ActionFile* action, std::string* error) {
    JsonValue root;
    if (!ParseJson(text, &root, error)) return false;
    *action = ActionFile{};
    if (root.kind != JsonValue::Kind::Object) return *error = "not a JSON object", false;
    for (const auto& m : root.members)
        if (m.first != "lumericAction" && m.first != "event" && m.first != "play" && m.first != "descriptor")
            return *error = "unknown member \"" + m.first + "\"", false;
    const JsonValue* version = root.Member("lumericAction");
    if (!version || version->kind != JsonValue::Kind::Number || version->number != kVersion)
        return *error = "not a lumeric action file (\"lumericAction\": 1 missing)", false;
    if (const JsonValue* play = root.Member("play")) {
        if (play->kind != JsonValue::Kind::String || !ParsePlay(play->text, &action->playInfo))
            return *error = "\"play\" must be \"silent\", \"display\" or \"dontDisplay\"", false;
    }
    const JsonValue* items = root.Member("descriptor");
    if (!items || items->kind != JsonValue::Kind::Array) return *error = "\"descriptor\" must be an array", false;
    if (items->elements.size() > kMaxItems) return *error = "too many descriptor items", false;
    for (size_t i = 0; i < items->elements.size(); ++i) {
        DescriptorItem item;
        if (!ParseItem(items->elements[i], i, &item, error)) return false;
        if (action->descriptor.Find(item.key))
            return *error = "descriptor item " + std::to_string(i + 1) + ": key " + FourCCText(item.key) +
                            " appears twice",
                   false;
        action->descriptor.items.push_back(item);
    }
    return true;
}

std::string FormatActionFile(const ActionFile& action) {
    std::string out = "{\n  \"lumericAction\": 1,\n  \"event\": \"PVtr\",\n  \"play\": ";
    out += JsonQuote(PlayName(action.playInfo));
    out += ",\n  \"descriptor\": [";
    const auto& items = action.descriptor.items;
    for (size_t i = 0; i < items.size(); ++i) {
        const DescriptorItem& item = items[i];
        out += i ? ",\n    " : "\n    ";
        out += "{\"key\": " + JsonQuote(FourCCText(item.key)) + ", \"type\": " + JsonQuote(FourCCText(item.type));
        if (item.type == typeUnitFloat) out += ", \"unit\": " + JsonQuote(FourCCText(item.unit));
        out += ", \"value\": ";
        if (item.type == typeBoolean)
            out += item.number != 0 ? "true" : "false";
        else
            out += JsonNumber(item.number);
        out += "}";
    }
    out += items.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}
