// Compiled as UTF-8 (no GBK text here): it includes <filesystem>.
#include "tests/routing/wine/wine_bench.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace kvz::testing {
namespace fs = std::filesystem;
namespace {

std::string EnvOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> all;
  for (char** e = environ; *e; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (eq) all[std::string(*e, static_cast<std::size_t>(eq - *e))] = eq + 1;
  }
  for (const auto& [k, v] : extra) all[k] = v;
  std::vector<std::string> out;
  for (const auto& [k, v] : all) out.push_back(k + "=" + v);
  return out;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (auto& t : texts) out.push_back(t.data());
  out.push_back(nullptr);
  return out;
}

// Runs a host command to its end (setup steps only).
int RunHost(std::vector<std::string> args, const std::map<std::string, std::string>& env,
            const std::string& outputFile = "/dev/null") {
  std::vector<std::string> envTexts = MergedEnvironment(env);
  auto argv = Pointers(args);
  auto envp = Pointers(envTexts);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

WineBench* gBench = nullptr;

class ShutDownAtEnd : public ::testing::Environment {
 public:
  void TearDown() override { WineBench::ShutDown(); }
};
::testing::Environment* const kShutDown = ::testing::AddGlobalTestEnvironment(new ShutDownAtEnd);

}  // namespace

WineBench& WineBench::Get() {
  if (gBench == nullptr) {
    auto* bench = new WineBench;
    try {
      bench->SetUp();
    } catch (...) {
      bench->ShutDownNow();
      delete bench;
      throw;
    }
    gBench = bench;
  }
  return *gBench;
}

void WineBench::ShutDown() {
  if (gBench) gBench->ShutDownNow();
  delete gBench;
  gBench = nullptr;
}

std::string WineBench::ZPath(const std::string& hostPath) {
  std::string path = "Z:" + hostPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

void WineBench::SetUp() {
  wine_ = EnvOr("KVZ_WINE", KVZ_DEFAULT_WINE);
  wineserver_ = EnvOr("KVZ_WINESERVER", KVZ_DEFAULT_WINESERVER);
  winBuild_ = EnvOr("KVZ_WIN_BUILD", KVZ_DEFAULT_WIN_BUILD);
  workDir_ = KVZ_WINE_WORK_DIR;
  prefix_ = workDir_ + "/prefix";
  driveC_ = prefix_ + "/drive_c";
  localePath_ = workDir_ + "/locale";

  const fs::path tools = fs::path(winBuild_) / "sim" / "routing";
  for (const char* exe : {"ipconfig.exe", "findstr.exe", "route.exe", "shell_wait_probe.exe"}) {
    if (!fs::exists(tools / exe)) {
      throw std::runtime_error("missing " + (tools / exe).string() +
                               ": build the Windows programs first (tools/test-all.sh does)");
    }
  }
  if (!fs::exists(wine_)) throw std::runtime_error("no Wine at " + wine_);

  std::error_code ignored;
  fs::remove_all(prefix_, ignored);
  fs::create_directories(workDir_);
  if (!fs::exists(localePath_ + "/zh_CN.UTF-8")) {
    fs::create_directories(localePath_);
    RunHost({"localedef", "-i", "zh_CN", "-f", "UTF-8", localePath_ + "/zh_CN.UTF-8"}, {});
  }

  // A display of our own for the windowed probe; Xvfb names a free number.
  // -noreset: by default the server resets when its last client leaves, and
  // a window created during that moment finds no display.
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  std::vector<std::string> xargs = {"Xvfb",      "-displayfd", std::to_string(fds[1]),
                                    "-nolisten", "tcp",        "-noreset",
                                    "-screen",   "0",          "800x600x24"};
  auto xargv = Pointers(xargs);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, 2, (workDir_ + "/xvfb.log").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t xpid;
  if (posix_spawnp(&xpid, "Xvfb", &actions, nullptr, xargv.data(), environ) != 0) {
    throw std::runtime_error("cannot start Xvfb");
  }
  posix_spawn_file_actions_destroy(&actions);
  xvfbPid_ = xpid;
  close(fds[1]);
  char number[16] = {};
  ssize_t got = read(fds[0], number, sizeof number - 1);
  // Xvfb writes the number again whenever it starts a new server generation
  // and ends when it cannot: the read end stays open while it runs.
  xvfbNumberPipe_ = fds[0];
  if (got <= 0) throw std::runtime_error("Xvfb named no display");
  display_ = ":" + std::string(number, std::strcspn(number, "\n"));

  // wineboot returns before the prefix is complete; the server's end says it is.
  RunHost({wine_, "wineboot", "-i"}, {{"WINEPREFIX", prefix_},
                                      {"WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d"},
                                      {"DISPLAY", display_}});
  RunHost({wineserver_, "-w"}, {{"WINEPREFIX", prefix_}});
  const fs::path system32 = fs::path(driveC_) / "windows" / "system32";
  for (const auto& entry : fs::directory_iterator(tools)) {
    if (entry.path().extension() == ".exe") {
      fs::copy_file(entry.path(), system32 / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
  }
}

void WineBench::ShutDownNow() {
  RunHost({wineserver_, "-k"}, {{"WINEPREFIX", prefix_}});
  if (xvfbPid_ > 0) {
    kill(xvfbPid_, SIGTERM);
    waitpid(xvfbPid_, nullptr, 0);
    xvfbPid_ = -1;
  }
  if (xvfbNumberPipe_ >= 0) close(xvfbNumberPipe_);
  xvfbNumberPipe_ = -1;
}

int WineBench::Start(const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env) {
  std::map<std::string, std::string> all = {
      {"WINEPREFIX", prefix_},
      {"WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d;ipconfig.exe,findstr.exe=n"},
      {"WINEDEBUG", EnvOr("KVZ_TEST_WINEDEBUG", "-all")},
      {"DISPLAY", display_},
      {"LANG", "zh_CN.UTF-8"},
      {"LC_ALL", "zh_CN.UTF-8"},
      {"LOCPATH", localePath_}};
  for (const auto& [k, v] : env) all[k] = v;
  std::vector<std::string> envTexts = MergedEnvironment(all);
  std::vector<std::string> argTexts = {wine_};
  argTexts.insert(argTexts.end(), args.begin(), args.end());
  auto argv = Pointers(argTexts);
  auto envp = Pointers(envTexts);

  const std::string outputFile = workDir_ + "/output-" + std::to_string(++runs_) + ".txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, (outputFile + ".err").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid;
  int rc = posix_spawn(&pid, wine_.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  if (xvfbPid_ > 0 && waitpid(xvfbPid_, nullptr, WNOHANG) == xvfbPid_) {
    std::fprintf(stderr, "the virtual display has ended\n");
    xvfbPid_ = -1;
  }
  outputs_[pid] = outputFile;
  return pid;
}

WineBench::Result WineBench::Wait(int pid, int timeoutMs) {
  Result result;
  if (pid <= 0) return result;
  int status = 0;
  for (int waited = 0;; waited += 10) {
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) {
      result.ended = true;
      result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      break;
    }
    if (waited >= timeoutMs) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    usleep(10 * 1000);
  }
  std::ifstream in(outputs_[pid], std::ios::binary);
  result.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::ifstream err(outputs_[pid] + ".err", std::ios::binary);
  result.errors.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  outputs_.erase(pid);
  return result;
}

WineBench::Result WineBench::Run(const std::vector<std::string>& args,
                                 const std::map<std::string, std::string>& env, int timeoutMs) {
  return Wait(Start(args, env), timeoutMs);
}

}  // namespace kvz::testing
