// Fontconfig keeps its configuration and font caches for the life of the process and never
// frees them; every program that lays out text would otherwise fail the leak check.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
