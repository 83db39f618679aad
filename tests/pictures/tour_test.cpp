// The tour thread stepped by hand: each frame waits for a tick that the test releases once it has
// looked at what the frame drew on a recording surface and what the cells hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "pictures/bounded_semaphore.h"
#include "pictures/tour.h"
#include "support/recording_surface.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::BitmapOp;
using test::FillAreaOp;

struct Frame {
  std::vector<BitmapOp> bitmaps;
  std::vector<FillAreaOp> fills;
  std::vector<TourCell> cells;
  std::vector<int> list;

  int Occupied() const {
    return static_cast<int>(
        std::count_if(cells.begin(), cells.end(), [](auto& c) { return c.picture >= 0; }));
  }
  bool Shows(int picture) const {
    return std::any_of(cells.begin(), cells.end(), [&](auto& c) { return c.picture == picture; });
  }
  int Width() const {
    return bitmaps.empty() ? 0 : bitmaps[0].destination.right - bitmaps[0].destination.left;
  }
};

// A tour on a 400 x 400 recording surface, its thread started, stepped frame by frame.
class TourDriver {
 public:
  explicit TourDriver(PictureRegistry& registry) : tour_(registry) {
    tour_.SetTickObserver([this](const TourState& state) {
      Frame frame{recording_.OpsOf<BitmapOp>(),
                  recording_.OpsOf<FillAreaOp>(),
                  {state.cells.begin(), state.cells.end()},
                  {state.list.begin(), state.list.end()}};
      recording_.ForgetOps();
      std::lock_guard lock(mutex_);
      waiting_.push_back(std::move(frame));
      drawn_.notify_all();
    });
    tour_.StartTourThread();
  }
  ~TourDriver() { tour_.EndTourThread(); }

  Tour& tour() { return tour_; }
  void Start(std::vector<int> pictures, int size) {
    tour_.SetTourSize(size);
    ASSERT_TRUE(tour_.StartTour(recording_.surface(), std::move(pictures)));
  }
  // The next frame drawn within the wait, released by one tick once it is taken.
  std::optional<Frame> Next(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    if (!drawn_.wait_for(lock, wait, [this] { return !waiting_.empty(); })) return std::nullopt;
    Frame frame = std::move(waiting_.front());
    waiting_.pop_front();
    lock.unlock();
    tour_.TimerTick();
    return frame;
  }
  std::vector<Frame> Frames(int count) {
    std::vector<Frame> frames;
    for (int i = 0; i < count; ++i) {
      std::optional<Frame> frame = Next(std::chrono::seconds(20));
      if (!frame) {
        ADD_FAILURE() << "the tour drew no frame " << i;
        break;
      }
      frames.push_back(std::move(*frame));
    }
    return frames;
  }
  // Ticks until the thread has finished stopping; the frames it drew meanwhile.
  int FramesUntilStopped() {
    int frames = 0;
    while (tour_.Running() && frames < 1000) frames += Next(std::chrono::milliseconds(5)) ? 1 : 0;
    return frames;
  }

 private:
  test::RecordingSurface recording_{400, 400};
  std::mutex mutex_;
  std::condition_variable drawn_;
  std::deque<Frame> waiting_;
  Tour tour_;  // last: its thread ends before the rest goes
};

class TourRun : public ::testing::Test {
 protected:
  void SetUp() override { registry.SetDataDirectory(dir.path().string()); }
  int Picture(const std::string& name, int width = 400, int height = 200) {
    test::WritePicture(dir / name, width, height);
    return registry.Register(name);
  }

  test::TempDir dir;
  PictureRegistry registry;
  MessageRecorder messages;
};

TEST_F(TourRun, OneByOneOverOneRadioGrowsShrinksClearsAndStartsOver) {
  const int only = Picture("only.bmp");
  TourDriver driver(registry);
  driver.Start({only}, 1);
  const std::vector<Frame> frames = driver.Frames(19 + 20 + 1 + 1);
  ASSERT_EQ(frames.size(), 41u);

  // The grid starts empty: the whole view cleared, then the first frame clears its cell too.
  EXPECT_EQ(frames[0].fills.at(0).area, (draw::DeviceRect{0, 0, 400, 400}));
  for (int k = 0; k < 19; ++k) {
    SCOPED_TRACE(k);
    ASSERT_EQ(frames[k].bitmaps.size(), 1u);
    EXPECT_NEAR(frames[k].Width(), 20 * (k + 1), 2);  // 0.05 to 0.95 of 400
    EXPECT_FALSE(frames[k].Shows(only));              // on show once grown
    EXPECT_EQ(frames[k].fills.empty(), k > 0);        // later frames cover the one before
  }
  for (int k = 0; k < 20; ++k) {
    SCOPED_TRACE(k);
    const Frame& frame = frames[19 + k];
    ASSERT_EQ(frame.bitmaps.size(), 1u);
    EXPECT_NEAR(frame.Width(), 400 - 20 * k, 2);  // 1.0 down to 0.05
    EXPECT_TRUE(frame.Shows(only));               // still on show while it shrinks
    EXPECT_FALSE(frame.fills.empty());            // the margins are cleared
  }
  // No other radio: the cell is cleared and the tour starts over with the same one.
  EXPECT_TRUE(frames[39].bitmaps.empty());
  EXPECT_EQ(frames[39].fills.at(0).area, (draw::DeviceRect{0, 0, 400, 400}));
  EXPECT_EQ(frames[39].Occupied(), 0);
  EXPECT_NEAR(frames[40].Width(), 20, 1);
}

TEST_F(TourRun, TwoByTwoOverThreeRadiosKeepsOneInReserveAndRepeatsFromRunToRun) {
  const std::vector<int> pictures = {Picture("a.bmp"), Picture("b.bmp", 200, 400),
                                     Picture("c.bmp", 300, 300)};
  std::vector<int> firstRun;
  for (int run = 0; run < 2; ++run) {
    TourDriver driver(registry);
    driver.Start(pictures, 2);
    const std::vector<Frame> frames = driver.Frames(400);
    ASSERT_EQ(frames.size(), 400u);
    std::set<int> shown;
    std::vector<int> cells;
    for (std::size_t i = 0; i < frames.size(); ++i) {
      ASSERT_EQ(frames[i].cells.size(), 4u);
      EXPECT_LE(frames[i].Occupied(), 2) << "frame " << i;
      // Once two are on show every step replaces one of them: no frame is left without a picture.
      EXPECT_TRUE(i < 38 || frames[i].bitmaps.size() == 1u) << "frame " << i;
      for (const TourCell& cell : frames[i].cells) cells.push_back(cell.picture);
    }
    shown.insert(cells.begin(), cells.end());
    shown.erase(-1);
    EXPECT_EQ(shown, std::set<int>(pictures.begin(), pictures.end()));
    if (run == 0) firstRun = cells;
    EXPECT_EQ(cells, firstRun);
  }
}

TEST_F(TourRun, PicturesThatCannotBeShownAreNeverPicked) {
  const int missing = registry.Register("missing.bmp");
  const int good = Picture("good.bmp");
  {
    TourDriver driver(registry);
    driver.Start({missing, -1, good}, 1);
    std::vector<Frame> frames = driver.Frames(200);
    ASSERT_EQ(frames.size(), 200u);
    EXPECT_EQ(frames.back().list, (std::vector<int>{-1, good}));
    // Dropped the first time: even a file that appears later is not tried again in this tour.
    // Never wider than 10, the other never narrower than 20.
    test::WritePicture(dir / "missing.bmp", 10, 400);
    frames = driver.Frames(200);
    for (const Frame& frame : frames) {
      EXPECT_FALSE(frame.Shows(missing));
      EXPECT_EQ(frame.list.size(), 2u);
      for (const BitmapOp& bitmap : frame.bitmaps)
        EXPECT_GT(bitmap.destination.right - bitmap.destination.left, 10);
    }
  }
  {
    // Radios without pictures at all: an empty grid that keeps looking, one frame a tick, until stopped.
    TourDriver driver(registry);
    driver.Start({-1, -1}, 2);
    const std::vector<Frame> frames = driver.Frames(50);
    ASSERT_EQ(frames.size(), 50u);
    for (const Frame& frame : frames) {
      EXPECT_TRUE(frame.bitmaps.empty());
      EXPECT_EQ(frame.Occupied(), 0);
    }
    driver.tour().StopTour();
    EXPECT_LE(driver.FramesUntilStopped(), 1);
  }
}

TEST_F(TourRun, ASizeChangeFinishesTheAnimationAndStartsOverWithAnEmptyGrid) {
  std::vector<int> pictures;
  for (int i = 0; i < 6; ++i) pictures.push_back(Picture("p" + std::to_string(i) + ".bmp"));
  TourDriver driver(registry);
  driver.Start(pictures, 2);
  ASSERT_EQ(driver.Frames(25).size(), 25u);  // the second picture is growing
  driver.tour().SetTourSize(3);
  EXPECT_TRUE(driver.tour().Running());
  const std::vector<Frame> frames = driver.Frames(40);
  ASSERT_EQ(frames.size(), 40u);
  std::size_t restart = 0;
  while (restart < frames.size() && frames[restart].cells.size() == 4) ++restart;
  ASSERT_LT(restart, frames.size());
  EXPECT_EQ(restart, 38u - 25u);  // the growing picture finished first
  const Frame& first = frames[restart];
  ASSERT_EQ(first.cells.size(), 9u);
  EXPECT_EQ(first.Occupied(), 0);
  EXPECT_EQ(first.fills.at(0).area, (draw::DeviceRect{0, 0, 400, 400}));
  for (std::size_t i = restart; i < frames.size(); ++i) {
    for (const BitmapOp& bitmap : frames[i].bitmaps)
      EXPECT_LE(bitmap.destination.right - bitmap.destination.left, 133);
  }
}

TEST_F(TourRun, StopWithinOneAnimationAndExitWithoutTicks) {
  const std::vector<int> pictures = {Picture("a.bmp"), Picture("b.bmp"), Picture("c.bmp")};
  TourDriver driver(registry);
  driver.Start(pictures, 2);
  ASSERT_EQ(driver.Frames(5).size(), 5u);
  driver.tour().StopTour();
  EXPECT_EQ(driver.FramesUntilStopped(), 19 - 5);
  EXPECT_FALSE(driver.tour().Running());

  // A stop asked for while a picture shrinks ends the step there, not after the next one grows.
  driver.Start(pictures, 1);
  ASSERT_EQ(driver.Frames(19 + 3).size(), 22u);
  driver.tour().StopTour();
  EXPECT_EQ(driver.FramesUntilStopped(), 20 - 3);

  // At exit no more ticks come: the thread ends anyway, in the middle of a picture.
  driver.Start(pictures, 2);
  ASSERT_EQ(driver.Frames(3).size(), 3u);
  driver.tour().EndTourThread();
  EXPECT_FALSE(driver.tour().Running());
}

// Free-running, as in the program: the other thread starts, resizes, repaints and stops tours while
// the tour thread draws (the ThreadSanitizer build of this test watches the hand-overs). First a tour
// stopped before the thread took it up, as on a busy machine before the user's next command: the
// command held for it must still run.
TEST_F(TourRun, ToursStartStopResizeAndRepaintWhileTheThreadDraws) {
  const std::vector<int> pictures = {Picture("a.bmp"), Picture("b.bmp"), Picture("c.bmp", 300, 300)};
  test::RecordingSurface recording{400, 400};
  Tour tour(registry);
  ASSERT_TRUE(tour.StartTour(recording.surface(), pictures));
  tour.StopTour();
  tour.StartTourThread();
  for (int wait = 0; tour.Running() && wait < 5000; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_FALSE(tour.Running()) << "a tour stopped before the thread took it up kept running";

  for (int round = 0; round < 16; ++round) {
    ASSERT_TRUE(tour.StartTour(recording.surface(), pictures));
    for (int tick = 0; tick < 60; ++tick) {
      tour.TimerTick();
      if (tick % 7 == 0) tour.RequestTourRepaint();
      if (tick % 13 == 0) tour.SetViewBounds({0, 0, 300 + tick, 400});
      if (tick == 30) tour.SetTourSize(1 + round % kTourMaximumSize);
      std::this_thread::yield();
    }
    tour.StopTour();
    for (int tick = 0; tour.Running() && tick < 2000; ++tick) {
      tour.TimerTick();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(tour.Running());
  }
  tour.EndTourThread();
  EXPECT_FALSE(recording.OpsOf<BitmapOp>().empty());
}

// Ticks that come while the tour's thread is behind pile up only to the cap: after a stall the
// tour catches up by a frame or two, not by every tick it missed.
TEST(TourTicks, PileUpNoFurtherThanTheCap) {
  BoundedSemaphore ticks(kTourSemaphoreMaximum);
  for (int i = 0; i < kTourSemaphoreMaximum; ++i) EXPECT_TRUE(ticks.Release());
  EXPECT_FALSE(ticks.Release()) << "a tick beyond the cap was kept";
  EXPECT_EQ(ticks.Count(), kTourSemaphoreMaximum);
  ticks.Acquire();
  EXPECT_TRUE(ticks.Release()) << "a tick was lost below the cap";
}

}  // namespace
}  // namespace korvel
