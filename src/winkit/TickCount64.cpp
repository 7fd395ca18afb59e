// Windows XP has no GetTickCount64, yet the threads runtime that the compiler links statically
// (under libstdc++'s guarded statics and timed waits) imports it. This object fills the import's
// address slot itself, so the linker never takes the function from kernel32 and every program
// starts on XP. It is linked as an object into each program: a member of an archive would be
// looked at only after the slot had been taken from kernel32.
#include <windows.h>

namespace {

// Milliseconds since the system started, from the performance counter (present since Windows
// 2000); split so that the product cannot overflow.
ULONGLONG WINAPI TickCount64() {
  constexpr LONGLONG kMillisecondsPerSecond = 1000;
  LARGE_INTEGER frequency{};
  LARGE_INTEGER count{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  const LONGLONG seconds = count.QuadPart / frequency.QuadPart;
  const LONGLONG rest = count.QuadPart % frequency.QuadPart;
  return static_cast<ULONGLONG>(seconds * kMillisecondsPerSecond +
                                rest * kMillisecondsPerSecond / frequency.QuadPart);
}

}  // namespace

#if defined(__i386__)
#define ZIBBET_TICKCOUNT64_SLOT "__imp__GetTickCount64@0"
#else
#define ZIBBET_TICKCOUNT64_SLOT "__imp_GetTickCount64"
#endif

extern "C" ULONGLONG(WINAPI* const zibbetTickCount64Slot)() __asm__(ZIBBET_TICKCOUNT64_SLOT) =
    &TickCount64;
