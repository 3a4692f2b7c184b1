#pragma once
// Ctrl+C as the windows' "Стоп": the signal only raises a flag; the job's own pump turns it into
// StopRequested at its next look, so the job stops as a Stop button would stop it. A second
// Ctrl+C ends the program at once.

namespace vexa::cli {

void InstallStopSignal();
bool StopSignalled();

}  // namespace vexa::cli
