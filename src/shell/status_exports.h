/* The module's status exports, for hosts in C as well as C++: link with -lkzdlogsrv, or dlopen
 * libkzdlogsrv.so and look them up by these names (the pointer types are in com.h). */
#ifndef KZDLOGSRV_STATUS_EXPORTS_H
#define KZDLOGSRV_STATUS_EXPORTS_H

#ifdef __cplusplus
extern "C" {
#endif

/* The status word chosen by the options text (a null pointer is the empty text), or -1 without a
 * status block. */
int GetServerStat(const char* options);
/* Stores the value into the chosen word and returns 1; 0 without a status block. */
int SetServerStat(const char* options, int value);

#ifdef __cplusplus
}
#endif

#endif
