#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tallyer {

// The per-user store of named integer and text values of the section
// "Property". Texts are CP932. A missing value reads as its default.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual int ReadInt(const std::string& name, int defaultValue) = 0;
  virtual std::string ReadText(const std::string& name, const std::string& defaultValue) = 0;
  virtual void WriteInt(const std::string& name, int value) = 0;
  virtual void WriteText(const std::string& name, const std::string& value) = 0;
};

// A store held in memory; remembers the order of writes. Used where the
// user's stored options must not be touched (command line, tests).
class MemorySettingsStore : public SettingsStore {
 public:
  int ReadInt(const std::string& name, int defaultValue) override;
  std::string ReadText(const std::string& name, const std::string& defaultValue) override;
  void WriteInt(const std::string& name, int value) override;
  void WriteText(const std::string& name, const std::string& value) override;

  // Every write in order: name and value as text (integers in decimal).
  std::vector<std::pair<std::string, std::string>> writes;

 private:
  std::vector<std::pair<std::string, std::string>> values_;
  std::string* Find(const std::string& name);
};

}  // namespace tallyer
