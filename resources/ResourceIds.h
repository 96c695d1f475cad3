// Resource identifiers shared by the .rc files and the code.
#pragma once

#define kPiPLResourceId 16000
#define kAeteResourceId 16000
#define kAboutDialogId 16103
#define kAboutProductText 16104
#define kAboutVersionText 16105
#define kAboutLineText 16106
#define kAboutRule 16107

// The "Set value" dialog of the value controls and its items.
#define kValueDialogId 15092
#define kValueNameText 15901
#define kCurrentValue1Text 15902
#define kCurrentValue2Text 15903
#define kValueTypeText 15904
#define kRecommendedRangeText 15905
#define kNewValue1Edit 15906
#define kNewValue2Edit 15907
#define kNewMinimumEdit 15908
#define kNewMaximumEdit 15909

// The dialog's pictures: checkerboard toggle (enabled, disabled), banner.
#define kCheckerboardOnBitmap 115
#define kCheckerboardOffBitmap 116
#define kBannerBitmap 117

// Skins of the owner-drawn push buttons, 18 x 24: per set right cap, left
// cap, stretched middle.
#define kSkinNormalRightBitmap 123
#define kSkinNormalLeftBitmap 124
#define kSkinNormalMiddleBitmap 125
#define kSkinDefaultRightBitmap 126
#define kSkinDefaultLeftBitmap 127
#define kSkinDefaultMiddleBitmap 128
#define kSkinHoverRightBitmap 129
#define kSkinHoverLeftBitmap 130
#define kSkinHoverMiddleBitmap 131
#define kSkinPressedRightBitmap 132
#define kSkinPressedLeftBitmap 133
#define kSkinPressedMiddleBitmap 134

// Faces of the bitmap buttons: About (195 x 18), help (40 x 19).
#define kAboutFaceNormalBitmap 136
#define kAboutFacePressedBitmap 137
#define kAboutFaceHoverBitmap 138
#define kHelpFacePressedBitmap 162
#define kHelpFaceNormalBitmap 163
#define kHelpFaceHoverBitmap 164

// Every picture above also exists drawn at twice the size, under its
// identifier plus this offset, for screens of 144 DPI and more.
#define kDoubleSizeBitmapOffset 20000
