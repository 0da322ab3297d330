# Man pages written at build time from the programs' own --help, so they never drift from it.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

# quillmere_man_page(TARGET DESCRIPTION [SECTIONS SCRIPT]): TARGET.1.gz in the build's man
# folder, installed into section 1. SCRIPT, given the program and a file, writes sections of
# help2man's include form there (a command's subcommands and their options, say).
function(quillmere_man_page target description)
  cmake_parse_arguments(PARSE_ARGV 2 page_option "" "SECTIONS" "")
  set(page ${CMAKE_BINARY_DIR}/man/${target}.1)
  set(include_commands)
  set(include_options)
  if(page_option_SECTIONS)
    set(sections ${CMAKE_BINARY_DIR}/man/${target}.sections)
    set(include_commands COMMAND ${page_option_SECTIONS} $<TARGET_FILE:${target}> ${sections})
    set(include_options --include=${sections})
  endif()
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    ${include_commands}
    COMMAND ${HELP2MAN} --no-info --section=1 --name=${description} ${include_options}
            --version-string=${PROJECT_VERSION} --output=${page} $<TARGET_FILE:${target}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${target} ${page_option_SECTIONS}
    COMMENT "Writing the man page of ${target}")
  add_custom_target(${target}_man_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
