# kelvara_warnings(TARGET): the project's warning set, errors in developer and CI builds.
function(kelvara_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(KELVARA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
