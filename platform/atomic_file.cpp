#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace platform {

namespace {

bool write_all(int fd, const char* p, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

// The rename is only durable once the folder's entry is on the disk too.
void sync_folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool write_file_atomically(const std::string& path, const void* data, size_t size) {
  std::string temp = path + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = write_all(fd, static_cast<const char*>(data), size) && ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    errno = saved;
    return false;
  }
  sync_folder_of(path);
  return true;
}

}  // namespace platform

namespace platform {

namespace {

// Allocated once and never freed: the detached writer may still be waiting
// on them while the process ends.
struct Writer {
  std::mutex lock;
  std::condition_variable wake, idle;
  struct Job {
    std::string key;
    std::function<void()> run;
  };
  std::deque<Job> jobs;
  bool busy = false;
};

Writer& writer() {
  static Writer* w = [] {
    Writer* made = new Writer;
    std::thread([made] {
      std::unique_lock<std::mutex> hold(made->lock);
      while (true) {
        made->wake.wait(hold, [made] { return !made->jobs.empty(); });
        std::function<void()> job = std::move(made->jobs.front().run);
        made->jobs.pop_front();
        made->busy = true;
        hold.unlock();
        job();
        hold.lock();
        made->busy = false;
        if (made->jobs.empty()) made->idle.notify_all();
      }
    }).detach();
    return made;
  }();
  return *w;
}

}  // namespace

void run_in_background(const std::string& key, std::function<void()> job) {
  Writer& w = writer();
  {
    std::lock_guard<std::mutex> hold(w.lock);
    for (Writer::Job& waiting : w.jobs) {
      if (waiting.key == key) {
        waiting.run = std::move(job);
        return;
      }
    }
    w.jobs.push_back(Writer::Job{key, std::move(job)});
  }
  w.wake.notify_one();
}

void finish_background_writes() {
  Writer& w = writer();
  std::unique_lock<std::mutex> hold(w.lock);
  w.idle.wait(hold, [&w] { return w.jobs.empty() && !w.busy; });
}

}  // namespace platform
