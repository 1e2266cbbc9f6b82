// What ThreadSanitizer cannot judge in libraries built without it. Accesses from our own,
// instrumented code are still checked.
extern "C" const char* __tsan_default_suppressions();

extern "C" const char* __tsan_default_suppressions() {
    // The server library initialises a function-local static on one worker thread and reads it
    // on another: its guard looks like a race.
    return "race:libcpp-httplib.so\n"
           // Pango matches fonts on threads of its own and hands the results back under GLib's
           // futex-based locks: the copies these libraries then make of each other's strings
           // would read as races.
           "called_from_lib:libglib-2.0.so\n"
           "called_from_lib:libpangoft2-1.0.so\n"
           "called_from_lib:libfontconfig.so\n";
}
