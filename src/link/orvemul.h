/* The simulation library's C interface: its three entry points, the pointer
   types the program looks them up as, and the layout of the block the program
   shares with it. */
#ifndef ORVEMUL_H
#define ORVEMUL_H

#ifdef __cplusplus
extern "C" {
#endif

/* The block handed to emulInit: one array of this many bytes, never moved
   while the library runs. */
#define ORVEMUL_BLOCK_SIZE 32768

/* Byte offsets of the fields the program touches; every other byte belongs
   to the library. Words are stored high byte first. */
#define ORVEMUL_OFF_WINDOW 304   /* 4 bytes, written as zeros */
#define ORVEMUL_OFF_RUN 9440     /* word, 1000 after a successful emulInit */
#define ORVEMUL_OFF_PORT 9466    /* byte, the simulation's 1-based port; 0 for the ARC interface */
#define ORVEMUL_OFF_STATE 12992  /* word, 0 after a successful emulInit */
#define ORVEMUL_OFF_WORDS 13222  /* the PLC data words, word n at 13222 + 2n */

/* The highest data word that fits the block. */
#define ORVEMUL_LAST_WORD ((ORVEMUL_BLOCK_SIZE - ORVEMUL_OFF_WORDS) / 2 - 1)

/* The value written at ORVEMUL_OFF_RUN once emulInit has succeeded. */
#define ORVEMUL_RUN_VALUE 1000

typedef int (*emulInit_fn)(unsigned char* block);
typedef int (*emulRun_fn)(void);
typedef int (*emulExit_fn)(void);

/* Non-zero when the library took the block. */
int emulInit(unsigned char* block);
/* Non-zero while the simulation goes on; called again at once. */
int emulRun(void);
/* Called once after the last emulRun, also when emulInit failed; the result
   is not used. */
int emulExit(void);

#ifdef __cplusplus
}
#endif

#endif
