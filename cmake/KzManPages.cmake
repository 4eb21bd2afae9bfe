# Manual pages: kzdlogsrv(1) and kzdlogrcv.exe(1) from the programs' own --help (help2man, when
# found), kzcitectsrv.exe(1) as a link to the latter, kzdlogsrv(7) written by hand. Compressed
# as Debian installs them.
find_program(KZ_HELP2MAN help2man)
find_program(KZ_GZIP gzip REQUIRED)
set(kz_man_dir ${PROJECT_BINARY_DIR}/man)
set(kz_man_pages)

function(kz_compressed_man source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${KZ_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source} ${ARGN} VERBATIM)
endfunction()

file(MAKE_DIRECTORY ${kz_man_dir})
kz_compressed_man(${PROJECT_SOURCE_DIR}/docs/man/kzdlogsrv.7 ${kz_man_dir}/kzdlogsrv.7.gz)
list(APPEND kz_man_pages ${kz_man_dir}/kzdlogsrv.7.gz)
install(FILES ${kz_man_dir}/kzdlogsrv.7.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man7)

if(KZ_HELP2MAN)
  foreach(program kzdlogsrv kzdlogrcv.exe)
    set(include ${PROJECT_SOURCE_DIR}/docs/man/${program}.h2m)
    add_custom_command(OUTPUT ${kz_man_dir}/${program}.1
      COMMAND ${KZ_HELP2MAN} --no-info --no-discard-stderr --section=1
              --version-string=${PROJECT_VERSION} --include=${include}
              --output=${kz_man_dir}/${program}.1 $<TARGET_FILE:${program}>
      DEPENDS ${program} ${include} VERBATIM)
    kz_compressed_man(${kz_man_dir}/${program}.1 ${kz_man_dir}/${program}.1.gz)
    list(APPEND kz_man_pages ${kz_man_dir}/${program}.1.gz)
  endforeach()
  file(WRITE ${kz_man_dir}/kzcitectsrv.exe.1 ".so man1/kzdlogrcv.exe.1\n")
  kz_compressed_man(${kz_man_dir}/kzcitectsrv.exe.1 ${kz_man_dir}/kzcitectsrv.exe.1.gz)
  list(APPEND kz_man_pages ${kz_man_dir}/kzcitectsrv.exe.1.gz)
  install(FILES ${kz_man_dir}/kzdlogsrv.1.gz ${kz_man_dir}/kzdlogrcv.exe.1.gz
                ${kz_man_dir}/kzcitectsrv.exe.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no kzdlogsrv(1) nor kzdlogrcv.exe(1) (scripts/deps --package)")
endif()
add_custom_target(kz_man_pages ALL DEPENDS ${kz_man_pages})
