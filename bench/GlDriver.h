#ifndef QV_BENCH_GLDRIVER_H
#define QV_BENCH_GLDRIVER_H

namespace qvbench {

/// Keeps the software GL driver loaded until the process ends. The driver
/// holds memory that only its own globals point to and is unloaded before
/// the leak checker runs, which then reports it from an unknown module that
/// no suppression can name. Call it once a window exists.
void keepGlDriverLoaded();

} // namespace qvbench

#endif
