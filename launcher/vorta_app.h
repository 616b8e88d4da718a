#pragma once
// VORTA's application object: the launcher does all of its work in its start-up and never
// runs a message loop.

namespace corvane {

class CVORTAApp {
  public:
    // Single instance, the system and language, then the payload unpacked and VORTAU started.
    // Always false, so that the program ends after it.
    bool InitInstance();
    // The END line; the exit code, which nothing reads.
    int ExitInstance();
};

}  // namespace corvane
