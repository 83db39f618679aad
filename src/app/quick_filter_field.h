// The search field above the selection pane: what is typed narrows the selection at once; Escape
// clears it and gives the keys back to the pane.
#pragma once

#include <QLineEdit>
#include <functional>
#include <string>

namespace korvel {

class QuickFilterField : public QLineEdit {
 public:
  // `typed` gets the text (UTF-8) at every change; `done` when Escape gives the keys back.
  QuickFilterField(std::function<void(const std::string&)> typed, std::function<void()> done,
                   QWidget* parent);
  // Empties the field without telling anyone (the selection it narrowed was replaced).
  void Forget();
  // Called when the field takes the cursor, before anything is typed.
  std::function<void()> focusTaken;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  std::function<void()> done_;
};

}  // namespace korvel
