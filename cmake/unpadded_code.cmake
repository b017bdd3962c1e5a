# Compiles one C++ source with MinGW-w64 so that its functions are not padded to 16 bytes.
#
#   cmake -P unpadded_code.cmake -- <compiler> <arguments> -o <object> -c <source>
#
# GCC puts each function in a section of its own (-ffunction-sections, so that the linker can
# leave out the unused ones), and the PE assembler gives every section without an alignment of
# its own 16 bytes and pads it to that: some 8 bytes of filler after each of the program's
# hundreds of functions. x86-64 code needs no alignment, and GCC states every alignment that
# code does need (member functions, loops) with an .align of its own, which still holds. So the
# source is compiled to assembly, its code sections are given an alignment of one byte (the
# digit 0 in the section's flags), and the assembly is assembled into the object.
# Any other command (linking, a command without -c) runs as it is.

set(command "")
set(object "")
set(compiles FALSE)
set(after_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(index RANGE ${last})
    set(argument "${CMAKE_ARGV${index}}")
    if(NOT after_separator)
        if(argument STREQUAL "--")
            set(after_separator TRUE)
        endif()
        continue()
    endif()
    list(APPEND command "${argument}")
    if(argument STREQUAL "-c")
        set(compiles TRUE)
    elseif(previous STREQUAL "-o")
        set(object "${argument}")
    endif()
    set(previous "${argument}")
endforeach()

if(NOT compiles OR object STREQUAL "")
    execute_process(COMMAND ${command} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed: ${command}")
    endif()
    return()
endif()

# The same command with -S for -c, writing the assembly beside the object; its dependency file
# (if asked for) is written by this step.
set(assembly "${object}.s")
set(to_assembly "")
set(skip_next FALSE)
foreach(argument IN LISTS command)
    if(skip_next)
        list(APPEND to_assembly "${assembly}")
        set(skip_next FALSE)
    elseif(argument STREQUAL "-c")
        list(APPEND to_assembly "-S")
    else()
        list(APPEND to_assembly "${argument}")
        if(argument STREQUAL "-o")
            set(skip_next TRUE)
        endif()
    endif()
endforeach()
execute_process(COMMAND ${to_assembly} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE "${assembly}")
    # The compiler has said why.
    message(FATAL_ERROR "compiling ${object} failed")
endif()

# A code section is opened as `.section NAME,"x"`; a quoted "x" after a comma at the end of a
# line occurs nowhere else, since quotes inside strings are escaped.
file(READ "${assembly}" text)
string(REPLACE ",\"x\"\n" ",\"x0\"\n" text "${text}")
file(WRITE "${assembly}" "${text}")

list(GET command 0 compiler)
execute_process(COMMAND "${compiler}" -c "${assembly}" -o "${object}" RESULT_VARIABLE result)
file(REMOVE "${assembly}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "assembling ${assembly} failed")
endif()
