#pragma once

#include "feedback/pcm_sound.h"

#include <QtEndian>

#include <cmath>

namespace tavenzo::testing {

// The root-mean-square level (0..1 of full scale) of a 16-bit sound, all channels together: measured here, apart
// from the code that levels recordings, so a test does not check that code against itself.
inline double rmsOf(const PcmSound& sound)
{
    double sum = 0;
    const qsizetype count = sound.samples.size() / 2;
    for (qsizetype i = 0; i < count; ++i) {
        const double v = qFromLittleEndian<qint16>(sound.samples.constData() + 2 * i) / 32768.0;
        sum += v * v;
    }
    return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0;
}

} // namespace tavenzo::testing
