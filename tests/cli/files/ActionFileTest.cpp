// Action files: the JSON that --record writes and --replay reads.
#include <gtest/gtest.h>

#include <cmath>

#include "cli/commands/Settings.h"
#include "cli/files/ActionFile.h"

namespace {

// An action file whose descriptor holds `items`, and one item.
std::string WithItems(const std::string& items) { return "{\"lumericAction\": 1, \"descriptor\": [" + items + "]}"; }
std::string Item(const char* key, const char* type, const char* value) {
    return std::string("{\"key\": \"") + key + "\", \"type\": \"" + type + "\", \"value\": " + value + "}";
}

TEST(ActionFile, RoundTripsEveryValueExactly) {
    ActionFile action;
    action.playInfo = plugInDialogDisplay;
    EngraveSettings params = DefaultEngraveSettings();
    params.rotation = 0.1f;
    params.noise = 1e-7f;
    params.centerX = -1e30f;
    params.phaseShift = NAN;
    params.space = INFINITY;
    action.descriptor = DescriptorFromSettings(params);
    action.descriptor.items.push_back(DescriptorItem{FourCC("Zdbl"), typeFloat, 0, 1.0 / 3.0});

    const std::string text = FormatActionFile(action);
    ActionFile back;
    std::string error;
    ASSERT_TRUE(ParseActionFile(text, &back, &error)) << error << "\n" << text;
    EXPECT_EQ(back.playInfo, plugInDialogDisplay);
    ASSERT_EQ(back.descriptor.items.size(), action.descriptor.items.size());
    for (size_t i = 0; i < back.descriptor.items.size(); ++i) {
        const DescriptorItem& a = action.descriptor.items[i];
        const DescriptorItem& b = back.descriptor.items[i];
        EXPECT_EQ(a.key, b.key);
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(a.unit, b.unit);
        if (std::isnan(a.number))
            EXPECT_TRUE(std::isnan(b.number));
        else
            EXPECT_EQ(a.number, b.number) << FourCCText(a.key);
    }
}

TEST(ActionFile, WritesTheModulesKeysInItsOrder) {
    EngraveSettings params = DefaultEngraveSettings();
    const std::string text = FormatActionFile(ActionFile{plugInDialogSilent, DescriptorFromSettings(params)});
    EXPECT_NE(text.find("{\"key\": \"Angl\", \"type\": \"UntF\", \"unit\": \"#Prc\", \"value\": 30}"), text.npos)
        << text;
    EXPECT_NE(text.find(Item("AntA", "bool", "true")), std::string::npos);
    EXPECT_NE(text.find(Item("Geom", "long", "1")), std::string::npos);
    EXPECT_LT(text.find("\"Angl\""), text.find("\"Nois\""));
}

TEST(ActionFile, BadFilesAreRefusedWithAClearMessage) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "line 1, column 1: unexpected end of file"},
        {"{\n  \"lumericAction\": 1,\n  \"descriptor\": [}\n", "line 3, column 18"},
        {"{\"descriptor\": []}", "not a lumeric action file"},
        {"{\"lumericAction\": 1, \"descriptor\": [], \"x\": 1}", "unknown member \"x\""},
        {"{\"lumericAction\": 1e999, \"descriptor\": []}", "number out of range"},
        {std::string(40, '[') + "1" + std::string(40, ']'), "nested too deeply"},
        {WithItems(Item("Ang", "bool", "true")), "item 1: \"key\""},
        {WithItems(Item("Angl", "UntF", "3")), "needs a four-character \"unit\""},
        {WithItems(Item("Geom", "long", "1.5")), "32-bit integer"},
        {WithItems(Item("InvI", "TEXT", "1")), "not one of"},
        {WithItems(Item("InvI", "bool", "true") + "," + Item("InvI", "bool", "false")), "appears twice"}};
    for (const auto& [text, message] : cases) {
        ActionFile action;
        std::string error;
        EXPECT_FALSE(ParseActionFile(text, &action, &error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << "got: " << error;
    }
}

TEST(ActionFile, AcceptsEscapesAndMissingPlay) {
    ActionFile action;
    std::string error;
    ASSERT_TRUE(ParseActionFile(
        "{\"lumericAction\": 1, \"event\": \"P\\u0056tr\", \"descriptor\": [{\"key\": \"\\u0041ngl\", \"type\": "
        "\"UntF\", \"unit\": \"#Prc\", \"value\": -2.5e1}]}",
        &action, &error))
        << error;
    EXPECT_EQ(action.playInfo, plugInDialogSilent);
    ASSERT_EQ(action.descriptor.items.size(), 1u);
    EXPECT_EQ(action.descriptor.items[0].key, FourCC("Angl"));
    EXPECT_EQ(action.descriptor.items[0].number, -25.0);
}

}  // namespace
