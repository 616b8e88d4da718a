// The runtime's default handler for a fatal C++ error prints a demangled type name, which
// brings a whole demangler into the program. The programs throw nothing, so ending at once
// is all it needs.

#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
