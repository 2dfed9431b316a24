#include "progress_meter.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define ZK_ISATTY _isatty
#define ZK_FILENO _fileno
#else
#include <unistd.h>
#define ZK_ISATTY isatty
#define ZK_FILENO fileno
#endif

namespace zk {

ProgressMeter StartProgressMeter(int64_t total, bool quiet) {
  ProgressMeter m;
  m.total = total;
  m.enabled = !quiet && total > 1 && ZK_ISATTY(ZK_FILENO(stderr));
  m.start = m.lastDrawn = std::chrono::steady_clock::now();
  return m;
}

void UpdateProgressMeter(ProgressMeter* m, int64_t done) {
  if (!m->enabled) return;
  const auto now = std::chrono::steady_clock::now();
  if (done < m->total && now - m->lastDrawn < std::chrono::milliseconds(200)) return;
  m->lastDrawn = now;
  const double elapsed = std::chrono::duration<double>(now - m->start).count();
  const double fps = elapsed > 0 ? done / elapsed : 0;
  const double left = fps > 0 ? (m->total - done) / fps : 0;
  const int width = 30;
  const int filled = m->total > 0 ? static_cast<int>(width * done / m->total) : width;
  char bar[width + 1];
  for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
  bar[width] = '\0';
  std::fprintf(stderr, "\r[%s] %lld/%lld frames  %.1f fps  %.0f s left ", bar,
               static_cast<long long>(done), static_cast<long long>(m->total), fps, left);
  std::fflush(stderr);
}

void FinishProgressMeter(ProgressMeter* m) {
  if (!m->enabled) return;
  UpdateProgressMeter(m, m->total);
  std::fputc('\n', stderr);
}

}  // namespace zk
