// Recording and replaying the filter as a scripted action: the settings go
// into the host's descriptor at Finish and come back from it at Start.
#include "host/ScriptParams.h"

#include "host/EngraveParams.h"
#include "host/HostHandles.h"

namespace {

// Keys announced to the host when the reader opens, in table order. Some
// carried keys are not announced but are read all the same when present.
struct ExpectedKeys {
    DescriptorKeyID keys[kCarriedSettingCount + 1];
};

ExpectedKeys AnnouncedKeys() {
    ExpectedKeys list{};
    int n = 0;
    for (int i = 0; i < kParamCount; ++i)
        if (kParamTable[i].announced) list.keys[n++] = kParamTable[i].code;
    list.keys[n] = NULLID;
    return list;
}

bool ReadProcsComplete(const ReadDescriptorProcs* r) {
    return r->openReadDescriptorProc && r->closeReadDescriptorProc && r->getKeyProc && r->getIntegerProc &&
           r->getFloatProc && r->getUnitFloatProc && r->getBooleanProc && r->getTextProc && r->getAliasProc &&
           r->getEnumeratedProc && r->getClassProc && r->getSimpleReferenceProc && r->getObjectProc &&
           r->getCountProc && r->getStringProc && r->getPinnedIntegerProc && r->getPinnedFloatProc &&
           r->getPinnedUnitFloatProc;
}

// One key from the reader into its field, by the field's descriptor type.
void ReadKey(const ReadDescriptorProcs* procs, PIReadDescriptor token, const SettingInfo& setting,
             EngraveSettings* settings) {
    switch (setting.type) {
        case SettingType::Real: {
            DescriptorUnitID unit = 0;
            double value = 0;
            if (procs->getUnitFloatProc(token, &unit, &value) == noErr) SetSettingValue(settings, setting, value);
            break;
        }
        case SettingType::List: {
            int32_t value = 0;
            if (procs->getIntegerProc(token, &value) == noErr) SetSettingValue(settings, setting, value & 0xFF);
            break;
        }
        case SettingType::Switch:
        case SettingType::Flag: {
            PIBoolean value = 0;
            if (procs->getBooleanProc(token, &value) != noErr) break;
            const bool on = (value != 0) != setting.scriptInverted;
            SetSettingValue(settings, setting, on ? 1 : 0);
            break;
        }
    }
}

void WriteKey(const WriteDescriptorProcs* procs, PIWriteDescriptor token, const SettingInfo& setting,
              const EngraveSettings& settings) {
    const ScriptValue v = ScriptValueOf(settings, setting);
    if (v.type == typeUnitFloat && procs->putUnitFloatProc)
        procs->putUnitFloatProc(token, setting.code, unitPercent, &v.value);
    else if (v.type == typeInteger && procs->putIntegerProc)
        procs->putIntegerProc(token, setting.code, int32_t(v.value));
    else if (v.type == typeBoolean && procs->putBooleanProc)
        procs->putBooleanProc(token, setting.code, PIBoolean(v.value));
}

// The descriptor is the host's handle: it goes back through the host's own
// procedures. Without usable ones it is left to the host — our process-memory
// fallback must never free a block the host allocated.
void DisposeDescriptor(const FilterRecord* record, Handle descriptor) {
    if (descriptor && HostHandleProcsUsable(record)) DisposeHostHandle(descriptor);
}

}  // namespace

ScriptValue ScriptValueOf(const EngraveSettings& settings, const SettingInfo& setting) {
    const double value = GetSettingValue(settings, setting);
    switch (setting.type) {
        case SettingType::Real: return ScriptValue{typeUnitFloat, value};
        case SettingType::List: return ScriptValue{typeInteger, value};
        case SettingType::Switch:
        case SettingType::Flag:
            if (setting.scriptInverted) return ScriptValue{typeBoolean, value == 0 ? 1.0 : 0.0};
            return ScriptValue{typeBoolean, double(int64_t(value) & 0xFF)};
    }
    return ScriptValue{typeInteger, value};
}

bool DescriptorsAvailable(const FilterRecord* record) {
    const PIDescriptorParameters* d = record ? record->descriptorParameters : nullptr;
    if (!d || d->descriptorParametersVersion != kCurrentDescriptorParametersVersion) return false;
    const ReadDescriptorProcs* r = d->readDescriptorProcs;
    const WriteDescriptorProcs* w = d->writeDescriptorProcs;
    if (!r || !w) return false;
    if (r->readDescriptorProcsVersion != kCurrentReadDescriptorProcsVersion ||
        r->numReadDescriptorProcs < kCurrentReadDescriptorProcsCount)
        return false;
    if (w->writeDescriptorProcsVersion != kCurrentWriteDescriptorProcsVersion ||
        w->numWriteDescriptorProcs < kCurrentWriteDescriptorProcsCount)
        return false;
    return ReadProcsComplete(r);
}

OSErr ReadScriptParams(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    EngraveParams* params = CurrentParams();
    if (!params || !DescriptorsAvailable(record)) return noErr;
    PIDescriptorParameters* d = record->descriptorParameters;
    const ReadDescriptorProcs* procs = d->readDescriptorProcs;

    OSErr error = noErr;
    ExpectedKeys expected = AnnouncedKeys();
    PIReadDescriptor token = procs->openReadDescriptorProc(d->descriptor, expected.keys);
    if (token) {
        EngraveSettings settings = SettingsOf(*params);
        settings.fillAlpha = 0;  // a descriptor without FllA means fill alpha off
        DescriptorKeyID key = 0;
        DescriptorTypeID type = 0;
        int32_t flags = 0;
        while (procs->getKeyProc(token, &key, &type, &flags)) {
            if (const SettingInfo* setting = FindParamByCode(key)) ReadKey(procs, token, *setting, &settings);
        }
        // The record is read afresh: a host procedure may have moved it.
        if ((params = CurrentParams())) StoreSettings(settings, params);
        error = procs->closeReadDescriptorProc(token);
        DisposeDescriptor(record, d->descriptor);
        d->descriptor = nullptr;
        if (error != noErr && error != errMissingParameter) SetResult(globals, error);
    }
    if ((params = CurrentParams())) params->showDialog = d->playInfo == plugInDialogDisplay ? 1 : 0;
    return error;
}

OSErr WriteScriptParams(FilterGlobals* globals) {
    FilterRecord* record = globals->filterRecord;
    const EngraveParams* params = CurrentParams();
    if (!params || !DescriptorsAvailable(record)) return noErr;
    PIDescriptorParameters* d = record->descriptorParameters;
    const WriteDescriptorProcs* procs = d->writeDescriptorProcs;
    if (!procs->openWriteDescriptorProc || !procs->closeWriteDescriptorProc) return noErr;
    PIWriteDescriptor token = procs->openWriteDescriptorProc();
    if (!token) return noErr;

    const EngraveSettings settings = SettingsOf(*params);
    for (int order = 1; order <= kCarriedSettingCount; ++order)
        if (const SettingInfo* setting = ParamAtDescriptorOrder(order)) WriteKey(procs, token, *setting, settings);

    if (d->descriptor) {
        DisposeDescriptor(record, d->descriptor);
        d->descriptor = nullptr;
    }
    PIDescriptorHandle written = nullptr;
    procs->closeWriteDescriptorProc(token, &written);
    d->descriptor = written;
    d->recordInfo = plugInDialogOptional;
    return noErr;
}
