#include "sample_contents.h"

#include <string>
#include <vector>

#include "ui/dialogs/dialog_ids.h"

namespace korvel {
namespace {

void Choose(DalWindow& window, int id, const char* entry) {
  DalControl* control = window.Control(id);
  control->AddItem(entry, 0);
  control->SetCurrentItem(control->ItemCount() - 1);
}

void Put(DalWindow& window, int id, const char* text) {
  window.Control(id)->SetText(text);
}

void FillSelectRadios(DalWindow& window) {
  const char* rows[][4] = {{"Add", "Brand", "=", "Zenith"}, {"And", "Year", ">", "1935"}};
  for (int row = 0; row < kSelectRows; ++row) {
    Choose(window, SelectActionId(row), row < 2 ? rows[row][0] : "None");
    if (row >= 2) continue;
    Choose(window, SelectFieldId(row), rows[row][1]);
    Choose(window, SelectRelationId(row), rows[row][2]);
    Put(window, SelectValueId(row), rows[row][3]);
  }
  Put(window, kIdSelectName, "Zeniths after 1935");
  // The lists may have been filled by the dialog's own fields.
  DalControl* radios = window.Control(kIdSelectRadios);
  if (radios->ItemCount() == 0) {
    for (const std::string& line : SampleRadioLines()) {
      radios->AddItem(line, radios->ItemCount());
      window.Control(kIdSelectPictures)->AddItem("", radios->ItemCount() - 1);
    }
  }
  for (int i = 0; i < radios->ItemCount(); ++i) {
    radios->SelectItem(i, i != 1);
    window.Control(kIdSelectPictures)->SelectItem(i, i != 1);
  }
  Put(window, kIdSelectCount, std::to_string(radios->ItemCount()).c_str());
}

}  // namespace

std::vector<std::string> SampleRadioLines() {
  return {
      "Zenith 7S529, 1939, Chairside, Restored, Walnut Wood, Center Slide Rule Dial, Center Horizontal Bars "
      "Grill 12",
      "Zenith 6D312, 1940, Tombstone, Original, Mahogany Wood, Center Round Dial, Center Cloth Grill 37",
      "Zenith 10S464, 1937, Console, For Sale, Walnut Wood, Top Robot Dial, Center Cloth Grill 41"};
}

void FillSample(int templateId, DalWindow& window) {
  switch (templateId) {
    case kDialogDistribution:
      for (const char* field :
           {"Bands", "Brand", "Cabinet Composition", "Cabinet Style", "Circuit", "Year"}) {
        window.Control(kIdDistributionField)->AddItem(field, 0);
      }
      window.Control(kIdDistributionField)->SetCurrentItem(1);
      break;
    case kDialogInsertTableItem:
      Choose(window, kIdTableName, "Brand Name");
      break;
    case kDialogUpdateRadio:
      Choose(window, kIdUpdateBrand, "Zenith");
      Put(window, kIdUpdateModel, "7S529");
      Put(window, kIdUpdateReferences, "Rider's Perpetual Troubleshooter's Manual, vol. 7");
      break;
    case kDialogModifyInventory:
      Put(window, kIdInventoryTube, "6V6GT");
      Put(window, kIdInventoryCount, "2");
      break;
    case kDialogDescription:
      Put(window, kIdRadioIdentifier, "12");
      Choose(window, kIdBrand, "Zenith");
      Put(window, kIdModel, "7S529");
      Put(window, kIdYear, "1939");
      Choose(window, kIdManufacturer, "Zenith Radio Corp.");
      break;
    case kDialogTubes1: {
      const char* lineUp[][2] = {{"Converter", "6SA7"},
                                 {"IF Amplifier", "6SK7"},
                                 {"Detector/First Audio", "6SQ7"},
                                 {"Power Amplifier", "6K6GT"},
                                 {"Rectifier", "5Y4G"}};
      for (int row = 0; row < 5; ++row) {
        Choose(window, TubeFunctionId(row), lineUp[row][0]);
        Put(window, TubeTextId(row), lineUp[row][1]);
      }
      break;
    }
    case kDialogStatus:
      Choose(window, kIdStatus, "Restored");
      Put(window, kIdDamage, "Small veneer chip at the lower left corner; dial glass cracked.");
      Put(window, kIdValue, "275");
      break;
    case kDialogSelectRadios:
      FillSelectRadios(window);
      break;
    default:
      break;
  }
}

}  // namespace korvel
