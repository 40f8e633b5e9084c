// Preloaded into a program, sets its wall clock off by the whole seconds written in the file that
// TICKORA_WALL_OFFSET_FILE names, as if the system's time had been set: CLOCK_REALTIME (and its
// coarse form), gettimeofday and time move; the monotonic clocks do not. The file is read again at
// most every 100 ms, so a test can step the time under a running program by rewriting it.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdatomic.h>
#include <stdlib.h>
#include <sys/time.h>
#include <unistd.h>

// The C library's time value and clock numbers as Linux lays them out on a 64-bit machine, declared
// here under names of our own (<time.h> is left out, as it declares clock_gettime its own way).
typedef struct {
  long seconds;
  long nanoseconds;
} Moment;
enum { kRealTime = 0, kMonotonic = 1, kRealTimeCoarse = 5 };

typedef int (*ClockGettime)(int, Moment*);

static _Atomic(ClockGettime) real_clock_gettime;
static _Atomic long long offset_seconds;
static _Atomic long long next_read_ns;  // monotonic
static atomic_flag reading = ATOMIC_FLAG_INIT;

static int RealTime(int clock, Moment* out)
{
  ClockGettime real = atomic_load(&real_clock_gettime);
  if (!real) {
    real = (ClockGettime)dlsym(RTLD_NEXT, "clock_gettime");
    atomic_store(&real_clock_gettime, real);
  }
  return real(clock, out);
}

static void ReadOffset(void)
{
  const char* path = getenv("TICKORA_WALL_OFFSET_FILE");
  int fd = path ? open(path, O_RDONLY | O_CLOEXEC) : -1;
  if (fd < 0)
    return;
  char text[32];
  ssize_t got = read(fd, text, sizeof text - 1);
  close(fd);
  // An empty file is one being written: the last offset holds until it is whole.
  if (got > 0) {
    text[got] = '\0';
    atomic_store(&offset_seconds, strtoll(text, NULL, 10));
  }
}

static long long Offset(void)
{
  Moment now;
  if (RealTime(kMonotonic, &now) == 0) {
    long long ns = now.seconds * 1000000000LL + now.nanoseconds;
    // One thread reads; the others take the offset as it is meanwhile.
    if (ns >= atomic_load(&next_read_ns) && !atomic_flag_test_and_set(&reading)) {
      atomic_store(&next_read_ns, ns + 100000000LL);
      ReadOffset();
      atomic_flag_clear(&reading);
    }
  }
  return atomic_load(&offset_seconds);
}

int clock_gettime(int clock, Moment* out)
{
  int result = RealTime(clock, out);
  if (result == 0 && (clock == kRealTime || clock == kRealTimeCoarse))
    out->seconds += Offset();
  return result;
}

int gettimeofday(struct timeval* restrict out, void* restrict zone)
{
  (void)zone;
  Moment now;
  int result = clock_gettime(kRealTime, &now);
  if (result == 0) {
    out->tv_sec = now.seconds;
    out->tv_usec = now.nanoseconds / 1000;
  }
  return result;
}

long time(long* out)
{
  Moment now;
  clock_gettime(kRealTime, &now);
  if (out)
    *out = now.seconds;
  return now.seconds;
}
