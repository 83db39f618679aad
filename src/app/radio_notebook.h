// The "Add/Modify Radio" notebook: thirteen pages bound to one work record, with the behaviour of
// its fields (a brand brings its manufacturer, picture names follow brand and model while adding,
// the status enables the repair and disposal fields, the tube pages group and complete the tubes).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/program_state.h"
#include "collection/tube_rows.h"
#include "dal/dal_types.h"

namespace korvel {

class RadioNotebook {
 public:
  explicit RadioNotebook(ProgramState& state);
  RadioNotebook(const RadioNotebook&) = delete;
  RadioNotebook& operator=(const RadioNotebook&) = delete;

  // Command 109: the pages and their field tables, made once.
  bool Prepare(void* parent);

  // The record every field is bound to; each command overwrites it.
  RadioRecord& work() { return work_; }
  // While set, a new brand or model renames the work record's pictures.
  bool adding = false;

  // Runs the notebook on the work record. Whatever the outcome, fields that the status does not
  // allow are cleared afterwards. True for OK.
  bool Run(void* parent);
  bool IsOpen() const { return notebook_.window != nullptr; }

  // A table entry was inserted at `position`: the work record's references follow it and the
  // open pages' lists show it at its place.
  void TableEntryInserted(int kind, int position);

  DalNotebook& notebook() { return notebook_; }

 private:
  void BuildPages();
  DalFieldInfo* PageField(int page, int controlId);
  void BrandChanged(DalFieldInfo& field);
  void ModelChanged(DalFieldInfo& field);
  void RenamePictures();
  void StatusChanged(DalFieldInfo& field);
  bool FillTubeRowsOnce();
  void SearchFill();
  void AddPictures();
  void ShowTubeRows();
  bool FillExtraPictures(DalFieldInfo& field);
  void ReadExtraPictures(DalFieldInfo& field);
  void ClearDisallowedFields();

  ProgramState& state_;
  RadioRecord work_;
  DalNotebook notebook_;
  bool prepared_ = false;
  TubeRows rows_{};
  bool rowsFilled_ = false;
  std::array<std::string, kExtraPictureLimit> extras_{};
  std::vector<int> shownDependents_;  // status-dependent fields that have shown their value this run
  DalEnableRule repairRule_;
  DalEnableRule disposedRule_;
  DalEnableRule priceRule_;
  DalEnableRule whereDisposedRule_;
};

}  // namespace korvel
