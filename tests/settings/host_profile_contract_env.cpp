// The Linux half of the profile contract: HostProfileFile on real files.
#include "platform/host/host_profile_file.h"
#include "tests/contract/profile_contract_env.h"
#include "tests/fakes/temp_folder.h"

namespace kvz::contract {
namespace {

class HostEnv : public ProfileContractEnv {
 public:
  platform::IProfileFile& Profile() override { return profile_; }
  std::string PathOf(const std::string& name) override { return folder_.File(name); }
  std::string PathInMissingFolder(const std::string& name) override {
    return folder_.File("missing/" + name);
  }
  void WriteRaw(const std::string& name, const std::string& bytes) override {
    folder_.Write(name, bytes);
  }
  std::optional<std::string> ReadRaw(const std::string& name) override {
    return folder_.Read(name);
  }
  void MakeReadOnly(const std::string& name) override { folder_.MakeReadOnly(name); }
  bool AnsiIsGbk() override { return true; }

 private:
  testing::TempFolder folder_;
  platform::HostProfileFile profile_;
};

}  // namespace

std::unique_ptr<ProfileContractEnv> MakeProfileContractEnv() { return std::make_unique<HostEnv>(); }

}  // namespace kvz::contract
