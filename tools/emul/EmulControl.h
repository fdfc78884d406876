/* The test simulation library's extra exports: they configure libemul.so and
   read what it saw. A test looks them up in its own handle of the library,
   which keeps the library's state while the program loads and unloads it. */
#ifndef EMUL_CONTROL_H
#define EMUL_CONTROL_H

#ifdef __cplusplus
extern "C" {
#endif

/* Back to the defaults: emulInit answers 1, emulRun sleeps 10 ms and never
   answers 0, nothing is held; counters and records are cleared. */
void emulTestReset(void);
void emulTestSetInitResult(int result);
void emulTestSetRunSleepMs(int ms);
/* emulRun answers 0 once it has run this many times; below 0: never. */
void emulTestSetRunLimit(int runs);
/* While held, emulRun waits before it answers, until released. */
void emulTestHold(void);
void emulTestRelease(void);
/* Whether an emulRun is waiting in the hold. */
int emulTestHeld(void);

int emulTestInitCount(void);
int emulTestRunCount(void);
int emulTestExitCount(void);
/* What emulInit found: the port byte at 9466 and the four bytes at 304
   (high byte first); -1 before emulInit. */
int emulTestPortByte(void);
long emulTestWindowBytes(void);

typedef void (*emulTestVoid_fn)(void);
typedef void (*emulTestSet_fn)(int);
typedef int (*emulTestGet_fn)(void);
typedef long (*emulTestGetLong_fn)(void);

#ifdef __cplusplus
}
#endif

#endif
