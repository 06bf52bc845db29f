// Pango matches fonts on a thread of its own and hands the result over through GLib's locks,
// which are futex-based and invisible to ThreadSanitizer; the hand-over then reads as a race
// inside Pango and GLib. Nothing of ours is involved. Only ThreadSanitizer builds read this.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libpangoft2-1.0.so\n"
           "race:libglib-2.0.so\n";
}
