// An image list over the common controls library loaded at run time: the
// library is loaded with the first live ImageList and freed with the last.
// Every operation fails (-1, a null handle or CLR_NONE) when the list has
// no handle or the library lacks the entry point; otherwise each says what
// its result means.
#pragma once

#include <windows.h>
// The common controls' declarations build on windows.h.
#include <commctrl.h>

#include "base/base_object.h"

namespace tellaro {

class ImageList : public BaseObject {
public:
    ImageList();
    // Destroys the list it holds.
    ~ImageList() override;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // A new empty list of cx x cy images (ILC_ flags): 0 / -1; -1 when the
    // object holds a list already.
    virtual int Create(int cx, int cy, UINT flags, int initial, int grow);
    // Appends an icon (or cursor): the new image's index, or -1.
    virtual int AddIcon(HICON icon);
    // Puts a copy of `icon` in place of image `index`: 0 / -1.
    virtual int ReplaceIcon(int index, HICON icon);
    // Image `source` copied over image `index` of the same list: 0 / -1.
    virtual int CopyImage(int index, int source);
    // Appends icon resource `id` of `instance` loaded at cx x cy: the new
    // image's index, or -1 (also when the icon does not load).
    virtual int AddIconResource(HINSTANCE instance, int id, int cx, int cy);
    // Appends icon resources `ids` of `instance`, each loaded at cx x cy,
    // as one strip: each icon added on its own goes through the list's
    // colour depth by itself, many times slower. The index of the first new
    // image, or -1 with nothing added.
    virtual int AddIconResources(HINSTANCE instance, const int* ids, int count, int cx, int cy);
    // Append a bitmap with a mask bitmap, or with a mask colour: the index
    // of the first new image, or -1.
    virtual int Add(HBITMAP image, HBITMAP mask);
    virtual int AddMasked(HBITMAP image, COLORREF maskColour);
    // The previous background colour.
    virtual COLORREF SetBkColor(COLORREF colour);
    // Merges image `index` of this list into the drag image as its cursor,
    // with its hot spot at (dx, dy) of that image: 0 / -1.
    virtual int SetDragCursorImage(int index, int dx, int dy);
    // 0 / -1 each.
    virtual int SetIconSize(int cx, int cy);
    virtual int SetImageCount(UINT count);
    virtual int SetOverlayImage(int image, int overlay);
    // Takes over (and will destroy) an existing list, such as a tree view's
    // drag image: 0 / -1; -1 when the object holds a list already or the
    // handle is not a list with an image.
    virtual int AttachHandle(HIMAGELIST list);
    // The library's version, probed once per process.
    virtual DWORD GetLibraryMajor() const;
    virtual DWORD GetLibraryMinor() const;
    virtual DWORD GetLibraryBuild() const;
    virtual DWORD GetLibraryPlatform() const;
    virtual COLORREF GetBkColor() const;
    // The number of images, or -1.
    virtual int GetImageCount() const;
    // 0 / -1 each.
    virtual int GetImageInfo(int index, IMAGEINFO* info) const;
    virtual int GetIconSize(int* cx, int* cy) const;
    virtual HIMAGELIST GetHandle() const { return handle_; }
    // Starts dragging image `index` with its hot spot at (dx, dy): 0 / -1.
    virtual int BeginDrag(int index, int dx, int dy);
    // The drag image belongs to the thread, not to one list: these work
    // on whatever drag BeginDrag started. 0 / -1 each.
    virtual int DragEnter(HWND lockWindow, int x, int y);
    virtual int DragLeave(HWND lockWindow);
    virtual int DragMove(int x, int y);
    virtual int DragShowNolock(BOOL show);
    virtual int EndDrag();
    // 0 / -1 each; index -1 removes every image.
    virtual int Remove(int index);
    virtual int RemoveAll() { return Remove(-1); }
    virtual int Replace(int index, HBITMAP image, HBITMAP mask);
    // Destroys the list and forgets it: 0, also when there is none; -1
    // when the library cannot destroy it.
    virtual int DestroyList();
    virtual int ProbeLibraryVersion();
    // ImageList_GetIcon: the icon of image `index`, which the caller
    // destroys; null on failure.
    virtual HICON GetIcon(int index, UINT flags) const;
    // Destroys a list no wrapper holds, such as one a control made: 0, also
    // for none; -1 when the library cannot destroy it.
    static int DestroyUnheld(HIMAGELIST list);

private:
    HIMAGELIST handle_ = nullptr;
};

}  // namespace tellaro
