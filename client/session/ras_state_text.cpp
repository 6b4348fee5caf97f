#include "client/session/ras_state_text.h"

#include <array>
#include <utility>

namespace kvz::client {
namespace {

constexpr std::array<std::pair<int, const char*>, 30> kStateTexts{{
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
    {0x1000, "通讯交互中..."},
    {0x1001, "二次认证"},
    {0x1002, "从呼叫器设置回拨"},
    {0x1003, "密码过期"},
    {0x2000, "已经连接"},
    {0x2001, "已经断开连接"},
}};

}  // namespace

std::string RasStateText(int state) {
  for (const auto& [value, text] : kStateTexts) {
    if (value == state) return text;
  }
  return "连接状态 #" + std::to_string(state);
}

}  // namespace kvz::client
