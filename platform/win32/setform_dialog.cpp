#include "platform/win32/setform_dialog.h"

#include "platform/win32/setform_resource.h"
#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

namespace {

constexpr int kChoiceIds[] = {IDC_SETUP_CHOICE0, IDC_SETUP_CHOICE1, IDC_SETUP_CHOICE2};

void SetText(HWND window, const std::string& gbk) {
  SetWindowTextW(window, WideFromGbk(gbk).c_str());
}

void ShowState(HWND dialog, const setform::NetworkSetup& setup) {
  SetText(GetDlgItem(dialog, IDC_SETUP_CURRENT), setup.CurrentText());
  for (int i = 0; i < 3; ++i) {
    CheckDlgButton(dialog, kChoiceIds[i], setup.Selected() == i ? BST_CHECKED : BST_UNCHECKED);
  }
  EnableWindow(GetDlgItem(dialog, IDOK), setup.CanConfirm());
}

void Init(HWND dialog, setform::NetworkSetup& setup) {
  SetText(dialog, setform::texts::kTitle);
  SetText(GetDlgItem(dialog, IDC_SETUP_PROMPT), setform::texts::kPrompt);
  for (int i = 0; i < 3; ++i) {
    SetText(GetDlgItem(dialog, kChoiceIds[i]), setform::kNetworkTypes[static_cast<size_t>(i)]);
  }
  SetText(GetDlgItem(dialog, IDOK), setform::texts::kOk);
  SetText(GetDlgItem(dialog, IDCANCEL), setform::texts::kCancel);
  ShowState(dialog, setup);
}

void Confirm(HWND dialog, setform::NetworkSetup& setup) {
  if (!setup.CanConfirm()) return;
  if (setup.Confirm()) {
    EndDialog(dialog, IDOK);
    return;
  }
  // Keep the dialog open so the user can fix the file and try again.
  std::wstring text = WideFromGbk(std::string(setform::texts::kWriteFailed) + setup.IniPath());
  MessageBoxW(dialog, text.c_str(), WideFromGbk(setform::texts::kTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* setup = reinterpret_cast<setform::NetworkSetup*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Init(dialog, *reinterpret_cast<setform::NetworkSetup*>(lParam));
      return TRUE;
    case WM_COMMAND: {
      if (!setup) return FALSE;
      const int id = LOWORD(wParam);
      for (int i = 0; i < 3; ++i) {
        if (id == kChoiceIds[i] && HIWORD(wParam) == BN_CLICKED) {
          setup->Select(i);
          ShowState(dialog, *setup);
          return TRUE;
        }
      }
      if (id == IDOK) {
        Confirm(dialog, *setup);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunNetworkSetupDialog(HINSTANCE instance, setform::NetworkSetup& setup) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_NETWORK_SETUP), nullptr, DialogProc,
                         reinterpret_cast<LPARAM>(&setup));
}

}  // namespace kvz::platform::win32
