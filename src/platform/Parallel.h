// Running the same step for many indexes on the machine's cores, for work that is mostly the
// system reading and writing files, which it does for several threads at once.
#pragma once

#include <cstddef>
#include <functional>

namespace pagehold {

// The threads worth using: one per processor core, at most `most`.
std::size_t CoresToUse(std::size_t most = 4);

// Calls step(index, worker) once for every index below count, on up to `workers` threads of
// which the calling one is the first; worker (below workers) tells which thread runs the call,
// so that each thread can keep state of its own. Returns when every call has returned; an
// exception thrown by a call is thrown again here, after the other threads have stopped
// taking indexes.
void RunOnCores(std::size_t count, std::size_t workers,
                const std::function<void(std::size_t index, std::size_t worker)>& step);

}  // namespace pagehold
