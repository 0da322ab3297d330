# Man pages written at build time from the programs' own --help, so they never drift from it.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

# quillmere_man_page(TARGET DESCRIPTION): TARGET.1.gz in the build's man folder, installed
# into section 1.
function(quillmere_man_page target description)
  set(page ${CMAKE_BINARY_DIR}/man/${target}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${HELP2MAN} --no-info --section=1 --name=${description}
            --version-string=${PROJECT_VERSION} --output=${page} $<TARGET_FILE:${target}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${target}
    COMMENT "Writing the man page of ${target}")
  add_custom_target(${target}_man_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
