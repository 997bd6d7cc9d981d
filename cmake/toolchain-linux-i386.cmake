# i386 Linux programs built on an x86_64 Debian (g++ -m32, package g++-multilib). Where the kernel
# refuses i386 programs they run under qemu's user-mode emulation, which needs no registration
# when named as the emulator: ctest and the test discovery start each program through it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
# LeakSanitizer stops the process's threads through ptrace, which the emulation lacks: with it on,
# every sanitized program hangs at its exit. AddressSanitizer and UBSan work, in the 3 GiB that a
# 32-bit Linux process has: in the emulator's default of nearly 4 GiB, AddressSanitizer's
# allocator was handed address 0 for a new region and stopped. GTEST_BRIEF: failures and totals.
set(CMAKE_CROSSCOMPILING_EMULATOR env ASAN_OPTIONS=detect_leaks=0 QEMU_RESERVED_VA=0xc0000000
    GTEST_BRIEF=1 /usr/bin/qemu-i386-static)
# The host's libraries are x86_64 ones: Google Test is built from Debian's sources instead, and
# the benchmarks (Google Benchmark) are left out.
set(KZ_GTEST_SOURCE /usr/src/googletest)
set(CMAKE_DISABLE_FIND_PACKAGE_benchmark ON)
