# The controls' windows under Wine, driven through the gallery. The pixel
# comparison uses the native build's controls-gallery-check (build the
# native preset first, as for the trace comparison). Included by
# tools/controls_gallery/gallery.cmake for Windows builds.
set(LUMORA_NATIVE_GALLERY_CHECK ${CMAKE_SOURCE_DIR}/build/native/bin/controls-gallery-check
    CACHE FILEPATH "Native controls-gallery-check the gallery's screenshot is compared with")
add_test(NAME gallery_test
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/gallery_test.sh
          ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:controls-gallery> ${LUMORA_NATIVE_GALLERY_CHECK})
set_tests_properties(gallery_test PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
