/* The C ABI of a payment client plugin: a shared library that nordteller loads with
 * `--control PATH` and calls in place of the built-in simulated payment client.
 *
 * Threading: the program creates an instance, calls it and destroys it on one thread only; an
 * instance need not be thread-safe. Distinct instances must not share unguarded state.
 * Encoding: every string is NUL-terminated UTF-8, in both directions.
 * Memory: a text returned through `response` or `info` belongs to the caller, who releases it
 * with cardbridge_free of the same library. The text of cardbridge_last_error stays owned by the
 * instance.
 * Failures: a non-zero result is a failure code in the HRESULT style (e.g. 0x80004005); the
 * out-parameter is then not read, and cardbridge_last_error describes the failure.
 * No C++ exception may leave any of these functions. */
#ifndef NORDTELLER_CARDBRIDGE_H
#define NORDTELLER_CARDBRIDGE_H

#include <stdint.h>

#if defined(__GNUC__)
#define CARDBRIDGE_EXPORT __attribute__((visibility("default")))
#else
#define CARDBRIDGE_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define CARDBRIDGE_ABI_VERSION 1

typedef struct cardbridge cardbridge;

/* CARDBRIDGE_ABI_VERSION of the header the library was built with. */
CARDBRIDGE_EXPORT int cardbridge_abi_version(void);

/* A new instance, or NULL when none can be created. */
CARDBRIDGE_EXPORT cardbridge* cardbridge_create(void);

/* Releases the instance; cb may be NULL. */
CARDBRIDGE_EXPORT void cardbridge_destroy(cardbridge* cb);

/* Method 1: one TStream request; 0 on success with *response set (NULL = empty). */
CARDBRIDGE_EXPORT int32_t cardbridge_process_transaction(cardbridge* cb, const char* request,
                                                         char** response);

/* Method 2: the pad types information text; same conventions. */
CARDBRIDGE_EXPORT int32_t cardbridge_get_pad_types_info(cardbridge* cb, char** info);

/* Description of the last failure; valid until the next call on cb; may be NULL. */
CARDBRIDGE_EXPORT const char* cardbridge_last_error(cardbridge* cb);

/* Releases a *response or *info text; NULL is allowed. */
CARDBRIDGE_EXPORT void cardbridge_free(char* text);

/* Pointer types of the functions above, for loaders that resolve them by name. */
typedef int (*cardbridge_abi_version_fn)(void);
typedef cardbridge* (*cardbridge_create_fn)(void);
typedef void (*cardbridge_destroy_fn)(cardbridge*);
typedef int32_t (*cardbridge_process_transaction_fn)(cardbridge*, const char*, char**);
typedef int32_t (*cardbridge_get_pad_types_info_fn)(cardbridge*, char**);
typedef const char* (*cardbridge_last_error_fn)(cardbridge*);
typedef void (*cardbridge_free_fn)(char*);

#ifdef __cplusplus
}
#endif

#endif /* NORDTELLER_CARDBRIDGE_H */
