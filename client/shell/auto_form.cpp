#include "client/shell/auto_form.h"

namespace kvz::client {

std::string ExecutableFolder(const std::string& exePath) {
  std::size_t slash = exePath.rfind('\\');
  if (slash == std::string::npos) return std::string();
  // "C:\x.exe" keeps its backslash so the folder reads "C:\".
  if (slash == 2 && exePath[1] == ':') return exePath.substr(0, 3);
  return exePath.substr(0, slash);
}

TAutoForm::TAutoForm(ClientServices& services)
    : ui::Form(services.app),
      FAppDir(ExecutableFolder(services.app.ModuleFileName())),
      FIniFileName(FAppDir + "\\KVZClient.ini"),
      services_(services) {}

}  // namespace kvz::client
