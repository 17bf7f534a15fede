# The hand-written peer at its best on this machine: every instruction set the processor has,
# full optimisation, and products contracted into fused multiply-adds.
set_source_files_properties(${dir}/plain_peer.cpp PROPERTIES COMPILE_OPTIONS "-O3;-march=native;-ffp-contract=fast")
