// The sanitizers' options in the sanitizer build tree (STALLORA_SANITIZE), linked into every
// executable there. The runtime asks for them at start; the environment's *SAN_OPTIONS still
// override them.

extern "C" {

// Leaks are looked for at exit (the default); the rest makes faults harder to miss.
// (strict_string_checks would flag libxkbcommon's strndup of an unterminated buffer at the
// start of every X11 program.)
const char* __asan_default_options() {
  return "check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1";
}

// The first undefined behaviour ends the program with a stack (the build also says
// -fno-sanitize-recover=undefined).
const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

// Allocations that Qt's libraries and the desktop libraries below them (fontconfig, glib)
// make once and never free are not ours to mend.
const char* __lsan_default_options() { return "print_suppressions=0:suppressions=" STALLORA_LSAN_SUPPRESSIONS; }
}
