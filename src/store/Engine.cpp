#include "store/Engine.h"

#include <algorithm>

#include "store/TableErrors.h"

namespace zelvora {

namespace {

// The store is used by one thread only; this is its whole global state.
struct EngineState {
  bool initialised = false;
  int page_buffers = 0;
  TEngineStatus status;
};

EngineState& State() {
  static EngineState state;
  return state;
}

}  // namespace

void InitEngine(TNetworkMode mode, int page_buffers) {
  EngineState& state = State();
  if (state.initialised) RaiseTableError(kErrAlreadyInitialised);
  if (mode != TNetworkMode::SingleUser) RaiseTableError(kErrNetworkInit);
  if (page_buffers < kMinPageBuffers) RaiseTableError(kErrPageBuffer);
  state.initialised = true;
  state.page_buffers = page_buffers;
  RecordEngineSuccess();
}

void ExitEngine() {
  EngineState& state = State();
  state.initialised = false;
  state.page_buffers = 0;
  RecordEngineSuccess();
}

bool EngineInitialised() { return State().initialised; }

int EngineCachedPages() { return std::max(State().page_buffers, kMinCachedPages); }

TEngineStatus EngineStatus() { return State().status; }

void RecordEngineSuccess() { State().status = TEngineStatus{}; }

void RecordEngineFailure(int error, int dos_function, int dos_error) {
  TEngineStatus& status = State().status;
  status.success = false;
  status.error = error;
  status.error_class = TableErrorClass(error);
  status.dos_function = dos_function;
  status.dos_error = dos_error;
}

}  // namespace zelvora
