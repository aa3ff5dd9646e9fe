#pragma once
// The configuration panel's controls that loading a collection fills, named
// after the controls of the panel. The panel implements this; the show passes
// nothing (its panel is never seen). Texts are Windows-1250.
#include <cstdint>
#include <string>

namespace vorn {

class CollectionControls {
 public:
  virtual ~CollectionControls() = default;
  virtual void setCollNameST(const std::string& text) = 0;
  // CopyrightE and its label CopyRL together.
  virtual void setCopyrightVisible(bool visible) = 0;
  virtual void setCopyrightE(const std::string& caption) = 0;
  // CI_URLL and its label InetL together.
  virtual void setCollUrlVisible(bool visible) = 0;
  virtual void setCI_URLL(const std::string& address) = 0;  // the link shows it as its text too
  virtual void setCI_CommentL(const std::string& caption) = 0;  // "||" already made CR LF
  virtual void setUseCommonOptionsCB(bool checked) = 0;
  virtual void setBckColCB(uint32_t colour) = 0;
  virtual void setShwEffectNum(int32_t index) = 0;
  // Checking a radio button runs the panel's own reaction (ChgINTRadioButtonClick).
  virtual void checkRadioButton1() = 0;
  virtual void checkRadioButton2() = 0;
  // Spin edits clamp to their ranges; setting ChgIntMINSE runs ChgIntMINSEChange.
  virtual void setChgIntSE(int32_t value) = 0;
  virtual void setChgIntMINSE(int32_t value) = 0;
  virtual void setChgIntMAXSE(int32_t value) = 0;
  virtual void setShowModeCB(int32_t index) = 0;
  virtual void setNoMouseMoveExitCB(bool checked) = 0;
  virtual void setDisableAllSoundsCB(bool checked) = 0;
  virtual void setALLBckSoundsFE(const std::string& text) = 0;
  virtual void clearListView1() = 0;
  // icon 0 picture, 1 movie
  virtual void addListView1Row(const std::string& caption, int icon) = 0;
};

}  // namespace vorn
