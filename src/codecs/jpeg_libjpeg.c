/* libjpeg with the picture settings: scale 1/denom (1 for pictures),
   block smoothing on, libjpeg's own defaults otherwise (the accurate integer
   DCT among them); grey pictures are quantised to 236 levels. */
#include "codecs/jpeg_libjpeg.h"

#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include <jpeglib.h>

#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo's BGR output (JCS_EXT_BGR) is needed"
#endif

struct vorn_jpeg_error {
  struct jpeg_error_mgr mgr;
  jmp_buf jump;
};

static void vorn_jpeg_error_exit(j_common_ptr cinfo) {
  struct vorn_jpeg_error* e = (struct vorn_jpeg_error*)cinfo->err;
  longjmp(e->jump, 1);
}

/* libjpeg's default prints warnings to stderr; a picture shows nothing. */
static void vorn_jpeg_output_message(j_common_ptr cinfo) { (void)cinfo; }

static void set_error(char* err, size_t err_size, const char* text) {
  if (err_size == 0) return;
  strncpy(err, text, err_size - 1);
  err[err_size - 1] = 0;
}

int vorn_jpeg_decode(const uint8_t* data, size_t size, int scale_denom, VornJpegSink* sink,
                     char* err, size_t err_size) {
  struct jpeg_decompress_struct cinfo;
  struct vorn_jpeg_error jerr;
  /* After a jump only cinfo and jerr are used; both are set up before the
     setjmp and not changed by this function afterwards. */
  memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&jerr.mgr);
  jerr.mgr.error_exit = vorn_jpeg_error_exit;
  jerr.mgr.output_message = vorn_jpeg_output_message;
  if (setjmp(jerr.jump)) {
    char text[JMSG_LENGTH_MAX];
    jerr.mgr.format_message((j_common_ptr)&cinfo, text);
    set_error(err, err_size, text);
    jpeg_destroy_decompress(&cinfo);
    return 1;
  }
  jpeg_create_decompress(&cinfo);
  if (size == 0 || size > (size_t)(unsigned long)-1) {
    set_error(err, err_size, "JPEG file is empty");
    jpeg_destroy_decompress(&cinfo);
    return 1;
  }
  jpeg_mem_src(&cinfo, (unsigned char*)data, (unsigned long)size);
  jpeg_read_header(&cinfo, TRUE);

  if (scale_denom == 0)
    scale_denom = sink->scale ? sink->scale(sink->ctx, cinfo.image_width, cinfo.image_height) : 1;
  cinfo.scale_num = 1;
  cinfo.scale_denom = (unsigned)scale_denom;
  cinfo.do_block_smoothing = TRUE;
  cinfo.dct_method = JDCT_ISLOW;
  if (cinfo.out_color_space == JCS_GRAYSCALE) {
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = 236;
  } else if (cinfo.out_color_space == JCS_CMYK || cinfo.out_color_space == JCS_YCCK) {
    cinfo.out_color_space = JCS_CMYK;
  } else {
    cinfo.out_color_space = JCS_EXT_BGR; /* straight into the bitmap's rows */
  }
  jpeg_calc_output_dimensions(&cinfo);
  if (sink->check(sink->ctx, cinfo.output_width, cinfo.output_height, cinfo.image_width,
                  cinfo.image_height) != 0) {
    set_error(err, err_size, "");
    jpeg_destroy_decompress(&cinfo);
    return 2;
  }
  jpeg_start_decompress(&cinfo);
  {
    size_t stride = 0;
    int comps = cinfo.out_color_space == JCS_CMYK ? 4 : cinfo.quantize_colors ? 1 : 3;
    const uint8_t* grey = comps == 1 ? cinfo.colormap[0] : NULL;
    int inverted = cinfo.saw_Adobe_marker;
    uint8_t* out = sink->begin(sink->ctx, cinfo.output_width, cinfo.output_height, comps,
                               comps == 1 ? cinfo.actual_number_of_colors : 0, grey, inverted,
                               &stride);
    if (out == NULL) {
      set_error(err, err_size, "");
      jpeg_destroy_decompress(&cinfo);
      return 2;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = out + stride * cinfo.output_scanline;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return 0;
}
