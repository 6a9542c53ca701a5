# One test executable per source file tests/<dir>/tst_<unit>.cpp, linked against
# every library of the program; labels come from a "// ctest-labels: a;b" line.
function(pelumo_add_test source)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE pelumo_tests_common ${ARGN})
    pelumo_link_web_player(${name})
    add_test(NAME ${name} COMMAND ${name})
    file(STRINGS ${source} label_line REGEX "^// ctest-labels:")
    set(labels "")
    if(label_line)
        string(REGEX REPLACE "^// ctest-labels:[ ]*" "" labels "${label_line}")
    endif()
    # Tests that need a real web engine, or the X11 protocol itself ("x11"), run on the X
    # server of xvfb-run; the rest offscreen.
    set(env "SDL_AUDIODRIVER=dummy;PELUMO_PROGRAM_DIR=${PELUMO_OUT_DIR}")
    # The rest run offscreen without the X server: with a display, Qt's offscreen platform
    # loads and unloads GL libraries whose start-up allocations then show as leaks.
    if(NOT "webengine" IN_LIST labels AND NOT "x11" IN_LIST labels)
        list(APPEND env "QT_QPA_PLATFORM=offscreen" "DISPLAY=")
    endif()
    # Web-engine tests start a browser each; alone they run in seconds, side by side with
    # everything else they can starve.
    if("webengine" IN_LIST labels)
        set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${env}"
        LABELS "${labels}"
        TIMEOUT 300)
endfunction()

# A libFuzzer target: fuzz/fuzz_<name>.cpp linked with the given libraries.
function(pelumo_add_fuzzer source)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE ${ARGN})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# Links the web player's code into `target` (a test or a tool) and makes the host use it
# instead of loading the web player library.
function(pelumo_link_web_player target)
    target_link_libraries(${target} PRIVATE pelumo_webplayer)
    target_link_options(${target} PRIVATE -Wl,--undefined=pelumo_web_player)
endfunction()
