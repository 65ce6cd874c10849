// The library's default terminate handler prints the exception's demangled type name to a
// console a GUI program does not have, and links the whole demangler (about 75 KiB) for it.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
