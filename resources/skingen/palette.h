// The skin's colours and type. One place, so every image agrees on them.
#pragma once

namespace sorel::skingen {

struct Rgb {
  double r, g, b;
};

constexpr Rgb rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

constexpr Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

namespace palette {

// The chassis: a dark charcoal case around the light module faces.
inline constexpr Rgb kChassisTop = rgb(50, 52, 56);
inline constexpr Rgb kChassisBottom = rgb(31, 32, 35);
inline constexpr Rgb kChassisDeep = rgb(18, 19, 21);
inline constexpr Rgb kTrim = rgb(112, 115, 121);

// Module faces: light warm grey, light enough for (44, 44, 44) read-outs.
inline constexpr Rgb kFaceTop = rgb(236, 233, 226);
inline constexpr Rgb kFaceBottom = rgb(214, 210, 202);
inline constexpr Rgb kFaceEdge = rgb(128, 124, 117);

// The hint display's backlit glass.
inline constexpr Rgb kDisplayTop = rgb(226, 224, 209);
inline constexpr Rgb kDisplayBottom = rgb(212, 210, 193);

// Ink printed on the faces, and lettering on the chassis.
inline constexpr Rgb kInk = rgb(44, 44, 44);
inline constexpr Rgb kInkSoft = rgb(104, 101, 96);
inline constexpr Rgb kLegend = rgb(176, 179, 184);
inline constexpr Rgb kLegendDim = rgb(112, 115, 120);

// Keys, knobs and other black hardware.
inline constexpr Rgb kKeyTop = rgb(74, 77, 82);
inline constexpr Rgb kKeyBottom = rgb(38, 40, 44);
inline constexpr Rgb kKnobRimTop = rgb(104, 107, 112);
inline constexpr Rgb kKnobRimBottom = rgb(10, 10, 11);
inline constexpr Rgb kKnobFaceLight = rgb(66, 68, 72);
inline constexpr Rgb kKnobFaceDark = rgb(22, 23, 25);
inline constexpr Rgb kSteelLight = rgb(222, 224, 228);
inline constexpr Rgb kSteelDark = rgb(126, 129, 134);

// Light: the product's orange for pointers, arcs and lit lamps; red for clipping.
inline constexpr Rgb kOrange = rgb(255, 148, 0);
inline constexpr Rgb kOrangeHot = rgb(255, 214, 150);
inline constexpr Rgb kOrangeDeep = rgb(196, 92, 0);
inline constexpr Rgb kRed = rgb(255, 46, 28);
inline constexpr Rgb kRedHot = rgb(255, 190, 170);
inline constexpr Rgb kUnlit = rgb(58, 52, 46);

inline constexpr Rgb kWhite = rgb(255, 255, 255);
inline constexpr Rgb kBlack = rgb(0, 0, 0);

}  // namespace palette

// Liberation Sans first; fontconfig falls back to DejaVu Sans where it is missing.
inline constexpr const char* kSans = "Liberation Sans";

}  // namespace sorel::skingen
