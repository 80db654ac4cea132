// Defaults for the sanitizer runtimes, compiled into every test program and
// into the sanitized game, so they hold however the program is started.
extern "C" {

// Xlib keeps per-process caches (locale, resource database, fonts) it never frees.
const char* __lsan_default_suppressions()
{
    return "leak:libX11.so\nleak:libxcb.so\n";
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

}
