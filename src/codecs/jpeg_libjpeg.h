#pragma once
/* The one place libjpeg is called. libjpeg reports fatal errors by calling
   error_exit, which must not return; ours longjmps back into
   vorn_jpeg_decode, which is plain C so that no object with a destructor
   can be alive across the jump. Warnings (a truncated scan, for one) are
   not fatal: libjpeg fills the missing rows and the picture stands. */
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct VornJpegSink {
  void* ctx;
  /* Called once the output size is known. Returns the first output row and
     its stride, or NULL to stop (too large, out of memory). `components` is
     1 (palette indices; `colors` grey levels in `grey`), 3 (B, G, R) or 4
     (C, M, Y, K as libjpeg gives them; `inverted` for Adobe files). */
  uint8_t* (*begin)(void* ctx, unsigned width, unsigned height, int components, int colors,
                    const uint8_t* grey, int inverted, size_t* stride);
  /* Header checks before any output memory: nonzero to refuse. The output
     size, then the picture's full size as the file declares it. */
  int (*check)(void* ctx, unsigned width, unsigned height, unsigned fullWidth, unsigned fullHeight);
  /* With scale_denom 0: picks the denominator (1, 2, 4 or 8) from the
     picture's full size, once the header is read. */
  int (*scale)(void* ctx, unsigned width, unsigned height);
} VornJpegSink;

/* 0 on success; otherwise nonzero and a message in `err` (at least 200 bytes). */
int vorn_jpeg_decode(const uint8_t* data, size_t size, int scale_denom, VornJpegSink* sink,
                     char* err, size_t err_size);

#ifdef __cplusplus
}
#endif
