#pragma once
// The network switching manager. Its cancel flag is the cancel flag of the whole run.

#include <atomic>

namespace corvane {

class CProjectorManager {
  public:
    // Set by the inspection dialog's thread, polled by the worker.
    std::atomic<bool> m_bCancel = false;
};

}  // namespace corvane
