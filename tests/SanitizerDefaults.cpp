// Defaults the sanitizer runtimes read at start, built into the test programs of a sanitizer
// build, so that ctest and a test program run by hand behave the same.

extern "C" {

// Fontconfig keeps its caches until the process ends; those are not ours to free.
const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

const char* __ubsan_default_options() {
  return "print_stacktrace=1";
}
}
