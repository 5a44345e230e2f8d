#pragma once
// Small shared routines of the editor: test playing of the alarm's audio file and a
// wait that keeps the window responsive.

#include <functional>
#include <string>

namespace Misc {

// Plays a WAV file to its end and says whether it could (the platform's sound output).
using PlaySoundFunction = std::function<bool(const std::string& path)>;

// Up to four attempts to play the file; every failed attempt, the last one too, is
// followed by a one-second pause. Nothing is reported.
void PlayWavFile(const std::string& path, const PlaySoundFunction& playSound);

// Waits the given number of seconds while the window handles its events. The wait is
// measured on the time of day and survives midnight; a NaN or a number of zero or less
// returns at once.
void PauseSeconds(double seconds);

}  // namespace Misc
