#pragma once
#include <map>
#include <string>
#include <tuple>

#include "platform/profile_file.h"

namespace kvz::fakes {

// An in-memory profile store for tests that do not look at the file itself.
class FakeProfile : public platform::IProfileFile {
 public:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  bool failWrites = false;

  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultValue, std::size_t bufferSize,
                        const std::string& path) override {
    auto it = values.find({path, section, key});
    std::string value = it == values.end() ? defaultValue : it->second;
    return bufferSize == 0 ? std::string() : value.substr(0, bufferSize - 1);
  }
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& path) override {
    if (failWrites) return false;
    values[{path, section, key}] = value;
    return true;
  }
};

}  // namespace kvz::fakes
