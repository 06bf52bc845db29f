// Fontconfig keeps parts of its configuration (application fonts, the parsed font list) in
// allocations it never frees and no longer points at, and D-Bus (opened by SDL's video start-up)
// keeps a buffer the same way; that is those libraries' design, not a leak of ours. Only
// sanitizer builds read this.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
