# Sanitizer families live in separate build directories: address+undefined
# together, thread alone (their runtimes cannot be combined).
if(KV_SANITIZE AND KV_TSAN)
  message(FATAL_ERROR "KV_SANITIZE and KV_TSAN cannot be combined; use two build directories")
endif()

if(KV_SANITIZE)
  # g++ leaves float-cast-overflow out of -fsanitize=undefined; without it a
  # NaN turned into a colour index would go unseen.
  set(KV_SANITIZER_FLAGS
      -fsanitize=address,undefined,float-cast-overflow
      -fno-sanitize-recover=undefined,float-cast-overflow
      -fno-omit-frame-pointer)
  add_compile_options(${KV_SANITIZER_FLAGS})
  add_link_options(${KV_SANITIZER_FLAGS})
endif()

if(KV_TSAN)
  set(KV_SANITIZER_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
  add_compile_options(${KV_SANITIZER_FLAGS})
  add_link_options(${KV_SANITIZER_FLAGS})
endif()
