# The house check: the build's real target graph against the layer table of
# docs/ARCHITECTURE.md, and every include against the links of the file's target.
#
# mvf_add_house_check() writes every target of the build with its folder and direct
# links to <build>/house_targets.json, and adds the CTest tests (label "house"):
# house.layers runs tools/check_house.py on it, the table and the compile database;
# house.checker runs the check's own tests.

# Every target defined in DIR and in the folders below it.
function(_mvf_house_collect_targets dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        _mvf_house_collect_targets(${sub} sub_targets)
        list(APPEND targets ${sub_targets})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# A list property as a JSON array of strings ("[]" when unset).
function(_mvf_house_json_list target property out)
    get_target_property(values ${target} ${property})
    set(json "[]")
    if(values)
        set(i 0)
        foreach(value IN LISTS values)
            string(REPLACE "\\" "\\\\" value "${value}")
            string(REPLACE "\"" "\\\"" value "${value}")
            string(JSON json SET "${json}" ${i} "\"${value}\"")
            math(EXPR i "${i} + 1")
        endforeach()
    endif()
    set(${out} "${json}" PARENT_SCOPE)
endfunction()

function(mvf_add_house_check)
    _mvf_house_collect_targets(${CMAKE_SOURCE_DIR} targets)
    set(json "{}")
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        get_target_property(dir ${target} SOURCE_DIR)
        file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${dir})
        set(entry "{}")
        string(JSON entry SET "${entry}" type "\"${type}\"")
        string(JSON entry SET "${entry}" folder "\"${folder}\"")
        # LINK_LIBRARIES: what the target links (public and private);
        # INTERFACE_LINK_LIBRARIES: what it hands on to the targets that link it.
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            _mvf_house_json_list(${target} LINK_LIBRARIES links)
        else()
            set(links "[]")
        endif()
        _mvf_house_json_list(${target} INTERFACE_LINK_LIBRARIES interface_links)
        string(JSON entry SET "${entry}" links "${links}")
        string(JSON entry SET "${entry}" interface_links "${interface_links}")
        string(JSON json SET "${json}" ${target} "${entry}")
    endforeach()
    set(manifest ${CMAKE_BINARY_DIR}/house_targets.json)
    file(WRITE ${manifest} "${json}\n")

    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    add_test(NAME house.layers
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_house.py
                --source ${CMAKE_SOURCE_DIR}
                --targets ${manifest}
                --compile-commands ${CMAKE_BINARY_DIR}/compile_commands.json)
    # The check itself, on small made-up houses: it passes a sound one and names each fault.
    add_test(NAME house.checker
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_house_test.py)
    set_tests_properties(house.layers house.checker PROPERTIES
        LABELS house ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
endfunction()
