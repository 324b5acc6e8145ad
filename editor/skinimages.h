// The skin images the editor loads once, at construction: one row per image,
// in index order. The second name is the double-size image of the large skin.
#pragma once

namespace sorel {

struct SkinImage {
  int kind;               // 0 or 1: load; 2 and above: skip
  const char* name;       // PNG resource name, case ignored
  const char* largeName;  // the same picture drawn at twice the size
  int spare;
};

enum SkinImageIndex : int {
  kImgBack,
  kImgBackMS,
  kImgFader,
  kImgSwitch,
  kImgSwitchS,
  kImgKnob,
  kImgKnobS,
  kImgKnobXS,
  kImgSel,
  kImgClip,
  kImg3To18,
  kImgMono,
  kImgSwStereo,
  kImgSwMid,
  kImgSwSide,
  kImgSwStereoSmall,
  kImgSwMidSmall,
  kImgSwSideSmall,
  kImgArrow,
  kImgAbc,
  kImgName,
  kImgPanel,
  kImgPanelSquare,
  kImgFrameOverlay,
  kImgCaptionMS,
  kImgCaptionST,
  kImgSalt,
  kImgPepper,
  kImgSugar,
  kImgChili,
  kImgTop,
  kImgBottom,
  kImgMid,
  kImgAbout,
  kImgMakerLogo,
  kImgSeal,
  kNumSkinImages
};

extern const SkinImage kSkinImages[kNumSkinImages];

}  // namespace sorel
