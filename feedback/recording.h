#pragma once

#include "feedback/pcm_sound.h"

#include <QByteArray>
#include <QString>

namespace tavenzo {

// What the studio's "Registra" keeps of a word said into the microphone: one channel of 16-bit samples at the
// microphone's rate, the quiet at both ends cut off (30 ms kept, so a soft first consonant stays whole), and the
// loudness levelled so that every recorded word sounds about as loud as the next, and as the synthesiser's voice.
// Empty when nothing louder than the room was recorded.
PcmSound levelledRecording(const PcmSound& raw);

// The sound as a WAV file (16-bit PCM, the plain header every decoder reads).
QByteArray wavFile(const PcmSound& sound);

// Saves the recording of `word` as voci/<word>.wav in `place` (beside the list, or the teacher's folder), whole or not
// at all: written beside it and renamed over it, the folder made when needed. A word that could name a file outside
// voci/ is refused, as for pictures. The path saved, or an empty string with the reason in `error`.
QString saveRecording(const QString& place, const QString& word, const PcmSound& sound, QString* error = nullptr);

} // namespace tavenzo
