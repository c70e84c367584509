// The named events through which a benchmark steers window_probe.exe.
#pragma once

namespace kelvane {

// Set by whoever started the probe: print the figures and end.
constexpr char kProbeStopEvent[] = "Tessaly Kelvane window probe stop";
// Set by the probe once the window has answered it.
constexpr char kProbeReadyEvent[] = "Tessaly Kelvane window probe ready";

}  // namespace kelvane
