#pragma once

#include <utility>

// Owns one system resource: released exactly once, never copied, moved with its ownership.
// Traits name the handle type, the value that holds nothing, what counts as a live handle and
// how it is released, so kernel handles, GDI objects and device contexts share one owner.
template <class Traits> class UniqueResource {
  public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    bool Valid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return Valid(); }
    Handle Get() const { return handle_; }
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }
    void Reset(Handle handle = Traits::Empty()) {
        if (Valid()) {
            Traits::Free(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::Empty();
};

// Traits for the common case, a handle that holds nothing when null; the derived traits add Free.
template <class HandleType> struct NullMeansEmpty {
    using Handle = HandleType;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
};
