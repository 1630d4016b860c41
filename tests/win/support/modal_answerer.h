// Answers the modal boxes that the code under test opens on this thread: message boxes get
// OK, file dialogs get the next queued answer (a name typed in and confirmed, or a cancel).
// Each box's caption and text are recorded. Works from a thread timer, which the box's own
// message loop runs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrolex::testing {

struct AnsweredBox {
  std::string caption;  // system code page
  std::string text;     // system code page; line breaks as the box shows them (CR LF)
  bool file_dialog = false;
  bool owner_visible = false;  // whether the window that owns the box was on screen
};

class ModalAnswerer {
 public:
  ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;
  ~ModalAnswerer();

  // The answer for the next file dialog: a name to confirm, or nothing to cancel.
  void QueueFileAnswer(std::optional<std::string> name);
  const std::vector<AnsweredBox>& Boxes() const { return boxes_; }
  // The text the last file dialog started with in its name field.
  const std::string& LastInitialFileName() const { return last_initial_name_; }

 private:
  static void Tick();
  std::vector<AnsweredBox> boxes_;
  std::vector<std::optional<std::string>> file_answers_;
  std::string last_initial_name_;
  unsigned long long timer_ = 0;
};

}  // namespace tavrolex::testing
