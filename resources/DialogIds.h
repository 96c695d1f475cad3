// Identifiers of the parameter dialog and the preset naming dialog, shared
// by their templates and the dialog's code.
#pragma once

#define kMainDialogName "DISSOLVEWITHPARAM00"
#define kPresetNameDialogId 142
#define kPresetNameEdit 1150
#define kPresetNameFrame 1151
#define kPresetNameLabel 1152

#define kIdOk 1
#define kIdCancel 2
#define kIdProgress 669
#define kIdNavigator 1031
#define kIdWidth 1033
#define kIdRandomness 1034
#define kIdInvert 1043
#define kIdNotBreak 1046
#define kIdRotor 1061
#define kIdColorSchema 1062
#define kIdPattern 1063
#define kIdUseDots 1064
#define kIdCenterXLabel 1065
#define kIdCenterYLabel 1066
#define kIdAmplitudeLabel 1067
#define kIdShiftLabel 1068
#define kIdFrequencyLabel 1069
#define kIdNoiseLabel 1072
#define kIdSave 1074
#define kIdFillAlpha 1075
#define kIdCheckerboard 1076
#define kIdPresetList 1077
#define kIdDelete 1078
#define kIdRotorFrame 1079
#define kIdAbout 1080
#define kIdHelp 1081
#define kIdPreview 1102
#define kIdSolidInk 1104
#define kIdUpdate 1110
#define kIdSpace 1112
#define kIdOffset 1113
#define kIdContrastEdit 1114   // edits `threshold`, labelled "Contrast"
#define kIdThresholdEdit 1115  // edits `contrast`, labelled "Threshold"
#define kIdFrequency 1116
#define kIdShift 1118
#define kIdAmplitude 1122
#define kIdCenterX 1123
#define kIdAutoUpdate 1124
#define kIdCenterY 1125
#define kIdNoise 1128
#define kIdBanner 1000
#define kIdRefresh 9999  // posted by the dialog to itself after every change

// The module's icon, shown for preset files (",0": the first icon).
#define kModuleIcon 1
