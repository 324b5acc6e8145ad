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

  int getTaps() const { return taps; }
  int getRingSize() const { return ringSize; }
  const float* getCoefficients() const { return coefficients.get(); }

 protected:
  void design();
  // Copies n samples into the ring at the write position (wrapping); the
  // write position itself moves when the block is done.
  void append(const float* block, int n);
  // Appends the block and returns the last taps - 1 samples before it and
  // the block itself as one straight array (valid until the next call).
  const float* straightHistory(const float* block, int n);

  float cutoff;
  int taps;
  int largestBlock;
  int ringSize = 0;
  int ringMask = 0;
  int writePosition = 0;
  std::unique_ptr<float[]> history;
  std::unique_ptr<float[]> coefficients;
  std::unique_ptr<float[]> line;  // largest block + taps: see straightHistory
};

}  // namespace sorel
