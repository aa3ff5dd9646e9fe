#pragma once
// A host on a fake form with the program's own panels, and helpers to read
// the shared call log.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "saverhost/fake/fake_host.h"
#include "saverhost/screen_saver.h"

namespace vorn::saverhost::testing {

class HostTest : public ::testing::Test {
 protected:
  HostTest() {
    form.components = {{"ScreenSaver1", nullptr, true},
                       {"Panel2", &panel2, false},
                       {"MovieBox", &movieBox, false},
                       {"Label1", nullptr, false}};
  }
  void commandLine(std::vector<std::string> a) {
    sys.args = {"C:\\VORN.SCR"};
    sys.args.insert(sys.args.end(), a.begin(), a.end());
  }
  // A host as the program's form stores it, not yet loaded.
  std::unique_ptr<TScreenSaver> make() {
    auto h = std::make_unique<TScreenSaver>(&form, sys);
    h->AutoPanelHide = false;
    h->ConfigurationBoxStyle = TConfigBoxStyle::cbsPanel;
    h->ConfigurationBoxPanel = &panel2;
    h->ConfigurationBoxMessage = "Kettrel software";
    return h;
  }
  std::unique_ptr<TScreenSaver> load() {
    auto h = make();
    h->Loaded();
    return h;
  }
  bool logged(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }
  int count(const std::string& entry) const { return int(std::count(log.begin(), log.end(), entry)); }
  int countPrefix(const std::string& prefix) const {
    return int(std::count_if(log.begin(), log.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
  }
  // Position of the first entry, or -1.
  int at(const std::string& entry) const {
    auto it = std::find(log.begin(), log.end(), entry);
    return it == log.end() ? -1 : int(it - log.begin());
  }
  void markEvents(TScreenSaver& h) {
    h.OnBeforePreviewActive = [this](TScreenSaver&) { log.push_back("event BeforePreview"); };
    h.OnPreviewActive = [this](TScreenSaver&) { log.push_back("event Preview"); };
    h.OnBeforeMainSaverActive = [this](TScreenSaver&) { log.push_back("event BeforeMainSaver"); };
    h.OnMainSaverActive = [this](TScreenSaver&) { log.push_back("event MainSaver"); };
    h.OnBeforeConfigBoxActive = [this](TScreenSaver&) { log.push_back("event BeforeConfigBox"); };
    h.OnConfigBoxActive = [this](TScreenSaver&) { log.push_back("event ConfigBox"); };
    h.OnBeforePasswordSet = [this](TScreenSaver&) { log.push_back("event BeforePasswordSet"); };
    h.OnPasswordSet = [this](TScreenSaver&) { log.push_back("event PasswordSet"); };
  }
  std::vector<std::string> events() const {
    std::vector<std::string> e;
    for (const auto& s : log)
      if (s.rfind("event ", 0) == 0) e.push_back(s.substr(6));
    return e;
  }

  fake::CallLog log;
  fake::FakeHostForm form{log};
  fake::FakeHostSystem sys{log};
  fake::FakePanel panel2{log, "Panel2", 500, 380};
  fake::FakePanel movieBox{log, "MovieBox", 100, 100};
};

}  // namespace vorn::saverhost::testing
