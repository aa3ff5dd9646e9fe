#pragma once
// Records every call into the panel's controls as "Control=value", in order.
#include <string>
#include <vector>

#include "collection/collection_controls.h"
#include "collection/collection_host.h"

namespace vorn::fake {

class FakeCollectionControls final : public CollectionControls {
 public:
  void setCollNameST(const std::string& t) override { log("CollNameST", t); }
  void setCopyrightVisible(bool v) override { log("CopyrightVisible", v); }
  void setCopyrightE(const std::string& t) override { log("CopyrightE", t); }
  void setCollUrlVisible(bool v) override { log("CollUrlVisible", v); }
  void setCI_URLL(const std::string& t) override { log("CI_URLL", t); }
  void setCI_CommentL(const std::string& t) override { log("CI_CommentL", t); }
  void setUseCommonOptionsCB(bool v) override { log("UseCommonOptionsCB", v); }
  void setBckColCB(uint32_t c) override { log("BckColCB", std::to_string(c)); }
  void setShwEffectNum(int32_t i) override { log("ShwEffectNum", std::to_string(i)); }
  void checkRadioButton1() override { calls.push_back("RadioButton1"); }
  void checkRadioButton2() override { calls.push_back("RadioButton2"); }
  void setChgIntSE(int32_t v) override { log("ChgIntSE", std::to_string(v)); }
  void setChgIntMINSE(int32_t v) override { log("ChgIntMINSE", std::to_string(v)); }
  void setChgIntMAXSE(int32_t v) override { log("ChgIntMAXSE", std::to_string(v)); }
  void setShowModeCB(int32_t i) override { log("ShowModeCB", std::to_string(i)); }
  void setNoMouseMoveExitCB(bool v) override { log("NoMouseMoveExitCB", v); }
  void setDisableAllSoundsCB(bool v) override { log("DisableAllSoundsCB", v); }
  void setALLBckSoundsFE(const std::string& t) override { log("ALLBckSoundsFE", t); }
  void clearListView1() override {
    calls.push_back("ListView1.Clear");
    rows.clear();
  }
  void addListView1Row(const std::string& caption, int icon) override {
    calls.push_back("ListView1.Add=" + caption + "/" + std::to_string(icon));
    rows.push_back({caption, icon});
  }

  struct Row {
    std::string caption;
    int icon;
  };
  std::vector<std::string> calls;
  std::vector<Row> rows;

 private:
  void log(const char* name, const std::string& v) { calls.push_back(std::string(name) + "=" + v); }
  void log(const char* name, bool v) { log(name, std::string(v ? "1" : "0")); }
};

class FakeCollectionHost final : public CollectionHost {
 public:
  explicit FakeCollectionHost(std::string path) : path(std::move(path)) {}
  std::string executablePath() override { return path; }
  void hideApplicationWindow() override { ++hideCalls; }
  std::string path;
  int hideCalls = 0;
};

}  // namespace vorn::fake
