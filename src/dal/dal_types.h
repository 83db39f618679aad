// The dialog library's descriptors: field tables that bind a dialog's controls to the program's
// variables, dialogs, notebook pages and notebooks.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace korvel {

class DalWindow;
class DalNotebookWindow;
struct DalDialog;

// Control kinds of a field.
enum DalKind : std::uint32_t {
  kDalEnd = 0,        // ends a table written in the old, terminated form
  kDalCombo = 1,      // with items: the chosen position; without: a text as for kDalEdit
  kDalNoControl = 2,  // only callbacks; not in the index
  kDalCheck = 3,      // 1 when ticked, 0 otherwise
  kDalEdit = 4,       // text converted by the flags
  kDalList = 5,       // the current position; may hold pictures
  kDalMultiPart = 6,  // several texts in one edit box
  kDalButton = 7,     // no value, only the change callback
  kDalPlainList = 8,  // as kDalList, but never pictures and never a change source
};

// Conversion and behaviour bits of a field.
inline constexpr std::uint32_t DAL_CHAR = 0x1;
inline constexpr std::uint32_t DAL_DATE = 0x2;
inline constexpr std::uint32_t DAL_FLOAT = 0x4;
inline constexpr std::uint32_t DAL_DOUBLE = 0x8;
inline constexpr std::uint32_t DAL_INT = 0x10;
inline constexpr std::uint32_t DAL_STRING = 0x20;
inline constexpr std::uint32_t DAL_PICTURES = 0x40;
inline constexpr std::uint32_t DAL_COMMAS = 0x80;
inline constexpr std::uint32_t DAL_CAPITALIZE = 0x100;
inline constexpr std::uint32_t DAL_NO_FILL = 0x400;
inline constexpr std::uint32_t DAL_NO_READ = 0x800;
inline constexpr std::uint32_t DAL_SCROLL_NOTIFY = 0x2000;
// The bits that choose how a text is converted.
inline constexpr std::uint32_t kDalTextKindBits =
    DAL_CHAR | DAL_DATE | DAL_FLOAT | DAL_DOUBLE | DAL_INT | DAL_STRING;

// Field state bits.
inline constexpr std::uint32_t kDalNotifyOn = 0x1;
// Set by the last read when the field refused its text (an integer field holding something that is
// not a whole number): the dialog stays open for the user to mend it.
inline constexpr std::uint32_t kDalRefused = 0x2;

// Dialog mode and run bits.
inline constexpr std::uint32_t kDalModal = 0x1;
inline constexpr std::uint32_t kDalModeless = 0x2;
inline constexpr std::uint32_t kDalRunning = 0x100;  // DalRunDialog is running it, modal or not
inline constexpr std::uint32_t kDalEndedOk = 0x200;
inline constexpr std::uint32_t kDalEndedCancel = 0x400;

// Control ids of the buttons that end a dialog.
inline constexpr int kDalIdOk = 1;
inline constexpr int kDalIdCancel = 2;

// The variable a field shows and reads back. Which alternative a field needs follows from its kind
// and flags: positions, check states, integers and characters are int32; kDalMultiPart takes a span
// of texts. A field whose variable has the wrong type fails to show and to read.
using DalVariable =
    std::variant<std::monostate, std::int32_t*, float*, double*, std::string*, std::span<std::string>>;

// Enables a field while a controlling variable holds one of some values.
struct DalEnableRule {
  const std::int32_t* variable = nullptr;  // none: the rule always enables
  std::vector<std::int32_t> values{};
};

// One item of a picture list box, owned by its field.
struct DalListItem {
  std::string text{};      // shown with the picture; empty when the item has no text
  std::string fileName{};  // the picture file
  std::any picture{};      // the drawing hook's decoded picture, kept from the first draw
  std::int64_t data = 0;   // the caller's item data
};

struct DalFieldInfo {
  DalKind kind = kDalEnd;
  std::int32_t controlId = 0;  // 0 for kDalNoControl
  DalVariable value{};
  std::uint32_t flags = 0;
  const std::vector<std::string>* items = nullptr;  // what a combo or list box offers
  std::int32_t partCount = 0;                       // kDalMultiPart
  std::int32_t partWidth = 0;                       // kDalMultiPart: longest part
  std::int32_t itemHeight = 0;                      // picture list box, in pixels
  const DalEnableRule* enableRule = nullptr;
  std::function<bool(DalFieldInfo&)> fill{};    // replaces the default fill; false = failure
  std::function<void(DalFieldInfo&)> read{};    // replaces the default read
  std::function<void(DalFieldInfo&)> change{};  // called when the user changes the control
  std::uint32_t state = 0;
  std::vector<DalListItem> ownedItems{};  // picture list box; item data = position here
  DalDialog* dialog = nullptr;            // set by DalInitFieldInfo
};

struct DalDialog {
  int templateId = 0;
  std::vector<DalFieldInfo> fields{};
  std::uint32_t mode = 0;  // kDalModal or kDalModeless, and the run bits
  // Called on OK once the fields are read back; false keeps the dialog open (it has said why).
  std::function<bool(DalDialog&)> accept{};
  // Asked when OK is pressed, before anything is read: false keeps the dialog open (the check has
  // told the user what to correct).
  std::function<bool(DalDialog&)> validate{};

  // Built by DalInitFieldInfo: (control id, field) sorted by id, and the id range.
  std::vector<std::pair<int, DalFieldInfo*>> index{};
  bool indexed = false;
  int minId = 0;
  int maxId = 0;

  DalWindow* window = nullptr;  // while the dialog or page is open
};

struct DalNotebookPage {
  std::string title{};
  DalDialog dialog{};  // mode bits 0: run by the notebook
};

struct DalNotebook {
  std::string caption{};
  std::vector<DalNotebookPage> pages{};
  // As DalDialog::validate, for the whole notebook when OK is pressed.
  std::function<bool(DalNotebook&)> validate{};

  // While a run lasts.
  DalNotebookWindow* window = nullptr;
  std::vector<bool> opened{};  // pages shown during this run
  int result = 0;
  bool ended = false;
};

}  // namespace korvel
