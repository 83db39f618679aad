// A radio of the sample collection described in a real window, kept as a picture in the build folder
// to be looked at after changes to the description's layout.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "collection/data_file.h"
#include "painting_support.h"
#include "reports/radio_description.h"
#include "util/message_recorder.h"

namespace korvel::ui::test {
namespace {

TEST(DescriptionPicture, TheSampleCathedralIsDescribedBesideItsPicture) {
  MessageRecorder messages;
  const std::string sample = KORVEL_SAMPLE;
  Collection collection;
  ASSERT_TRUE(ReadDataFile(sample + "/radata.dat", sample + "/radata.org", collection).opened);
  RadioRecord* radio = nullptr;
  for (RadioRecord* r : collection.radios) {
    if (collection.tables[kTableBrandName].Text(r->brand) == "Philco" && r->model == "90") radio = r;
  }
  ASSERT_NE(radio, nullptr);
  PictureRegistry registry;
  registry.SetDataDirectory(sample);
  radio->pictureIndex = registry.Register(radio->pictureFile);
  for (int i = 0; i < UsedExtraPictures(*radio); ++i) {
    radio->extraPictureIndex[i] = registry.Register(radio->extraPictureFiles[i]);
  }
  radio->whereAcquired = "Estate sale, Geneva, Illinois";  // an unsaved change, to see it highlighted

  PaintedWindow window(800, 600);
  RadioDescription view;
  view.DrawRadioDescription(window.surface, {collection, radio, registry, false}, true);
  const QImage image = window.image();
  EXPECT_TRUE(image.save(QString::fromStdString(std::string(KORVEL_PAINTING_OUTPUT) + "/description.png")));

  ASSERT_TRUE(view.pictureRect().has_value());
  const draw::Rect picture = *view.pictureRect();
  EXPECT_EQ(picture.right, 800);
  EXPECT_EQ(picture.top, 600);
  EXPECT_GT(picture.right - picture.left, 100);
  EXPECT_GT(DarkPixels(image, picture.left, picture.right, 0, 600 - picture.bottom), 100);  // the picture
  EXPECT_GT(DarkPixels(image, 0, picture.left, 0, 600), 2000);                              // the text
}

}  // namespace
}  // namespace korvel::ui::test
