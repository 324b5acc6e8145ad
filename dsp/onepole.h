// First-order low-pass in double precision: y = s * b + y * a.
// Defaults pass the input unchanged (b = 1, a = 0) at 44100 Hz.
#pragma once

#include "exactmath.h"

namespace sorel {

class COnePole {
 public:
  void setSampleRate(double rate) { sampleRate = rate; }
  double getSampleRate() const { return sampleRate; }

  // The state y is kept: a cutoff change never clicks the filter back to zero.
  void setCutoff(double hz) {
    a = exactExp(-2.0 * kPi * hz / sampleRate);
    b = 1.0 - a;
  }

  double process(double s) {
    y = s * b + y * a;
    return y;
  }

  double b = 1.0;
  double a = 0.0;
  double y = 0.0;

 private:
  static constexpr double kPi = 3.14159265358979323846;
  double sampleRate = 44100.0;
};

}  // namespace sorel
