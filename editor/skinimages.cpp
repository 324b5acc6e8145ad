#include "skinimages.h"

namespace sorel {

const SkinImage kSkinImages[kNumSkinImages] = {
    {0, "back.png", "back_2x.png", 0},  // kImgBack
    {0, "backMS.png", "backMS_2x.png", 0},  // kImgBackMS
    {0, "fader.png", "fader_2x.png", 0},  // kImgFader
    {0, "switch.png", "switch_2x.png", 0},  // kImgSwitch
    {0, "switchS.png", "switchS_2x.png", 0},  // kImgSwitchS
    {0, "knob.png", "knob_2x.png", 0},  // kImgKnob
    {0, "knobS.png", "knobS_2x.png", 0},  // kImgKnobS
    {0, "knobXS.png", "knobXS_2x.png", 0},  // kImgKnobXS
    {0, "Sel.png", "Sel_2x.png", 0},  // kImgSel
    {0, "clip.png", "clip_2x.png", 0},  // kImgClip
    {0, "3_18.png", "3_18_2x.png", 0},  // kImg3To18
    {0, "Mono.png", "Mono_2x.png", 0},  // kImgMono
    {0, "SW_Stereo.png", "SW_Stereo_2x.png", 0},  // kImgSwStereo
    {0, "SW_Mid.png", "SW_Mid_2x.png", 0},  // kImgSwMid
    {0, "SW_Side.png", "SW_Side_2x.png", 0},  // kImgSwSide
    {0, "SW_Stereo_s.png", "SW_Stereo_s_2x.png", 0},  // kImgSwStereoSmall
    {0, "SW_Mid_s.png", "SW_Mid_s_2x.png", 0},  // kImgSwMidSmall
    {0, "SW_Side_s.png", "SW_Side_s_2x.png", 0},  // kImgSwSideSmall
    {0, "arrow.png", "arrow_2x.png", 0},  // kImgArrow
    {0, "abc.png", "abc_2x.png", 0},  // kImgAbc
    {0, "name.png", "name_2x.png", 0},  // kImgName
    {0, "188x220.png", "188x220_2x.png", 0},  // kImgPanel
    {0, "188x188.png", "188x188_2x.png", 0},  // kImgPanelSquare
    {0, "FrameO.png", "FrameO_2x.png", 0},  // kImgFrameOverlay
    {0, "captms.png", "captms_2x.png", 0},  // kImgCaptionMS
    {0, "captst.png", "captst_2x.png", 0},  // kImgCaptionST
    {0, "Salt.png", "Salt_2x.png", 0},  // kImgSalt
    {0, "Pepper.png", "Pepper_2x.png", 0},  // kImgPepper
    {0, "Sugar.png", "Sugar_2x.png", 0},  // kImgSugar
    {0, "Chili.png", "Chili_2x.png", 0},  // kImgChili
    {0, "top.png", "top_2x.png", 0},  // kImgTop
    {0, "btm.png", "btm_2x.png", 0},  // kImgBottom
    {0, "mid.png", "mid_2x.png", 0},  // kImgMid
    {0, "AboutSorel.png", "AboutSorel_2x.png", 0},  // kImgAbout
    {0, "kst.png", "kst_2x.png", 0},  // kImgMakerLogo
    {0, "seal.png", "seal_2x.png", 0},  // kImgSeal
};

}  // namespace sorel
