# calendar_add_test(<name> SOURCES <files...> [LIBS <targets...>] [TZ_MATRIX] [LABELS <labels...>]
#                   [ENVIRONMENT <VAR=value...>] [TIMEOUT <seconds>])
#
# Builds one Qt Test executable and registers it with CTest. Every entry runs on the offscreen
# platform with its own HOME and XDG folders under the build tree, so no test touches the user's
# real data. TZ_MATRIX registers one entry per time zone below, because time-sensitive code must
# be right whatever zone the machine is in.
set(CALENDAR_TZ_MATRIX
    "UTC"
    "Europe/Berlin"
    "America/New_York"
    "Pacific/Kiritimati"
    "Pacific/Pago_Pago")

# Under the sanitizers, leaks that belong to a library and cannot be freed by us are suppressed
# by name (cmake/lsan.supp), and freed memory is filled with 0xbe: a freed object read inside Qt,
# which is not instrumented, then yields pointers that crash instead of stale bytes that still
# look right. Every test entry gets these variables.
set(CALENDAR_SANITIZER_ENV "")
if(CALENDAR_SANITIZE)
    set(CALENDAR_SANITIZER_ENV
        "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0"
        "ASAN_OPTIONS=max_free_fill_size=65536:free_fill_byte=190")
endif()

function(calendar_add_test name)
    cmake_parse_arguments(ARG "TZ_MATRIX" "TIMEOUT" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test calendar_test_support ${ARG_LIBS})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set(home "${CMAKE_BINARY_DIR}/test-home/${name}")
    set(base_env
        "QT_QPA_PLATFORM=offscreen"
        "HOME=${home}"
        "XDG_DATA_HOME=${home}/data"
        "XDG_CONFIG_HOME=${home}/config"
        "XDG_CACHE_HOME=${home}/cache"
        "XDG_RUNTIME_DIR=${home}/runtime"
        "CALENDAR_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
        ${CALENDAR_SANITIZER_ENV}
        ${ARG_ENVIRONMENT})
    if(ARG_TZ_MATRIX)
        foreach(tz IN LISTS CALENDAR_TZ_MATRIX)
            set(entry "${name}[${tz}]")
            add_test(NAME ${entry} COMMAND ${name})
            set_tests_properties(${entry} PROPERTIES
                ENVIRONMENT "${base_env};TZ=${tz}"
                TIMEOUT ${ARG_TIMEOUT}
                LABELS "${ARG_LABELS}")
        endforeach()
    else()
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT "${base_env}"
            TIMEOUT ${ARG_TIMEOUT}
            LABELS "${ARG_LABELS}")
    endif()
endfunction()
