// The about view's content: the version, who made what, and where the
// documentation is. Every link opens a page installed with the library.
#include <string>

#include "caboutview.h"
#include "cbitmap.h"
#include "cframecm.h"
#include "cgui.h"
#include "docpages.h"
#include "platform/iplatform.h"
#include "version.h"

namespace sorel {

using namespace VSTGUI;

namespace {

constexpr CColor kVersionColor{221, 139, 49, 255};
constexpr CColor kCaptionColor{255, 255, 255, 255};
constexpr CColor kCreditColor{8, 66, 255, 255};

struct Credit {
  const char* caption;
  const char* line;  // '&' underlines it
  const char* page;  // a file of the installed documentation
  int linkRight;     // the link covers the line's left part up to here
};

constexpr Credit kCredits[3] = {
    {"Product Idea & Concept:", "&The Sorel developers / Kestrune", "README.md", 390},
    {"Coding, Audio Algorithms & Graphics:", "&The Sorel developers / Kestrune", "credits.md", 480},
    {"Using the editor:", "&Sorel documentation / Kestrune", "editor.md", 490},
};

constexpr int kLineLeft = 174, kCreditLeft = 194, kLineRight = 700, kLineHeight = 16;
constexpr int kVersionTop = 98, kFirstCaptionTop = 138, kCreditPitch = 48;

}  // namespace

void CGui::buildAboutView() {
  CBitmap* picture = skinImages[kImgAbout];
  if (!picture) return;
  const CCoord width = picture->getWidth(), height = picture->getHeight();
  const CRect window(0, 0, rect.right - rect.left, rect.bottom - rect.top);
  const CCoord left = (window.getWidth() - width) / 2, top = (window.getHeight() - height) / 2;
  auto* about = new CAboutView(CRect(left, top, left + width, top + height), this, picture);
  about->setTags(kTagCloseAbout, kTagOpenLink);
  auto area = [this](int l, int t, int r) { return CRect(scaled(l), scaled(t), scaled(r), scaled(t + kLineHeight)); };
  const std::string version = std::string("Version: ") + kVersionText;
  about->addLine(version.c_str(), area(kLineLeft, kVersionTop, kLineRight), kVersionColor);
  for (int i = 0; i < 3; ++i) {
    const Credit& credit = kCredits[i];
    const int captionTop = kFirstCaptionTop + i * kCreditPitch;
    about->addLine(credit.caption, area(kLineLeft, captionTop, kLineRight), kCaptionColor);
    about->addLine(credit.line, area(kCreditLeft, captionTop + kLineHeight, kLineRight), kCreditColor);
    about->addLink(area(kCreditLeft, captionTop + kLineHeight, credit.linkRight),
                   documentationPage(credit.page).c_str());
  }
  aboutView = about;
}

void CGui::releaseAboutView() {
  if (!aboutView) return;
  if (guiFrame && guiFrame->getModalView() == aboutView) guiFrame->setModalView(nullptr);
  aboutView->forget();
  aboutView = nullptr;
  aboutClosed = true;
}

void CGui::openCurrentLink() {
  // The system's browser, started without waiting for it.
  if (auto* about = dynamic_cast<CAboutView*>(aboutView)) platformOpenURL(about->currentLinkAddress());
}

}  // namespace sorel
