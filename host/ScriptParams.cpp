// Recording and replaying the filter as a scripted action: the settings go
// into the host's descriptor at Finish and come back from it at Start.
#include "host/ScriptParams.h"

#include "host/EngraveParams.h"
#include "host/HostHandles.h"
#include "host/ParamTable.h"

namespace {

constexpr OSType kAntialiasKey = FourCC("AntA");

// Keys announced to the host when the reader opens. Ofst, Lvls and Frqn are
// not announced but are read all the same when present.
const DescriptorKeyID kExpectedKeys[] = {
    FourCC("ClSt"), FourCC("Geom"), FourCC("InvI"), FourCC("AntA"), FourCC("Invr"), FourCC("NoBr"),
    FourCC("UsBg"), FourCC("Angl"), FourCC("Spac"), FourCC("Wdth"), FourCC("BRel"), FourCC("Ampl"),
    FourCC("Shif"), FourCC("Usil"), FourCC("CntX"), FourCC("CntY"), FourCC("FllA"), FourCC("Nois"),
    NULLID,
};

bool ReadProcsComplete(const ReadDescriptorProcs* r) {
    return r->openReadDescriptorProc && r->closeReadDescriptorProc && r->getKeyProc && r->getIntegerProc &&
           r->getFloatProc && r->getUnitFloatProc && r->getBooleanProc && r->getTextProc && r->getAliasProc &&
           r->getEnumeratedProc && r->getClassProc && r->getSimpleReferenceProc && r->getObjectProc &&
           r->getCountProc && r->getStringProc && r->getPinnedIntegerProc && r->getPinnedFloatProc &&
           r->getPinnedUnitFloatProc;
}

// One key from the reader into its field, by the field's descriptor type.
void ReadKey(const ReadDescriptorProcs* procs, PIReadDescriptor token, const SettingInfo& setting,
             EngraveParams* params) {
    switch (setting.type) {
        case ParamType::Float: {
            DescriptorUnitID unit = 0;
            double value = 0;
            if (procs->getUnitFloatProc(token, &unit, &value) == noErr) SetParamValue(params, setting, value);
            break;
        }
        case ParamType::List: {
            int32_t value = 0;
            if (procs->getIntegerProc(token, &value) == noErr) SetParamValue(params, setting, value & 0xFF);
            break;
        }
        case ParamType::Switch:
        case ParamType::Byte: {
            PIBoolean value = 0;
            if (procs->getBooleanProc(token, &value) != noErr) break;
            bool on = value != 0;
            if (setting.key == kAntialiasKey) on = !on;  // the descriptor says "antialiased"
            SetParamValue(params, setting, on ? 1 : 0);
            break;
        }
        case ParamType::Int: break;
    }
}

void WriteKey(const WriteDescriptorProcs* procs, PIWriteDescriptor token, const SettingInfo& setting,
              const EngraveParams& params) {
    const ScriptValue v = ScriptValueOf(params, setting);
    if (v.type == typeUnitFloat && procs->putUnitFloatProc)
        procs->putUnitFloatProc(token, setting.key, unitPercent, &v.value);
    else if (v.type == typeInteger && procs->putIntegerProc)
        procs->putIntegerProc(token, setting.key, int32_t(v.value));
    else if (v.type == typeBoolean && procs->putBooleanProc)
        procs->putBooleanProc(token, setting.key, PIBoolean(v.value));
}

// The descriptor is the host's handle: it goes back through the host's own
// procedures. Without usable ones it is left to the host — our process-memory
// fallback must never free a block the host allocated.
void DisposeDescriptor(const FilterRecord* record, Handle descriptor) {
    if (descriptor && HostHandleProcsUsable(record)) DisposeHostHandle(descriptor);
}

}  // namespace

ScriptValue ScriptValueOf(const EngraveParams& params, const SettingInfo& setting) {
    const double value = GetParamValue(params, setting);
    switch (setting.type) {
        case ParamType::Float: return ScriptValue{typeUnitFloat, value};
        case ParamType::List: return ScriptValue{typeInteger, value};
        case ParamType::Switch:
        case ParamType::Byte:
            if (setting.key == kAntialiasKey) return ScriptValue{typeBoolean, value == 0 ? 1.0 : 0.0};
            return ScriptValue{typeBoolean, double(int64_t(value) & 0xFF)};
        case ParamType::Int: break;
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
    DescriptorKeyID keys[sizeof kExpectedKeys / sizeof kExpectedKeys[0]];
    for (size_t i = 0; i < sizeof keys / sizeof keys[0]; ++i) keys[i] = kExpectedKeys[i];
    PIReadDescriptor token = procs->openReadDescriptorProc(d->descriptor, keys);
    if (token) {
        params->fillAlpha = 0;  // a descriptor without FllA means fill alpha off
        DescriptorKeyID key = 0;
        DescriptorTypeID type = 0;
        int32_t flags = 0;
        while (procs->getKeyProc(token, &key, &type, &flags)) {
            if (const SettingInfo* setting = FindParamByKey(key)) ReadKey(procs, token, *setting, params);
        }
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

    for (OSType key : kScriptKeyOrder)
        if (const SettingInfo* setting = FindParamByKey(key)) WriteKey(procs, token, *setting, *params);

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
