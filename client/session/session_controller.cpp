// The dial-up session of the main window: dialling, progress, adoption and
// hang-up, and the look of the window in each session state.
#include <cstring>

#include "client/session/ras_state_text.h"
#include "client/shell/endpoints.h"
#include "client/shell/rasdialer_form.h"
#include "platform/types.h"

namespace kvz::client {

namespace {

// Entry names match without regard to ASCII letter case.
bool SameEntryName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

void TRasDialerForm::ShowStatus(const std::string& text) {
  LogStatusLine(text);
  InfoListBox.AddLine(text);
}

void TRasDialerForm::StartConnect() {
  SaveLoginSettings();
  if (FNetworkUnset > 0) return;
  InfoListBox.ClearLines();
  SetCaption("Tovan网络加速登陆器 - Dialing");
  FEntryName = EntryNameComboBox.caption();
  FUserName = UserNameComboBox.caption();
  FPassword = PasswordEdit.caption();
  ConnectButton.SetEnabled(false);
  CancelButton.SetEnabled(true);
  if (FUserName.empty() || FPassword.empty()) {
    services_.app.ShowMessage("您没有提供用户名和连接密码！");
    return;
  }
  DialEntry(FEntryName, FUserName, FPassword);
}

void TRasDialerForm::DialEntry(const std::string& entryName, const std::string& userName,
                               const std::string& password) {
  FRasConn = FindConnection(entryName);
  if (FRasConn != 0) {
    ShowStatus("该连接已经打开...");
    SetConnectedState(1);
    FStartTicks = -1;
    return;
  }
  platform::RasDialRequest request;
  request.entryName = entryName;
  request.phoneNumber = "";
  request.callbackNumber = "*";
  request.userName = userName;
  request.password = password;
  request.domain = "*";
  NotifyWindow = services_.app.MainWindow();
  NotifyPoster = &services_.app;
  FRasConn = 0;
  std::uint32_t result = services_.ras.Dial(request, &TRasDialerForm::RasDialNotify, &FRasConn);
  if (result != 0) {
    ShowStatus(std::to_string(result) + " " + services_.ras.ErrorString(result));
    SetDisconnectedState();  // hangs up a handle that came back with the error
    return;
  }
  ShowStatus("正在接入到Tovan加速网络...");
}

// Runs on a thread of the dial-up service: it only hands the report over.
void TRasDialerForm::RasDialNotify(unsigned /*message*/, int state, std::uint32_t error) {
  if (NotifyPoster) {
    NotifyPoster->PostMessage(NotifyWindow, WM_RASDIALEVENT,
                              static_cast<std::uintptr_t>(static_cast<std::uint32_t>(state)),
                              static_cast<std::intptr_t>(error));
  }
}

bool TRasDialerForm::WndProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (message != WM_RASDIALEVENT) return false;
  int state = static_cast<int>(static_cast<std::uint32_t>(wParam));
  ShowStatus(RasStateText(state));
  if (state == RASCS_Connected) {
    TrayIcon1.Minimize();
    // The session's start, so that Cancel can account for its length.
    FStartTicks = static_cast<std::int32_t>(services_.clock.TickCount());
    // 0 and -1 mean "no session" and "adopted"; a tick count that happens to
    // read as either is taken a millisecond or two earlier, so the session's
    // length can only grow by that much, never wrap.
    if (FStartTicks == 0 || FStartTicks == -1) FStartTicks = -2;
    SetConnectedState(0);
  } else if (state == RASCS_Disconnected) {
    ShowStatus(services_.ras.ErrorString(static_cast<std::uint32_t>(lParam)));
    SetDisconnectedState();
  }
  return true;
}

void TRasDialerForm::CancelConnect() {
  ShowStatus("断开连接");
  if (FRasConn != 0) AccountDuration();
  SetDisconnectedState();
}

void TRasDialerForm::EnumerateConnections() {
  std::uint32_t result =
      services_.ras.EnumConnections(FConnections.data(), FConnections.size(), &FConnectionCount);
  if (result != 0) ShowStatus(services_.ras.ErrorString(result));
}

platform::RasHandle TRasDialerForm::FindConnection(const std::string& entryName) {
  EnumerateConnections();
  std::size_t count = FConnectionCount < FConnections.size() ? FConnectionCount : FConnections.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (SameEntryName(FConnections[i].entryName, entryName)) return FConnections[i].handle;
  }
  return 0;
}

void TRasDialerForm::CheckExistingConnection() {
  if (FConnectionCount == 0) {
    SetDisconnectedState();
    return;
  }
  ShowStatus("当前已经存在" + std::to_string(FConnectionCount) + "个活动连接");
  // FindConnection enumerates afresh, so walk a copy of what start-up saw.
  auto seen = FConnections;
  std::size_t count = FConnectionCount < seen.size() ? FConnectionCount : seen.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (seen[i].entryName.find(endpoints::kEntryName) != std::string::npos) {
      FRasConn = FindConnection(endpoints::kEntryName);
      SetConnectedState(1);
    }
  }
}

void TRasDialerForm::SetConnectedState(int adopted) {
  CancelButton.SetCaption("断 开");
  TimeRestrictions1->SetCaption("断开");
  N6->SetCaption("断开");
  SetCaption("Tovan网络加速登陆器 - Connected");
  TrayIcon1.SetHint("已连接");
  TrayIcon1.SetAnimate(true);
  CancelButton.SetEnabled(true);
  ConnectButton.SetEnabled(false);
  MnuConfigure->SetEnabled(false);
  N9->SetEnabled(false);
  N6->SetEnabled(true);
  TimeRestrictions1->SetEnabled(true);
  OpenInBrowser(WebServerUrl(endpoints::kAdvertisementPath));
  if (adopted <= 0) RunSplitRouting();
}

void TRasDialerForm::SetDisconnectedState() {
  if (FRasConn != 0) {
    services_.ras.HangUp(FRasConn);
    FRasConn = 0;
  }
  ConnectButton.SetEnabled(true);
  CancelButton.SetCaption("取 消");
  N6->SetCaption("取消");
  TimeRestrictions1->SetCaption("取消");
  FStartTicks = 0;
  SetCaption("Tovan网络加速登陆器");
  TrayIcon1.SetHint("未连接");
  TrayIcon1.SetAnimate(false);
  MnuConfigure->SetEnabled(true);
  N9->SetEnabled(true);
  N6->SetEnabled(false);
  TimeRestrictions1->SetEnabled(false);
  if (services_.app.IsMinimized()) TrayIcon1.Restore();
}

}  // namespace kvz::client
