// The Photoshop-compatible filter plug-in interface, declared by us from the
// published binary layout. Both the module and our own hosts include it.
//
// Layout rules that keep us binary-compatible with real hosts:
//  - FilterRecord and BigDocumentStruct are packed to 4 bytes on Windows,
//    32- and 64-bit alike (on x86_64 this removes the holes before pointers);
//  - every other record is naturally aligned;
//  - every callback is a plain C function (cdecl on 32-bit Windows).
// The static_asserts at the end pin every offset that matters for both
// targets; a layout slip fails the build instead of crashing a host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/FourCC.h"  // OSType and FourCC: first char most significant

#if defined(_WIN32) && !defined(_WIN64)
#define PI_CALL __cdecl
#else
#define PI_CALL
#endif

// ---------------------------------------------------------------- primitives

typedef int16_t OSErr;
typedef int32_t SPErr;
typedef uint8_t PIBoolean;  // non-zero = true
typedef int32_t SPBoolean;  // a 4-byte BOOL on Windows
typedef int32_t Fixed;      // 16.16
typedef char* Ptr;
typedef char** Handle;  // *h is the data pointer, valid even without locking


struct PIPoint {
    int16_t v, h;
};
struct PIRect {
    int16_t top, left, bottom, right;
};
struct VPoint {
    int32_t v, h;
};
struct VRect {
    int32_t top, left, bottom, right;
};
struct PIRGBColor {
    uint16_t red, green, blue;
};
struct PlugInMonitor {
    Fixed gamma, redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY, ambient;
};

// platformData fields point to this record, never to the window itself.
struct PlatformData {
    intptr_t hwnd;
};

// ---------------------------------------------------------------- constants

enum FilterSelector : int16_t {
    filterSelectorAbout = 0,
    filterSelectorParameters = 1,
    filterSelectorPrepare = 2,
    filterSelectorStart = 3,
    filterSelectorContinue = 4,
    filterSelectorFinish = 5,
};

enum ImageMode : int16_t {
    plugInModeBitmap = 0,
    plugInModeGrayScale = 1,
    plugInModeIndexedColor = 2,
    plugInModeRGBColor = 3,
    plugInModeCMYKColor = 4,
    plugInModeHSLColor = 5,
    plugInModeHSBColor = 6,
    plugInModeMultichannel = 7,
    plugInModeDuotone = 8,
    plugInModeLabColor = 9,
    plugInModeGray16 = 10,
    plugInModeRGB48 = 11,
    plugInModeLab48 = 12,
    plugInModeCMYK64 = 13,
    plugInModeDeepMultichannel = 14,
    plugInModeDuotone16 = 15,
    plugInModeRGB96 = 16,
    plugInModeGray32 = 17,
};

constexpr OSErr noErr = 0;
constexpr OSErr readErr = -19;
constexpr OSErr writErr = -20;
constexpr OSErr openErr = -23;
constexpr OSErr eofErr = -39;
constexpr OSErr paramErr = -50;
constexpr OSErr memFullErr = -108;
constexpr OSErr nilHandleErr = -109;
constexpr OSErr userCanceledErr = -128;
constexpr OSErr errMissingParameter = -1715;
constexpr OSErr filterBadParameters = -30100;
constexpr OSErr filterBadMode = -30101;
constexpr OSErr errPlugInHostInsufficient = -30900;
constexpr OSErr errPlugInPropertyUndefined = -30901;
constexpr OSErr errReportString = -30904;

constexpr SPErr kSPNoError = 0;
constexpr SPErr kSPSuiteNotFoundError = 0x53214664;  // 'S!Fd'
constexpr SPErr kSPBadParameterError = 0x5061726D;   // 'Parm'
constexpr SPErr kSPUnimplementedError = 0x21494D50;  // '!IMP'
constexpr SPErr kSPOutOfMemoryError = 0x214D454D;    // '!MEM'

constexpr OSType kPhotoshopSignature = FourCC("8BIM");
constexpr OSType kFilterKind = FourCC("8BFM");

// Padding values for inputPadding and friends.
constexpr int16_t plugInWantsEdgeReplication = -1;
constexpr int16_t plugInDoesNotWantPadding = -2;
constexpr int16_t plugInWantsErrorOnBoundsException = -3;

constexpr Fixed kFixedOne = 0x10000;

// ---------------------------------------------------------------- callbacks

typedef PIBoolean(PI_CALL* TestAbortProc)(void);
typedef void(PI_CALL* ProgressProc)(int32_t done, int32_t total);
typedef void(PI_CALL* HostProc)(int16_t selector, intptr_t* data);
typedef void(PI_CALL* ProcessEventProc)(void* event);
typedef OSErr(PI_CALL* AdvanceStateProc)(void);
typedef OSErr(PI_CALL* DisplayPixelsProc)(const void* source, const VRect* srcRect, int32_t dstRow,
                                          int32_t dstCol, void* platformContext);
typedef OSErr(PI_CALL* ColorServicesProc)(void* info);
typedef OSErr(PI_CALL* GetPropertyProc)(OSType signature, OSType key, int32_t index,
                                        intptr_t* simpleProperty, Handle* complexProperty);

// Handle procedures: version 1, 8 procedures. Naturally aligned.
typedef Handle(PI_CALL* NewPIHandleProc)(int32_t size);
typedef void(PI_CALL* DisposePIHandleProc)(Handle h);
typedef int32_t(PI_CALL* GetPIHandleSizeProc)(Handle h);
typedef OSErr(PI_CALL* SetPIHandleSizeProc)(Handle h, int32_t newSize);
typedef Ptr(PI_CALL* LockPIHandleProc)(Handle h, PIBoolean moveHigh);
typedef void(PI_CALL* UnlockPIHandleProc)(Handle h);
typedef void(PI_CALL* RecoverSpaceProc)(int32_t size);
typedef void(PI_CALL* DisposeRegularHandleProc)(Handle h);

constexpr int16_t kCurrentHandleProcsVersion = 1;
constexpr int16_t kCurrentHandleProcsCount = 8;

struct HandleProcs {
    int16_t handleProcsVersion;
    int16_t numHandleProcs;
    NewPIHandleProc newProc;
    DisposePIHandleProc disposeProc;
    GetPIHandleSizeProc getSizeProc;
    SetPIHandleSizeProc setSizeProc;
    LockPIHandleProc lockProc;
    UnlockPIHandleProc unlockProc;
    RecoverSpaceProc recoverSpaceProc;
    DisposeRegularHandleProc disposeRegularHandleProc;
};

// ---------------------------------------------------------------- scripting

typedef Handle PIDescriptorHandle;
typedef struct PIOpaqueReadDescriptor* PIReadDescriptor;
typedef struct PIOpaqueWriteDescriptor* PIWriteDescriptor;
typedef uint32_t DescriptorKeyID;
typedef uint32_t DescriptorTypeID;
typedef uint32_t DescriptorUnitID;
typedef uint32_t DescriptorEnumID;
typedef uint32_t DescriptorEnumTypeID;
typedef uint32_t DescriptorClassID;
typedef DescriptorKeyID* DescriptorKeyIDArray;  // zero-terminated, writable by the host

constexpr DescriptorKeyID NULLID = 0;

enum PIDialogRecordOptions : int16_t {
    plugInDialogOptional = 0,
    plugInDialogRequired = 1,
    plugInDialogNone = 2,
};
enum PIDialogPlayOptions : int16_t {
    plugInDialogDontDisplay = 0,
    plugInDialogDisplay = 1,
    plugInDialogSilent = 2,
};

constexpr DescriptorTypeID typeInteger = FourCC("long");
constexpr DescriptorTypeID typeFloat = FourCC("doub");
constexpr DescriptorTypeID typeUnitFloat = FourCC("UntF");
constexpr DescriptorTypeID typeBoolean = FourCC("bool");
constexpr DescriptorTypeID typeChar = FourCC("TEXT");
constexpr DescriptorTypeID typeEnumerated = FourCC("enum");
constexpr DescriptorTypeID typeNull = FourCC("null");
constexpr DescriptorTypeID typeImageReference = FourCC("#ImR");
constexpr DescriptorUnitID unitPercent = FourCC("#Prc");
constexpr DescriptorUnitID unitPixels = FourCC("#Pxl");
constexpr DescriptorUnitID unitAngle = FourCC("#Ang");

struct PIDescriptorSimpleReference {
    DescriptorClassID desiredClass;
    uint32_t keyForm;
    struct {
        uint8_t name[256];
        int32_t index;
        uint32_t type;
        uint32_t value;
    } keyData;
};

typedef PIReadDescriptor(PI_CALL* OpenReadDescriptorProc)(PIDescriptorHandle, DescriptorKeyIDArray);
typedef OSErr(PI_CALL* CloseReadDescriptorProc)(PIReadDescriptor);
typedef PIBoolean(PI_CALL* GetKeyProc)(PIReadDescriptor, DescriptorKeyID* key, DescriptorTypeID* type,
                                       int32_t* flags);
typedef OSErr(PI_CALL* GetIntegerProc)(PIReadDescriptor, int32_t*);
typedef OSErr(PI_CALL* GetFloatProc)(PIReadDescriptor, double*);
typedef OSErr(PI_CALL* GetUnitFloatProc)(PIReadDescriptor, DescriptorUnitID*, double*);
typedef OSErr(PI_CALL* GetBooleanProc)(PIReadDescriptor, PIBoolean*);
typedef OSErr(PI_CALL* GetTextProc)(PIReadDescriptor, Handle*);
typedef OSErr(PI_CALL* GetAliasProc)(PIReadDescriptor, Handle*);
typedef OSErr(PI_CALL* GetEnumeratedProc)(PIReadDescriptor, DescriptorEnumID*);
typedef OSErr(PI_CALL* GetClassProc)(PIReadDescriptor, DescriptorClassID*);
typedef OSErr(PI_CALL* GetSimpleReferenceProc)(PIReadDescriptor, PIDescriptorSimpleReference*);
typedef OSErr(PI_CALL* GetObjectProc)(PIReadDescriptor, DescriptorClassID*, PIDescriptorHandle*);
typedef OSErr(PI_CALL* GetCountProc)(PIReadDescriptor, uint32_t*);
typedef OSErr(PI_CALL* GetStringProc)(PIReadDescriptor, uint8_t (*)[256]);
typedef OSErr(PI_CALL* GetPinnedIntegerProc)(PIReadDescriptor, int32_t min, int32_t max, int32_t*);
typedef OSErr(PI_CALL* GetPinnedFloatProc)(PIReadDescriptor, const double* min, const double* max,
                                           double*);
typedef OSErr(PI_CALL* GetPinnedUnitFloatProc)(PIReadDescriptor, const double* min,
                                               const double* max, DescriptorUnitID*, double*);

constexpr int16_t kCurrentReadDescriptorProcsVersion = 0;
constexpr int16_t kCurrentReadDescriptorProcsCount = 18;

struct ReadDescriptorProcs {
    int16_t readDescriptorProcsVersion;
    int16_t numReadDescriptorProcs;
    OpenReadDescriptorProc openReadDescriptorProc;
    CloseReadDescriptorProc closeReadDescriptorProc;
    GetKeyProc getKeyProc;
    GetIntegerProc getIntegerProc;
    GetFloatProc getFloatProc;
    GetUnitFloatProc getUnitFloatProc;
    GetBooleanProc getBooleanProc;
    GetTextProc getTextProc;
    GetAliasProc getAliasProc;
    GetEnumeratedProc getEnumeratedProc;
    GetClassProc getClassProc;
    GetSimpleReferenceProc getSimpleReferenceProc;
    GetObjectProc getObjectProc;
    GetCountProc getCountProc;
    GetStringProc getStringProc;
    GetPinnedIntegerProc getPinnedIntegerProc;
    GetPinnedFloatProc getPinnedFloatProc;
    GetPinnedUnitFloatProc getPinnedUnitFloatProc;
};

typedef PIWriteDescriptor(PI_CALL* OpenWriteDescriptorProc)(void);
typedef OSErr(PI_CALL* CloseWriteDescriptorProc)(PIWriteDescriptor, PIDescriptorHandle*);
typedef OSErr(PI_CALL* PutIntegerProc)(PIWriteDescriptor, DescriptorKeyID, int32_t);
typedef OSErr(PI_CALL* PutFloatProc)(PIWriteDescriptor, DescriptorKeyID, const double*);
typedef OSErr(PI_CALL* PutUnitFloatProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorUnitID,
                                         const double*);
typedef OSErr(PI_CALL* PutBooleanProc)(PIWriteDescriptor, DescriptorKeyID, PIBoolean);
typedef OSErr(PI_CALL* PutTextProc)(PIWriteDescriptor, DescriptorKeyID, Handle);
typedef OSErr(PI_CALL* PutAliasProc)(PIWriteDescriptor, DescriptorKeyID, Handle);
typedef OSErr(PI_CALL* PutEnumeratedProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorEnumTypeID,
                                          DescriptorEnumID);
typedef OSErr(PI_CALL* PutClassProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID);
typedef OSErr(PI_CALL* PutSimpleReferenceProc)(PIWriteDescriptor, DescriptorKeyID,
                                               const PIDescriptorSimpleReference*);
typedef OSErr(PI_CALL* PutObjectProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID,
                                      PIDescriptorHandle);
typedef OSErr(PI_CALL* PutCountProc)(PIWriteDescriptor, DescriptorKeyID, uint32_t);
typedef OSErr(PI_CALL* PutStringProc)(PIWriteDescriptor, DescriptorKeyID, const uint8_t*);
typedef OSErr(PI_CALL* PutScopedClassProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID);
typedef OSErr(PI_CALL* PutScopedObjectProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID,
                                            PIDescriptorHandle);

constexpr int16_t kCurrentWriteDescriptorProcsVersion = 0;
constexpr int16_t kCurrentWriteDescriptorProcsCount = 16;

struct WriteDescriptorProcs {
    int16_t writeDescriptorProcsVersion;
    int16_t numWriteDescriptorProcs;
    OpenWriteDescriptorProc openWriteDescriptorProc;
    CloseWriteDescriptorProc closeWriteDescriptorProc;
    PutIntegerProc putIntegerProc;
    PutFloatProc putFloatProc;
    PutUnitFloatProc putUnitFloatProc;
    PutBooleanProc putBooleanProc;
    PutTextProc putTextProc;
    PutAliasProc putAliasProc;
    PutEnumeratedProc putEnumeratedProc;
    PutClassProc putClassProc;
    PutSimpleReferenceProc putSimpleReferenceProc;
    PutObjectProc putObjectProc;
    PutCountProc putCountProc;
    PutStringProc putStringProc;
    PutScopedClassProc putScopedClassProc;
    PutScopedObjectProc putScopedObjectProc;
};

constexpr int16_t kCurrentDescriptorParametersVersion = 0;

struct PIDescriptorParameters {
    int16_t descriptorParametersVersion;
    int16_t playInfo;
    int16_t recordInfo;
    PIDescriptorHandle descriptor;
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
};

// ---------------------------------------------------------------- PICA suites

typedef SPErr(PI_CALL* SPAcquireSuiteProc)(const char* name, int32_t version, const void** suite);
typedef SPErr(PI_CALL* SPReleaseSuiteProc)(const char* name, int32_t version);
typedef SPBoolean(PI_CALL* SPIsEqualProc)(const char* a, const char* b);
typedef SPErr(PI_CALL* SPAllocateBlockProc)(size_t size, void** block);
typedef SPErr(PI_CALL* SPFreeBlockProc)(void* block);
typedef SPErr(PI_CALL* SPReallocateBlockProc)(void* block, size_t newSize, void** newBlock);
typedef SPErr(PI_CALL* SPUndefinedProc)(void);

struct SPBasicSuite {
    SPAcquireSuiteProc AcquireSuite;
    SPReleaseSuiteProc ReleaseSuite;
    SPIsEqualProc IsEqual;
    SPAllocateBlockProc AllocateBlock;
    SPFreeBlockProc FreeBlock;
    SPReallocateBlockProc ReallocateBlock;
    SPUndefinedProc Undefined;
};

#define kPSColorSpaceSuite "Photoshop ColorSpace Suite for Plug-ins"
constexpr int32_t kPSColorSpaceSuiteVersion1 = 1;

// Colour space codes of the ColorSpace suite.
enum ColorSpaceCode : int16_t {
    plugIncolorServicesRGBSpace = 0,
    plugIncolorServicesHSBSpace = 1,
    plugIncolorServicesCMYKSpace = 2,
    plugIncolorServicesLabSpace = 3,
    plugIncolorServicesGraySpace = 4,
    plugIncolorServicesHSLSpace = 5,
    plugIncolorServicesXYZSpace = 6,
};

typedef uint8_t Color8[4];    // RGB: index 0 unused, R G B at 1..3; CMYK: C M Y K
typedef uint16_t Color16[4];  // same placement, samples 0..32768
typedef struct ColorIDOpaque* ColorID;
struct CS_XYZColor {
    uint16_t x, y, z;
};
typedef struct ASZByteRun* ASZString;

typedef SPErr(PI_CALL* CSMakeProc)(ColorID* id);
typedef SPErr(PI_CALL* CSDeleteProc)(ColorID* id);
typedef SPErr(PI_CALL* CSStuffComponentsProc)(ColorID id, int16_t space, uint8_t c0, uint8_t c1,
                                              uint8_t c2, uint8_t c3);
typedef SPErr(PI_CALL* CSExtractComponentsProc)(ColorID id, int16_t space, uint8_t* c0, uint8_t* c1,
                                                uint8_t* c2, uint8_t* c3, PIBoolean* gamutFlag);
typedef SPErr(PI_CALL* CSStuffXYZProc)(ColorID id, CS_XYZColor xyz);
typedef SPErr(PI_CALL* CSExtractXYZProc)(ColorID id, CS_XYZColor* xyz);
typedef SPErr(PI_CALL* CSConvert8Proc)(int16_t inSpace, int16_t outSpace, Color8* colors, int16_t count);
typedef SPErr(PI_CALL* CSConvert16Proc)(int16_t inSpace, int16_t outSpace, Color16* colors,
                                        int16_t count);
typedef SPErr(PI_CALL* CSGetNativeSpaceProc)(ColorID id, int16_t* space);
typedef SPErr(PI_CALL* CSIsBookColorProc)(ColorID id, PIBoolean* isBook);
typedef SPErr(PI_CALL* CSExtractColorNameProc)(ColorID id, ASZString* name);
typedef SPErr(PI_CALL* CSPickColorProc)(ColorID* id, ASZString prompt);
typedef SPErr(PI_CALL* CSConvert8to16Proc)(uint8_t* in, uint16_t* out, int16_t count);
typedef SPErr(PI_CALL* CSConvert16to8Proc)(uint16_t* in, uint8_t* out, int16_t count);
typedef SPErr(PI_CALL* CSConvertToMonitorRGBProc)(int16_t inSpace, Color8* in, Color8* out,
                                                  int16_t count);
typedef SPErr(PI_CALL* CSConvert32to8Proc)(float* in, uint8_t* out, int16_t count);

// Version 1 table. A module relies on slots 0..13 only; hosts fill all 16.
struct PSColorSpaceSuite1 {
    CSMakeProc Make;
    CSDeleteProc Delete;
    CSStuffComponentsProc StuffComponents;
    CSExtractComponentsProc ExtractComponents;
    CSStuffXYZProc StuffXYZ;
    CSExtractXYZProc ExtractXYZ;
    CSConvert8Proc Convert8;
    CSConvert16Proc Convert16;
    CSGetNativeSpaceProc GetNativeSpace;
    CSIsBookColorProc IsBookColor;
    CSExtractColorNameProc ExtractColorName;
    CSPickColorProc PickColor;
    CSConvert8to16Proc Convert8to16;
    CSConvert16to8Proc Convert16to8;
    CSConvertToMonitorRGBProc ConvertToMonitorRGB;
    CSConvert32to8Proc Convert32to8;
};

// The colour suite's count is 16-bit: never pass more colours than this.
constexpr int kColorSuiteMaxCount = 32767;
// Buffer procedures: version 2. The five of the classic table, then the
// 64-bit space answer of newer hosts (modules reading five see no change).
typedef struct PIBufferOpaque* BufferID;
typedef OSErr(PI_CALL* AllocateBufferProc)(int32_t size, BufferID* bufferID);
typedef Ptr(PI_CALL* LockBufferProc)(BufferID bufferID, PIBoolean moveHigh);
typedef void(PI_CALL* UnlockBufferProc)(BufferID bufferID);
typedef void(PI_CALL* FreeBufferProc)(BufferID bufferID);
typedef int32_t(PI_CALL* BufferSpaceProc)(void);
typedef int64_t(PI_CALL* BufferSpace64Proc)(void);

constexpr int16_t kCurrentBufferProcsVersion = 2;
constexpr int16_t kCurrentBufferProcsCount = 6;

struct BufferProcs {
    int16_t bufferProcsVersion;
    int16_t numBufferProcs;
    AllocateBufferProc allocateProc;
    LockBufferProc lockProc;
    UnlockBufferProc unlockProc;
    FreeBufferProc freeProc;
    BufferSpaceProc spaceProc;
    BufferSpace64Proc space64Proc;
};

// Resource procedures: version 3, 4 procedures; indices count from 1.
typedef int16_t(PI_CALL* CountPIResourcesProc)(OSType type);
typedef Handle(PI_CALL* GetPIResourceProc)(OSType type, int16_t index);
typedef void(PI_CALL* DeletePIResourceProc)(OSType type, int16_t index);
typedef OSErr(PI_CALL* AddPIResourceProc)(OSType type, Handle data);

constexpr int16_t kCurrentResourceProcsVersion = 3;
constexpr int16_t kCurrentResourceProcsCount = 4;

struct ResourceProcs {
    int16_t resourceProcsVersion;
    int16_t numResourceProcs;
    CountPIResourcesProc countProc;
    GetPIResourceProc getProc;
    DeletePIResourceProc deleteProc;
    AddPIResourceProc addProc;
};

// Property procedures: version 1, 2 procedures.
typedef OSErr(PI_CALL* SetPropertyProc)(OSType signature, OSType key, int32_t index, intptr_t simpleProperty,
                                        Handle complexProperty);

constexpr int16_t kCurrentPropertyProcsVersion = 1;
constexpr int16_t kCurrentPropertyProcsCount = 2;

struct PropertyProcs {
    int16_t propertyProcsVersion;
    int16_t numPropertyProcs;
    GetPropertyProc getPropertyProc;
    SetPropertyProc setPropertyProc;
};

// Image services (version 1, 2 procedures) and channel ports (version 1, 3
// procedures). Their arguments are all pointers and plain values, and the
// caller clears the stack: a host that only answers "not supported" needs
// none of their records.
typedef OSErr(PI_CALL* PIInterpolateProc)(void* source, void* destination, void* area, void* coords,
                                          int16_t method);
typedef OSErr(PI_CALL* ReadPixelsProc)(void* port, void* scaling, const VRect* writeRect, void* destination,
                                       VRect* wroteRect);
typedef OSErr(PI_CALL* WriteBasePixelsProc)(void* port, const VRect* writeRect, void* source);
typedef OSErr(PI_CALL* ReadPortForWritePortProc)(void** readPort, void* writePort);

constexpr int16_t kCurrentImageServicesProcsVersion = 1;
constexpr int16_t kCurrentImageServicesProcsCount = 2;
constexpr int16_t kCurrentChannelPortProcsVersion = 1;
constexpr int16_t kCurrentChannelPortProcsCount = 3;

struct ImageServicesProcs {
    int16_t imageServicesProcsVersion;
    int16_t numImageServicesProcs;
    PIInterpolateProc interpolate1DProc;
    PIInterpolateProc interpolate2DProc;
};

struct ChannelPortProcs {
    int16_t channelPortProcsVersion;
    int16_t numChannelPortProcs;
    ReadPixelsProc readPixelsProc;
    WriteBasePixelsProc writeBasePixelsProc;
    ReadPortForWritePortProc readPortForWritePortProc;
};

// Document properties a host answers ('8BIM' signature).
constexpr OSType propImageMode = FourCC("mode");
constexpr OSType propNumberOfChannels = FourCC("nuch");
constexpr OSType propCaption = FourCC("capt");
constexpr OSType propTitle = FourCC("titl");
constexpr OSType propRulerUnits = FourCC("rulr");
constexpr OSType propInterpolationMethod = FourCC("intp");
constexpr OSType propSerialString = FourCC("sstr");
constexpr OSType propDocumentWidth = FourCC("docW");
constexpr OSType propDocumentHeight = FourCC("docH");


// ---------------------------------------------------------------- records

struct AboutRecord {
    void* platformData;  // -> PlatformData
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    char reserved[244];
};

#pragma pack(push, 4)

struct BigDocumentStruct {
    int32_t PluginUsing32BitCoordinates;  // set by the module to opt in
    VPoint imageSize32;
    VRect filterRect32;
    VRect inRect32;
    VRect outRect32;
    VRect maskRect32;
    VPoint floatCoord32;
    VPoint wholeSize32;
};

struct FilterRecord {
    int32_t serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters;
    PIPoint imageSize;
    int16_t planes;
    PIRect filterRect;
    PIRGBColor background;
    PIRGBColor foreground;
    int32_t maxSpace;
    int32_t bufferSpace;
    PIRect inRect;
    int16_t inLoPlane;
    int16_t inHiPlane;
    PIRect outRect;
    int16_t outLoPlane;
    int16_t outHiPlane;
    void* inData;
    int32_t inRowBytes;
    void* outData;
    int32_t outRowBytes;
    PIBoolean isFloating;
    PIBoolean haveMask;
    PIBoolean autoMask;
    PIRect maskRect;
    void* maskData;
    int32_t maskRowBytes;
    uint8_t backColor[4];
    uint8_t foreColor[4];
    OSType hostSig;
    HostProc hostProc;
    int16_t imageMode;
    Fixed imageHRes;
    Fixed imageVRes;
    PIPoint floatCoord;
    PIPoint wholeSize;
    PlugInMonitor monitor;
    void* platformData;  // -> PlatformData
    BufferProcs* bufferProcs;
    ResourceProcs* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    HandleProcs* handleProcs;
    PIBoolean supportsDummyChannels;
    PIBoolean supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase;
    int16_t dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;
    PIBoolean supportsAbsolute;
    PIBoolean wantsAbsolute;
    GetPropertyProc getPropertyObsolete;
    PIBoolean cannotUndo;
    PIBoolean supportsPadding;
    int16_t inputPadding;
    int16_t outputPadding;
    int16_t maskPadding;
    char samplingSupport;
    char reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices;
    int16_t inLayerPlanes;
    int16_t inTransparencyMask;
    int16_t inLayerMasks;
    int16_t inInvertedLayerMasks;
    int16_t inNonLayerPlanes;
    int16_t outLayerPlanes;
    int16_t outTransparencyMask;
    int16_t outLayerMasks;
    int16_t outInvertedLayerMasks;
    int16_t outNonLayerPlanes;
    int16_t absLayerPlanes;
    int16_t absTransparencyMask;
    int16_t absLayerMasks;
    int16_t absInvertedLayerMasks;
    int16_t absNonLayerPlanes;
    int16_t inPreDummyPlanes;
    int16_t inPostDummyPlanes;
    int16_t outPreDummyPlanes;
    int16_t outPostDummyPlanes;
    int32_t inColumnBytes;
    int32_t inPlaneBytes;
    int32_t outColumnBytes;
    int32_t outPlaneBytes;
    ImageServicesProcs* imageServicesProcs;
    PropertyProcs* propertyProcs;
    int16_t inTileHeight;
    int16_t inTileWidth;
    PIPoint inTileOrigin;
    int16_t absTileHeight;
    int16_t absTileWidth;
    PIPoint absTileOrigin;
    int16_t outTileHeight;
    int16_t outTileWidth;
    PIPoint outTileOrigin;
    int16_t maskTileHeight;
    int16_t maskTileWidth;
    PIPoint maskTileOrigin;
    PIDescriptorParameters* descriptorParameters;
    uint8_t (*errorString)[256];
    ChannelPortProcs* channelPortProcs;
    void* documentInfo;
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    int32_t depth;
    Handle iCCprofileData;
    int32_t iCCprofileSize;
    int32_t canUseICCProfiles;
    int32_t hasImageScrap;
    BigDocumentStruct* bigDocumentData;
    PIDescriptorParameters* input3DScene;
    PIDescriptorParameters* output3DScene;
    PIBoolean createNewLayer;
    Handle iCCWorkingProfileData;
    int32_t iCCWorkingProfileSize;
    int64_t bufferSpace64;
    int64_t maxSpace64;
    char reserved[46];
};

#pragma pack(pop)

// The entry point every filter module exports, undecorated.
typedef void(PI_CALL* PluginEntryProc)(int16_t selector, void* paramBlock, intptr_t* data,
                                       int16_t* result);

// ---------------------------------------------------------------- layout checks

#define PI_CHECK(type, field, off32, off64) \
    static_assert(offsetof(type, field) == (sizeof(void*) == 8 ? (off64) : (off32)), #type "." #field)

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "32- or 64-bit target");
static_assert(sizeof(PIRect) == 8 && sizeof(VRect) == 16 && sizeof(PlugInMonitor) == 40, "primitives");

PI_CHECK(FilterRecord, abortProc, 4, 4);
PI_CHECK(FilterRecord, progressProc, 8, 12);
PI_CHECK(FilterRecord, parameters, 12, 20);
PI_CHECK(FilterRecord, imageSize, 16, 28);
PI_CHECK(FilterRecord, planes, 20, 32);
PI_CHECK(FilterRecord, filterRect, 22, 34);
PI_CHECK(FilterRecord, background, 30, 42);
PI_CHECK(FilterRecord, foreground, 36, 48);
PI_CHECK(FilterRecord, maxSpace, 44, 56);
PI_CHECK(FilterRecord, bufferSpace, 48, 60);
PI_CHECK(FilterRecord, inRect, 52, 64);
PI_CHECK(FilterRecord, inLoPlane, 60, 72);
PI_CHECK(FilterRecord, inHiPlane, 62, 74);
PI_CHECK(FilterRecord, outRect, 64, 76);
PI_CHECK(FilterRecord, outLoPlane, 72, 84);
PI_CHECK(FilterRecord, outHiPlane, 74, 86);
PI_CHECK(FilterRecord, inData, 76, 88);
PI_CHECK(FilterRecord, inRowBytes, 80, 96);
PI_CHECK(FilterRecord, outData, 84, 100);
PI_CHECK(FilterRecord, outRowBytes, 88, 108);
PI_CHECK(FilterRecord, isFloating, 92, 112);
PI_CHECK(FilterRecord, haveMask, 93, 113);
PI_CHECK(FilterRecord, autoMask, 94, 114);
PI_CHECK(FilterRecord, maskRect, 96, 116);
PI_CHECK(FilterRecord, maskData, 104, 124);
PI_CHECK(FilterRecord, maskRowBytes, 108, 132);
PI_CHECK(FilterRecord, backColor, 112, 136);
PI_CHECK(FilterRecord, foreColor, 116, 140);
PI_CHECK(FilterRecord, hostSig, 120, 144);
PI_CHECK(FilterRecord, hostProc, 124, 148);
PI_CHECK(FilterRecord, imageMode, 128, 156);
PI_CHECK(FilterRecord, imageHRes, 132, 160);
PI_CHECK(FilterRecord, imageVRes, 136, 164);
PI_CHECK(FilterRecord, floatCoord, 140, 168);
PI_CHECK(FilterRecord, wholeSize, 144, 172);
PI_CHECK(FilterRecord, monitor, 148, 176);
PI_CHECK(FilterRecord, platformData, 188, 216);
PI_CHECK(FilterRecord, bufferProcs, 192, 224);
PI_CHECK(FilterRecord, resourceProcs, 196, 232);
PI_CHECK(FilterRecord, processEvent, 200, 240);
PI_CHECK(FilterRecord, displayPixels, 204, 248);
PI_CHECK(FilterRecord, handleProcs, 208, 256);
PI_CHECK(FilterRecord, supportsDummyChannels, 212, 264);
PI_CHECK(FilterRecord, wantLayout, 214, 266);
PI_CHECK(FilterRecord, filterCase, 216, 268);
PI_CHECK(FilterRecord, dummyPlaneValue, 218, 270);
PI_CHECK(FilterRecord, premiereHook, 220, 272);
PI_CHECK(FilterRecord, advanceState, 224, 280);
PI_CHECK(FilterRecord, supportsAbsolute, 228, 288);
PI_CHECK(FilterRecord, getPropertyObsolete, 232, 292);
PI_CHECK(FilterRecord, cannotUndo, 236, 300);
PI_CHECK(FilterRecord, supportsPadding, 237, 301);
PI_CHECK(FilterRecord, inputPadding, 238, 302);
PI_CHECK(FilterRecord, outputPadding, 240, 304);
PI_CHECK(FilterRecord, maskPadding, 242, 306);
PI_CHECK(FilterRecord, samplingSupport, 244, 308);
PI_CHECK(FilterRecord, inputRate, 248, 312);
PI_CHECK(FilterRecord, maskRate, 252, 316);
PI_CHECK(FilterRecord, colorServices, 256, 320);
PI_CHECK(FilterRecord, inLayerPlanes, 260, 328);
PI_CHECK(FilterRecord, outPostDummyPlanes, 296, 364);
PI_CHECK(FilterRecord, inColumnBytes, 300, 368);
PI_CHECK(FilterRecord, outPlaneBytes, 312, 380);
PI_CHECK(FilterRecord, imageServicesProcs, 316, 384);
PI_CHECK(FilterRecord, propertyProcs, 320, 392);
PI_CHECK(FilterRecord, inTileHeight, 324, 400);
PI_CHECK(FilterRecord, maskTileOrigin, 352, 428);
PI_CHECK(FilterRecord, descriptorParameters, 356, 432);
PI_CHECK(FilterRecord, errorString, 360, 440);
PI_CHECK(FilterRecord, channelPortProcs, 364, 448);
PI_CHECK(FilterRecord, documentInfo, 368, 456);
PI_CHECK(FilterRecord, sSPBasic, 372, 464);
PI_CHECK(FilterRecord, plugInRef, 376, 472);
PI_CHECK(FilterRecord, depth, 380, 480);
PI_CHECK(FilterRecord, iCCprofileData, 384, 484);
PI_CHECK(FilterRecord, iCCprofileSize, 388, 492);
PI_CHECK(FilterRecord, canUseICCProfiles, 392, 496);
PI_CHECK(FilterRecord, hasImageScrap, 396, 500);
PI_CHECK(FilterRecord, bigDocumentData, 400, 504);
PI_CHECK(FilterRecord, input3DScene, 404, 512);
PI_CHECK(FilterRecord, output3DScene, 408, 520);
PI_CHECK(FilterRecord, createNewLayer, 412, 528);
PI_CHECK(FilterRecord, iCCWorkingProfileData, 416, 532);
PI_CHECK(FilterRecord, iCCWorkingProfileSize, 420, 540);
PI_CHECK(FilterRecord, bufferSpace64, 424, 544);
PI_CHECK(FilterRecord, maxSpace64, 432, 552);
PI_CHECK(FilterRecord, reserved, 440, 560);
static_assert(sizeof(FilterRecord) == (sizeof(void*) == 8 ? 608 : 488), "FilterRecord size");

static_assert(sizeof(BigDocumentStruct) == 92, "BigDocumentStruct size");
PI_CHECK(BigDocumentStruct, imageSize32, 4, 4);
PI_CHECK(BigDocumentStruct, filterRect32, 12, 12);
PI_CHECK(BigDocumentStruct, inRect32, 28, 28);
PI_CHECK(BigDocumentStruct, outRect32, 44, 44);
PI_CHECK(BigDocumentStruct, maskRect32, 60, 60);
PI_CHECK(BigDocumentStruct, floatCoord32, 76, 76);
PI_CHECK(BigDocumentStruct, wholeSize32, 84, 84);

PI_CHECK(AboutRecord, sSPBasic, 4, 8);
PI_CHECK(AboutRecord, plugInRef, 8, 16);
PI_CHECK(AboutRecord, reserved, 12, 24);
static_assert(sizeof(AboutRecord) == (sizeof(void*) == 8 ? 272 : 256), "AboutRecord size");
static_assert(sizeof(PlatformData) == sizeof(void*), "PlatformData size");

PI_CHECK(HandleProcs, newProc, 4, 8);
PI_CHECK(HandleProcs, lockProc, 20, 40);
PI_CHECK(HandleProcs, disposeRegularHandleProc, 32, 64);
static_assert(sizeof(HandleProcs) == (sizeof(void*) == 8 ? 72 : 36), "HandleProcs size");

PI_CHECK(PIDescriptorParameters, playInfo, 2, 2);
PI_CHECK(PIDescriptorParameters, recordInfo, 4, 4);
PI_CHECK(PIDescriptorParameters, descriptor, 8, 8);
PI_CHECK(PIDescriptorParameters, writeDescriptorProcs, 12, 16);
PI_CHECK(PIDescriptorParameters, readDescriptorProcs, 16, 24);
static_assert(sizeof(PIDescriptorParameters) == (sizeof(void*) == 8 ? 32 : 20), "descriptor params");
PI_CHECK(ReadDescriptorProcs, openReadDescriptorProc, 4, 8);
PI_CHECK(ReadDescriptorProcs, getKeyProc, 12, 24);
PI_CHECK(ReadDescriptorProcs, getUnitFloatProc, 24, 48);
PI_CHECK(ReadDescriptorProcs, getBooleanProc, 28, 56);
PI_CHECK(ReadDescriptorProcs, getPinnedUnitFloatProc, 72, 144);
static_assert(sizeof(ReadDescriptorProcs) == (sizeof(void*) == 8 ? 152 : 76), "read procs size");
PI_CHECK(WriteDescriptorProcs, putIntegerProc, 12, 24);
PI_CHECK(WriteDescriptorProcs, putUnitFloatProc, 20, 40);
PI_CHECK(WriteDescriptorProcs, putBooleanProc, 24, 48);
PI_CHECK(WriteDescriptorProcs, putScopedObjectProc, 64, 128);
static_assert(sizeof(WriteDescriptorProcs) == (sizeof(void*) == 8 ? 136 : 68), "write procs size");

static_assert(sizeof(SPBasicSuite) == 7 * sizeof(void*), "SPBasicSuite size");

PI_CHECK(BufferProcs, allocateProc, 4, 8);
PI_CHECK(BufferProcs, spaceProc, 20, 40);
PI_CHECK(BufferProcs, space64Proc, 24, 48);
PI_CHECK(ResourceProcs, countProc, 4, 8);
PI_CHECK(ResourceProcs, addProc, 16, 32);
PI_CHECK(PropertyProcs, getPropertyProc, 4, 8);
PI_CHECK(PropertyProcs, setPropertyProc, 8, 16);
PI_CHECK(ImageServicesProcs, interpolate2DProc, 8, 16);
PI_CHECK(ChannelPortProcs, readPortForWritePortProc, 12, 24);
PI_CHECK(PSColorSpaceSuite1, Convert8, 24, 48);
PI_CHECK(PSColorSpaceSuite1, Convert16, 28, 56);
PI_CHECK(PSColorSpaceSuite1, Convert16to8, 52, 104);

#undef PI_CHECK
