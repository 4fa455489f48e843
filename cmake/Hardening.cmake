# The hardening Debian builds its packages with, as dpkg-buildflags gives it
# with every feature on: fortified functions, the strong stack protector,
# format-string checks, full RELRO with immediate binding, and a
# position-independent executable. Optimisation and debug information stay
# with the build type. The sanitizer build goes without: the sanitizers
# check what the fortified functions would.
option(VELTRASA_HARDENING "Build with Debian's hardening flags" ON)
if(VELTRASA_HARDENING AND NOT VELTRASA_SANITIZE)
  find_program(VELTRASA_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${VELTRASA_DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O|g|ffile-prefix-map=)")
    if(kind STREQUAL LDFLAGS)
      add_link_options(${flags})
    elseif(kind STREQUAL CPPFLAGS)
      # Fortified functions need an optimising build type.
      foreach(flag IN LISTS flags)
        add_compile_options($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:${flag}>)
      endforeach()
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()
