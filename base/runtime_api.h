// Every entry point the program looks up at run time, with its type, in one
// place. The common controls library is loaded by name because its version
// differs between systems; shell32's DllGetVersion may be absent on old ones;
// SetDefaultDllDirectories came with Windows 8 and an update of Vista and 7;
// the common dialogs are loaded only when a file dialog is first opened.
#pragma once

#include <windows.h>
// The common controls' declarations build on windows.h.
#include <commctrl.h>
#include <commdlg.h>

// commctrl.h declares ImageList_Read and ImageList_Write only when IStream
// was declared before it; their pointer types are spelled out below.
struct IStream;

namespace tellaro {

struct ModuleVersion {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    DWORD platform = 0;
};

namespace runtime_api {

// DLLVERSIONINFO as DllGetVersion fills it (five DWORDs, cbSize 20).
struct DllVersionInfo {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};
using DllGetVersionFn = HRESULT(CALLBACK*)(DllVersionInfo*);
using InitCommonControlsFn = void(WINAPI*)();
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
// GetSaveFileNameW and GetOpenFileNameW, from comdlg32 when first needed.
using FileDialogFn = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The program's folder may be a Downloads folder holding a DLL named like a
// system one, which Windows would load from there for any library that the
// program or a system library loads by name. Called first in WinMain: limits
// every later load by name to System32 (where SetDefaultDllDirectories
// exists), else takes the current directory out of the search and leaves
// the program's own loads to LoadSystemLibrary's full paths.
void RestrictLibrarySearch();

// Loads a system library by file name from System32, never from the
// program's folder or the current directory. A library that the program's
// manifest redirects (the common controls, version 6) comes from there.
HMODULE LoadSystemLibrary(const char* name);
// LoadSystemLibrary where the search flags are missing: the full System32
// path, or the name alone when the manifest redirects it.
HMODULE LoadSystemLibraryByPath(const char* name);

// Loads the system library, calls its DllGetVersion and frees it again. A
// missing library gives 0.0; a library without the export gives
// `fallbackMajor`.0.
ModuleVersion ProbeDllVersion(const char* library, DWORD fallbackMajor);

// Registers the common control classes (tree view, hot key, up-down) so that
// dialog templates using them can be created. Returns false when comctl32 or
// its InitCommonControls cannot be found.
bool InitCommonControlsOnce();

using ImageListReadFn = HIMAGELIST(WINAPI*)(IStream* stream);
using ImageListWriteFn = BOOL(WINAPI*)(HIMAGELIST list, IStream* stream);

// The common controls' entry points that image lists use, looked up by name
// in this order. X entries take their type from commctrl.h's declaration,
// T entries name it; nothing is linked against comctl32.
// clang-format off
#define TELLARO_IMAGE_LIST_ENTRY_POINTS(X, T)                                                     \
    X(InitCommonControls) X(ImageList_Create) X(ImageList_Destroy) X(ImageList_GetImageCount)     \
    X(ImageList_SetImageCount) X(ImageList_Add) X(ImageList_ReplaceIcon) X(ImageList_SetBkColor)  \
    X(ImageList_GetBkColor) X(ImageList_SetOverlayImage) X(ImageList_Draw) X(ImageList_Replace)   \
    X(ImageList_AddMasked) X(ImageList_DrawEx) X(ImageList_DrawIndirect) X(ImageList_Remove)      \
    X(ImageList_GetIcon) X(ImageList_LoadImageA) X(ImageList_Copy) X(ImageList_BeginDrag)         \
    X(ImageList_EndDrag) X(ImageList_DragEnter) X(ImageList_DragLeave) X(ImageList_DragMove)      \
    X(ImageList_SetDragCursorImage) X(ImageList_DragShowNolock) X(ImageList_GetDragImage)         \
    T(ImageList_Read, ImageListReadFn) T(ImageList_Write, ImageListWriteFn)                       \
    X(ImageList_GetIconSize) X(ImageList_SetIconSize) X(ImageList_GetImageInfo)                   \
    X(ImageList_Merge) X(ImageList_Duplicate)
// clang-format on

// The library handle and one pointer per entry point; a pointer the library
// does not export stays null.
struct ImageListApi {
    HMODULE module = nullptr;
#define TELLARO_API_POINTER(name) decltype(&::name) name = nullptr;
#define TELLARO_API_TYPED_POINTER(name, type) type name = nullptr;
    TELLARO_IMAGE_LIST_ENTRY_POINTS(TELLARO_API_POINTER, TELLARO_API_TYPED_POINTER)
#undef TELLARO_API_POINTER
#undef TELLARO_API_TYPED_POINTER
};

// Loads comctl32 and fills `api`; false (and an empty table) when the
// library cannot be loaded.
bool LoadImageListApi(ImageListApi& api);
// Frees the library and clears every pointer.
void FreeImageListApi(ImageListApi& api);

}  // namespace runtime_api
}  // namespace tellaro
