#pragma once

#include <windows.h>

#include "common/UniqueResource.h"

// Owners of GDI objects and device contexts: each released exactly once, never copied.

template <class Object> struct GdiObjectTraits : NullMeansEmpty<Object> {
    static void Free(Object object) { DeleteObject(object); }
};

using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;

struct MemoryDCTraits : NullMeansEmpty<HDC> {
    static void Free(HDC dc) { DeleteDC(dc); }
};

// A memory device context compatible with another one (CreateCompatibleDC / DeleteDC).
class MemoryDC : public UniqueResource<MemoryDCTraits> {
  public:
    explicit MemoryDC(HDC compatibleWith)
        : UniqueResource<MemoryDCTraits>(CreateCompatibleDC(compatibleWith)) {}
};

// A window's or the screen's device context (GetDC / ReleaseDC).
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// One WM_PAINT: BeginPaint / EndPaint.
class PaintSession {
  public:
    explicit PaintSession(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    ~PaintSession() { EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    HDC Get() const { return paint_.hdc; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// Selects an object into a DC and puts the previous one back.
class ObjectSelection {
  public:
    ObjectSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ObjectSelection() { SelectObject(dc_, previous_); }
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves the whole DC state (origin, clipping, colours) and restores it.
class SavedDCState {
  public:
    explicit SavedDCState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDCState() { RestoreDC(dc_, saved_); }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

  private:
    HDC dc_;
    int saved_;
};

// Fills a rectangle with one colour.
inline void FillSolid(HDC dc, const RECT& area, COLORREF color) {
    UniqueBrush brush(CreateSolidBrush(color));
    FillRect(dc, &area, brush.Get());
}
