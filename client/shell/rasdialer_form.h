#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "client/shell/auto_form.h"
#include "platform/ras_service.h"

namespace kvz::client {

class TAboutForm;

// WM_RASDIALEVENT: one RAS progress report (state in wParam, error in lParam).
inline constexpr unsigned WM_RASDIALEVENT = 0xCCCD;
inline constexpr int RASCS_Connected = 0x2000;
inline constexpr int RASCS_Disconnected = 0x2001;
inline constexpr std::size_t kConnectionRecords = 11;

// The main window: the login page, the web pages, the menus, the tray icon,
// and all session state of the client.
class TRasDialerForm : public TAutoForm {
 public:
  explicit TRasDialerForm(ClientServices& services);

  void SetAboutForm(TAboutForm* about) { aboutForm_ = about; }

  // Shell (start-up, controls, menus, tray).
  void FormShow() override;
  void ConnectButtonClick();
  void CancelButtonClick();
  void Button1Click();
  void TabSheet2Show();
  void N2Click();
  void N5Click();
  void MnuConfigureClick();
  void TimeRestrictions1Click();
  void MnuAboutClick();
  void mnuShowHideClick();
  void MnuConnectClick();
  void MnuCancelClick();
  void mnuExitClick();
  void TrayIcon1Minimize();
  void TrayIcon1Restore();
  void MinimizeCommand() override;

  // Session controller.
  void ShowStatus(const std::string& text);
  void StartConnect();
  void DialEntry(const std::string& entryName, const std::string& userName,
                 const std::string& password);
  static void RasDialNotify(unsigned message, int state, std::uint32_t error);
  bool WndProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void CancelConnect();
  void EnumerateConnections();
  platform::RasHandle FindConnection(const std::string& entryName);
  void CheckExistingConnection();
  void SetConnectedState(int adopted);
  void SetDisconnectedState();

  // Settings, credentials and usage time.
  void SaveLoginSettings();
  void OpenNetworkSetup();
  void RestoreLoginFields();
  void AccountDuration();

  // Session fields.
  platform::RasHandle FRasConn = 0;
  std::int32_t FStartTicks = 0;
  std::array<platform::RasConnectionRecord, kConnectionRecords> FConnections{};
  std::uint32_t FConnectionCount = 0;
  std::string FEntryName, FUserName, FPassword;
  // Settings fields.
  std::string FNetworkType;
  int FNetworkUnset = 0;

  // Controls, in design order.
  ui::Control& PageControl1;
  ui::Control& TabSheet1;
  ui::Control& Label1;
  ui::Control& Label3;
  ui::Control& UserNameComboBox;
  ui::Control& Label4;
  ui::Control& PasswordEdit;
  ui::Control& SavePWCheckBox;
  ui::Control& Button1;
  ui::Control& ConnectButton;
  ui::Control& CancelButton;
  ui::Control& InfoListBox;
  ui::Control& EntryNameComboBox;
  ui::Control& TabSheet2;
  ui::Control& WebBrowser2;
  ui::Control& WebBrowser1;

  // Menu items.
  ui::MenuItem *N2, *N5, *MnuConfigure, *TimeRestrictions1, *N3, *N1;
  ui::MenuItem *mnuShowHide, *N9, *N6, *mnuExit;
  ui::TrayIcon& TrayIcon1;

  // The window the RAS callback posts to, and through what.
  static platform::WindowHandle NotifyWindow;
  static platform::IApplication* NotifyPoster;

 private:
  void BuildMenus();
  // The web server for the account and advertisement pages.
  std::string WebServerUrl(const char* path) const;
  void OpenInBrowser(const std::string& url);
  // Gateway discovery and the route script, after a dial of our own came up.
  void RunSplitRouting();
  void LogStatusLine(const std::string& text);

  TAboutForm* aboutForm_ = nullptr;
};

}  // namespace kvz::client
