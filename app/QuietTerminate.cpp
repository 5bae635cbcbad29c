// What happens on std::terminate. libstdc++'s default handler writes the
// uncaught exception's demangled type to standard error, which a windowed
// program does not have, and its demangler is some 45 KB of the program's
// code. Here a terminate ends the process at once, as the MSVC runtime does.
#include <cstdlib>
#include <exception>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif
