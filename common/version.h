#pragma once

// The program's version, defined once: CMake's project version arrives as KZ_VERSION_MAJOR and
// KZ_VERSION_MINOR (compile definitions for the C++ and the resource sources alike), and the
// texts are made from them here. Plain macros, so the resource compiler can read this file too.
#ifndef KZ_VERSION_MAJOR
#error "KZ_VERSION_MAJOR comes from the build (CMake project version)"
#endif

#define KZ_VERSION_STRINGIZE(x) #x
#define KZ_VERSION_TEXT_OF(major, minor) KZ_VERSION_STRINGIZE(major) "." KZ_VERSION_STRINGIZE(minor)
#define KZ_VERSION_TEXT KZ_VERSION_TEXT_OF(KZ_VERSION_MAJOR, KZ_VERSION_MINOR)
#define KZ_VERSION_COMMAS KZ_VERSION_MAJOR, KZ_VERSION_MINOR, 0, 0
