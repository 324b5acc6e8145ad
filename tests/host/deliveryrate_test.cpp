#include <gtest/gtest.h>

#include <cmath>

#include "delivery_signals.h"
#include "deliverychain.h"

namespace sorel::test {
namespace {

TEST(DeliveryRate, KeepsLengthTimingAndLevelAcrossRates) {
  // A tone converted in uneven blocks must come out as the same tone at the
  // new rate: as many seconds, starting at the same instant, at the same level.
  for (auto [from, to] : {std::pair{44100, 48000}, std::pair{96000, 44100}, std::pair{48000, 22050}}) {
    std::string error;
    host::DeliveryChain chain(2);
    ASSERT_TRUE(chain.convertRate(from, to, &error)) << error;
    const std::vector<float> out = inUnevenBlocks(chain, sine(3 * from, from, 1000.0, 0.5));
    ASSERT_NEAR(static_cast<double>(out.size() / 2), 3.0 * to, 1.0) << from << " -> " << to;
    const std::vector<float> ideal = sine(3 * to, to, 1000.0, 0.5);
    double worst = 0.0;
    for (int i = to / 2; i < 5 * to / 2; ++i) worst = std::max(worst, std::fabs(double(out[2 * i]) - ideal[2 * i]));
    EXPECT_LT(worst, 1e-4) << from << " -> " << to;
  }
}

TEST(DeliveryRate, RefusesRatesItCannotConvert) {
  std::string error;
  host::DeliveryChain chain(2);
  EXPECT_FALSE(chain.convertRate(44100, 0, &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace sorel::test
