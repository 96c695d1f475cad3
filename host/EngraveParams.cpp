#include "host/EngraveParams.h"

#include "host/ParamTable.h"

void InitParameters(EngraveParams* record) {
    for (int i = 0; i < kParamCount; ++i)
        SetParamValue(record, kParamTable[i], kParamTable[i].defaultValue);
}
