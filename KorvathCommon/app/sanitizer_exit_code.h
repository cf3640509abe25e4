#pragma once
// Included once per executable, by the file holding main(). In sanitized builds a sanitizer report ends
// the process with exit code 86, whatever the environment's options say, so it can never pass for the
// program's own failure code 1 (UndefinedBehaviorSanitizer would otherwise exit with 1).

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() {
    return "exitcode=86";
}
extern "C" const char* __ubsan_default_options() {
    return "exitcode=86";
}
#endif
