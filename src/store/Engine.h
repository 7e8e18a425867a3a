// The record store engine's global state: whether it is initialised, how many
// index pages each fileblock may keep cached, and the outcome of the last
// operation.
//
// Callers may rely on:
//  - InitEngine accepts only single-user mode and at least 8 page buffers
//    (10000 otherwise, 10310 for another mode); a second InitEngine before
//    ExitEngine fails with 10450. Fileblocks can be created, opened and
//    rebuilt only while the engine is initialised (10455 otherwise).
//  - The buffer count is a floor: each open fileblock keeps at least that many
//    index pages cached, and more (kMinCachedPages) so that large indexes stay
//    in memory between flushes.
#pragma once

namespace zelvora {

enum class TNetworkMode { SingleUser, Network };

struct TEngineStatus {
  bool success = true;
  int error = 0;
  int error_class = 0;
  int dos_function = 0;
  int dos_error = 0;
};

inline constexpr int kMinPageBuffers = 8;
// Pages cached per fileblock when the buffer count asks for fewer (16 MiB of
// 4 KiB pages).
inline constexpr int kMinCachedPages = 4096;

void InitEngine(TNetworkMode mode, int page_buffers);
void ExitEngine();
bool EngineInitialised();
// Pages an open fileblock may keep cached.
int EngineCachedPages();

// The last operation's outcome.
TEngineStatus EngineStatus();
void RecordEngineSuccess();
void RecordEngineFailure(int error, int dos_function, int dos_error);

}  // namespace zelvora
