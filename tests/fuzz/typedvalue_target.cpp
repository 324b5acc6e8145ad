// Fuzz entry point for the read-outs' typed-value parser: any text, any tag,
// either range. The parser must stay inside the text and give a finite
// number; the normalised value must be a number within 0..1.
#include <cmath>
#include <vector>

#include "fuzzinput.h"
#include "typedvalue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using sorel::fuzz::broken;
  sorel::fuzz::FuzzInput in(data, size);
  const auto tag = in.take<std::uint8_t>();
  const auto flags = in.take<std::uint8_t>();
  std::size_t length = 0;
  const std::uint8_t* text = in.takeBytes(in.remaining(), length);
  std::vector<char> typed(text, text + length);
  typed.push_back(0);  // the read-out hands over a terminated text
  const double number = sorel::readTypedNumber(typed.data());
  if (!std::isfinite(number)) broken("typed value", "not a finite number");
  const float v = sorel::typedToNormalised(tag, number, (flags & 1) != 0, (flags & 2) != 0);
  if (!(v >= 0.0f && v <= 1.0f)) broken("typed value", "normalised value outside 0..1");
  return 0;
}
