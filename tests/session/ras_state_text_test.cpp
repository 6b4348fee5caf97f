#include "client/session/ras_state_text.h"

#include <gtest/gtest.h>

namespace kvz::client {
namespace {

struct StateCase {
  int state;
  const char* text;
};

const StateCase kCases[] = {
    {0, "正在打开端口..."},
    {1, "成功打开端口"},
    {2, "正在连接到驱动..."},
    {3, "成功连接驱动"},
    {4, "所有驱动准备完成"},
    {5, "开始认证..."},
    {6, "发送认证请求"},
    {7, "重试认证请求"},
    {8, "被请求回拨"},
    {9, "被请求改变密码"},
    {10, "开始发出状态"},
    {11, "计算连接速度"},
    {12, "公共验证"},
    {13, "二次认证开始..."},
    {14, "已成功完成认证"},
    {15, "准备回拨"},
    {16, "正在等待Modem重置"},
    {17, "正在等待回拨"},
    {18, "计划完成"},
    {19, "开始认证..."},
    {20, "回拨完成"},
    {21, "登陆到网络"},
    {22, ""},
    {23, ""},
    {4096, "通讯交互中..."},
    {4097, "二次认证"},
    {4098, "从呼叫器设置回拨"},
    {4099, "密码过期"},
    {8192, "已经连接"},
    {8193, "已经断开连接"},
    {24, "连接状态 #24"},
    {4100, "连接状态 #4100"},
    {-1, "连接状态 #-1"},
    {-2147483647 - 1, "连接状态 #-2147483648"},
};

TEST(RasStateText, EveryStateOfTheTableAndTheDefaultRule) {
  for (const auto& c : kCases) {
    EXPECT_EQ(RasStateText(c.state), c.text) << "state " << c.state;
  }
}

TEST(RasStateText, TextsAreGbkBytes) {
  // "已经连接" is four double-byte characters: D2 D1 BE AD C1 AC BD D3 in GBK.
  EXPECT_EQ(RasStateText(0x2000), "\xD2\xD1\xBE\xAD\xC1\xAC\xBD\xD3");
  EXPECT_EQ(RasStateText(24).size(), 12u);  // 4 x 2 bytes, blank, "#", "24"
}

}  // namespace
}  // namespace kvz::client
