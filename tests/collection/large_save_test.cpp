// The kill-at-every-step test on a large generated collection, whose save is written in many
// buffers: a crash then falls inside the data. Built with the benchmarks only: it takes long.
#include <gtest/gtest.h>

#include "collection/killed_save.h"
#include "collection_generator.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using namespace test;

TEST(SaveSafety, KilledAtEveryFileOperationOfALargeSave) {
  TempDir dir;
  Collection large = bench::GenerateCollection(100000);
  WriteFile(dir / "radata.dat", FormatDataFile(large));
  KillEverySaveStep(dir.path() / "radata.dat", true);
}

}  // namespace
}  // namespace korvel
