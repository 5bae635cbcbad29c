// What happens on std::terminate: wWinMain sets std::abort as the handler, so
// a terminate ends the process at once, as the MSVC runtime does. libstdc++'s
// own default handler is never called then, but it stays linked and brings the
// demangler (some 70 KB of the program with what it uses) to write the
// uncaught exception's type to standard error, which a windowed program does
// not have. Nothing in the program demangles a name, so the demangler here
// answers as the ABI lets it for a name it cannot read.
#include <cstddef>

#if defined(__GLIBCXX__)
namespace __cxxabiv1 {
extern "C" char* __cxa_demangle(const char*, char*, std::size_t*, int* status) {
    if (status) *status = -2;  // not a valid mangled name
    return nullptr;
}
}  // namespace __cxxabiv1
#endif
