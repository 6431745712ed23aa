#include "ui/controls/image_list.h"

#include <utility>

#include "base/runtime_api.h"
#include "ui/controls/library_users.h"

namespace tellaro {

namespace {

runtime_api::ImageListApi g_api;

class CommonControlsLoader : public LibraryLoader {
public:
    bool Load() override { return runtime_api::LoadImageListApi(g_api); }
    void Unload() override { runtime_api::FreeImageListApi(g_api); }
};

CommonControlsLoader g_loader;
LibraryUsers g_users(g_loader);
ModuleVersion g_imageListVersion;

int Succeeded(BOOL ok) {
    return ok ? 0 : -1;
}

// Icon `id`'s colour and mask bitmaps copied into the strips at `x`, as
// adding the icon to a list copies them.
bool CopyIconInto(HINSTANCE instance, int id, int cx, int cy, HDC strip, HBITMAP colour,
                  HBITMAP mask, int x) {
    HICON icon =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, cx, cy, 0));
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        if (icon != nullptr) DestroyIcon(icon);
        return false;
    }
    DestroyIcon(icon);
    // A monochrome icon keeps both halves in its mask: one by one, then.
    bool copied = info.hbmColor != nullptr;
    HDC part = CreateCompatibleDC(strip);
    copied = copied && part != nullptr;
    for (const auto& [from, to] :
         {std::pair{info.hbmColor, colour}, std::pair{info.hbmMask, mask}}) {
        if (!copied) break;
        const HGDIOBJ oldPart = SelectObject(part, from);
        const HGDIOBJ oldStrip = SelectObject(strip, to);
        copied = BitBlt(strip, x, 0, cx, cy, part, 0, 0, SRCCOPY) != FALSE;
        SelectObject(strip, oldStrip);
        SelectObject(part, oldPart);
    }
    if (part != nullptr) DeleteDC(part);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return copied;
}

}  // namespace

ImageList::ImageList() {
    if (g_imageListVersion.major == 0) ProbeLibraryVersion();
    g_users.Acquire();
    // Dialogs with tree-view, hot-key or up-down controls need the classes
    // registered before they are created.
    if (g_api.InitCommonControls != nullptr) g_api.InitCommonControls();
}

ImageList::~ImageList() {
    DestroyList();
    g_users.Release();
}

int ImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (handle_ != nullptr || g_api.ImageList_Create == nullptr) return -1;
    handle_ = g_api.ImageList_Create(cx, cy, flags, initial, grow);
    return handle_ != nullptr ? 0 : -1;
}

int ImageList::AddIcon(HICON icon) {
    if (handle_ == nullptr || g_api.ImageList_ReplaceIcon == nullptr) return -1;
    return g_api.ImageList_ReplaceIcon(handle_, -1, icon);
}

int ImageList::ReplaceIcon(int index, HICON icon) {
    if (handle_ == nullptr || index < 0 || g_api.ImageList_ReplaceIcon == nullptr) return -1;
    return g_api.ImageList_ReplaceIcon(handle_, index, icon) == index ? 0 : -1;
}

int ImageList::CopyImage(int index, int source) {
    if (handle_ == nullptr || g_api.ImageList_Copy == nullptr) return -1;
    return Succeeded(g_api.ImageList_Copy(handle_, index, handle_, source, ILCF_MOVE));
}

int ImageList::AddIconResources(HINSTANCE instance, const int* ids, int count, int cx, int cy) {
    if (handle_ == nullptr || count <= 0 || g_api.ImageList_Add == nullptr) return -1;
    HDC screen = GetDC(nullptr);
    HDC strip = CreateCompatibleDC(screen);
    HBITMAP colour = CreateCompatibleBitmap(screen, cx * count, cy);
    HBITMAP mask = CreateBitmap(cx * count, cy, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);
    bool copied = strip != nullptr && colour != nullptr && mask != nullptr;
    for (int k = 0; copied && k < count; ++k)
        copied = CopyIconInto(instance, ids[k], cx, cy, strip, colour, mask, k * cx);
    if (strip != nullptr) DeleteDC(strip);
    const int first = copied ? g_api.ImageList_Add(handle_, colour, mask) : -1;
    if (colour != nullptr) DeleteObject(colour);
    if (mask != nullptr) DeleteObject(mask);
    if (first >= 0 || copied) return first;
    // Without the strip, one by one; only a complete set counts.
    const int before = GetImageCount();
    for (int k = 0; k < count; ++k)
        if (AddIconResource(instance, ids[k], cx, cy) < 0) {
            SetImageCount(static_cast<UINT>(before));
            return -1;
        }
    return before;
}

int ImageList::AddIconResource(HINSTANCE instance, int id, int cx, int cy) {
    HICON icon =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, cx, cy, 0));
    if (icon == nullptr) return -1;
    const int index = AddIcon(icon);
    // The list keeps its own copy of the icon's bitmaps.
    DestroyIcon(icon);
    return index;
}

int ImageList::Add(HBITMAP image, HBITMAP mask) {
    if (handle_ == nullptr || g_api.ImageList_Add == nullptr) return -1;
    return g_api.ImageList_Add(handle_, image, mask);
}

int ImageList::AddMasked(HBITMAP image, COLORREF maskColour) {
    if (handle_ == nullptr || g_api.ImageList_AddMasked == nullptr) return -1;
    return g_api.ImageList_AddMasked(handle_, image, maskColour);
}

COLORREF ImageList::SetBkColor(COLORREF colour) {
    if (handle_ == nullptr || g_api.ImageList_SetBkColor == nullptr) return CLR_NONE;
    return g_api.ImageList_SetBkColor(handle_, colour);
}

int ImageList::SetDragCursorImage(int index, int dx, int dy) {
    if (handle_ == nullptr || g_api.ImageList_SetDragCursorImage == nullptr) return -1;
    return Succeeded(g_api.ImageList_SetDragCursorImage(handle_, index, dx, dy));
}

int ImageList::SetIconSize(int cx, int cy) {
    if (handle_ == nullptr || g_api.ImageList_SetIconSize == nullptr) return -1;
    return Succeeded(g_api.ImageList_SetIconSize(handle_, cx, cy));
}

int ImageList::SetImageCount(UINT count) {
    if (handle_ == nullptr || g_api.ImageList_SetImageCount == nullptr) return -1;
    return Succeeded(g_api.ImageList_SetImageCount(handle_, count));
}

int ImageList::SetOverlayImage(int image, int overlay) {
    if (handle_ == nullptr || g_api.ImageList_SetOverlayImage == nullptr) return -1;
    return Succeeded(g_api.ImageList_SetOverlayImage(handle_, image, overlay));
}

int ImageList::AttachHandle(HIMAGELIST list) {
    IMAGEINFO info = {};
    if (handle_ != nullptr || list == nullptr || g_api.ImageList_GetImageInfo == nullptr ||
        !g_api.ImageList_GetImageInfo(list, 0, &info))
        return -1;
    handle_ = list;
    return 0;
}

DWORD ImageList::GetLibraryMajor() const {
    return g_imageListVersion.major;
}
DWORD ImageList::GetLibraryMinor() const {
    return g_imageListVersion.minor;
}
DWORD ImageList::GetLibraryBuild() const {
    return g_imageListVersion.build;
}
DWORD ImageList::GetLibraryPlatform() const {
    return g_imageListVersion.platform;
}

COLORREF ImageList::GetBkColor() const {
    if (handle_ == nullptr || g_api.ImageList_GetBkColor == nullptr) return CLR_NONE;
    return g_api.ImageList_GetBkColor(handle_);
}

int ImageList::GetImageCount() const {
    if (handle_ == nullptr || g_api.ImageList_GetImageCount == nullptr) return -1;
    return g_api.ImageList_GetImageCount(handle_);
}

int ImageList::GetImageInfo(int index, IMAGEINFO* info) const {
    if (handle_ == nullptr || g_api.ImageList_GetImageInfo == nullptr) return -1;
    return Succeeded(g_api.ImageList_GetImageInfo(handle_, index, info));
}

int ImageList::GetIconSize(int* cx, int* cy) const {
    if (handle_ == nullptr || g_api.ImageList_GetIconSize == nullptr) return -1;
    return Succeeded(g_api.ImageList_GetIconSize(handle_, cx, cy));
}

int ImageList::BeginDrag(int index, int dx, int dy) {
    if (handle_ == nullptr || g_api.ImageList_BeginDrag == nullptr) return -1;
    return Succeeded(g_api.ImageList_BeginDrag(handle_, index, dx, dy));
}

int ImageList::DragEnter(HWND lockWindow, int x, int y) {
    if (g_api.ImageList_DragEnter == nullptr) return -1;
    return Succeeded(g_api.ImageList_DragEnter(lockWindow, x, y));
}

int ImageList::DragLeave(HWND lockWindow) {
    if (g_api.ImageList_DragLeave == nullptr) return -1;
    return Succeeded(g_api.ImageList_DragLeave(lockWindow));
}

int ImageList::DragMove(int x, int y) {
    if (g_api.ImageList_DragMove == nullptr) return -1;
    return Succeeded(g_api.ImageList_DragMove(x, y));
}

int ImageList::DragShowNolock(BOOL show) {
    if (g_api.ImageList_DragShowNolock == nullptr) return -1;
    return Succeeded(g_api.ImageList_DragShowNolock(show));
}

int ImageList::EndDrag() {
    if (g_api.ImageList_EndDrag == nullptr) return -1;
    g_api.ImageList_EndDrag();
    return 0;
}

int ImageList::Remove(int index) {
    if (handle_ == nullptr || g_api.ImageList_Remove == nullptr) return -1;
    return Succeeded(g_api.ImageList_Remove(handle_, index));
}

int ImageList::Replace(int index, HBITMAP image, HBITMAP mask) {
    if (handle_ == nullptr || g_api.ImageList_Replace == nullptr) return -1;
    return Succeeded(g_api.ImageList_Replace(handle_, index, image, mask));
}

int ImageList::DestroyList() {
    if (handle_ == nullptr) return 0;
    if (g_api.ImageList_Destroy == nullptr) return -1;
    g_api.ImageList_Destroy(handle_);
    handle_ = nullptr;
    return 0;
}

HICON ImageList::GetIcon(int index, UINT flags) const {
    if (handle_ == nullptr || g_api.ImageList_GetIcon == nullptr) return nullptr;
    return g_api.ImageList_GetIcon(handle_, index, flags);
}

int ImageList::DestroyUnheld(HIMAGELIST list) {
    if (list == nullptr) return 0;
    if (g_api.ImageList_Destroy == nullptr) return -1;
    g_api.ImageList_Destroy(list);
    return 0;
}

int ImageList::ProbeLibraryVersion() {
    g_imageListVersion = runtime_api::ProbeDllVersion("comctl32.dll", 4);
    return 0;
}

}  // namespace tellaro
