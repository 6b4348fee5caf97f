#pragma once
#include <string>

#include "client/shell/client_services.h"
#include "ui/form.h"

namespace kvz::client {

// Base of the client's windows: knows the program folder and the settings file.
class TAutoForm : public ui::Form {
 public:
  explicit TAutoForm(ClientServices& services);

  const std::string FAppDir;       // folder of the running executable
  const std::string FIniFileName;  // FAppDir + "\KVZClient.ini"

 protected:
  ClientServices& services_;
};

// The folder part of an executable path; a drive root keeps its backslash.
std::string ExecutableFolder(const std::string& exePath);

}  // namespace kvz::client
