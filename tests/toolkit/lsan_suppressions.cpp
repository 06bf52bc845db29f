// Fontconfig keeps parts of its configuration (application fonts, the parsed font list) in
// allocations it never frees and no longer points at; that is the library's design, not a leak
// of ours. Only sanitizer builds read this.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
