// The per-thread mode word and the take-over / restore of the floating-point control words.
#include "common/fpenv.h"
#include "zaf.h"
#include "zaf_core/mode/thread_word.h"

// The control words found when this process first took over floating-point control. Shared by
// all threads: a restore loads whatever pair was saved last.
uint32_t zafOldScalarCW = 0;
uint32_t zafOldVectorCW = 0;

extern "C" {

ZAFORQ_API uint32_t _zafGetMode(void) { return *_GetMode(); }

ZAFORQ_API uint32_t _zafSetMode(uint32_t mode) {
  using namespace zaforq;
  uint32_t* word = _GetMode();
  const uint32_t old = *word;
  uint32_t cur = old;
  if (mode & ZAF_MODE_ACCURACY_MASK) cur = (cur & ~ZAF_MODE_ACCURACY_MASK) | (mode & ZAF_MODE_ACCURACY_MASK);
  if (mode & ZAF_MODE_ERRMODE_MASK) cur = (cur & ~ZAF_MODE_ERRMODE_MASK) | (mode & ZAF_MODE_ERRMODE_MASK);
  const uint32_t fp = mode & ZAF_MODE_FPU_MASK;
  const uint32_t held = old & ZAF_MODE_FPU_MASK;

  if (fp == ZAF_MODE_FPU_RESTORE) {
    // The control field stays as it was, so a later take-over does not save again.
    if (held != 0) {
      if (fnstcw() != static_cast<uint16_t>(zafOldScalarCW)) fldcw(static_cast<uint16_t>(zafOldScalarCW));
      if ((stmxcsr() & 0xFFFFu) != zafOldVectorCW) ldmxcsr(zafOldVectorCW);
    }
  } else if (fp != 0) {
    const uint32_t sel = (cur & ZAF_MODE_ACCURACY_MASK) | fp;
    const uint16_t pc = (sel == 0x11 || sel == 0x12) ? 0x200 : 0x300;
    const uint16_t cw = fnstcw();
    const uint32_t mx = stmxcsr() & 0xFFFFu;
    if (held == 0) {
      zafOldScalarCW = cw;
      zafOldVectorCW = mx;
    }
    // Precision becomes pc and rounding becomes to-nearest in one load; masks stay.
    if ((cw & 0xF00u) != pc) fldcw(static_cast<uint16_t>((cw & 0xF0FFu) | pc));
    if (mx & 0x6000u) ldmxcsr(mx & 0x9FFFu);
    cur = (cur & ~ZAF_MODE_FPU_MASK) | fp;
  }
  *word = cur;
  return old;
}

ZAFORQ_API int32_t dll_cpu_version(void) { return 2; }

}  // extern "C"
