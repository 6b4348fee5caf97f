#pragma once
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fakes/client_fixture.h"

namespace kvz::client::session_support {

// The look of the window in one session state.
struct Look {
  std::string caption;
  bool connectEnabled;
  std::string cancelCaption;
  bool connectMenusEnabled;
  std::string cancelMenuCaption;
  bool cancelMenusEnabled;
  std::string trayHint;
  bool animating;
};

inline const Look kIdle{"Tovan网络加速登陆器", true, "取 消", true, "取消", false, "未连接", false};
inline const Look kConnected{"Tovan网络加速登陆器 - Connected", false, "断 开", false, "断开",
                             true, "已连接", true};

inline void ExpectLook(const TRasDialerForm& f, const Look& look) {
  EXPECT_EQ(f.caption(), look.caption);
  EXPECT_EQ(f.ConnectButton.enabled(), look.connectEnabled);
  EXPECT_EQ(f.CancelButton.caption(), look.cancelCaption);
  EXPECT_TRUE(f.CancelButton.enabled());
  EXPECT_EQ(f.MnuConfigure->enabled(), look.connectMenusEnabled);
  EXPECT_EQ(f.N9->enabled(), look.connectMenusEnabled);
  EXPECT_EQ(f.N6->caption(), look.cancelMenuCaption);
  EXPECT_EQ(f.TimeRestrictions1->caption(), look.cancelMenuCaption);
  EXPECT_EQ(f.N6->enabled(), look.cancelMenusEnabled);
  EXPECT_EQ(f.TimeRestrictions1->enabled(), look.cancelMenusEnabled);
  EXPECT_EQ(f.TrayIcon1.hint(), look.trayHint);
  EXPECT_EQ(f.TrayIcon1.animate(), look.animating);
}

inline std::vector<std::string> Lines(const TRasDialerForm& f) { return f.InfoListBox.lines(); }

}  // namespace kvz::client::session_support
