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
//
// Built only for mingw with GNU libstdc++ linked statically (app/win32.cmake): the names
// below are that library's own, inside std, declared by one of its internal headers.
// It replaces exactly: __gnu_cxx::__verbose_terminate_handler, std::__throw_bad_alloc,
// __throw_bad_array_new_length, __throw_logic_error, __throw_length_error and
// __throw_out_of_range_fmt.
//
// The trap: libstdc++ defines all its __throw_* helpers in one object file. The first
// use of a helper not replaced here (std::stoi's __throw_invalid_argument, bitset's
// __throw_overflow_error ...) pulls that whole object in beside these, and the link
// fails with "multiple definition of `std::__throw_...'". The way out is to replace that
// helper here too, not to drop this file: the test win32_pe_headers holds vop.exe to
// 200 KiB.
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
