// The namespace that inline kernels live in, named after the instruction set their file is
// compiled for. A file built with AVX2 includes the same headers as the SSE2 files, and the
// linker keeps a single copy of each inline function for the whole module: without
// distinct names it could keep the AVX2 copy and run it on a processor that lacks AVX2.
#pragma once

#if defined(__AVX2__)
#define ZK_ISA_NAMESPACE isa_avx2
#else
#define ZK_ISA_NAMESPACE isa_sse2
#endif
