# Support of the sanitize preset (LUMORA_SANITIZE): the library its tests
# preload so that the system GL driver stays mapped for LeakSanitizer (see
# keep_dri_loaded.c). Plain C, built without the sanitizers.
if(LUMORA_SANITIZE AND NOT CMAKE_CROSSCOMPILING)
  add_library(lumora_keep_dri_loaded SHARED ${CMAKE_CURRENT_LIST_DIR}/keep_dri_loaded.c)
  target_compile_options(lumora_keep_dri_loaded PRIVATE -fno-sanitize=all)
  target_link_options(lumora_keep_dri_loaded PRIVATE -fno-sanitize=all)
  target_link_libraries(lumora_keep_dri_loaded PRIVATE ${CMAKE_DL_LIBS})
endif()
