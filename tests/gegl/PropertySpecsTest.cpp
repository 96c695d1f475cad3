// The operation's properties as GEGL and GIMP see them, derived from the
// settings table.
#include <gtest/gtest.h>

#include <set>

#include "gegl/PropertyNames.h"
#include "gegl/PropertySpecs.h"

namespace {

const PropertySpec& Spec(const char* name) {
    for (const PropertySpec& spec : EngravePropertySpecs())
        if (spec.name == name) return spec;
    ADD_FAILURE() << "no property " << name;
    return EngravePropertySpecs().front();
}

// The nicks a "visible" condition lists: "pattern {a, b}" -> {a, b}.
std::set<std::string> ListedKinds(const std::string& condition) {
    std::set<std::string> kinds;
    size_t at = condition.find('{') + 1;
    while (at < condition.size()) {
        size_t end = condition.find_first_of(",}", at);
        kinds.insert(condition.substr(at, end - at));
        at = condition.find_first_not_of(' ', end + 1);
    }
    return kinds;
}

std::set<std::string> Kinds(std::initializer_list<int> kinds) {
    std::set<std::string> nicks;
    for (int k : kinds) nicks.insert(GeglValueNick(kPatternNames[k]));
    return nicks;
}

}  // namespace

TEST(PropertyNames, GeglStyle) {
    EXPECT_EQ(GeglPropertyName("colorSchema"), "color-schema");
    EXPECT_EQ(GeglPropertyName("centerX"), "center-x");
    EXPECT_EQ(GeglPropertyName("invertIntensity"), "invert-intensity");
    EXPECT_EQ(GeglPropertyName("space"), "space");
    EXPECT_EQ(GeglValueNick("Spiral waves 2"), "spiral-waves-2");
    EXPECT_EQ(GeglValueNick("Split color"), "split-color");
}

TEST(PropertySpecs, OnePerEngravingSettingWithLabelsOfTheirOwn) {
    std::set<std::string> names, labels;
    for (const PropertySpec& spec : EngravePropertySpecs()) {
        EXPECT_TRUE(spec.setting->engraving) << spec.name;
        names.insert(spec.name);
        labels.insert(spec.label);  // GIMP shows one control per property
    }
    EXPECT_EQ(names.size(), size_t(kCarriedSettingCount));
    EXPECT_EQ(labels.size(), size_t(kCarriedSettingCount));
    EXPECT_EQ(Spec("pattern").listNicks.at(10), "spiral-waves-2");
    EXPECT_EQ(Spec("color-schema").listNicks.at(1), "split-color");
}

TEST(PropertySpecs, DefaultsGiveTheDefaultSettings) {
    std::vector<double> values;
    for (const PropertySpec& spec : EngravePropertySpecs()) values.push_back(spec.defaultValue);
    const EngraveSettings fromProperties = SettingsFromPropertyValues(values.data());
    const EngraveSettings defaults = DefaultEngraveSettings();
    for (const PropertySpec& spec : EngravePropertySpecs())
        EXPECT_EQ(GetSettingValue(fromProperties, *spec.setting), GetSettingValue(defaults, *spec.setting))
            << spec.name;
}

TEST(PropertySpecs, PhaseInDegreesAndRotationAsAnAngle) {
    const PropertySpec& phase = Spec("phase-shift");
    EXPECT_EQ(phase.minimum, -180.0);
    EXPECT_EQ(phase.maximum, 180.0);
    std::vector<double> values;
    for (const PropertySpec& spec : EngravePropertySpecs()) values.push_back(&spec == &phase ? 90.0 : spec.defaultValue);
    EXPECT_NEAR(SettingsFromPropertyValues(values.data()).phaseShift, 500.0f, 0.001f);

    const PropertySpec& rotation = Spec("rotation");
    EXPECT_STREQ(rotation.unit, "degree");
    EXPECT_EQ(rotation.uiMaximum - rotation.uiMinimum, 360.0);  // GIMP draws a dial only for one turn
    EXPECT_EQ(Spec("space").minimum, 5.0);
    EXPECT_EQ(Spec("space").maximum, 100.0);
}

TEST(PropertySpecs, CentreAndWaveControlsShowOnlyForTheirKinds) {
    const std::set<std::string> centred = Kinds({3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const std::set<std::string> waved = Kinds({1, 2, 4, 5, 6, 7, 9, 10, 11, 12});
    for (const PropertySpec& spec : EngravePropertySpecs()) {
        if (spec.name == "center-x" || spec.name == "center-y") {
            EXPECT_EQ(ListedKinds(spec.visibleWhen), centred);
        } else if (spec.name == "amplitude" || spec.name == "frequency" || spec.name == "phase-shift") {
            EXPECT_EQ(ListedKinds(spec.visibleWhen), waved) << spec.name;
            EXPECT_EQ(spec.visibleWhen.rfind("pattern {", 0), 0u);
        } else {
            EXPECT_EQ(spec.visibleWhen, "") << spec.name;
        }
    }
}
