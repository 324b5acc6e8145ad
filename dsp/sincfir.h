// A windowed-sinc FIR filter working in place on blocks of at most
// largestBlock samples. Its input history (the last taps - 1 samples) waits at
// the front of a straight line, and each block is copied in behind it, so the
// convolution reads one array with no index wrapping.
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

 protected:
  void design();
  // Copies the block in behind the history and filters it into buffer; the
  // line then holds the history and the block until keepHistory(n).
  void filter(float* buffer, int n);
  // Moves the last taps - 1 samples of the line to its front.
  void keepHistory(int n);

  float cutoff;
  int taps;
  int largestBlock;
  std::unique_ptr<float[]> coefficients;
  std::unique_ptr<float[]> line;  // taps - 1 samples of history, then the block
};

}  // namespace sorel
