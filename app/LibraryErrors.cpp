// The standard library's own errors (an impossible string length, a failed allocation) end the
// process, as an uncaught one would through the terminate handler. Defining every helper of the
// library's one object that raises them keeps that object out, and with it the exception classes
// it builds on a second kind of string: 80 KiB of the updater, with PlatformError on
// std::exception (each alone keeps them in). Should a later library object need a helper left
// out here, the link fails on a duplicate definition, never silently. GCC's library only; with
// another the file is empty.
#if __has_include(<bits/functexcept.h>)
#include <bits/functexcept.h>

#include <cstdlib>

// NOLINTBEGIN(bugprone-reserved-identifier): these are the library's own names.
namespace std {
void __throw_bad_exception() {
    std::abort();
}
void __throw_bad_alloc() {
    std::abort();
}
void __throw_bad_array_new_length() {
    std::abort();
}
void __throw_bad_cast() {
    std::abort();
}
void __throw_bad_typeid() {
    std::abort();
}
void __throw_logic_error(const char*) {
    std::abort();
}
void __throw_domain_error(const char*) {
    std::abort();
}
void __throw_invalid_argument(const char*) {
    std::abort();
}
void __throw_length_error(const char*) {
    std::abort();
}
void __throw_out_of_range(const char*) {
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
void __throw_runtime_error(const char*) {
    std::abort();
}
void __throw_range_error(const char*) {
    std::abort();
}
void __throw_overflow_error(const char*) {
    std::abort();
}
void __throw_underflow_error(const char*) {
    std::abort();
}
} // namespace std
// NOLINTEND(bugprone-reserved-identifier)
#endif
