// The loudness meters' frequency weighting: a high shelf (+4 dB above
// about 1.7 kHz, the head's effect) and a high pass (about 38 Hz), as two
// biquads in double precision, designed for any sample rate from their
// analogue prototypes.
#pragma once

namespace sorel::host {

class KWeighting {
 public:
  explicit KWeighting(int sampleRate);
  // Filters one sample; returns the weighted sample.
  double process(double x) {
    const double s = b[0] * x + z[0];
    z[0] = b[1] * x - a[1] * s + z[1];
    z[1] = b[2] * x - a[2] * s;
    const double y = s + w[0];
    w[0] = -2.0 * s - c[1] * y + w[1];
    w[1] = s - c[2] * y;
    return y;
  }

 private:
  double b[3], a[3];  // shelf
  double c[3];        // high pass (numerator 1, -2, 1)
  double z[2] = {0.0, 0.0}, w[2] = {0.0, 0.0};
};

}  // namespace sorel::host
