// Resource identifiers shared by the .rc files and the code.
#pragma once

#define kPiPLResourceId 16000
#define kAeteResourceId 16000
#define kAboutDialogId 16103
#define kAboutProductText 16104
#define kAboutVersionText 16105
#define kAboutLineText 16106
#define kAboutRule 16107
