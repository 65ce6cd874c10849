#pragma once

#include <windows.h>

// Owners of GDI objects and device contexts: each released exactly once, never copied.

template <class Handle> class UniqueGdiObject {
  public:
    UniqueGdiObject() = default;
    explicit UniqueGdiObject(Handle handle) : handle_(handle) {}
    ~UniqueGdiObject() { Reset(); }
    UniqueGdiObject(const UniqueGdiObject&) = delete;
    UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
    UniqueGdiObject(UniqueGdiObject&& other) noexcept : handle_(other.handle_) {
        other.handle_ = nullptr;
    }
    UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
        if (this != &other) {
            Reset(other.handle_);
            other.handle_ = nullptr;
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;

// A memory device context compatible with another one (CreateCompatibleDC / DeleteDC).
class MemoryDC {
  public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
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
