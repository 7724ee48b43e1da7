// fontconfig keeps caches for the life of the process that it never frees;
// LeakSanitizer reports them at exit. Only sanitizer builds read this.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
