// A windowed-sinc FIR filter working in place on blocks of at most
// largestBlock samples, with its input history in a power-of-two ring.
#pragma once

#include <memory>

namespace sorel {

class CSincFir {
 public:
  // taps is made odd (31 stays 31, 30 becomes 31).
  CSincFir(float cutoff, int taps, int largestBlock);
  virtual ~CSincFir() = default;
  CSincFir(const CSincFir&) = delete;
  CSincFir& operator=(const CSincFir&) = delete;

  // [audio] Replaces buffer[0..n) by the filtered signal; n <= largest block.
  virtual void process(float* buffer, int n);

  float getCutoff() const { return cutoff; }
  int getTaps() const { return taps; }
  int getRingSize() const { return ringSize; }
  int getLargestBlock() const { return largestBlock; }
  const float* getCoefficients() const { return coefficients.get(); }

 protected:
  void design();

  float cutoff;
  int taps;
  int largestBlock;
  int ringSize = 0;
  int ringMask = 0;
  int writePosition = 0;
  std::unique_ptr<float[]> history;
  std::unique_ptr<float[]> coefficients;
};

}  // namespace sorel
