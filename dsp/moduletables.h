// The fixed coefficient tables of the polynomial modules: for each, tables A,
// B and C of the weights of x, x^2 .. x^7, blended by the module's flavour.
#pragma once

#include <array>

namespace sorel {

using Poly7 = std::array<float, 7>;
struct FlavourTables {
  Poly7 a, b, c;
};

// Salt: the odd weights are common to all three; the flavour moves x^2, x^4, x^6.
inline constexpr FlavourTables kSaltTables{
    {0.08324003f, -1.72572f, -0.2036f, 3.22572f, -0.08006f, -1.6f, 0.12045f},
    {0.08324003f, -0.80992f, -0.2036f, 0.53838f, -0.08006f, 0.00806f, 0.12045f},
    {0.08324003f, -0.09599f, -0.2036f, -0.096f, -0.08006f, 0.064f, 0.12045f},
};

// Pepper: odd polynomials that vanish at full scale.
inline constexpr FlavourTables kPepperTables{
    {0.5f, 0.0f, -0.5f, 0.0f, 0.0f, 0.0f, 0.0f},
    {0.82635f, 0.0f, -1.20869f, 0.0f, 0.46615f, 0.0f, -0.08381f},
    {0.71583f, 0.0f, -3.42353f, 0.0f, 5.19753f, 0.0f, -2.48984f},
};

// Sugar: odd polynomials, low-passed before they are added to the dry signal.
inline constexpr FlavourTables kSugarTables{
    {1.14907f, 0.0f, -1.82779f, 0.0f, 0.67871f, 0.0f, 0.0f},
    {1.18822f, 0.0f, -2.15493f, 0.0f, 1.27064f, 0.0f, -0.30393f},
    {1.59246f, 0.0f, -4.71607f, 0.0f, 5.17966f, 0.0f, -2.05605f},
};

}  // namespace sorel
