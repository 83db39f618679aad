// The scratch data directory, registry and collection that the picture file tests share.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "pictures/picture_files.h"
#include "pictures/picture_registration.h"
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/message_recorder.h"

namespace korvel::test {

namespace fs = std::filesystem;

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override { registry.SetDataDirectory(dir.path().string()); }

  // A loaded radio with the given names, registered as after start-up.
  RadioRecord& Radio(const std::string& picture, const std::string& thumbnail = {},
                     const std::vector<std::string>& extras = {}) {
    RadioRecord* r = test::AddLoadedRadio(
        collection, {.id = ++lastId, .model = std::string("M").append(std::to_string(lastId))});
    r->pictureFile = picture;
    r->thumbnailFile = thumbnail;
    for (std::size_t i = 0; i < extras.size(); ++i) r->extraPictureFiles[static_cast<int>(i)] = extras[i];
    r->extraPictureCount = static_cast<int>(extras.size());
    RegisterRadioPictures(registry, *r);
    return *r;
  }
  std::string Disk(const std::string& name) const { return dir / name; }                  // native
  std::string Full(const std::string& name) const { return registry.DisplayPath(name); }  // in messages
  std::string Contents(const std::string& name) const { return test::ReadFile(Disk(name)); }

  TempDir dir;
  PictureRegistry registry;
  Collection collection = test::MakeCollection();
  MessageRecorder messages;
  int lastId = 0;
};

}  // namespace korvel::test
