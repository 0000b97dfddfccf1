# Warning flags for our own targets (kv_target_warnings). Third-party headers
# come in as system includes and stay quiet.
set(KV_WARNING_FLAGS
    -Wall
    -Wextra
    -Wpedantic
    # implicit narrowing between the fixed-width types is a common source of bugs here
    -Wconversion -Wno-sign-conversion
    # a virtual operation hidden by an overload with another signature is almost always a mistake
    -Woverloaded-virtual
    -Wnon-virtual-dtor
    -Wshadow=local
    -Wimplicit-fallthrough)

option(KV_WARNINGS_AS_ERRORS "Treat warnings in our own code as errors" OFF)
if(KV_WARNINGS_AS_ERRORS)
  list(APPEND KV_WARNING_FLAGS -Werror)
endif()

function(kv_target_warnings target)
  target_compile_options(${target} PRIVATE ${KV_WARNING_FLAGS})
endfunction()
