// The picture tour: an n x n grid of radio pictures growing in and shrinking away, drawn by a
// thread of its own and paced by the main window's timer (one frame per tick).
//
// The user-interface thread starts, restarts and stops tours and releases ticks; the tour thread
// alone draws on the view and uses the picture cache while a tour runs. The words both threads touch
// are atomics, the tour list is handed over under a lock and owned by the thread from then on, and
// the thread has a surface of its own on the view's device (which locks its backing image).
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <span>
#include <thread>
#include <vector>

#include "collection/record.h"
#include "draw/surface.h"
#include "pictures/bounded_semaphore.h"
#include "pictures/picture_registry.h"

namespace korvel {

constexpr int kTourMinimumSize = 1;
constexpr int kTourMaximumSize = 8;
constexpr int kTourCells = kTourMaximumSize * kTourMaximumSize;
constexpr int kTourSemaphoreMaximum = 100;
constexpr int kTourGrowFrames = 19;    // 0.05 to 0.95 of the fitted size
constexpr int kTourShrinkFrames = 20;  // 1.0 down to 0.05

enum TourMode : int {
  kTourRunning = 0,
  kTourRestart = 1,  // a new size (or list): start over with an empty grid
  kTourStop = 2,     // also the idle state
};

// Cell i of an n x n grid is column i / n, row i % n (row 0 at the top): numbered down the columns.
struct TourCell {
  int picture = -1;  // registry index on show, -1 for an empty cell
  int column = 0;
  int row = 0;
};

// What the tour thread holds when it is about to wait for a tick.
struct TourState {
  int size = 0;
  std::span<const TourCell> cells;  // size x size of them
  std::span<const int> list;        // the pictures still in the tour
};

class Tour {
 public:
  explicit Tour(PictureRegistry& registry);
  ~Tour();
  Tour(const Tour&) = delete;
  Tour& operator=(const Tour&) = delete;

  // Start-up: the thread waits for tours until EndTourThread.
  void StartTourThread();
  // Exit: stops a tour without waiting for ticks (frames still due are dropped) and ends the thread.
  void EndTourThread();

  // The user-interface thread's side.
  // Tours the pictures (one registry index per radio, -1 for a radio without one) on a copy of the
  // view's surface. A running tour starts over with them. False for an empty list.
  bool StartTour(const draw::Surface& view, std::vector<int> pictures);
  // The tour ends after the picture growing or shrinking now.
  void StopTour();
  // n from 1 to 8; a running tour starts over with an empty grid of the new size.
  void SetTourSize(int n);
  int TourSize() const { return size_.load(); }
  // The view needs painting: the thread redraws every picture on show before its next step.
  void RequestTourRepaint();
  // The view was laid out again; the next step draws in the new area.
  void SetViewBounds(const draw::Rect& bounds);
  // The timer hook: one frame more while a tour runs.
  void TimerTick();
  // From the start of a tour until its thread has finished stopping it.
  bool Running() const { return running_.load(); }

  // Called on the tour thread before each wait for a tick, with what it holds (set before the
  // thread starts; tests step the tour with it).
  void SetTickObserver(std::function<void(const TourState&)> observer) { observer_ = std::move(observer); }

 private:
  void ThreadMain();
  void RunTours();
  void BeginTour();
  void Step();
  bool ShowNewPicture(int cell);
  int PickNextRadio();
  bool OnShow(int picture) const;
  int Occupied() const;
  void Repaint();
  // False when the thread is ending.
  bool WaitTourTick();
  bool Ending() const { return ending_.load(); }
  int Random() { return static_cast<int>(generator_() & 0x7fffffff); }

  PictureRegistry& registry_;

  // Shared between the threads.
  std::atomic<int> mode_{kTourStop};
  std::atomic<bool> running_{false};
  std::atomic<bool> repaint_{false};
  std::atomic<int> size_{2};
  std::atomic<bool> ending_{false};
  BoundedSemaphore start_{kTourSemaphoreMaximum};
  BoundedSemaphore timer_{kTourSemaphoreMaximum};
  std::mutex handOver_;                      // guards the two below
  std::optional<std::vector<int>> pending_;  // a list the thread takes at its next (re)start
  draw::Rect bounds_;

  // The tour thread's own while a tour runs (set by the other thread only while it is idle).
  draw::Surface surface_;
  std::vector<int> list_;
  int position_ = 0;
  int n_ = 2;
  std::array<TourCell, kTourCells> cells_{};
  std::minstd_rand generator_;  // never seeded from the clock: a tour repeats from run to run
  std::function<void(const TourState&)> observer_;

  std::thread thread_;
};

// The tour list of these radios: their main pictures' registry indices (-1 for none). The thread
// never sees the records, so nothing it holds can dangle.
std::vector<int> TourPictures(std::span<RadioRecord* const> radios);

}  // namespace korvel
