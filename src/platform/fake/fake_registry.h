#pragma once
// In-memory registry. Key paths and value names compare without ASCII case,
// like the real one. Faults: refuse to create/open a key path, refuse to
// write one value name. Every call is logged so tests can check the order.
#include <map>
#include <set>
#include <tuple>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "text/cp1250.h"

namespace vorn::fake {

class FakeRegistry final : public Registry {
 public:
  struct Opened {
    RegistryRoot root;
    std::string path;
    uint32_t access;
  };

  std::optional<Key> createKey(RegistryRoot root, const std::string& path, uint32_t access) override {
    log.push_back("create " + path);
    if (refusedKeys.count(upper(path))) return std::nullopt;
    keys.insert({root, upper(path)});
    return open(root, path, access);
  }
  std::optional<Key> openKey(RegistryRoot root, const std::string& path, uint32_t access) override {
    log.push_back("open " + path);
    if (refusedKeys.count(upper(path)) || !keys.count({root, upper(path)})) return std::nullopt;
    return open(root, path, access);
  }
  bool setString(Key key, const std::string& name, const std::string& data) override {
    log.push_back("set " + name);
    if (!openKeys.count(key) || refusedValues.count(upper(name))) return false;
    RegistryValue v{kRegSz, std::vector<uint8_t>(data.begin(), data.end())};
    v.data.push_back(0);
    values[slot(key, name)] = v;
    return true;
  }
  std::optional<RegistryValue> readValue(Key key, const std::string& name) override {
    if (!openKeys.count(key)) return std::nullopt;
    auto it = values.find(slot(key, name));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  void closeKey(Key key) override {
    log.push_back("close");
    openKeys.erase(key);
  }

  // Test helpers.
  void putValue(RegistryRoot root, const std::string& path, const std::string& name, RegistryValue v) {
    keys.insert({root, upper(path)});
    values[{root, upper(path), upper(name)}] = std::move(v);
  }
  // The string stored (without its terminating zero); nullopt when absent.
  std::optional<std::string> stringAt(RegistryRoot root, const std::string& path,
                                      const std::string& name) const {
    auto it = values.find({root, upper(path), upper(name)});
    if (it == values.end()) return std::nullopt;
    std::string s(it->second.data.begin(), it->second.data.end());
    if (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
  }

  std::set<std::string> refusedKeys;    // upper-cased paths
  std::set<std::string> refusedValues;  // upper-cased value names
  std::map<Key, Opened> openKeys;       // keys not yet closed
  std::vector<std::string> log;

 private:
  using Slot = std::tuple<RegistryRoot, std::string, std::string>;
  static std::string upper(const std::string& s) { return text::asciiUpper(s); }
  Key open(RegistryRoot root, const std::string& path, uint32_t access) {
    Key k = nextKey++;
    openKeys[k] = {root, path, access};
    return k;
  }
  Slot slot(Key key, const std::string& name) const {
    const Opened& o = openKeys.at(key);
    return {o.root, upper(o.path), upper(name)};
  }
  std::set<std::pair<RegistryRoot, std::string>> keys;
  std::map<Slot, RegistryValue> values;
  Key nextKey = 0x100;
};

}  // namespace vorn::fake
