# The libraries that read the book's pictures, compiled from the source of the very versions
# installed (Debian's source packages, patches applied, fetched by scripts/fuzz) with the
# fuzzer's instrumentation: their decoders then report the paths they take and the sanitizers
# see inside them. Each is used only when its source is given; otherwise the fuzz build links
# the system's library, whose decoders the fuzzer then drives blind.
set(CB_FUZZ_SDL_IMAGE_SOURCE "" CACHE PATH "SDL_image's source tree for the fuzz build")
set(CB_FUZZ_GIFLIB_SOURCE "" CACHE PATH "giflib's source tree for the fuzz build")

# Sanitizer findings in this code that are known and harmless, with the reasons.
set(ignore -fsanitize-ignorelist=${CMAKE_CURRENT_LIST_DIR}/third_party_ignore.txt)

# SDL_image with the formats Debian enables, so that a file meets the same decoder here as in
# the installed program.
if(CB_FUZZ_SDL_IMAGE_SOURCE)
  set(dir ${CB_FUZZ_SDL_IMAGE_SOURCE})
  if(NOT EXISTS ${dir}/IMG.c)
    message(FATAL_ERROR "${dir} holds no SDL_image source")
  endif()
  pkg_check_modules(SDL_IMAGE_DEPS REQUIRED IMPORTED_TARGET sdl2 libpng libjpeg libtiff-4 libwebp)
  add_library(cb_sdl_image_from_source STATIC
    ${dir}/IMG.c ${dir}/IMG_bmp.c ${dir}/IMG_gif.c ${dir}/IMG_jpg.c ${dir}/IMG_lbm.c
    ${dir}/IMG_pcx.c ${dir}/IMG_png.c ${dir}/IMG_pnm.c ${dir}/IMG_qoi.c ${dir}/IMG_svg.c
    ${dir}/IMG_tga.c ${dir}/IMG_tif.c ${dir}/IMG_webp.c ${dir}/IMG_xcf.c ${dir}/IMG_xpm.c
    ${dir}/IMG_xv.c ${dir}/IMG_xxx.c ${dir}/IMG_avif.c ${dir}/IMG_jxl.c ${dir}/IMG_stb.c
    ${dir}/IMG_WIC.c)
  # Its header goes before the system's copy of the same header.
  target_include_directories(cb_sdl_image_from_source BEFORE PUBLIC ${dir})
  target_compile_definitions(cb_sdl_image_from_source PRIVATE
    LOAD_BMP LOAD_GIF LOAD_JPG LOAD_LBM LOAD_PCX LOAD_PNG LOAD_PNM LOAD_QOI LOAD_SVG LOAD_TGA
    LOAD_TIF LOAD_WEBP LOAD_XCF LOAD_XPM LOAD_XV SDL_IMAGE_SAVE_PNG=1 SDL_IMAGE_SAVE_JPG=1)
  # Not our code: its warnings are not ours to fix.
  target_compile_options(cb_sdl_image_from_source PRIVATE -w ${ignore})
  target_link_libraries(cb_sdl_image_from_source PUBLIC PkgConfig::SDL_IMAGE_DEPS)
endif()

# giflib, which reads the GIFs and writes the print's snapshot.
if(CB_FUZZ_GIFLIB_SOURCE)
  set(dir ${CB_FUZZ_GIFLIB_SOURCE})
  if(NOT EXISTS ${dir}/dgif_lib.c)
    message(FATAL_ERROR "${dir} holds no giflib source")
  endif()
  add_library(cb_giflib_from_source STATIC
    ${dir}/dgif_lib.c ${dir}/egif_lib.c ${dir}/gifalloc.c ${dir}/gif_err.c ${dir}/gif_font.c
    ${dir}/gif_hash.c ${dir}/openbsd-reallocarray.c ${dir}/quantize.c)
  target_include_directories(cb_giflib_from_source BEFORE PUBLIC ${dir})
  target_compile_options(cb_giflib_from_source PRIVATE -w ${ignore})
endif()
