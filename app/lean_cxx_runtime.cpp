// vop.exe's own ends for the C++ library's failures, so that the static library's
// exception classes, their strings and its symbol demangler stay out of the program.
//
// vop.exe catches no exception: whatever the C++ library would throw (memory exhausted,
// a string grown past its limit) ends the program, as an uncaught exception does. The
// library's throwing helpers and its verbose terminate handler bring in, for a message
// nobody reads, some 150 KiB: std::logic_error and its kin with their copy-on-write
// strings, a printf engine and the demangler. These replace them with one line on
// stderr and the same abnormal end. The linker takes a definition found in the program
// before it looks in the library, so nothing else changes.
#include <bits/functexcept.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fputs("vop: ", stderr);
    std::fputs(what, stderr);
    std::fputs("\n", stderr);
    std::fflush(stderr);
    std::abort();
}

}  // namespace

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    fail("terminate called");
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() {
    fail("out of memory");
}

void __throw_bad_array_new_length() {
    fail("array too long");
}

void __throw_logic_error(const char* what) {
    fail(what);
}

void __throw_length_error(const char* what) {
    fail(what);
}

void __throw_out_of_range_fmt(const char* format, ...) {
    fail(format);
}

}  // namespace std
