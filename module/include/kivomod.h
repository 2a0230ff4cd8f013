#pragma once
// The scoring module's one export.
//
// Kivo scores the race XML file at `path` (UTF-8 bytes, passed through as
// they are) and writes the results into the same file. It returns "OK", or
// the failure's class name and message joined by ": "; a failure leaves the
// file as it was. The text belongs to the module and stays valid until the
// next call. Calls must not overlap.

#if defined(__GNUC__)
#define KIVOMOD_EXPORT __attribute__((visibility("default")))
#else
#define KIVOMOD_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

KIVOMOD_EXPORT const char* Kivo(const char* path);

#ifdef __cplusplus
}
#endif
