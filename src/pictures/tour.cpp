#include "pictures/tour.h"

#include <algorithm>

#include "pictures/picture_cells.h"

namespace korvel {
namespace {

constexpr float kScaleStep = 0.05f;

}  // namespace

std::vector<int> TourPictures(std::span<RadioRecord* const> radios) {
  std::vector<int> pictures;
  pictures.reserve(radios.size());
  for (const RadioRecord* radio : radios) {
    pictures.push_back(radio->pictureFile.empty() ? -1 : static_cast<int>(radio->pictureIndex));
  }
  return pictures;
}

Tour::Tour(PictureRegistry& registry) : registry_(registry) {}

Tour::~Tour() {
  EndTourThread();
}

void Tour::StartTourThread() {
  if (thread_.joinable()) return;
  ending_ = false;
  mode_ = kTourStop;
  thread_ = std::thread([this] { ThreadMain(); });
}

void Tour::EndTourThread() {
  if (!thread_.joinable()) return;
  ending_ = true;
  mode_ = kTourStop;
  // Wakes the thread wherever it waits; a release lost at the maximum leaves a count to take anyway.
  start_.Release();
  timer_.Release();
  thread_.join();
  running_ = false;
}

bool Tour::StartTour(const draw::Surface& view, std::vector<int> pictures) {
  if (pictures.empty()) return false;
  std::lock_guard lock(handOver_);
  pending_ = std::move(pictures);
  bounds_ = view.bounds();
  if (!running_) {
    surface_ = view;  // the thread is idle: nothing of the surface is in use
    // Both words change together, under the lock the thread reads them with.
    running_ = true;
    mode_ = kTourRunning;
  } else {
    // A stop already asked for wins: the command waiting for it must not wait for ever.
    int expected = kTourRunning;
    mode_.compare_exchange_strong(expected, kTourRestart);
  }
  start_.Release();
  return true;
}

void Tour::StopTour() {
  if (running_) mode_ = kTourStop;
}

void Tour::SetTourSize(int n) {
  size_ = std::clamp(n, kTourMinimumSize, kTourMaximumSize);
  if (!running_) return;
  int expected = kTourRunning;
  if (mode_.compare_exchange_strong(expected, kTourRestart)) start_.Release();
}

void Tour::RequestTourRepaint() {
  if (running_) repaint_ = true;
}

void Tour::SetViewBounds(const draw::Rect& bounds) {
  std::lock_guard lock(handOver_);
  bounds_ = bounds;
}

void Tour::TimerTick() {
  if (running_) timer_.Release();
}

// ---- The tour thread --------------------------------------------------------------------------

void Tour::ThreadMain() {
  while (!Ending()) {
    // Counts left over from restarts only bring the thread back here to look again.
    while (!Ending()) {
      {
        std::lock_guard lock(handOver_);
        if (mode_ != kTourStop) break;
        // A tour started and stopped again before this thread took it up has ended all the same,
        // or the command held for it would wait for ever.
        if (running_) {
          pending_.reset();
          running_ = false;
        }
      }
      start_.Acquire();
    }
    if (Ending()) break;
    RunTours();
  }
  list_ = {};
}

void Tour::RunTours() {
  for (;;) {
    int expected = kTourRestart;
    mode_.compare_exchange_strong(expected, kTourRunning);
    BeginTour();
    while (mode_ == kTourRunning && !Ending()) Step();
    if (Ending()) return;
    expected = kTourRestart;
    if (mode_.compare_exchange_strong(expected, kTourRunning)) continue;
    // Stopped: the list goes, and only then may the main window run what it held back.
    list_ = {};
    std::lock_guard lock(handOver_);
    pending_.reset();
    running_ = false;
    return;
  }
}

void Tour::BeginTour() {
  {
    std::lock_guard lock(handOver_);
    if (pending_) {
      list_ = std::move(*pending_);
      pending_.reset();
    }
    surface_.SetBounds(bounds_);
  }
  n_ = size_;
  for (int i = 0; i < kTourCells; ++i) cells_[i] = {-1, i / n_, i % n_};
  generator_.seed(generator_());
  position_ = 0;
  // Every (re)start shows an empty grid, also of a new size over the old pictures.
  surface_.Clear();
}

void Tour::Step() {
  {
    std::lock_guard lock(handOver_);
    surface_.SetBounds(bounds_);
  }
  if (repaint_.exchange(false)) Repaint();

  const int cellCount = n_ * n_;
  const int occupied = Occupied();
  const int length = static_cast<int>(list_.size());
  // Once all but one radio (or every cell) is on show, a picture makes way for the one left over;
  // an empty grid always takes an empty cell.
  const bool replace = occupied == cellCount || (occupied >= length - 1 && occupied > 0);
  int c = 0;
  do {
    c = Random() % cellCount;
  } while ((cells_[c].picture >= 0) != replace);

  TourCell& cell = cells_[c];
  if (cell.picture >= 0) {
    for (int k = 0; k < kTourShrinkFrames; ++k) {
      const float scale = 1.0f - kScaleStep * static_cast<float>(k);
      DrawPictureInCell(surface_, registry_, cell.picture, cell.column, cell.row, n_, n_,
                        kCellCentre | kCellClearMargins, scale);
      if (!WaitTourTick()) return;
    }
    // A stop asked for meanwhile is honoured now rather than after a second animation.
    if (mode_ != kTourRunning) {
      ClearPictureCell(surface_, cell.column, cell.row, n_, n_, surface_.backgroundColour());
      cell.picture = -1;
      return;
    }
  }
  if (!ShowNewPicture(c)) {
    if (Ending()) return;
    ClearPictureCell(surface_, cell.column, cell.row, n_, n_, surface_.backgroundColour());
    cell.picture = -1;
    // A step that shows nothing is a frame too, so a tour without pictures does not spin.
    WaitTourTick();
  }
}

bool Tour::ShowNewPicture(int c) {
  TourCell& cell = cells_[c];
  for (;;) {
    const int pick = PickNextRadio();
    if (pick < 0) return false;
    const int picture = list_[pick];
    bool drawn = true;
    for (int k = 1; k <= kTourGrowFrames; ++k) {
      const int flags = k == 1 ? kCellCentre | kCellClear : kCellCentre;
      if (DrawPictureInCell(surface_, registry_, picture, cell.column, cell.row, n_, n_, flags,
                            kScaleStep * static_cast<float>(k)) == 0) {
        drawn = false;
        break;
      }
      if (!WaitTourTick()) return false;
    }
    if (drawn) {
      cell.picture = picture;
      return true;
    }
    // A picture that does not load is not tried again in this tour.
    list_.erase(list_.begin() + pick);
    position_ = pick < static_cast<int>(list_.size()) ? pick : 0;
  }
}

int Tour::PickNextRadio() {
  const int length = static_cast<int>(list_.size());
  if (length == 0 || Occupied() >= length) return -1;
  if (position_ < 0 || position_ >= length) position_ = 0;
  int at = (position_ + Random() % length) % length;
  for (int i = 0; i < length; ++i, at = (at + 1) % length) {
    const int picture = list_[at];
    if (picture >= 0 && !OnShow(picture)) {
      position_ = at;
      return at;
    }
  }
  return -1;
}

bool Tour::OnShow(int picture) const {
  for (int i = 0; i < n_ * n_; ++i) {
    if (cells_[i].picture == picture) return true;
  }
  return false;
}

int Tour::Occupied() const {
  int occupied = 0;
  for (int i = 0; i < n_ * n_; ++i) occupied += cells_[i].picture >= 0 ? 1 : 0;
  return occupied;
}

void Tour::Repaint() {
  surface_.Clear();
  for (int i = 0; i < n_ * n_; ++i) {
    const TourCell& cell = cells_[i];
    if (cell.picture >= 0) {
      DrawPictureInCell(surface_, registry_, cell.picture, cell.column, cell.row, n_, n_,
                        kCellCentre | kCellClear, 1.0f);
    }
  }
}

bool Tour::WaitTourTick() {
  if (observer_) {
    observer_(TourState{n_, std::span<const TourCell>(cells_.data(), static_cast<std::size_t>(n_ * n_)),
                        std::span<const int>(list_)});
  }
  if (Ending()) return false;
  timer_.Acquire();
  return !Ending();
}

}  // namespace korvel
