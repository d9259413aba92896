#include "Programs.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

extern char** environ;

namespace {

// The three pipes of a child: its standard input, output and error.
struct TPipes {
  int In[2] = {-1, -1};
  int Out[2] = {-1, -1};
  int Err[2] = {-1, -1};
  ~TPipes() {
    for (int* p : {In, Out, Err})
      for (int i = 0; i < 2; ++i)
        if (p[i] >= 0) ::close(p[i]);
  }
  bool Open() { return ::pipe2(In, O_CLOEXEC) == 0 && ::pipe2(Out, O_CLOEXEC) == 0 && ::pipe2(Err, O_CLOEXEC) == 0; }
  static void Close(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
};

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string OnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

}  // namespace

TProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments, const std::string& input,
                       std::chrono::seconds timeout) {
  TProgramRun run;
  // A child that exits before reading all its input must not end us with SIGPIPE.
  ::signal(SIGPIPE, SIG_IGN);
  TPipes pipes;
  if (!pipes.Open()) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipes.In[0], 0);
  posix_spawn_file_actions_adddup2(&actions, pipes.Out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, pipes.Err[1], 2);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t child = -1;
  const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  TPipes::Close(pipes.In[0]);
  TPipes::Close(pipes.Out[1]);
  TPipes::Close(pipes.Err[1]);
  // A child that stops reading must not block us: writes never wait.
  ::fcntl(pipes.In[1], F_SETFL, O_NONBLOCK);
  if (input.empty()) TPipes::Close(pipes.In[1]);

  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::size_t written = 0;
  bool timedOut = false;
  while (pipes.Out[0] >= 0 || pipes.Err[0] >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd fds[3] = {{pipes.Out[0], POLLIN, 0}, {pipes.Err[0], POLLIN, 0}, {pipes.In[1], POLLOUT, 0}};
    if (::poll(fds, 3, static_cast<int>(std::min<long long>(left.count(), 1000))) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0)
        (i == 0 ? run.Output : run.Errors).append(buffer, static_cast<std::size_t>(got));
      else if (got == 0 || errno != EINTR)
        TPipes::Close(i == 0 ? pipes.Out[0] : pipes.Err[0]);
    }
    if (fds[2].fd >= 0 && fds[2].revents != 0) {
      const ssize_t put = (fds[2].revents & POLLOUT) != 0
                              ? ::write(pipes.In[1], input.data() + written, input.size() - written)
                              : -1;
      if (put > 0) written += static_cast<std::size_t>(put);
      if (put < 0 && errno != EAGAIN && errno != EINTR) written = input.size();  // the child stopped reading
      if (written == input.size()) TPipes::Close(pipes.In[1]);
    }
  }
  if (timedOut) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!timedOut && WIFEXITED(status)) {
    run.Finished = true;
    run.ExitStatus = WEXITSTATUS(status);
  }
  return run;
}

TFoundProgram FindProgram(const TProgramClaim& claim) {
  TFoundProgram found;
  std::string reasons;
  for (const std::string& name : claim.Names) {
    const std::string path = OnPath(name);
    std::string why;
    if (path.empty()) {
      why = name + " is not on PATH";
    } else {
      const TProgramRun run = RunProgram(path, claim.VersionArguments, {}, std::chrono::seconds(30));
      const std::string& said = claim.VersionOnErrorStream ? run.Errors : run.Output;
      if (run.Finished && run.ExitStatus == 0 && said.find(claim.VersionMark) != std::string::npos) {
        found.Path = path;
        return found;
      }
      why = path + " is not " + claim.What + " (its version output does not say so)";
    }
    reasons += (reasons.empty() ? "" : "; ") + why;
  }
  found.Reason = claim.What + " is not installed: " + reasons;
  return found;
}
