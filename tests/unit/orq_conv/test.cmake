# The zaforq conv command, end to end (through the emulator in the i386 build).
add_test(NAME unit.orq_conv_cli
  COMMAND sh ${dir}/cli_conv.sh ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:zaforq_cli>)
