#pragma once
// The simulated PC as named fields ("service WZCSVC", "radio {GUID} ssid", "registry KEY
// value NAME", ...), each with a text of its value, so that the PC before a run and after it
// can be compared field by field and a difference reported by its name.

#include <map>
#include <string>
#include <vector>

#include "platform/sim/pc.h"

namespace corvane::tools {

using PcFields = std::map<std::string, std::string>;

// Everything the check may change and must put back: the services, the other programs with
// their arguments, each radio's settings, the registry (TCP/IP values among it), the devices
// and binding paths, the WLAN profiles and connections, and the files. The result file is the
// run's answer, not a change, and is left out.
PcFields FieldsOf(sim::Pc& pc);

// One line for each field that differs between `before` and `after`, unless a pattern of
// `intended` matches its name (case aside, `*` for any characters); and one for each pattern
// that matched no difference, since a scenario names only the changes its run makes.
std::vector<std::string> UnintendedChanges(const PcFields& before, const PcFields& after,
                                           const std::vector<std::string>& intended);

}  // namespace corvane::tools
