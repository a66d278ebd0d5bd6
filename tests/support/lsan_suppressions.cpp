// Fontconfig keeps its pattern caches until the process ends and never frees
// them, which LeakSanitizer reports as leaks of every test program that draws
// text. Those are fontconfig's own allocations, not ours.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
