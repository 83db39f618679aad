#include "dal/dal_fields.h"

#include <algorithm>
#include <new>

#include "dal/dal_convert.h"
#include "dal/dal_internal.h"
#include "util/alu_date.h"
#include "util/alu_string.h"
#include "util/alu_text.h"
#include "util/message.h"

namespace korvel {
namespace {

using dal::TextKind;

template <typename T>
T* Pointer(const DalVariable& variable) {
  const auto* held = std::get_if<T*>(&variable);
  return held != nullptr ? *held : nullptr;
}

// The parts a multi-part field may use: never more than the variable holds.
std::optional<std::span<std::string>> Parts(const DalFieldInfo& field, const DalVariable& variable) {
  const auto* parts = std::get_if<std::span<std::string>>(&variable);
  if (parts == nullptr) return std::nullopt;
  const std::size_t count = std::min<std::size_t>(std::max(field.partCount, 0), parts->size());
  return parts->first(count);
}

char Separator(const DalFieldInfo& field) {
  return (field.flags & DAL_COMMAS) ? ',' : ' ';
}

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

std::size_t CountOtherThan(const std::string& text, char c) {
  return text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

// The variable as text by the field's flags; nothing for a field without a text kind.
std::optional<std::string> FormatValue(const DalFieldInfo& field, const DalVariable& variable) {
  switch (dal::TextKindOf(field.flags)) {
    case TextKind::kString:
      if (const auto* text = Pointer<std::string>(variable)) return *text;
      break;
    case TextKind::kInt:
      if (const auto* value = Pointer<std::int32_t>(variable)) return dal::FormatInt(*value);
      break;
    case TextKind::kChar:
      if (const auto* value = Pointer<std::int32_t>(variable)) return dal::FormatChar(*value);
      break;
    case TextKind::kFloat:
      if (const auto* value = Pointer<float>(variable)) return dal::FormatDouble(*value);
      break;
    case TextKind::kDouble:
      if (const auto* value = Pointer<double>(variable)) return dal::FormatDouble(*value);
      break;
    case TextKind::kNone:
      break;
  }
  return std::nullopt;
}

bool ShowText(const DalFieldInfo& field, const DalVariable& variable) {
  if (dal::TextKindOf(field.flags) == TextKind::kNone) return true;
  const std::optional<std::string> text = FormatValue(field, variable);
  DalControl* control = DalFieldControl(field);
  if (!text || control == nullptr) return false;
  control->SetText(*text);
  return true;
}

template <typename T, typename Scanned>
bool StoreScanned(const DalVariable& variable, const Scanned& scanned) {
  T* target = Pointer<T>(variable);
  if (target == nullptr) return false;
  // A text that does not scan keeps the old value.
  if (scanned) *target = *scanned;
  return true;
}

// An integer field takes a whole number or nothing at all: "19x5" is not 19, and the user is told
// so while the dialog stays open (a blank field keeps its value, as before).
bool ReadWholeNumber(DalFieldInfo& field, const DalVariable& variable, const std::string& text) {
  if (IsBlank(text)) return StoreScanned<std::int32_t>(variable, std::optional<std::int32_t>());
  const std::optional<std::int32_t> number = dal::ScanWholeInt(text);
  if (!number) {
    field.state |= kDalRefused;
    ShowMessage(kWarning, kButtonsOk, "'%s' is not a whole number (between -2147483648 and 2147483647).",
                text.c_str());
    return false;
  }
  return StoreScanned<std::int32_t>(variable, number);
}

bool ReadText(DalFieldInfo& field, const DalVariable& variable) {
  const TextKind kind = dal::TextKindOf(field.flags);
  if (kind == TextKind::kNone) return true;
  DalControl* control = DalFieldControl(field);
  if (control == nullptr) return false;
  std::string text = control->Text();
  switch (kind) {
    case TextKind::kString: {
      std::string* target = Pointer<std::string>(variable);
      if (target == nullptr) return false;
      if (field.flags & DAL_DATE) {
        // Blanking a date removes it; otherwise a wrong date could never be taken back.
        if (IsBlank(text)) {
          target->clear();
          return true;
        }
        if (!DalCheckDate(text)) return false;
      }
      if (field.flags & DAL_CAPITALIZE) AluCapitalizeWords(text);
      *target = std::move(text);
      return true;
    }
    case TextKind::kInt:
      return ReadWholeNumber(field, variable, text);
    case TextKind::kChar:
      return StoreScanned<std::int32_t>(variable, dal::ScanChar(text));
    case TextKind::kFloat:
      return StoreScanned<float>(variable, dal::ScanFloat(text));
    case TextKind::kDouble:
      return StoreScanned<double>(variable, dal::ScanDouble(text));
    case TextKind::kNone:
      break;
  }
  return true;
}

bool ReadParts(const DalFieldInfo& field, const DalVariable& variable) {
  const auto parts = Parts(field, variable);
  DalControl* control = DalFieldControl(field);
  if (!parts || control == nullptr) return false;
  const int count = static_cast<int>(parts->size());
  const char separator = Separator(field);
  std::string text = control->Text();
  std::vector<std::string> lines;
  const int result = separator == ',' ? AluSplitUpDelimitedMultiline(text, lines, count, field.partWidth, ",")
                                      : AluSplitUpMultiline(text, lines, count, field.partWidth);
  // The splitters stop after `count` parts without a word; the user must hear of what is lost.
  std::size_t kept = 0;
  for (const std::string& line : lines) kept += CountOtherThan(line, separator);
  if (kept < CountOtherThan(text, separator)) {
    ShowMessage(kWarning, kButtonsOk, "Too much text.");
  }
  for (int i = 0; i < count; ++i) (*parts)[i] = i < static_cast<int>(lines.size()) ? lines[i] : std::string();
  return result == 1;
}

bool SelectPosition(const DalFieldInfo& field, const DalVariable& variable) {
  const std::int32_t* position = Pointer<std::int32_t>(variable);
  DalControl* control = DalFieldControl(field);
  if (position == nullptr || control == nullptr) return false;
  if (*position < 0) {
    control->SetCurrentItem(-1);
    return false;
  }
  return control->SetCurrentItem(*position);
}

bool ReadPosition(const DalFieldInfo& field, const DalVariable& variable) {
  std::int32_t* position = Pointer<std::int32_t>(variable);
  DalControl* control = DalFieldControl(field);
  if (position == nullptr || control == nullptr) return false;
  const int current = control->CurrentItem();
  if (current < 0) return false;
  *position = current;
  return true;
}

}  // namespace

namespace dal {

std::span<DalFieldInfo> TableOf(DalDialog& dialog) {
  const auto end = std::find_if(dialog.fields.begin(), dialog.fields.end(),
                                [](const DalFieldInfo& field) { return field.kind == kDalEnd; });
  return {dialog.fields.begin(), end};
}

bool EnsureIndex(DalDialog& dialog) {
  const std::span<DalFieldInfo> table = TableOf(dialog);
  const bool current = dialog.indexed && std::all_of(table.begin(), table.end(), [&](const DalFieldInfo& f) {
                         return f.dialog == &dialog;
                       });
  return current || DalInitFieldInfo(dialog);
}

}  // namespace dal

bool DalHasVariable(const DalVariable& variable) {
  return std::visit(
      [](const auto& held) {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, std::monostate>) {
          return false;
        } else if constexpr (std::is_same_v<Held, std::span<std::string>>) {
          return !held.empty();
        } else {
          return held != nullptr;
        }
      },
      variable);
}

bool DalInitFieldInfo(DalDialog& dialog) {
  dialog.indexed = false;
  dialog.index.clear();
  const std::span<DalFieldInfo> table = dal::TableOf(dialog);
  int minId = 0;
  int maxId = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i].dialog = &dialog;
    const int id = table[i].controlId;
    minId = i == 0 ? id : std::min(minId, id);
    maxId = i == 0 ? id : std::max(maxId, id);
  }
  std::vector<std::pair<int, DalFieldInfo*>> index;
  try {
    for (DalFieldInfo& field : table) {
      if (field.kind != kDalNoControl) index.emplace_back(field.controlId, &field);
    }
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'DalInitFieldInfo'.");
    return false;
  }
  std::stable_sort(index.begin(), index.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const auto twice = std::adjacent_find(index.begin(), index.end(),
                                        [](const auto& a, const auto& b) { return a.first == b.first; });
  if (twice != index.end()) {
    // The dialog stays unindexed, so every later run refuses it as well.
    ShowMessage(kError, kButtonsOk, "Field %d used more than once in dialog %d.", twice->first,
                dialog.templateId);
    return false;
  }
  dialog.index = std::move(index);
  dialog.minId = minId;
  dialog.maxId = maxId;
  dialog.indexed = true;
  return true;
}

DalFieldInfo* DalFindField(int controlId, const DalDialog& dialog) {
  if (!dialog.indexed || controlId < dialog.minId || controlId > dialog.maxId) return nullptr;
  const auto at = std::lower_bound(dialog.index.begin(), dialog.index.end(), controlId,
                                   [](const auto& entry, int id) { return entry.first < id; });
  return at != dialog.index.end() && at->first == controlId ? at->second : nullptr;
}

DalControl* DalFindControl(const DalDialog& dialog, int controlId) {
  return dialog.window != nullptr ? dialog.window->Control(controlId) : nullptr;
}

DalControl* DalFieldControl(const DalFieldInfo& field) {
  if (field.kind == kDalNoControl || field.dialog == nullptr) return nullptr;
  return DalFindControl(*field.dialog, field.controlId);
}

bool DalSetField(DalFieldInfo& field, const DalVariable& variable) {
  switch (field.kind) {
    case kDalEnd:
    case kDalNoControl:
    case kDalButton:
      return true;
    case kDalCombo:
      return field.items != nullptr ? SelectPosition(field, variable) : ShowText(field, variable);
    case kDalEdit:
      return ShowText(field, variable);
    case kDalCheck: {
      const std::int32_t* state = Pointer<std::int32_t>(variable);
      DalControl* control = DalFieldControl(field);
      if (state == nullptr || control == nullptr) return false;
      control->SetChecked(*state != 0);
      return true;
    }
    case kDalList:
    case kDalPlainList: {
      const std::int32_t* position = Pointer<std::int32_t>(variable);
      DalControl* control = DalFieldControl(field);
      if (position == nullptr || control == nullptr || *position < 0) return false;
      return control->SelectItem(*position, true);
    }
    case kDalMultiPart: {
      const auto parts = Parts(field, variable);
      DalControl* control = DalFieldControl(field);
      if (!parts || control == nullptr) return false;
      control->SetText(dal::JoinParts(*parts, Separator(field)));
      return true;
    }
  }
  return false;
}

bool DalSetField(DalFieldInfo& field) {
  return DalSetField(field, field.value);
}

bool DalReadField(DalFieldInfo& field, const DalVariable& variable) {
  field.state &= ~kDalRefused;
  // A disabled field is not read, whoever disabled it: what it shows is not the user's answer.
  if (const DalControl* control = DalFieldControl(field); control != nullptr && !control->IsEnabled()) {
    return true;
  }
  switch (field.kind) {
    case kDalEnd:
    case kDalNoControl:
    case kDalButton:
      return true;
    case kDalCombo:
      return field.items != nullptr ? ReadPosition(field, variable) : ReadText(field, variable);
    case kDalEdit:
      return ReadText(field, variable);
    case kDalCheck: {
      std::int32_t* state = Pointer<std::int32_t>(variable);
      DalControl* control = DalFieldControl(field);
      if (state == nullptr || control == nullptr) return false;
      *state = control->IsChecked() ? 1 : 0;
      return true;
    }
    case kDalList:
    case kDalPlainList:
      return ReadPosition(field, variable);
    case kDalMultiPart:
      return ReadParts(field, variable);
  }
  return false;
}

bool DalReadField(DalFieldInfo& field) {
  return DalReadField(field, field.value);
}

bool DalCheckDate(std::string& text) {
  std::string date = text;
  while (!date.empty() && date.back() == ' ') date.pop_back();
  if (date.empty()) return false;
  if (AluParseDate(date) == 0) {
    ShowMessage(kWarning, kButtonsOk, "Date must be of the form 'ddMmmyy' or 'ddMmmyyyy'.");
    return false;
  }
  // Trailing blanks go too: the stored date must parse again wherever it is used.
  text = std::move(date);
  return true;
}

bool DalApplyEnableRule(DalFieldInfo& field) {
  const DalEnableRule* rule = field.enableRule;
  if (rule == nullptr || rule->variable == nullptr) return true;
  const bool on = std::find(rule->values.begin(), rule->values.end(), *rule->variable) != rule->values.end();
  DalEnableField(field, on);
  return on;
}

void DalEnableField(DalFieldInfo& field, bool on) {
  if (DalControl* control = DalFieldControl(field)) control->SetEnabled(on);
}

bool DalSetFieldNotify(DalFieldInfo& field, bool on) {
  const bool was = (field.state & kDalNotifyOn) != 0;
  if (on) {
    field.state |= kDalNotifyOn;
  } else {
    field.state &= ~kDalNotifyOn;
  }
  return was;
}

void DalRebindField(DalFieldInfo& field, const std::vector<std::string>* items, std::uint32_t flags,
                    const DalVariable& variable) {
  field.items = items;
  field.value = variable;
  field.flags |= flags;
  DalControl* control = DalFieldControl(field);
  if (control == nullptr) return;
  if (items != nullptr) {
    for (const std::string& item : *items) control->AddItem(item, 0);
    SelectPosition(field, variable);
  } else if (dal::TextKindOf(field.flags) == TextKind::kString && Pointer<std::string>(variable) == nullptr) {
    control->SetText("");
  } else {
    ShowText(field, variable);
  }
}

void DalResetComboField(DalFieldInfo& field, const std::vector<std::string>* items, std::uint32_t flags,
                        const DalVariable& variable) {
  if (DalControl* control = DalFieldControl(field)) control->ClearItems();
  if (field.flags & (DAL_STRING | DAL_DATE)) {
    if (std::string* text = Pointer<std::string>(field.value)) text->clear();
  }
  field.flags &= ~kDalTextKindBits;
  DalRebindField(field, items, flags, variable);
}

}  // namespace korvel
