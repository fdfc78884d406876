/* The serial link library's C interface: three exports, the pointer types the
   program binds them to, and their result codes. */
#ifndef ORVLINK_H
#define ORVLINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Size of the command and answer buffers every caller passes. The command
   buffer needs two spare bytes behind the command: the checksum and a NUL. */
#define ORVLINK_BUFFER_SIZE 126

enum orvlink_result {
    ORVLINK_OK = 0,
    ORVLINK_CTS_NOT_ON = 1,        /* CTS did not come on within the window */
    ORVLINK_CTS_NOT_OFF = 2,       /* handshake: CTS did not go off */
    ORVLINK_NO_TX_EMPTY = 4,       /* a sent byte did not leave the transmitter */
    ORVLINK_CTS_LEFT_ON = 5,       /* after the frame, CTS did not go off */
    ORVLINK_TIMER = 20,            /* no 1 ms clock resolution */
    ORVLINK_NO_PORT = 21,          /* port not opened, or none held */
    ORVLINK_SET_STATE = 22,        /* port state or modem lines could not be set */
    ORVLINK_GET_STATE = 23,        /* port state could not be read */
    ORVLINK_GET_TIMEOUTS = 24,     /* kept for callers; never produced */
    ORVLINK_SET_TIMEOUTS = 25,     /* kept for callers; never produced */
    ORVLINK_BUILD_STATE = 26,      /* kept for callers; never produced */
    ORVLINK_QUEUE_SIZE = 27,       /* kept for callers; never produced */
    ORVLINK_READ = 28,             /* reading the answer bytes failed */
    ORVLINK_WAIT = 29,             /* a line, queue or write call failed */
    ORVLINK_TOO_MANY_EVENTS = 30,  /* more than 100 answer bytes with CTS on */
    ORVLINK_CHECKSUM = 31,         /* the answer's XOR is not 0 */
    ORVLINK_ANSWER_TOO_LONG = 32   /* answer frame longer than the buffer */
};

typedef uint16_t (*orvlink_start_fn)(uint16_t port, uint16_t fast);
typedef uint16_t (*orvlink_rec_fn)(char* command, char* answer);
typedef uint16_t (*orvlink_end_fn)(void);

/* port: 0-based port number (3 and above all use the fourth device);
   fast: non-zero selects 115200 baud, 0 selects 38400 baud. */
uint16_t orvlink_start(uint16_t port, uint16_t fast);
/* Sends the NUL-terminated command with its checksum and receives the answer
   text into a buffer of ORVLINK_BUFFER_SIZE bytes. The first call after a
   start runs the connection handshake. */
uint16_t orvlink_rec(char* command, char* answer);
uint16_t orvlink_end(void);

#ifdef __cplusplus
}
#endif

#endif /* ORVLINK_H */
