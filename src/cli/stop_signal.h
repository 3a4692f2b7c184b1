#pragma once
// Ctrl+C as the windows' "Стоп": the signal only counts; the job's own pump turns each count into
// StopRequested at its next look. The first asks the job to stop after the board's answer to the
// command under way, as the Stop button does; the second, like a second press while that answer
// is missing, gives the answer up; a third ends the program at once.

namespace vexa::cli {

void InstallStopSignal();
// Ctrl+C presses so far (at most two: the third never returns).
int StopSignals();

}  // namespace vexa::cli
