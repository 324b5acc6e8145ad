#include "kweighting.h"

#include <cmath>

namespace sorel::host {

KWeighting::KWeighting(int sampleRate) {
  const double pi = 3.14159265358979323846;
  // The shelf: 1681.97 Hz, +4.00 dB, Q 0.7072.
  {
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(pi * f0 / sampleRate);
    const double vh = std::pow(10.0, gainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    b[0] = (vh + vb * k / q + k * k) / a0;
    b[1] = 2.0 * (k * k - vh) / a0;
    b[2] = (vh - vb * k / q + k * k) / a0;
    a[0] = 1.0;
    a[1] = 2.0 * (k * k - 1.0) / a0;
    a[2] = (1.0 - k / q + k * k) / a0;
  }
  // The high pass: 38.14 Hz, Q 0.5003.
  {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(pi * f0 / sampleRate);
    const double a0 = 1.0 + k / q + k * k;
    c[0] = 1.0;
    c[1] = 2.0 * (k * k - 1.0) / a0;
    c[2] = (1.0 - k / q + k * k) / a0;
  }
}

}  // namespace sorel::host
